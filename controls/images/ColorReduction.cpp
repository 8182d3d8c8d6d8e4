#include "controls/images/ColorReduction.h"

#include <algorithm>
#include <array>
#include <memory>

TReductionMethod DefaultReduction = rmHistogram;

int FormatColors(int bits)
{
    switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

namespace {

inline int red(std::uint32_t p) { return int((p >> 16) & 0xFF); }
inline int green(std::uint32_t p) { return int((p >> 8) & 0xFF); }
inline int blue(std::uint32_t p) { return int(p & 0xFF); }
inline GifColor rgbColor(int r, int g, int b) { return GifColor(r) | (GifColor(g) << 8) | (GifColor(b) << 16); }

// Index of the level nearest to each byte value (the lower on a tie).
template <std::size_t N> std::array<std::uint8_t, 256> levelLookup(const std::array<std::uint8_t, N> &levels)
{
    std::array<std::uint8_t, 256> lut{};
    for (int v = 0; v < 256; ++v) {
        int best = 0;
        for (int i = 1; i < int(N); ++i)
            if (std::abs(v - levels[std::size_t(i)]) < std::abs(v - levels[std::size_t(best)]))
                best = i;
        lut[std::size_t(v)] = std::uint8_t(best);
    }
    return lut;
}

constexpr std::array<std::uint8_t, 4> Levels4 = {0x00, 0x55, 0xAA, 0xFF};
constexpr std::array<std::uint8_t, 6> Levels6 = {0x00, 0x33, 0x66, 0x99, 0xCC, 0xFF};
constexpr std::array<std::uint8_t, 7> Levels7 = {0x00, 0x2B, 0x55, 0x80, 0xAA, 0xD5, 0xFF};
constexpr std::array<std::uint8_t, 8> Levels8 = {0x00, 0x24, 0x49, 0x6D, 0x92, 0xB6, 0xDB, 0xFF};

void fillGrey(GifColorTable &t, int from)
{
    for (int i = from; i < t.Count; ++i)
        t.SetColor(i, rgbColor(128, 128, 128));
}

int squaredDistance(GifColor a, GifColor b)
{
    const int dr = int(a & 0xFF) - int(b & 0xFF);
    const int dg = int((a >> 8) & 0xFF) - int((b >> 8) & 0xFF);
    const int db = int((a >> 16) & 0xFF) - int((b >> 16) & 0xFF);
    return dr * dr + dg * dg + db * db;
}

// The first of the first n entries nearest to the colour.
int nearestEntry(const GifColorTable &t, int n, GifColor c)
{
    int best = 0, bestD = squaredDistance(t.Color(0), c);
    for (int i = 1; i < n && bestD; ++i) {
        const int d = squaredDistance(t.Color(i), c);
        if (d < bestD) {
            best = i;
            bestD = d;
        }
    }
    return best;
}

// ------------------------------------------------------------ histogram

class FrequencyTable
{
public:
    static constexpr int MaxColors = 2049;
    static constexpr int Slots = 5191;
    struct Entry
    {
        GifColor color;
        std::uint32_t count;
        int index;
    };

    FrequencyTable() : m_entries(MaxColors), m_slots(Slots, 0xFFFF) {}

    // Counts the picture's colours, dropping low bits until they fit.
    void Count(const RgbImage &image)
    {
        while (!tryCount(image))
            dropBit();
    }
    GifColor Masked(std::uint32_t p) const { return rgbColor(red(p) & m_r, green(p) & m_g, blue(p) & m_b); }
    int Find(GifColor c) const
    {
        int h = hash(c);
        while (m_slots[std::size_t(h)] != 0xFFFF) {
            const int e = m_slots[std::size_t(h)];
            if (m_entries[std::size_t(e)].color == c)
                return e;
            h = h + 1 == Slots ? 0 : h + 1;
        }
        return -1;
    }
    int Size() const { return m_n; }
    Entry &At(int i) { return m_entries[std::size_t(i)]; }
    int MaskRed() const { return m_r; }
    int MaskGreen() const { return m_g; }
    int MaskBlue() const { return m_b; }

private:
    static int hash(GifColor c)
    {
        const int r = int(c & 0xFF), g = int((c >> 8) & 0xFF), b = int((c >> 16) & 0xFF);
        return int((std::uint32_t(r + g) * std::uint32_t(b + g) * std::uint32_t(r + b)) % Slots);
    }
    bool tryCount(const RgbImage &image)
    {
        m_n = 0;
        std::fill(m_slots.begin(), m_slots.end(), 0xFFFF);
        for (std::uint32_t p : image.Pixels) {
            const GifColor c = Masked(p);
            int h = hash(c);
            while (true) {
                const int e = m_slots[std::size_t(h)];
                if (e == 0xFFFF) {
                    if (m_n == MaxColors)
                        return false;
                    m_entries[std::size_t(m_n)] = {c, 1, -1};
                    m_slots[std::size_t(h)] = std::uint16_t(m_n++);
                    break;
                }
                if (m_entries[std::size_t(e)].color == c) {
                    ++m_entries[std::size_t(e)].count;
                    break;
                }
                h = h + 1 == Slots ? 0 : h + 1;
            }
        }
        return true;
    }
    void dropBit()
    {
        if (m_r < m_g)
            m_g = (m_g << 1) & 0xFF;
        else if (m_r > m_b)
            m_r = (m_r << 1) & 0xFF;
        else
            m_b = (m_b << 1) & 0xFF;
    }
    std::vector<Entry> m_entries;
    std::vector<std::uint16_t> m_slots;
    int m_n = 0;
    int m_r = 0xFF, m_g = 0xFF, m_b = 0xFF;
};

void reduceHistogram(const RgbImage &src, IndexedImage &out, int wanted)
{
    FrequencyTable freq;
    freq.Count(src);
    const int n = freq.Size();
    const int chosen = std::min(wanted, n);
    for (int i = 0; i < chosen; ++i) {
        int best = -1;
        for (int e = 0; e < n; ++e)
            if (freq.At(e).count > 0 && (best < 0 || freq.At(e).count > freq.At(best).count))
                best = e;
        if (best < 0)
            break;
        freq.At(best).index = i;
        freq.At(best).count = 0;
        out.Palette.SetColor(i, freq.At(best).color);
    }
    fillGrey(out.Palette, chosen);
    for (int e = 0; e < n; ++e)
        if (freq.At(e).index < 0)
            freq.At(e).index = nearestEntry(out.Palette, std::max(chosen, 1), freq.At(e).color);
    for (std::size_t i = 0; i < src.Pixels.size(); ++i)
        out.Pixels[i] = std::uint8_t(freq.At(freq.Find(freq.Masked(src.Pixels[i]))).index);
}

// ------------------------------------------------------------ median cut

struct Cell
{
    std::uint8_t c[3]; // red, green, blue as 4-bit values
    std::uint32_t count = 0;
    int box = 0;
};

struct Box
{
    int min[3] = {0, 0, 0};
    int extent[3] = {255, 255, 255};
    std::vector<int> cells;
    std::uint64_t pixels = 0;
};

int reduceMedianCut(const RgbImage &src, IndexedImage &out, int wanted)
{
    std::vector<Cell> cells(4096);
    for (int i = 0; i < 4096; ++i) {
        cells[std::size_t(i)].c[0] = std::uint8_t(i >> 8);
        cells[std::size_t(i)].c[1] = std::uint8_t((i >> 4) & 15);
        cells[std::size_t(i)].c[2] = std::uint8_t(i & 15);
    }
    std::vector<std::uint16_t> pixelCell(src.Pixels.size());
    for (std::size_t i = 0; i < src.Pixels.size(); ++i) {
        const std::uint32_t p = src.Pixels[i];
        const int cell = ((red(p) >> 4) << 8) | ((green(p) >> 4) << 4) | (blue(p) >> 4);
        pixelCell[i] = std::uint16_t(cell);
        ++cells[std::size_t(cell)].count;
    }
    std::vector<Box> boxes(1);
    boxes.reserve(std::size_t(wanted));
    for (int i = 0; i < 4096; ++i)
        if (cells[std::size_t(i)].count)
            boxes[0].cells.push_back(i);
    boxes[0].pixels = src.Pixels.size();

    while (int(boxes.size()) < wanted) {
        int which = -1, channel = 0, largest = -1;
        for (int b = 0; b < int(boxes.size()); ++b) {
            if (boxes[std::size_t(b)].cells.size() <= 1)
                continue;
            for (int ch = 0; ch < 3; ++ch)
                if (boxes[std::size_t(b)].extent[ch] > largest) {
                    largest = boxes[std::size_t(b)].extent[ch];
                    which = b;
                    channel = ch;
                }
        }
        if (which < 0)
            break;
        Box &box = boxes[std::size_t(which)];
        std::stable_sort(box.cells.begin(), box.cells.end(), [&](int a, int b) {
            return cells[std::size_t(a)].c[channel] < cells[std::size_t(b)].c[channel];
        });
        // At least one cell in each part.
        const std::uint64_t half = box.pixels / 2;
        std::size_t split = 1;
        std::uint64_t sum = cells[std::size_t(box.cells[0])].count;
        while (split + 1 < box.cells.size() && sum + cells[std::size_t(box.cells[split])].count <= half)
            sum += cells[std::size_t(box.cells[split++])].count;
        Box part;
        std::copy(std::begin(box.min), std::end(box.min), part.min);
        std::copy(std::begin(box.extent), std::end(box.extent), part.extent);
        part.cells.assign(box.cells.begin() + std::ptrdiff_t(split), box.cells.end());
        part.pixels = box.pixels - sum;
        part.min[channel] = 16 * cells[std::size_t(part.cells.front())].c[channel];
        box.cells.resize(split);
        box.pixels = sum;
        box.extent[channel] = std::max(0, 16 * cells[std::size_t(box.cells.back())].c[channel] - box.min[channel]);
        boxes.push_back(std::move(part));
    }

    for (int b = 0; b < int(boxes.size()); ++b) {
        const Box &box = boxes[std::size_t(b)];
        if (box.cells.empty())
            continue;
        int sum[3] = {0, 0, 0};
        for (int cell : box.cells) {
            cells[std::size_t(cell)].box = b;
            for (int ch = 0; ch < 3; ++ch)
                sum[ch] += cells[std::size_t(cell)].c[ch];
        }
        const int n = int(box.cells.size());
        int v[3];
        for (int ch = 0; ch < 3; ++ch)
            v[ch] = std::min(255, (sum[ch] * 16 + 15) / n);
        if (v[0] <= 16 && v[1] <= 16 && v[2] <= 16)
            v[0] = v[1] = v[2] = 0;
        out.Palette.SetColor(b, rgbColor(v[0], v[1], v[2]));
    }
    for (std::size_t i = 0; i < pixelCell.size(); ++i)
        out.Pixels[i] = std::uint8_t(cells[pixelCell[i]].box);
    return int(boxes.size());
}

// ------------------------------------------------------------ fixed palettes

// A colour cube of the given red, green and blue levels (palette index
// r * G * B + g * B + b), greys after it; each pixel takes its nearest level
// per channel.
template <const auto &Reds, const auto &Greens, const auto &Blues> void reduceToCube(const RgbImage &src, IndexedImage &out)
{
    static const auto lutR = levelLookup(Reds), lutG = levelLookup(Greens), lutB = levelLookup(Blues);
    constexpr std::size_t G = Greens.size(), B = Blues.size();
    constexpr int size = int(Reds.size() * G * B);
    for (int i = 0; i < size; ++i)
        out.Palette.SetColor(i, rgbColor(Reds[std::size_t(i) / (G * B)], Greens[std::size_t(i) / B % G],
                                         Blues[std::size_t(i) % B]));
    fillGrey(out.Palette, size);
    for (std::size_t i = 0; i < src.Pixels.size(); ++i) {
        const std::uint32_t p = src.Pixels[i];
        out.Pixels[i] = std::uint8_t(lutR[std::size_t(red(p))] * (G * B) + lutG[std::size_t(green(p))] * B +
                                     lutB[std::size_t(blue(p))]);
    }
}

void reduceTruncated(const RgbImage &src, IndexedImage &out, bool six)
{
    if (six)
        reduceToCube<Levels6, Levels6, Levels6>(src, out);
    else
        reduceToCube<Levels7, Levels8, Levels4>(src, out);
}

void reduceStripes(const RgbImage &src, IndexedImage &out)
{
    for (int i = 0; i < 64; ++i) {
        out.Palette.SetColor(i, rgbColor(4 * i, 0, 0));
        out.Palette.SetColor(64 + i, rgbColor(0, 4 * i, 0));
        out.Palette.SetColor(128 + i, rgbColor(0, 0, 4 * i));
        out.Palette.SetColor(192 + i, 0);
    }
    // Memory rows run from the bottom of the picture.
    for (int y = 0; y < src.Height; ++y) {
        const int memRow = src.Height - 1 - y;
        for (int x = 0; x < src.Width; ++x) {
            const std::size_t i = std::size_t(y) * std::size_t(src.Width) + std::size_t(x);
            const std::uint32_t p = src.Pixels[i];
            switch ((x + memRow) % 3) {
            case 0: out.Pixels[i] = std::uint8_t(red(p) >> 2); break;
            case 1: out.Pixels[i] = std::uint8_t(64 + (green(p) >> 2)); break;
            default: out.Pixels[i] = std::uint8_t(128 + (blue(p) >> 2)); break;
            }
        }
    }
}

void reduceGrayscale(const RgbImage &src, IndexedImage &out)
{
    for (int i = 0; i < 256; ++i)
        out.Palette.SetColor(i, rgbColor(i, i, i));
    for (std::size_t i = 0; i < src.Pixels.size(); ++i) {
        const std::uint32_t p = src.Pixels[i];
        out.Pixels[i] = std::uint8_t((77 * red(p) + 150 * green(p) + 29 * blue(p)) >> 8);
    }
}

// The system's own palettes for 1 and 4 bits: black and white, and the
// sixteen standard colours.
void reduceToSystemPalette(const RgbImage &src, IndexedImage &out, int bits)
{
    static constexpr GifColor vga[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                         0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                         0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    const int n = 1 << bits;
    if (bits == 1) {
        out.Palette.SetColor(0, 0x000000);
        out.Palette.SetColor(1, 0xFFFFFF);
    } else {
        for (int i = 0; i < n; ++i)
            out.Palette.SetColor(i, vga[i]);
    }
    std::uint32_t lastColor = 0xFFFFFFFF;
    std::uint8_t lastIndex = 0;
    for (std::size_t i = 0; i < src.Pixels.size(); ++i) {
        const std::uint32_t p = src.Pixels[i] & 0xFFFFFF;
        if (p != lastColor) {
            lastColor = p;
            lastIndex = std::uint8_t(nearestEntry(out.Palette, n, rgbColor(red(p), green(p), blue(p))));
        }
        out.Pixels[i] = lastIndex;
    }
}

void putLE(std::vector<std::uint8_t> &b, std::size_t at, std::uint32_t v, int n)
{
    for (int i = 0; i < n; ++i)
        b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

// File header and information header of a bitmap file image.
std::vector<std::uint8_t> dibHeaders(int width, int height, int bits, int tableEntries, int colorsUsed,
                                     std::size_t rowSize)
{
    const std::size_t offset = 14 + 40 + std::size_t(tableEntries) * 4;
    const std::size_t imageSize = rowSize * std::size_t(height);
    std::vector<std::uint8_t> b(offset + imageSize, 0);
    b[0] = 'B';
    b[1] = 'M';
    putLE(b, 2, std::uint32_t(b.size()), 4);
    putLE(b, 10, std::uint32_t(offset), 4);
    putLE(b, 14, 40, 4);
    putLE(b, 18, std::uint32_t(width), 4);
    putLE(b, 22, std::uint32_t(height), 4);
    putLE(b, 26, 1, 2);
    putLE(b, 28, std::uint32_t(bits), 2);
    putLE(b, 34, std::uint32_t(imageSize), 4);
    putLE(b, 46, std::uint32_t(colorsUsed), 4);
    return b;
}

std::size_t dibRowSize(int width, int bits) { return std::size_t((std::int64_t(bits) * width + 31) / 32 * 4); }

} // namespace

IndexedImage ReduceColors(const RgbImage &image, int bits, TReductionMethod method, int *colorsUsed)
{
    if (bits != 1 && bits != 4 && bits != 8)
        throw EInvalidGraphicOperation(SGifEncodeError);
    if (std::int64_t(image.Width) * image.Height > GifMaxPixels ||
        image.Pixels.size() < std::size_t(std::max(image.Width, 0)) * std::size_t(std::max(image.Height, 0)))
        throw EInvalidGraphicOperation(SGifEncodeError);
    IndexedImage out;
    out.Resize(std::max(image.Width, 0), std::max(image.Height, 0));
    out.Bits = bits;
    out.Palette.Count = 1 << bits;
    int used = 0;
    if (image.Empty()) {
        // nothing to reduce
    } else if (bits < 8) {
        // At 1 and 4 bits the methods do not apply: the picture is converted
        // to the system's own palette, as the system does for such bitmaps.
        reduceToSystemPalette(image, out, bits);
    } else {
        switch (method) {
        case rmHistogram: reduceHistogram(image, out, out.Palette.Count); break;
        case rmMedianCut: used = reduceMedianCut(image, out, out.Palette.Count); break;
        case rmGrayscale: reduceGrayscale(image, out); break;
        case rmStripes: reduceStripes(image, out); break;
        case rmTrunc784:
        case rmTrunc666:
            reduceTruncated(image, out, method == rmTrunc666);
            used = method == rmTrunc666 ? 216 : 224;
            break;
        }
    }
    if (colorsUsed)
        *colorsUsed = used;
    return out;
}

std::vector<std::uint8_t> IndexedToDib(const IndexedImage &image, int colorsUsed)
{
    const int bits = image.Bits <= 1 ? 1 : image.Bits <= 4 ? 4 : 8;
    const int entries = 1 << bits;
    const std::size_t rowSize = dibRowSize(image.Width, bits);
    std::vector<std::uint8_t> b = dibHeaders(image.Width, image.Height, bits, entries, colorsUsed, rowSize);
    for (int i = 0; i < entries; ++i) {
        const GifColor c = i < image.Palette.Count ? image.Palette.Color(i) : rgbColor(128, 128, 128);
        b[54 + std::size_t(i) * 4] = std::uint8_t(c >> 16);
        b[54 + std::size_t(i) * 4 + 1] = std::uint8_t(c >> 8);
        b[54 + std::size_t(i) * 4 + 2] = std::uint8_t(c);
    }
    const std::size_t offset = 54 + std::size_t(entries) * 4;
    for (int y = 0; y < image.Height; ++y) {
        std::uint8_t *row = b.data() + offset + std::size_t(image.Height - 1 - y) * rowSize;
        const std::uint8_t *src = image.Row(y);
        for (int x = 0; x < image.Width; ++x) {
            switch (bits) {
            case 8: row[x] = src[x]; break;
            case 4: row[x / 2] |= std::uint8_t((src[x] & 15) << (x % 2 ? 0 : 4)); break;
            default: row[x / 8] |= std::uint8_t((src[x] & 1) << (7 - x % 8)); break;
            }
        }
    }
    return b;
}

std::vector<std::uint8_t> BitmapToDibStream(const RgbImage &image, int bits, TReductionMethod method)
{
    if (bits == 24) {
        // The true-colour picture as it is.
        const std::size_t rowSize = dibRowSize(image.Width, 24);
        std::vector<std::uint8_t> b = dibHeaders(image.Width, image.Height, 24, 0, 0, rowSize);
        for (int y = 0; y < image.Height; ++y) {
            std::uint8_t *row = b.data() + 54 + std::size_t(image.Height - 1 - y) * rowSize;
            for (int x = 0; x < image.Width; ++x) {
                const std::uint32_t p = image.Pixels[std::size_t(y) * std::size_t(image.Width) + std::size_t(x)];
                row[x * 3] = std::uint8_t(blue(p));
                row[x * 3 + 1] = std::uint8_t(green(p));
                row[x * 3 + 2] = std::uint8_t(red(p));
            }
        }
        return b;
    }
    int used = 0;
    const IndexedImage reduced = ReduceColors(image, bits, method, &used);
    return IndexedToDib(reduced, used);
}

std::vector<std::uint8_t> BitmapToDibForColors(const RgbImage &image, int colors)
{
    const int bits = colors <= 2 ? 1 : colors <= 16 ? 4 : colors <= 256 ? 8 : 24;
    return BitmapToDibStream(image, bits, DefaultReduction);
}
