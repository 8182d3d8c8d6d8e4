#include "controls/images/GifLzw.h"

#include <algorithm>
#include <array>
#include <memory>

// ------------------------------------------------------------ shared types

int GifColorTable::FindColorIndex(GifColor c) const
{
    if (c == GifNoColor)
        return -1;
    const GifColor rgb = c & 0xFFFFFF;
    for (int i = 0; i < Count; ++i)
        if (Color(i) == rgb)
            return i;
    return -1;
}

void IndexedImage::Resize(int width, int height)
{
    if (width < 0 || height < 0 || std::int64_t(width) * height > GifMaxPixels)
        throw EInvalidGraphicOperation(SGifDecodeError);
    Width = width;
    Height = height;
    Pixels.assign(std::size_t(width) * std::size_t(height), 0);
}

// ------------------------------------------------------------ byte reader

std::uint8_t GifByteReader::ReadByte()
{
    if (m_pos >= m_size)
        throw EInvalidGraphicOperation(SReadError);
    return m_data[m_pos++];
}

std::uint16_t GifByteReader::ReadWord()
{
    std::uint8_t b[2];
    Read(b, 2);
    return std::uint16_t(b[0] | (b[1] << 8));
}

std::uint32_t GifByteReader::ReadDWord()
{
    std::uint8_t b[4];
    Read(b, 4);
    return std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
           (std::uint32_t(b[3]) << 24);
}

void GifByteReader::Read(void *buf, std::size_t n)
{
    if (n > Remaining())
        throw EInvalidGraphicOperation(SReadError);
    if (n)
        std::memcpy(buf, m_data + m_pos, n);
    m_pos += n;
}

void GifByteReader::Skip(std::size_t n)
{
    if (n > Remaining())
        throw EInvalidGraphicOperation(SReadError);
    m_pos += n;
}

// ------------------------------------------------------------ blocks

void CopyImageBlocks(GifByteReader &source, std::vector<std::uint8_t> &target, GifImageDescriptor &descriptor,
                     GifColorTable &table, int &colorBits, bool &damaged, bool &localColors, bool &interlace)
{
    descriptor.Left = source.ReadWord();
    descriptor.Top = source.ReadWord();
    descriptor.Width = source.ReadWord();
    descriptor.Height = source.ReadWord();
    descriptor.Flags = source.ReadByte();
    interlace = (descriptor.Flags & 0x40) != 0;
    if (descriptor.Flags & 0x80) {
        colorBits = (descriptor.Flags & 7) + 1;
        localColors = true;
        table.Clear();
        table.Count = 1 << colorBits;
        source.Read(table.Rgb.data(), std::size_t(table.Count) * 3);
    } else {
        localColors = false;
        table.Clear();
    }
    target.clear();
    target.push_back(source.ReadByte());
    while (!source.AtEnd()) {
        const std::uint8_t len = source.ReadByte();
        if (len > source.Remaining()) {
            // Neither the length nor the partial block is kept; the data
            // gets its terminator so that the frame still writes back as a
            // well-formed file.
            damaged = true;
            target.push_back(0);
            return;
        }
        target.push_back(len);
        target.insert(target.end(), source.Current(), source.Current() + len);
        source.Skip(len);
        if (len == 0)
            return;
    }
    target.push_back(0);
}

int NextInterlacedRow(int row, int height, int &pass)
{
    static constexpr int step[4] = {8, 8, 4, 2};
    row += step[pass & 3];
    if (row < height)
        return row;
    if (pass == 0) {
        pass = 1;
        if (height > 4)
            return 4;
    }
    if (pass == 1) {
        pass = 2;
        if (height > 2)
            return 2;
    }
    if (pass == 2) {
        pass = 3;
        return 1;
    }
    return row;
}

namespace {

// The interlaced rows of a picture in the order they are stored.
std::vector<int> InterlacedOrder(int height)
{
    std::vector<int> order;
    order.reserve(std::size_t(height));
    int pass = 0;
    for (int row = 0; row < height && int(order.size()) < height; row = NextInterlacedRow(row, height, pass))
        order.push_back(row);
    return order;
}

// Reads codes of a given width from the concatenated sub-block bytes.
class CodeReader
{
public:
    explicit CodeReader(const std::vector<std::uint8_t> &bytes) : m_p(bytes.data()), m_end(bytes.data() + bytes.size())
    {
    }
    // The next code, or -1 when the data has run out.
    int Next(int width)
    {
        if (m_bits < width) {
            if (m_end - m_p >= 8) {
                std::uint64_t word;
                std::memcpy(&word, m_p, 8);
                m_acc |= word << m_bits;
                m_p += (63 - m_bits) >> 3;
                m_bits |= 56;
            } else {
                while (m_bits <= 56 && m_p < m_end) {
                    m_acc |= std::uint64_t(*m_p++) << m_bits;
                    m_bits += 8;
                }
                if (m_bits < width)
                    return -1;
            }
        }
        const int code = int(m_acc & ((1u << width) - 1));
        m_acc >>= width;
        m_bits -= width;
        return code;
    }
    std::size_t Consumed(const std::uint8_t *begin) const { return std::size_t(m_p - begin); }

private:
    const std::uint8_t *m_p;
    const std::uint8_t *m_end;
    std::uint64_t m_acc = 0;
    int m_bits = 0;
};

// One string of the decoder's table: its prefix code, its length, its last
// and its first pixel, packed so that the whole table stays in the cache.
struct DecodeEntry
{
    std::uint16_t prefix;
    std::uint16_t length;
    std::uint8_t suffix;
    std::uint8_t first;
};

void report(const GifProgressFn &progress, GifProgressStage stage, int percent, const std::string &message = {})
{
    if (progress)
        progress(stage, percent, message);
}

} // namespace

void LzwDecode(const std::vector<std::uint8_t> &data, IndexedImage &image, bool interlace, int pixelBits,
               bool tolerate, bool &damaged, const GifProgressFn &progress)
{
    const int width = image.Width, height = image.Height;
    image.Resize(width, height);
    report(progress, GifProgressStage::Starting, 0);
    auto fail = [&](const char *message) {
        if (!tolerate) {
            report(progress, GifProgressStage::Ending, 0, message);
            throw EInvalidGraphicOperation(message);
        }
        damaged = true;
    };
    const std::size_t total = image.Pixels.size();
    if (data.empty()) {
        if (total)
            fail(SReadError);
        report(progress, GifProgressStage::Ending, 100);
        return;
    }

    int codeSize = data[0];
    bool badCodeSize = false;
    if (codeSize < 2 || codeSize > 9) {
        fail(SGifCodeSizeError);
        codeSize = std::clamp(codeSize, 2, 9);
        badCodeSize = true;
    }

    // The sub-blocks' bytes in one run, so that the code reader never has
    // to look at block boundaries.
    std::vector<std::uint8_t> bytes;
    bytes.reserve(data.size());
    for (std::size_t pos = 1; pos < data.size();) {
        const std::size_t len = data[pos++];
        if (len == 0)
            break;
        const std::size_t take = std::min(len, data.size() - pos);
        bytes.insert(bytes.end(), data.begin() + std::ptrdiff_t(pos), data.begin() + std::ptrdiff_t(pos + take));
        pos += take;
    }

    // Interlaced pictures are decoded in stored order, each run of pixels
    // going straight to its row, so the picture is never held twice.
    std::uint8_t *out = image.Pixels.data();
    std::vector<int> storedRows;
    if (interlace && height > 1) {
        storedRows = InterlacedOrder(height);
        out = nullptr;
    }
    std::size_t op = 0;
    // Copies pixels that continue the stored order at op to their rows.
    auto scatter = [&](const std::uint8_t *src, std::size_t len) {
        const std::size_t w = std::size_t(width);
        while (len > 0 && op < total) {
            const std::size_t col = op % w;
            const std::size_t n = std::min(len, w - col);
            std::memcpy(image.Row(storedRows[op / w]) + col, src, n);
            src += n;
            len -= n;
            op += n;
        }
    };

    const int pixelMask = (1 << std::clamp(pixelBits, 1, 8)) - 1;
    const int clear = 1 << codeSize, eoi = clear + 1;
    auto table = std::make_unique<DecodeEntry[]>(4096);
    DecodeEntry *t = table.get();
    for (int i = 0; i < clear; ++i)
        t[i] = {0, 1, std::uint8_t(i & pixelMask), std::uint8_t(i & pixelMask)};

    CodeReader reader(bytes);
    int codeWidth = codeSize + 1, limit = 1 << codeWidth, next = clear + 2;
    bool full = false;
    int old = -1; // -1: no previous code (the start, or just after a clear)
    std::size_t lastRow = 0;

    // Writes one pixel at op.
    auto single = [&](int code) {
        if (out)
            out[op++] = t[code].suffix;
        else
            scatter(&t[code].suffix, 1);
    };
    // Writes the string of a code at op (cut at the end of the picture).
    std::uint8_t scratch[4096];
    auto emit = [&](int code) {
        const std::size_t len = t[code].length;
        if (!out) {
            std::uint8_t *p = scratch + len - 1;
            while (code >= clear) {
                *p-- = t[code].suffix;
                code = t[code].prefix;
            }
            *p = t[code].suffix;
            scatter(scratch, len);
            return;
        }
        if (op + len <= total) {
            std::uint8_t *p = out + op + len - 1;
            while (code >= clear) {
                *p-- = t[code].suffix;
                code = t[code].prefix;
            }
            *p = t[code].suffix;
            op += len;
        } else {
            std::size_t at = op + len - 1;
            while (true) {
                if (at < total)
                    out[at] = t[code].suffix;
                if (code < clear)
                    break;
                code = t[code].prefix;
                --at;
            }
            op = total;
        }
    };

    while (op < total && !damaged) {
        const int code = reader.Next(codeWidth);
        if (code < 0) {
            fail(SReadError);
            break;
        }
        if (code == clear) {
            codeWidth = codeSize + 1;
            limit = 1 << codeWidth;
            next = clear + 2;
            full = false;
            old = -1;
            continue;
        }
        if (code == eoi)
            break;
        if (badCodeSize) {
            // The clamped code size leaves nothing trustworthy after the
            // first pixel of a fresh table.
            if (old < 0 && code < clear)
                single(code);
            break;
        }
        if (old < 0) {
            // The first code of a table (also a stream without a leading
            // clear) is a plain pixel and adds no entry.
            if (code >= clear) {
                fail(SGifDecodeError);
                break;
            }
            single(code);
            old = code;
        } else {
            if (code < next) {
                if (code < clear)
                    single(code);
                else
                    emit(code);
                if (!full)
                    t[next] = {std::uint16_t(old), std::uint16_t(t[old].length + 1), t[code].first, t[old].first};
            } else if (code == next && !full) {
                t[next] = {std::uint16_t(old), std::uint16_t(t[old].length + 1), t[old].first, t[old].first};
                emit(code);
            } else {
                fail(SGifDecodeError);
                break;
            }
            if (!full && ++next >= limit) {
                if (codeWidth < 12) {
                    ++codeWidth;
                    limit <<= 1;
                } else {
                    full = true;
                }
            }
            old = code;
        }
        if (progress && width > 0 && op / std::size_t(width) != lastRow) {
            lastRow = op / std::size_t(width);
            report(progress, GifProgressStage::Running, int(reader.Consumed(bytes.data()) * 100 / std::max<std::size_t>(bytes.size(), 1)));
        }
    }

    report(progress, GifProgressStage::Ending, 100);
}

namespace {

// Packs codes into 255-byte sub-blocks.
class CodeWriter
{
public:
    explicit CodeWriter(std::vector<std::uint8_t> &target) : m_target(target) {}
    void Put(int code, int width)
    {
        m_acc |= std::uint64_t(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_block[m_len++] = std::uint8_t(m_acc);
            m_acc >>= 8;
            m_bits -= 8;
            if (m_len == 255)
                flushBlock();
        }
    }
    void Finish()
    {
        if (m_bits > 0)
            m_block[m_len++] = std::uint8_t(m_acc);
        m_acc = 0;
        m_bits = 0;
        if (m_len)
            flushBlock();
        m_target.push_back(0);
    }

private:
    void flushBlock()
    {
        m_target.push_back(std::uint8_t(m_len));
        m_target.insert(m_target.end(), m_block, m_block + m_len);
        m_len = 0;
    }
    std::vector<std::uint8_t> &m_target;
    std::uint8_t m_block[256];
    int m_len = 0;
    std::uint64_t m_acc = 0;
    int m_bits = 0;
};

// The string table of the encoder: (prefix code, pixel) -> code, held as
// one slot per pair so that a look-up is a single read. Starting a new table
// clears only the slots the old one used.
class EncodeTable
{
public:
    explicit EncodeTable(int pixelBits)
        : m_bits(pixelBits), m_slots(new std::uint16_t[std::size_t(4096) << pixelBits]()), m_used(new std::uint32_t[4096])
    {
    }
    // The code of the string, or 0 (never a string's code) when it is new.
    int Find(int prefix, int pixel) const { return m_slots[(std::uint32_t(prefix) << m_bits) | std::uint32_t(pixel)]; }
    void Insert(int prefix, int pixel, int code)
    {
        const std::uint32_t at = (std::uint32_t(prefix) << m_bits) | std::uint32_t(pixel);
        m_slots[at] = std::uint16_t(code);
        m_used[m_count++] = at;
    }
    void Reset()
    {
        for (int i = 0; i < m_count; ++i)
            m_slots[m_used[i]] = 0;
        m_count = 0;
    }

private:
    int m_bits;
    std::unique_ptr<std::uint16_t[]> m_slots;
    std::unique_ptr<std::uint32_t[]> m_used;
    int m_count = 0;
};

} // namespace

void LzwEncode(std::vector<std::uint8_t> &target, const IndexedImage &image, bool interlace,
               const GifProgressFn &progress)
{
    const int bits = std::clamp(image.Bits, 1, 8);
    const int codeSize = std::max(2, bits);
    const int pixelLimit = 1 << bits;
    const int clear = 1 << codeSize, eoi = clear + 1;
    target.push_back(std::uint8_t(codeSize));
    CodeWriter writer(target);
    EncodeTable table(bits);
    int codeWidth = codeSize + 1, limit = 1 << codeWidth, next = clear + 2;
    report(progress, GifProgressStage::Starting, 0);
    writer.Put(clear, codeWidth);

    const int width = image.Width, height = image.Height;
    if (width <= 0 || height <= 0 || image.Pixels.size() < std::size_t(width) * std::size_t(height)) {
        writer.Put(eoi, codeWidth);
        writer.Finish();
        report(progress, GifProgressStage::Ending, 100);
        return;
    }
    const std::vector<int> order = interlace ? InterlacedOrder(height) : std::vector<int>();
    int prefix = -1;
    for (int k = 0; k < height; ++k) {
        const std::uint8_t *row = image.Row(interlace ? order[std::size_t(k)] : k);
        int seen = 0;
        for (int x = 0; x < width; ++x) {
            const int p = row[x] & (pixelLimit - 1);
            seen |= row[x];
            if (prefix < 0) {
                prefix = p;
                continue;
            }
            const int code = table.Find(prefix, p);
            if (code) {
                prefix = code;
                continue;
            }
            writer.Put(prefix, codeWidth);
            if (next >= limit && codeWidth < 12) {
                ++codeWidth;
                limit <<= 1;
            }
            if (next >= 4095) {
                writer.Put(clear, codeWidth);
                table.Reset();
                codeWidth = codeSize + 1;
                limit = 1 << codeWidth;
                next = clear + 2;
            } else {
                table.Insert(prefix, p, next++);
            }
            prefix = p;
        }
        if (seen >= pixelLimit) {
            report(progress, GifProgressStage::Ending, 0, SGifEncodeError);
            throw EInvalidGraphicOperation(SGifEncodeError);
        }
        report(progress, GifProgressStage::Running, int(std::int64_t(k + 1) * 100 / height));
    }
    writer.Put(prefix, codeWidth);
    if (next >= limit && codeWidth < 12)
        ++codeWidth;
    writer.Put(eoi, codeWidth);
    writer.Finish();
    report(progress, GifProgressStage::Ending, 100);
}
