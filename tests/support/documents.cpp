#include "support/documents.h"

#include "writer/self_extracting.h"

namespace velk::testing {

std::vector<std::uint8_t> TextPage(const std::string& text) {
    return vlkw::PageBuilder{}
        .font(0, 10.0f, 0, "Arial")
        .text(1.0f, 1.0f, vlkw::kAlignLeft, text)
        .bytes();
}

vlkw::DocumentDescription ThreePageReport() {
    vlkw::DocumentDescription d;
    d.title = "Quarterly Report";
    d.initialZoom = vlkw::kZoom100;
    d.pages = {TextPage("one"), TextPage("two"), TextPage("three")};
    d.index = {{1, "Summary"}, {2, "Sales"}, {2, "Sales by region"}, {3, "Outlook"}};
    d.mailOptions = vlkw::MailOptions(1, 1, "profile", "secret", "Ann;Bob", "ann@x;bob@x", "Report",
                                      "Please read.");
    d.faxOptions = vlkw::FaxOptions(1, "faxprofile", "faxpw", "FAX:123;FAX:456", "Fax report",
                                    "See attached.");
    return d;
}

std::vector<std::uint8_t> SelfExtracting(std::size_t stubSize,
                                         const std::vector<std::uint8_t>& document) {
    const std::vector<std::uint8_t> stub(stubSize, 0x90);
    return vlkw::WriteSelfExtracting(stub, document);
}

OpenedDocument::OpenedDocument(const std::vector<std::uint8_t>& bytes, const std::string& name,
                               std::int32_t base) {
    files.add(name, bytes);
    // No GoogleTest here: the fuzz targets share this fixture. A document that does not open
    // has no header either.
    headerMatched = document.open(files, name, base) && document.readHeader();
}

} // namespace velk::testing
