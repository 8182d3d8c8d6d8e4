// Fuzz target: the stream readers (compressed stream, plain data, wave forms,
// item records, image strip records, container streams).
#include "controls/panels/KitStreamRecords.h"
#include "controls/panels/KitWaveData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t mode = data[0];
    KitMemoryStream s(data + 1, size - 1);
    try {
        switch (mode % 6) {
        case 0: {
            KitMemoryStream out;
            ReadCompressed(s, out);
            break;
        }
        case 1: KitReadData(s, (mode & 0x80) != 0); break;
        case 2: KitReadWave(s, (mode & 0x80) != 0); break;
        case 3: KitReadImageStrip(s, (mode & 0x80) != 0); break;
        case 4:
            KitReadItems(s, (mode & 0x80) != 0, [&](int) {
                const KitItemHeader h = KitReadItemHeader(s);
                if (h.hasContent)
                    KitReadData(s, h.compressed);
            });
            break;
        default: {
            KitWaveHeader h;
            KitGetWaveData(s.Data(), h);
            int32_t w, hh;
            KitBitmapFileSize(s.Data(), w, hh);
            break;
        }
        }
    } catch (const EKitStreamError &) {
    } catch (const EInvalidWave &) {
    } catch (const EErrorCheckingWave &) {
    }
    return 0;
}
