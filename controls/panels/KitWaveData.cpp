#include "controls/panels/KitWaveData.h"

#include <cstring>

namespace {

const char *const FileOpenText = "Cannot open file";

struct HeaderReader
{
    const KitBytes &data;
    size_t pos = 0;
    void take(void *out, size_t n)
    {
        if (n > data.size() - pos)
            throw EErrorCheckingWave(std::string("GetWaveData: ") + FileOpenText);
        std::memcpy(out, data.data() + pos, n);
        pos += n;
    }
    bool tag(const char *want)
    {
        char b[4];
        take(b, 4);
        return std::memcmp(b, want, 4) == 0;
    }
    uint32_t u32()
    {
        uint8_t b[4];
        take(b, 4);
        return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    }
    uint16_t u16()
    {
        uint8_t b[2];
        take(b, 2);
        return uint16_t(b[0] | b[1] << 8);
    }
};

} // namespace

bool KitGetWaveData(const KitBytes &wave, KitWaveHeader &header)
{
    if (wave.empty())
        return false;
    HeaderReader r{wave};
    if (!r.tag("RIFF"))
        return false;
    header.riffSize = r.u32();
    if (!r.tag("WAVE"))
        return false;
    if (!r.tag("fmt "))
        return false;
    r.u32(); // format chunk size, any value
    const uint16_t formatTag = r.u16();
    const uint16_t channels = r.u16();
    header.samplesPerSec = r.u32();
    r.u32(); // average bytes per second
    header.blockAlign = r.u16();
    header.pcm = formatTag == 1;
    header.channels = channels == 1 ? 1 : channels == 2 ? 2 : 0;
    return true;
}

KitBytes KitLoadWaveSize(KitMemoryStream &s, int64_t size)
{
    if (size == 0 || s.Size() == 0)
        return {};
    if (size < 0 || size > s.Remaining())
        throw EKitStreamError("Stream read error");
    KitBytes bytes(static_cast<size_t>(size));
    s.ReadBuffer(bytes.data(), bytes.size());
    KitWaveHeader header;
    if (!KitGetWaveData(bytes, header))
        throw EInvalidWave(std::string("TKitWave: ") + FileOpenText);
    return bytes;
}

void KitWriteWave(KitMemoryStream &s, const KitBytes &wave, bool compressed)
{
    KitWriteData(s, wave, compressed);
}

KitBytes KitReadWave(KitMemoryStream &s, bool compressed)
{
    if (compressed) {
        KitMemoryStream plain;
        ReadCompressed(s, plain);
        plain.Rewind();
        return KitLoadWaveSize(plain, plain.Size());
    }
    const int32_t size = KitReadInt(s);
    return KitLoadWaveSize(s, size);
}
