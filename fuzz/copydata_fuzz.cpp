// WM_COPYDATA payloads from any program on the desktop, to a viewer following a document that
// is being built. Each message is a code byte (100 + byte % 6: page added, finished, progress,
// the viewer's own two codes, and one nobody uses), a length byte and that many text bytes, the
// terminating zero included or not, as the sender likes. The document on disk is complete, so
// announced positions land on real pages, between them and outside the file.

#include "fuzz_check.h"
#include "unit/viewer/viewer_fakes.h"
#include "viewer/building_protocol.h"
#include "writer/page_builder.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace {

constexpr std::size_t kMostMessages = 64;

vlkw::DocumentDescription Growing() {
    vlkw::DocumentDescription description =
        velk::testing::PagesDocument(0, {{1, "Intro"}, {3, "End"}});
    description.title = "Growing";
    description.producerWindow = 777;
    for (const char* text : {"first", "second", "third"}) {
        description.pages.push_back(vlkw::PageBuilder{}.text(1, 1, 0, text).bytes());
    }
    return description;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vlkw::DocumentDescription description = Growing();
    velk::testing::ViewerHarness h(description, true);
    h.open();

    std::size_t at = 0;
    for (std::size_t message = 0; message < kMostMessages && at + 2 <= size; ++message) {
        const std::uint32_t code = 100 + data[at] % 6;
        const std::size_t length = std::min<std::size_t>(data[at + 1], size - at - 2);
        const std::string_view text(reinterpret_cast<const char*>(data) + at + 2, length);
        at += 2 + length;
        h.window->onCopyData(code, text);
        Check(h.state.pageCount == h.document.pageCount);
        Check(h.state.pageCount >= 0);
    }
    return 0;
}
