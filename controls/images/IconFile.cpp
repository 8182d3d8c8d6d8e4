#include "controls/images/IconFile.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint32_t le(const std::uint8_t *p, int n)
{
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

constexpr int MaxIconSide = 1024;

// One image of an icon file: a PNG, or a bitmap information header with
// colour table, colour rows and the 1-bit transparency mask (the header's
// height counts both).
QImage decodeIconImage(const std::uint8_t *p, std::size_t size, int &bitCount)
{
    static constexpr std::uint8_t png[] = {0x89, 'P', 'N', 'G'};
    bitCount = 0;
    if (size >= 8 && std::memcmp(p, png, 4) == 0) {
        QImage img = QImage::fromData(p, int(std::min<std::size_t>(size, 0x7FFFFFFF)), "PNG");
        if (img.width() > MaxIconSide || img.height() > MaxIconSide)
            return QImage();
        return img.convertToFormat(QImage::Format_ARGB32);
    }
    if (size < 40)
        return QImage();
    const std::uint32_t headerSize = le(p, 4);
    const std::int32_t width = std::int32_t(le(p + 4, 4));
    const std::int32_t fullHeight = std::int32_t(le(p + 8, 4));
    bitCount = int(le(p + 14, 2));
    const std::uint32_t compression = le(p + 16, 4);
    std::uint32_t colorsUsed = le(p + 32, 4);
    if (headerSize < 40 || headerSize > size || width <= 0 || width > MaxIconSide || fullHeight <= 0 ||
        fullHeight / 2 > MaxIconSide || compression != 0)
        return QImage();
    const int height = fullHeight / 2 > 0 ? fullHeight / 2 : 1;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return QImage();
    const std::uint32_t tableEntries = bitCount <= 8 ? (colorsUsed && colorsUsed < (1u << bitCount) ? colorsUsed : 1u << bitCount) : 0;
    const std::size_t tableAt = headerSize;
    const std::size_t rowsAt = tableAt + std::size_t(tableEntries) * 4;
    const std::size_t rowSize = std::size_t((std::int64_t(bitCount) * width + 31) / 32 * 4);
    const std::size_t maskRow = std::size_t((std::int64_t(width) + 31) / 32 * 4);
    const std::size_t colorBytes = rowSize * std::size_t(height);
    if (rowsAt > size || colorBytes > size - rowsAt)
        return QImage();
    const bool hasMask = size - rowsAt - colorBytes >= maskRow * std::size_t(height);
    QImage img(width, height, QImage::Format_ARGB32);
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t *row = p + rowsAt + std::size_t(height - 1 - y) * rowSize;
        const std::uint8_t *mask = p + rowsAt + colorBytes + std::size_t(height - 1 - y) * maskRow;
        auto *out = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            QRgb c;
            if (bitCount <= 8) {
                int index;
                if (bitCount == 8)
                    index = row[x];
                else if (bitCount == 4)
                    index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
                else
                    index = (row[x / 8] >> (7 - x % 8)) & 1;
                const std::uint8_t *e = p + tableAt + std::size_t(std::min<std::uint32_t>(std::uint32_t(index), tableEntries - 1)) * 4;
                c = qRgb(e[2], e[1], e[0]);
            } else if (bitCount == 24) {
                c = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
            } else {
                c = qRgba(row[x * 4 + 2], row[x * 4 + 1], row[x * 4], row[x * 4 + 3]);
                anyAlpha = anyAlpha || row[x * 4 + 3] != 0;
            }
            if (bitCount != 32)
                c |= 0xFF000000;
            if (hasMask && (mask[x / 8] >> (7 - x % 8)) & 1)
                c &= 0x00FFFFFF;
            out[x] = c;
        }
    }
    if (bitCount == 32 && !anyAlpha) {
        // An old 32-bit icon without alpha: the mask alone says what is seen.
        for (int y = 0; y < height; ++y) {
            auto *out = reinterpret_cast<QRgb *>(img.scanLine(y));
            const std::uint8_t *mask = p + rowsAt + colorBytes + std::size_t(height - 1 - y) * maskRow;
            for (int x = 0; x < width; ++x)
                if (!hasMask || !((mask[x / 8] >> (7 - x % 8)) & 1))
                    out[x] |= 0xFF000000;
        }
    }
    return img;
}

void put(std::vector<std::uint8_t> &b, std::uint32_t v, int n)
{
    for (int i = 0; i < n; ++i)
        b.push_back(std::uint8_t(v >> (8 * i)));
}

} // namespace

bool LoadIconFile(const std::uint8_t *data, std::size_t size, TIcon &icon, std::vector<IconEntryInfo> *entries)
{
    icon = TIcon();
    if (size < 6 || le(data, 2) != 0)
        return false;
    const int type = int(le(data + 2, 2));
    const std::size_t count = le(data + 4, 2);
    if ((type != 1 && type != 2) || count == 0 || count > (size - 6) / 16)
        return false;
    QImage first;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t *e = data + 6 + i * 16;
        IconEntryInfo info;
        info.HotSpotX = int(le(e + 4, 2));
        info.HotSpotY = int(le(e + 6, 2));
        const std::uint32_t bytes = le(e + 8, 4), offset = le(e + 12, 4);
        if (offset > size || bytes > size - offset)
            return false;
        QImage img = decodeIconImage(data + offset, bytes, info.BitCount);
        if (img.isNull())
            return false;
        if (first.isNull())
            first = img;
        icon.HotSpotX = info.HotSpotX;
        icon.HotSpotY = info.HotSpotY;
        if (entries)
            entries->push_back(info);
    }
    icon.FileBytes.assign(data, data + size);
    icon.FileBytes[2] = 1; // held as an icon file
    icon.Image = first;
    icon.FromIcon = type == 1;
    if (icon.FromIcon) {
        icon.HotSpotX = first.width() / 2;
        icon.HotSpotY = first.height() / 2;
    }
    return true;
}

TIcon IconFromImage(const QImage &image)
{
    TIcon icon;
    if (image.isNull())
        return icon;
    icon.Image = image.convertToFormat(QImage::Format_ARGB32);
    icon.FileBytes = SaveIconFile(icon);
    return icon;
}

std::vector<std::uint8_t> SaveIconFile(const TIcon &icon)
{
    if (!icon.FileBytes.empty())
        return icon.FileBytes;
    if (icon.Image.isNull())
        return {};
    const QImage img = icon.Image.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    const std::size_t maskRow = std::size_t((w + 31) / 32 * 4);
    const std::uint32_t imageBytes = std::uint32_t(40 + std::size_t(w) * std::size_t(h) * 4 + maskRow * std::size_t(h));
    std::vector<std::uint8_t> b;
    put(b, 0, 2);
    put(b, 1, 2);
    put(b, 1, 2);
    b.push_back(std::uint8_t(w >= 256 ? 0 : w));
    b.push_back(std::uint8_t(h >= 256 ? 0 : h));
    b.push_back(0);
    b.push_back(0);
    put(b, 1, 2);
    put(b, 32, 2);
    put(b, imageBytes, 4);
    put(b, 22, 4);
    put(b, 40, 4);
    put(b, std::uint32_t(w), 4);
    put(b, std::uint32_t(h * 2), 4);
    put(b, 1, 2);
    put(b, 32, 2);
    put(b, 0, 4);
    put(b, std::uint32_t(imageBytes - 40), 4);
    put(b, 0, 4);
    put(b, 0, 4);
    put(b, 0, 4);
    put(b, 0, 4);
    for (int y = h - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            b.push_back(std::uint8_t(qBlue(row[x])));
            b.push_back(std::uint8_t(qGreen(row[x])));
            b.push_back(std::uint8_t(qRed(row[x])));
            b.push_back(std::uint8_t(qAlpha(row[x])));
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        std::vector<std::uint8_t> mask(maskRow, 0);
        for (int x = 0; x < w; ++x)
            if (qAlpha(row[x]) == 0)
                mask[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), mask.begin(), mask.end());
    }
    return b;
}
