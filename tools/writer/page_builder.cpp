#include "writer/page_builder.h"

#include <algorithm>
#include <limits>

namespace vlkw {

namespace {

void PutCorners(ByteWriter& out, const Corners& c) {
    out.float32(c.x1).float32(c.y1).float32(c.x2).float32(c.y2);
}

// A text cut to what an int16 length can count, as ByteWriter::text cuts it.
std::string_view Countable(std::string_view text) {
    return text.substr(
        0, std::min<std::size_t>(text.size(), std::numeric_limits<std::int16_t>::max()));
}

void PutOptionBlock(ByteWriter& out, std::int16_t code, const OptionRecord& options) {
    out.int16(code).int32(options.showDialog).int32(options.attachAsViewer);
    // All six lengths come before the first text.
    for (const auto& text : options.texts) {
        out.int16(static_cast<std::int16_t>(Countable(text).size()));
    }
    for (const auto& text : options.texts) {
        out.chars(Countable(text));
    }
}

} // namespace

PageBuilder::PageBuilder(const PageSetup& setup) {
    start(RecordCode::NewPage)
        .int16(setup.paperSize)
        .int16(setup.orientation)
        .int16(setup.bin)
        .bytes(setup.reserved);
}

ByteWriter& PageBuilder::start(RecordCode code) {
    return out_.int16(static_cast<std::int16_t>(code));
}

PageBuilder& PageBuilder::newPage() {
    start(RecordCode::NewPage);
    return *this;
}

PageBuilder& PageBuilder::text(float x, float y, std::int16_t alignment, std::string_view text) {
    start(RecordCode::Text).float32(x).float32(y).int16(alignment).text(text);
    return *this;
}

PageBuilder& PageBuilder::angleText(float x, float y, std::int16_t angle, std::string_view text) {
    start(RecordCode::AngleText).float32(x).float32(y).int16(angle).text(text);
    return *this;
}

PageBuilder& PageBuilder::pageNumber(float x, float y, std::int16_t alignment, std::int16_t angle) {
    start(RecordCode::PageNumber).float32(x).float32(y).int16(alignment).int16(angle);
    return *this;
}

PageBuilder& PageBuilder::line(const Corners& ends, float width, std::uint32_t colour,
                               std::int16_t reserved) {
    PutCorners(start(RecordCode::Line), ends);
    out_.float32(width).int16(reserved).uint32(colour);
    return *this;
}

PageBuilder& PageBuilder::box(const Corners& corners, float borderWidth, std::uint32_t fill,
                              std::uint32_t border, std::int16_t reserved) {
    PutCorners(start(RecordCode::Box), corners);
    out_.float32(borderWidth).int16(reserved).uint32(fill).uint32(border);
    return *this;
}

PageBuilder& PageBuilder::font(std::int16_t style, float size, std::uint32_t colour,
                               std::string_view face) {
    start(RecordCode::Font).int16(style).float32(size).uint32(colour).text(face);
    return *this;
}

PageBuilder& PageBuilder::bitmapFile(const Corners& box, std::string_view fileName) {
    PutCorners(start(RecordCode::BitmapFile), box);
    out_.text(fileName);
    return *this;
}

PageBuilder& PageBuilder::endOfDocument() {
    start(RecordCode::EndOfDocument);
    return *this;
}

PageBuilder& PageBuilder::pageCount(float x, float y, std::int16_t alignment, std::int16_t angle) {
    start(RecordCode::PageCount).float32(x).float32(y).int16(alignment).int16(angle);
    return *this;
}

PageBuilder& PageBuilder::changeWords(std::int16_t wordId, std::string_view text) {
    out_.bytes(ChangeWordsBytes(wordId, text));
    return *this;
}

PageBuilder& PageBuilder::embeddedBitmap(const Corners& box,
                                         std::span<const std::uint8_t> bmpFile) {
    PutCorners(start(RecordCode::EmbeddedBitmap), box);
    out_.uint32(static_cast<std::uint32_t>(bmpFile.size())).bytes(bmpFile);
    return *this;
}

PageBuilder& PageBuilder::skip20(const std::array<std::uint8_t, 20>& filler) {
    start(RecordCode::Skip20).bytes(filler);
    return *this;
}

PageBuilder& PageBuilder::optionBlock(std::int16_t code, const OptionRecord& options) {
    PutOptionBlock(out_, code, options);
    return *this;
}

PageBuilder& PageBuilder::clipText(float x, float y, float width, std::int16_t alignment,
                                   std::string_view text) {
    start(RecordCode::ClipText).float32(x).float32(y).float32(width).int16(alignment).text(text);
    return *this;
}

PageBuilder& PageBuilder::code(std::int16_t code) {
    out_.int16(code);
    return *this;
}

PageBuilder& PageBuilder::raw(std::span<const std::uint8_t> bytes) {
    out_.bytes(bytes);
    return *this;
}

std::vector<std::uint8_t> OptionBlockBytes(std::int16_t code, const OptionRecord& options) {
    ByteWriter out;
    PutOptionBlock(out, code, options);
    return out.take();
}

std::vector<std::uint8_t> ChangeWordsBytes(std::int16_t wordId, std::string_view text) {
    ByteWriter out;
    out.int16(static_cast<std::int16_t>(RecordCode::ChangeWords)).int16(wordId).text(text);
    return out.take();
}

} // namespace vlkw
