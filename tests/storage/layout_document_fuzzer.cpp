// libFuzzer entry for the document reader; built only with clang (see tests/storage).
#include "storage/layout_document.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const auto read = tessel::readLayoutDocument(bytes);
    if (read.document.has_value() == !read.error.empty())
        __builtin_trap();
    if (!read.document)
        return 0;
    // What was read writes out as a document that reads back to the same bytes.
    const std::string written = tessel::writeLayoutDocument(*read.document);
    const auto again = tessel::readLayoutDocument(written);
    if (!again.document || tessel::writeLayoutDocument(*again.document) != written)
        __builtin_trap();
    return 0;
}
