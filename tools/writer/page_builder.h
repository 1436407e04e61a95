#pragma once

#include "writer/byte_writer.h"
#include "writer/option_record.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vlkw {

enum class RecordCode : std::int16_t {
    NewPage = 1,
    Text = 2,
    AngleText = 3,
    PageNumber = 4,
    Line = 5,
    Box = 6,
    Font = 7,
    BitmapFile = 8,
    EndOfDocument = 9,
    PageCount = 10,
    ChangeWords = 11,
    EmbeddedBitmap = 12,
    Skip20 = 13,
    MailOptionBlock = 14,
    FaxOptionBlock = 15,
    ClipText = 16,
};

// Alignment operands; any other int16 is written as given (readers treat it as left).
inline constexpr std::int16_t kAlignLeft = 0;
inline constexpr std::int16_t kAlignCentre = 1;
inline constexpr std::int16_t kAlignRight = 2;
inline constexpr std::int16_t kAlignDecimal = 3;

// Font style bits.
inline constexpr std::int16_t kBold = 1;
inline constexpr std::int16_t kItalic = 2;
inline constexpr std::int16_t kUnderline = 4;
inline constexpr std::int16_t kStrikeout = 8;

inline constexpr std::int16_t kPaperLetter = 1;
inline constexpr std::int16_t kPaperA4 = 9;
inline constexpr std::int16_t kPortrait = 0;
inline constexpr std::int16_t kLandscape = 1;
inline constexpr std::int16_t kBinAuto = 7;

// A colour as the page stream stores it: 0x00BBGGRR.
constexpr std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}

// The 10 bytes after a page's first code.
struct PageSetup {
    std::int16_t paperSize = kPaperLetter;
    std::int16_t orientation = kPortrait;
    std::int16_t bin = kBinAuto;
    std::array<std::uint8_t, 4> reserved{};
};

// Two corners in inches: (x1, y1) and (x2, y2).
struct Corners {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
};

// Builds one page's byte string: the NewPage code and its PageSetup, then one record per call,
// each with its operands in the order and widths readers take them. The page has no length
// field; it ends where the next page (or the page table) begins.
class PageBuilder {
  public:
    explicit PageBuilder(const PageSetup& setup = {});

    PageBuilder& newPage();
    PageBuilder& text(float x, float y, std::int16_t alignment, std::string_view text);
    PageBuilder& angleText(float x, float y, std::int16_t angle, std::string_view text);
    PageBuilder& pageNumber(float x, float y, std::int16_t alignment, std::int16_t angle = 0);
    PageBuilder& line(const Corners& ends, float width, std::uint32_t colour,
                      std::int16_t reserved = 0);
    PageBuilder& box(const Corners& corners, float borderWidth, std::uint32_t fill,
                     std::uint32_t border, std::int16_t reserved = 0);
    PageBuilder& font(std::int16_t style, float size, std::uint32_t colour, std::string_view face);
    PageBuilder& bitmapFile(const Corners& box, std::string_view fileName);
    PageBuilder& endOfDocument();
    PageBuilder& pageCount(float x, float y, std::int16_t alignment, std::int16_t angle = 0);
    PageBuilder& changeWords(std::int16_t wordId, std::string_view text);
    PageBuilder& embeddedBitmap(const Corners& box, std::span<const std::uint8_t> bmpFile);
    PageBuilder& skip20(const std::array<std::uint8_t, 20>& filler = {});
    // `code` is normally 14 or 15; any other value writes the block under that code.
    PageBuilder& optionBlock(std::int16_t code, const OptionRecord& options);
    PageBuilder& clipText(float x, float y, float width, std::int16_t alignment,
                          std::string_view text);

    // For malformed streams: a code with no operands, or any bytes at all.
    PageBuilder& code(std::int16_t code);
    PageBuilder& raw(std::span<const std::uint8_t> bytes);

    std::size_t size() const { return out_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return out_.data(); }

  private:
    ByteWriter& start(RecordCode code);

    ByteWriter out_;
};

// The bytes of one option block record (code, flags, six lengths, six texts); the same bytes
// that PageBuilder::optionBlock appends.
std::vector<std::uint8_t> OptionBlockBytes(std::int16_t code, const OptionRecord& options);

// The bytes of one ChangeWords record.
std::vector<std::uint8_t> ChangeWordsBytes(std::int16_t wordId, std::string_view text);

} // namespace vlkw
