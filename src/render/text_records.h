#pragma once

namespace velk {

class PageReader;
struct RenderState;

// Code 7: the page's font and text colour from here on.
bool FontRecord(RenderState& state, PageReader& reader);
// Code 2: aligned text in the current font.
bool TextRecord(RenderState& state, PageReader& reader);
// Code 3: text rotated with a font of its own.
bool AngleTextRecord(RenderState& state, PageReader& reader);
// Codes 4 and 10: the page's number or the document's page count.
bool PageNumberRecord(RenderState& state, PageReader& reader);
bool PageCountRecord(RenderState& state, PageReader& reader);
// Code 16: text clipped to a column.
bool ClipTextRecord(RenderState& state, PageReader& reader);

} // namespace velk
