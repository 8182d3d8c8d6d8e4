#include "controls/panels/KitBitmapIO.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>

namespace {

QVector<QRgb> paletteFor(const QImage &img, KitPixelFormat f)
{
    if (f == KitPfMono)
        return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    if (f == KitPf4Bit)
        return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
                qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
                qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
                qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    // 8 bits: the image's own colours when they fit, else a colour cube and greys
    QVector<QRgb> own;
    QHash<QRgb, int> seen;
    for (int y = 0; y < img.height() && own.size() <= 256; ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y) | 0xFF000000;
            if (!seen.contains(c)) {
                seen.insert(c, own.size());
                own << c;
                if (own.size() > 256)
                    break;
            }
        }
    if (own.size() <= 256) {
        while (own.size() < 256)
            own << qRgb(0, 0, 0);
        return own;
    }
    QVector<QRgb> cube;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                cube << qRgb(r * 51, g * 51, b * 51);
    for (int i = 0; cube.size() < 256; ++i)
        cube << qRgb(i * 6 + 8, i * 6 + 8, i * 6 + 8);
    return cube;
}

int nearest(const QVector<QRgb> &pal, QRgb c, QHash<QRgb, int> &cache)
{
    auto it = cache.find(c);
    if (it != cache.end())
        return *it;
    int best = 0;
    int bestD = INT32_MAX;
    for (int i = 0; i < pal.size(); ++i) {
        const int dr = qRed(pal[i]) - qRed(c), dg = qGreen(pal[i]) - qGreen(c), db = qBlue(pal[i]) - qBlue(c);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    cache.insert(c, best);
    return best;
}

void put32(KitBytes &b, size_t at, uint32_t v)
{
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
    b[at + 2] = uint8_t(v >> 16);
    b[at + 3] = uint8_t(v >> 24);
}

} // namespace

KitBytes KitBitmapFileImage(const QImage &Image, KitPixelFormat Format)
{
    const QImage img = Image.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    const int bits = Format == KitPfMono ? 1 : Format == KitPf4Bit ? 4 : Format == KitPf8Bit ? 8 : 24;
    const QVector<QRgb> pal = bits == 24 ? QVector<QRgb>() : paletteFor(img, Format);
    const uint32_t stride = uint32_t((w * bits + 31) / 32 * 4);
    const uint32_t imageSize = stride * uint32_t(h);
    const uint32_t offBits = 14 + 40 + uint32_t(pal.size()) * 4;
    KitBytes b(offBits + imageSize, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, offBits + imageSize);
    put32(b, 10, offBits);
    put32(b, 14, 40);
    put32(b, 18, uint32_t(w));
    put32(b, 22, uint32_t(h));
    b[26] = 1;
    b[28] = uint8_t(bits);
    put32(b, 34, imageSize);
    for (int i = 0; i < pal.size(); ++i) {
        b[54 + size_t(i) * 4] = uint8_t(qBlue(pal[i]));
        b[55 + size_t(i) * 4] = uint8_t(qGreen(pal[i]));
        b[56 + size_t(i) * 4] = uint8_t(qRed(pal[i]));
    }
    QHash<QRgb, int> cache;
    for (int y = 0; y < h; ++y) {
        uint8_t *row = b.data() + offBits + size_t(h - 1 - y) * stride;
        const QRgb *src = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = src[x] | 0xFF000000;
            switch (bits) {
            case 24:
                row[x * 3] = uint8_t(qBlue(c));
                row[x * 3 + 1] = uint8_t(qGreen(c));
                row[x * 3 + 2] = uint8_t(qRed(c));
                break;
            case 8: row[x] = uint8_t(nearest(pal, c, cache)); break;
            case 4: row[x / 2] |= uint8_t(nearest(pal, c, cache) << (x % 2 ? 0 : 4)); break;
            default:
                if (nearest(pal, c, cache))
                    row[x / 8] |= uint8_t(0x80 >> (x % 8));
                break;
            }
        }
    }
    return b;
}

QImage KitBitmapFromFileImage(const KitBytes &Bytes)
{
    int32_t w = 0, h = 0;
    if (!KitBitmapFileSize(Bytes, w, h) || int64_t(w) * h > 64 * 1024 * 1024)
        throw EKitStreamError("Invalid bitmap");
    if (w == 0 || h == 0)
        return QImage();
    QByteArray data(reinterpret_cast<const char *>(Bytes.data()), qsizetype(Bytes.size()));
    QBuffer buf(&data);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf, "BMP");
    QImage img = reader.read();
    if (img.isNull())
        throw EKitStreamError("Invalid bitmap");
    return img.convertToFormat(QImage::Format_RGB32);
}

void KitWriteBitmap(KitMemoryStream &s, const QImage &Image, bool Compressed, KitPixelFormat Format)
{
    KitWriteData(s, KitBitmapFileImage(Image, Format), Compressed);
}

QImage KitReadBitmap(KitMemoryStream &s, bool Compressed)
{
    return KitBitmapFromFileImage(KitReadData(s, Compressed));
}
