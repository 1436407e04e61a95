#pragma once

#include "options.h"

#include <windows.h>

namespace producer_sim {

// How a run ended.
enum class Outcome : int {
    Done = 0,
    BadOptions = 2,
    DocumentNotWritten = 3,
    ViewerNotStarted = 4,
    ViewerNeverAttached = 5,
    NoStepEvent = 6,
};

// Opens the producer's window, writes the document's header, starts the viewer on it in
// building mode, does the actions one by one and waits for the viewer to close.
Outcome RunProducer(HINSTANCE instance, const Options& options);

} // namespace producer_sim
