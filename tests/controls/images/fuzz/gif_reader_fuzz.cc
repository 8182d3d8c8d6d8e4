// Fuzz target: the GIF reader in both damage modes, every frame decoded,
// then the picture written and read back.
#include "controls/images/GifImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    TGIFImage::TolerateCorruptGif = (data[0] & 1) != 0;
    const bool formData = (data[0] & 2) != 0;
    TGIFImage gif;
    try {
        if (formData)
            gif.ReadData(data + 1, size - 1);
        else
            gif.ReadGifStream(data + 1, size - 1, true);
    } catch (const EInvalidGraphicOperation &) {
    }
    try {
        for (int i = 0; i < gif.GifFrameCount(); ++i) {
            TGIFFrame &f = gif.GifFrameAt(i);
            if (std::int64_t(f.Item->Width) * f.Item->Height <= 4 * 1024 * 1024)
                f.FrameBitmap();
        }
        if (gif.GifFrameCount() > 0) {
            const std::vector<std::uint8_t> again = gif.SaveToBytes();
            TGIFImage back;
            back.ReadGifStream(again.data(), again.size(), false);
        }
    } catch (const EInvalidGraphicOperation &) {
    }
    return 0;
}
