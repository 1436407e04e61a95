#include "render/lines_and_boxes.h"

#include "render/page_reader.h"
#include "render/render_state.h"

namespace velk {

namespace {

constexpr Colour kWhite = 0xFFFFFF;

struct Corners {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
};

Corners ReadCorners(PageReader& reader) {
    Corners c;
    c.x1 = reader.float32();
    c.y1 = reader.float32();
    c.x2 = reader.float32();
    c.y2 = reader.float32();
    return c;
}

// The entry pen goes back in first, so the pen being replaced is never selected when it is
// deleted.
void ReplacePen(RenderState& state, std::int32_t width, Colour colour) {
    state.surface.selectObject(state.entryPen);
    state.surface.deleteObject(state.currentPen);
    state.currentPen = state.surface.createPen(kPenSolid, width, colour);
    state.surface.selectObject(state.currentPen);
}

void ReplaceBrush(RenderState& state, Colour colour) {
    state.surface.selectObject(state.entryBrush);
    state.surface.deleteObject(state.currentBrush);
    state.currentBrush = state.surface.createSolidBrush(colour);
    state.surface.selectObject(state.currentBrush);
}

} // namespace

bool LineRecord(RenderState& state, PageReader& reader) {
    const Corners ends = ReadCorners(reader);
    const float width = reader.float32();
    reader.int16(); // reserved
    const Colour colour = reader.uint32();
    if (!reader.ok()) {
        return false;
    }
    const DeviceMapping& map = state.map;
    ReplacePen(state, map.pointWidth(width), colour);
    state.surface.moveTo(map.graphicX(ends.x1), map.graphicY(ends.y1));
    state.surface.lineTo(map.graphicX(ends.x2), map.graphicY(ends.y2));
    return true;
}

bool BoxRecord(RenderState& state, PageReader& reader) {
    const Corners corners = ReadCorners(reader);
    const float width = reader.float32();
    reader.int16(); // reserved
    const Colour fill = reader.uint32();
    const Colour border = reader.uint32();
    if (!reader.ok()) {
        return false;
    }
    const DeviceMapping& map = state.map;
    // A negative width means no visible border: a hairline in white, unseen on white paper.
    if (width < 0) {
        ReplacePen(state, 0, kWhite);
    } else {
        ReplacePen(state, map.pointWidth(width), border);
    }
    ReplaceBrush(state, fill);
    state.surface.rectangle(map.graphicX(corners.x1), map.graphicY(corners.y1),
                            map.graphicX(corners.x2), map.graphicY(corners.y2));
    return true;
}

} // namespace velk
