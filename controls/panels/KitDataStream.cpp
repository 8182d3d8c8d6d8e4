#include "controls/panels/KitDataStream.h"

#include "controls/panels/KitLzrw.h"

#include <algorithm>
#include <cstring>

namespace {
const char *const ReadErrorText = "Stream read error";
const char *const CorruptText = "Compressed data is corrupt";
} // namespace

void KitMemoryStream::Seek(int64_t pos)
{
    if (pos < 0)
        pos = 0;
    if (size_t(pos) > m_data.size())
        m_data.resize(size_t(pos));
    m_pos = size_t(pos);
}

void KitMemoryStream::Write(const void *buf, size_t n)
{
    if (n == 0)
        return;
    if (m_pos + n > m_data.size())
        m_data.resize(m_pos + n);
    std::memcpy(m_data.data() + m_pos, buf, n);
    m_pos += n;
}

size_t KitMemoryStream::Read(void *buf, size_t n)
{
    n = std::min(n, m_data.size() - m_pos);
    if (n > 0)
        std::memcpy(buf, m_data.data() + m_pos, n);
    m_pos += n;
    return n;
}

void KitMemoryStream::ReadBuffer(void *buf, size_t n)
{
    if (n > m_data.size() - m_pos)
        throw EKitStreamError(ReadErrorText);
    Read(buf, n);
}

void KitWriteInt(KitMemoryStream &s, int32_t v)
{
    const uint32_t u = uint32_t(v);
    const uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
    s.Write(b, 4);
}

void KitWriteByte(KitMemoryStream &s, uint8_t v)
{
    s.Write(&v, 1);
}

void KitWriteShortString(KitMemoryStream &s, const std::string &bytes)
{
    const size_t n = std::min<size_t>(bytes.size(), 255);
    KitWriteByte(s, uint8_t(n));
    s.Write(bytes.data(), n);
}

int32_t KitReadInt(KitMemoryStream &s)
{
    uint8_t b[4];
    s.ReadBuffer(b, 4);
    return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

uint8_t KitReadByte(KitMemoryStream &s)
{
    uint8_t b;
    s.ReadBuffer(&b, 1);
    return b;
}

std::string KitReadShortString(KitMemoryStream &s)
{
    const uint8_t n = KitReadByte(s);
    std::string out(n, '\0');
    s.ReadBuffer(out.data(), n);
    return out;
}

void WriteCompressed(KitMemoryStream &source, KitMemoryStream &dest, int64_t count)
{
    const int64_t start = dest.Position();
    KitWriteInt(dest, 0);
    KitBytes in(KitBlockSize);
    KitBytes out(KitBlockSize + KitCompressMargin);
    int64_t total = 0;
    while (count > 0) {
        const size_t want = size_t(std::min<int64_t>(count, KitBlockSize));
        const size_t got = source.Read(in.data(), want);
        if (got == 0)
            break; // the source ran out before count: write what there was
        const int len = LZRWCompress(in.data(), out.data(), int(got));
        KitWriteInt(dest, len);
        dest.Write(out.data(), size_t(len));
        total += len + 4;
        count -= int64_t(got);
    }
    const int64_t end = dest.Position();
    dest.Seek(start);
    KitWriteInt(dest, int32_t(total));
    dest.Seek(end);
}

void ReadCompressed(KitMemoryStream &source, KitMemoryStream &dest)
{
    int64_t total = KitReadInt(source);
    if (total < 0)
        throw EKitStreamError(CorruptText);
    KitBytes block;
    KitBytes out(KitBlockSize);
    KitBytes result;
    while (total > 0) {
        const int32_t len = KitReadInt(source);
        // A block holds at least its kind byte and at most a stored full block,
        // and it must lie inside what the total still announces.
        if (len < 1 || len > KitBlockSize + 1 || int64_t(len) + 4 > total)
            throw EKitStreamError(CorruptText);
        block.resize(size_t(len));
        source.ReadBuffer(block.data(), size_t(len));
        const int n = LZRWDecompress(block.data(), out.data(), len, KitBlockSize);
        if (n < 0)
            throw EKitStreamError(CorruptText);
        result.insert(result.end(), out.begin(), out.begin() + n);
        total -= int64_t(len) + 4;
    }
    dest.Write(result.data(), result.size());
}

KitBytes KitCompressBytes(const KitBytes &data)
{
    KitMemoryStream src(data);
    KitMemoryStream dst;
    WriteCompressed(src, dst, int64_t(data.size()));
    return dst.Data();
}

KitBytes KitDecompressBytes(const KitBytes &stream)
{
    KitMemoryStream src(stream);
    KitMemoryStream dst;
    ReadCompressed(src, dst);
    return dst.Data();
}

void KitWriteData(KitMemoryStream &s, const KitBytes &data, bool compressed)
{
    if (compressed) {
        KitMemoryStream src(data);
        WriteCompressed(src, s, int64_t(data.size()));
        return;
    }
    KitWriteInt(s, int32_t(data.size()));
    s.Write(data.data(), data.size());
}

KitBytes KitReadData(KitMemoryStream &s, bool compressed)
{
    if (compressed) {
        KitMemoryStream dst;
        ReadCompressed(s, dst);
        return std::move(dst.Data());
    }
    const int32_t n = KitReadInt(s);
    if (n < 0 || n > s.Remaining())
        throw EKitStreamError(ReadErrorText);
    KitBytes out(static_cast<size_t>(n));
    s.ReadBuffer(out.data(), out.size());
    return out;
}
