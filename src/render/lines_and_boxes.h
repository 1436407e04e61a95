#pragma once

namespace velk {

class PageReader;
struct RenderState;

// Code 5: a line with a pen of its own width and colour.
bool LineRecord(RenderState& state, PageReader& reader);
// Code 6: a filled rectangle with a new pen and brush.
bool BoxRecord(RenderState& state, PageReader& reader);

} // namespace velk
