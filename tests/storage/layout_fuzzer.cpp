// libFuzzer entry for the layout reader; built only with clang (see tests/storage).
#include "storage/layout_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const auto result = tessel::readLayout(bytes, 1 + size % 64);
    if (result.records.size() > 1 + size % 64)
        __builtin_trap();
    return 0;
}
