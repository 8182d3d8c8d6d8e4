// Fuzz target: the block decoder on arbitrary blocks, and the compressor's
// round trip on the same bytes taken as input.
#include "controls/panels/KitLzrw.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0 || size > size_t(KitBlockSize) + 1)
        return 0;
    // exact-size copies so any over-read is caught by the sanitizer
    std::vector<uint8_t> block(data, data + size);
    std::vector<uint8_t> out(KitBlockSize);
    LZRWDecompress(block.data(), out.data(), int(block.size()), int(out.size()));
    // a small output buffer as well
    std::vector<uint8_t> small(64);
    LZRWDecompress(block.data(), small.data(), int(block.size()), int(small.size()));

    if (size <= size_t(KitBlockSize)) {
        std::vector<uint8_t> packed(size + KitCompressMargin);
        const int n = LZRWCompress(block.data(), packed.data(), int(size));
        if (n < 1 || n > int(size) + 1)
            abort();
        packed.resize(size_t(n));
        std::vector<uint8_t> back(size);
        if (LZRWDecompress(packed.data(), back.data(), n, int(size)) != int(size) || back != block)
            abort();
    }
    return 0;
}
