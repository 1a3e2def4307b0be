// The libFuzzer program of one entry point, chosen by VXR_FUZZ_ENTRY.

#include <cstddef>
#include <cstdint>

#include "fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vxr::fuzz::VXR_FUZZ_ENTRY({data, size});
    return 0;
}
