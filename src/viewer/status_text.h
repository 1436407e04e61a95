#pragma once

#include "document/document.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velk {

class InterfaceTexts;
struct ViewerState;

// The captions of the index entries that point at `page`: the first alone, or the first and
// the last joined by " ... "; empty when none does.
std::string IndexCaptionsForPage(const std::vector<IndexEntry>& index, std::int32_t page);

// The status bar's text: where the reader is, or while building how far the document has
// come.
std::string StatusText(const ViewerState& state, const InterfaceTexts& texts,
                       const std::vector<IndexEntry>& index);

} // namespace velk
