#include "writer/document_producer.h"

#include <utility>

namespace vlkw {

DocumentProducer::DocumentProducer(const std::filesystem::path& path,
                                   DocumentDescription description)
    : file_(path, std::ios::binary | std::ios::trunc), assembler_(std::move(description)) {
    ok_ = file_.is_open() && writeHeader();
}

bool DocumentProducer::append(std::span<const std::uint8_t> bytes) {
    file_.seekp(0, std::ios::end);
    file_.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    file_.flush();
    return file_.good();
}

bool DocumentProducer::writeHeader() {
    const auto header = assembler_.headerBytes();
    file_.seekp(0);
    file_.write(reinterpret_cast<const char*>(header.data()),
                static_cast<std::streamsize>(header.size()));
    file_.flush();
    return file_.good();
}

std::int32_t DocumentProducer::addPage(std::span<const std::uint8_t> page) {
    if (!ok_ || finished_) {
        return 0;
    }
    // The page goes in before the header that points past it, so a reader that sees the new
    // header always finds the whole page.
    const auto placed = assembler_.placePage(page);
    ok_ = append(placed) && writeHeader();
    return ok_ ? assembler_.pagePositions().back() : 0;
}

bool DocumentProducer::finish() {
    if (!ok_ || finished_) {
        return false;
    }
    finished_ = true;
    ok_ = append(assembler_.closing()) && writeHeader();
    file_.close();
    return ok_ && !file_.fail();
}

std::int32_t DocumentProducer::pagesWritten() const {
    return static_cast<std::int32_t>(assembler_.pagePositions().size());
}

} // namespace vlkw
