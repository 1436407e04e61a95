#include "test_documents.h"

#include "writer/byte_writer.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"
#include "writer/self_extracting.h"

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

std::vector<std::uint8_t> SelfExtractingViewer(const std::vector<std::uint8_t>& viewer,
                                               const std::vector<std::uint8_t>& document,
                                               const ContainerTrailer& trailer) {
    std::vector<std::uint8_t> container = vlkw::WriteSelfExtracting(viewer, document);
    // The trailer is the last 4 + 17 bytes; a mark of another length moves where it starts.
    container.resize(container.size() - 4 - vlkw::kSelfExtractMark.size());
    const std::int32_t offset =
        trailer.offsetIsViewerSize ? static_cast<std::int32_t>(viewer.size()) : trailer.offset;
    vlkw::ByteWriter tail;
    tail.int32(offset).chars(trailer.mark);
    container.insert(container.end(), tail.data().begin(), tail.data().end());
    return container;
}

} // namespace velk_e2e
