#include "render/interpreter.h"

#include "document/document.h"
#include "base/user_message.h"
#include "platform/message_box.h"
#include "render/fonts.h"
#include "render/images.h"
#include "render/lines_and_boxes.h"
#include "render/page_reader.h"
#include "render/render_state.h"
#include "render/text_records.h"
#include "document/interface_texts.h"

namespace velk {

namespace {

constexpr Colour kBlack = 0;

enum class Code : std::int16_t {
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

bool ChangeWordsRecord(RenderState& state, PageReader& reader) {
    const std::int16_t slot = reader.int16();
    const std::string text = reader.text(reader.int16());
    if (!reader.ok()) {
        return false;
    }
    state.services.texts.SetInterfaceText(slot, text);
    return true;
}

// Eight bytes, six lengths, then six strings of those lengths.
bool OptionBlockRecord(PageReader& reader) {
    reader.skip(8);
    std::int16_t lengths[6] = {};
    for (auto& length : lengths) {
        length = reader.int16();
    }
    for (const auto length : lengths) {
        reader.skip(length);
    }
    return reader.ok();
}

enum class Step { Next, EndOfPage };

// One record: false from a handler means it ran past the end of the data.
Step Dispatch(RenderState& state, PageReader& reader, std::int16_t code) {
    bool complete = true;
    switch (static_cast<Code>(code)) {
    case Code::Text:
        complete = TextRecord(state, reader);
        break;
    case Code::AngleText:
        complete = AngleTextRecord(state, reader);
        break;
    case Code::PageNumber:
        complete = PageNumberRecord(state, reader);
        break;
    case Code::Line:
        complete = LineRecord(state, reader);
        break;
    case Code::Box:
        complete = BoxRecord(state, reader);
        break;
    case Code::Font:
        complete = FontRecord(state, reader);
        break;
    case Code::BitmapFile:
        complete = BitmapFileRecord(state, reader);
        break;
    case Code::PageCount:
        complete = PageCountRecord(state, reader);
        break;
    case Code::ChangeWords:
        complete = ChangeWordsRecord(state, reader);
        break;
    case Code::EmbeddedBitmap:
        complete = EmbeddedBitmapRecord(state, reader);
        break;
    case Code::Skip20:
        reader.skip(20);
        complete = reader.ok();
        break;
    case Code::MailOptionBlock:
    case Code::FaxOptionBlock:
        complete = OptionBlockRecord(reader);
        break;
    case Code::ClipText:
        complete = ClipTextRecord(state, reader);
        break;
    case Code::NewPage:
    case Code::EndOfDocument:
        return Step::EndOfPage;
    default:
        // Shown whole: the text is longer than ShowMessage would let through.
        state.services.messages.show(UnknownCodeMessage(),
                                     MessageCaption(state.services.document.header.title),
                                     kMessageIconInformation);
        return Step::EndOfPage;
    }
    return complete ? Step::Next : Step::EndOfPage;
}

void RecordLoop(RenderState& state, std::span<const std::uint8_t> data) {
    PageReader reader(data, kFirstRecordOffset);
    while (reader.remaining() >= 2) {
        if (Dispatch(state, reader, reader.int16()) == Step::EndOfPage) {
            break;
        }
    }
}

} // namespace

std::string UnknownCodeMessage() {
    // CR alone breaks a line in a message box.
    return std::string("velk has encountered a code that is not designed to handle. "
                       "This page may not be completely displayed. There are two things that "
                       "can cause this: \r"
                       "1. The print-preview may be corrupt. Try regenerating the document.\r"
                       "2. You may have an old version of velk.exe on you machine. You can "
                       "obtain the latest by downloading it from the velk download page:\r") +
           kDownloadLocation + "\r\rIf the problems persist, please contact your software vendor.";
}

void RenderPage(RenderServices& services, std::int32_t page, const RenderTarget& target) {
    Surface& surface = target.surface;
    RenderState state{
        .services = services,
        .surface = surface,
        .mode = target.mode,
        .page = page,
        .map = DeviceMapping{target.zoom, target.dpiX, target.dpiY, target.offX, target.offY}};

    // The page's own objects, each replacing what the surface had selected.
    state.currentBrush = surface.createSolidBrush(kBlack);
    state.entryBrush = surface.selectObject(state.currentBrush);
    state.currentFont = MakeScreenFont(surface, services.screen, "Arial", 0, 8.0);
    state.entryFont = surface.selectObject(state.currentFont);
    state.currentPen = surface.createPen(kPenSolid, 1, kBlack);
    state.entryPen = surface.selectObject(state.currentPen);
    // A failed create selects nothing; what the surface had is then still what it has.
    if (!state.entryBrush) {
        state.entryBrush = surface.selectedBrush();
    }
    if (!state.entryFont) {
        state.entryFont = surface.selectedFont();
    }
    if (!state.entryPen) {
        state.entryPen = surface.selectedPen();
    }

    Document& document = services.document;
    if (document.loadedPageNumber != page) {
        document.loadPage(page);
    }
    const std::span<const std::uint8_t> data = document.loadedPage;
    if (target.mode == RenderMode::Printer) {
        ApplyToPrinter(ParsePageSetup(data), surface, target.devmode, target.devmodeLength);
    }

    surface.setTextColor(kBlack);
    surface.setBkMode(kBkTransparent);

    RecordLoop(state, data);

    surface.selectObject(state.entryBrush);
    surface.selectObject(state.entryFont);
    surface.selectObject(state.entryPen);
    surface.deleteObject(state.currentBrush);
    surface.deleteObject(state.currentFont);
    surface.deleteObject(state.currentPen);
}

} // namespace velk
