#include "test_documents.h"

#include "writer/document_writer.h"
#include "writer/page_builder.h"

namespace velk_e2e {

std::vector<std::uint8_t> DocumentBytes(const TestDocument& document) {
    vlkw::DocumentDescription description;
    description.title = document.title;
    description.deleteOnClose = document.deleteOnClose;
    description.pages.push_back(vlkw::PageBuilder()
                                    .font(0, 12.0f, vlkw::Rgb(0, 0, 0), "Arial")
                                    .text(1.0f, 1.0f, vlkw::kAlignLeft, "velk end-to-end test page")
                                    .bytes());
    if (document.magic != vlkw::HeaderFields{}.magic) {
        description.overrides.header = [magic = document.magic](vlkw::HeaderFields& header) {
            header.magic = magic;
        };
    }
    return vlkw::WriteDocument(description);
}

} // namespace velk_e2e
