#pragma once

#include "render/coordinates.h"
#include "render/interpreter.h"
#include "render/surface.h"

#include <string>

namespace velk {

// Set by Font records and read by rotated text.
struct FontState {
    std::string faceName = "Arial";
    std::int16_t style = 0;
    float size = 0.0f;
    Colour colour = 0;
};

// Everything one RenderPage call works with; made afresh for each call.
struct RenderState {
    RenderServices& services;
    Surface& surface;
    RenderMode mode;
    std::int32_t page;
    DeviceMapping map;

    // What the surface had selected before the call, and the page's own current objects.
    PenId entryPen{};
    BrushId entryBrush{};
    FontId entryFont{};
    PenId currentPen{};
    BrushId currentBrush{};
    FontId currentFont{};
    FontState fontState{};
};

// Record handlers take the state and a reader positioned after the code. They return false
// when the record runs past the end of the page data; the page then ends without drawing it.

} // namespace velk
