#pragma once
// The kit's binary stream procedures: a memory stream, the plain framing
// (32-bit little-endian integers, bytes, short strings, size-prefixed data) and
// the compressed-stream framing built on the block compressor.
// Plain C++ (no Qt): see KitLzrw.h.

#include "controls/panels/KitError.h"

#include <cstdint>
#include <string>
#include <vector>

using KitBytes = std::vector<uint8_t>;

// Reading past the end of a stream, or data that does not hold together.
using EKitStreamError = TKitError<struct EKitStreamErrorKind>;

// A growable in-memory stream with a position, like the class library's
// memory stream: writing at the position overwrites and extends.
class KitMemoryStream
{
public:
    KitMemoryStream() = default;
    explicit KitMemoryStream(KitBytes data) : m_data(std::move(data)) {}
    KitMemoryStream(const uint8_t *data, size_t size) : m_data(data, data + size) {}

    int64_t Position() const { return int64_t(m_pos); }
    int64_t Size() const { return int64_t(m_data.size()); }
    int64_t Remaining() const { return int64_t(m_data.size() - m_pos); }
    void Seek(int64_t pos);
    void Rewind() { m_pos = 0; }
    void Clear() { m_data.clear(); m_pos = 0; }

    void Write(const void *buf, size_t n);
    // Reads exactly n bytes or raises EKitStreamError ("Stream read error").
    void ReadBuffer(void *buf, size_t n);
    // Reads up to n bytes; returns how many were read.
    size_t Read(void *buf, size_t n);

    const KitBytes &Data() const { return m_data; }
    KitBytes &Data() { return m_data; }

private:
    KitBytes m_data;
    size_t m_pos = 0;
};

// Plain framing.
void KitWriteInt(KitMemoryStream &s, int32_t v);
void KitWriteByte(KitMemoryStream &s, uint8_t v);
void KitWriteShortString(KitMemoryStream &s, const std::string &bytes); // cut to 255 bytes
int32_t KitReadInt(KitMemoryStream &s);
uint8_t KitReadByte(KitMemoryStream &s);
std::string KitReadShortString(KitMemoryStream &s);

// Compressed-stream framing: a 32-bit total, then per block of at most
// KitBlockSize input bytes its 32-bit length and the block.
void WriteCompressed(KitMemoryStream &source, KitMemoryStream &dest, int64_t count);
// Appends the decoded bytes of one compressed stream to dest. A truncated or
// corrupt stream raises EKitStreamError; dest then holds nothing of it.
void ReadCompressed(KitMemoryStream &source, KitMemoryStream &dest);

// Convenience forms on byte vectors.
KitBytes KitCompressBytes(const KitBytes &data);
KitBytes KitDecompressBytes(const KitBytes &stream);

// The data framing shared by the bitmap, strings and wave content of the
// kit's records: compressed, or a 32-bit byte count followed by the bytes.
void KitWriteData(KitMemoryStream &s, const KitBytes &data, bool compressed);
KitBytes KitReadData(KitMemoryStream &s, bool compressed);
