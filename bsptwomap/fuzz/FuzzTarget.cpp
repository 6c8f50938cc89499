#include "bsptwomap/Decompile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    btm::decompileBytes({data, size});
    return 0;
}
