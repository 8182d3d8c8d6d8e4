#include "controls/images/GifQImage.h"

#include <QPainter>
#include <cstring>

GifColor QRgbToGifColor(QRgb c) { return GifColor(qRed(c)) | (GifColor(qGreen(c)) << 8) | (GifColor(qBlue(c)) << 16); }

QRgb GifColorToQRgb(GifColor c) { return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

RgbImage RgbFromQImage(const QImage &image)
{
    RgbImage out;
    if (image.isNull())
        return out;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    out.Width = rgb.width();
    out.Height = rgb.height();
    out.Pixels.resize(std::size_t(out.Width) * std::size_t(out.Height));
    for (int y = 0; y < out.Height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < out.Width; ++x)
            out.Pixels[std::size_t(y) * std::size_t(out.Width) + std::size_t(x)] = row[x] & 0xFFFFFF;
    }
    return out;
}

QVector<QRgb> IndexedColorTable(const IndexedImage &image, GifColor transparent)
{
    QVector<QRgb> table(256, qRgb(128, 128, 128));
    for (int i = 0; i < image.Palette.Count && i < 256; ++i) {
        const GifColor c = image.Palette.Color(i);
        table[i] = transparent != GifNoColor && c == (transparent & 0xFFFFFF) ? 0 : GifColorToQRgb(c);
    }
    return table;
}

QImage IndexedToQImage(const IndexedImage &image, GifColor transparent)
{
    if (image.Empty())
        return QImage();
    QImage out(image.Width, image.Height, QImage::Format_Indexed8);
    out.setColorTable(IndexedColorTable(image, transparent));
    for (int y = 0; y < image.Height; ++y)
        std::memcpy(out.scanLine(y), image.Row(y), std::size_t(image.Width));
    return out;
}

QImage SharedIndexedQImage(const std::shared_ptr<const IndexedImage> &image, GifColor transparent)
{
    if (!image || image->Empty())
        return QImage();
    auto *keep = new std::shared_ptr<const IndexedImage>(image);
    QImage out(
        image->Pixels.data(), image->Width, image->Height, image->Width, QImage::Format_Indexed8,
        [](void *info) { delete static_cast<std::shared_ptr<const IndexedImage> *>(info); }, keep);
    if (out.isNull()) {
        delete keep;
        return IndexedToQImage(*image, transparent);
    }
    out.setColorTable(IndexedColorTable(*image, transparent));
    return out;
}

namespace {

bool indexedPicture(const QImage &image, IndexedImage &out)
{
    if (image.format() != QImage::Format_Indexed8 && image.format() != QImage::Format_Mono &&
        image.format() != QImage::Format_MonoLSB)
        return false;
    const QImage img = image.convertToFormat(QImage::Format_Indexed8);
    const QVector<QRgb> table = img.colorTable();
    if (table.isEmpty() || table.size() > 256 || img.hasAlphaChannel())
        return false;
    out.Width = img.width();
    out.Height = img.height();
    out.Bits = table.size() <= 2 ? 1 : table.size() <= 16 ? 4 : 8;
    out.Palette.Count = 1 << out.Bits;
    for (int i = 0; i < table.size(); ++i)
        out.Palette.SetColor(i, QRgbToGifColor(table[i]));
    out.Pixels.resize(std::size_t(out.Width) * std::size_t(out.Height));
    for (int y = 0; y < out.Height; ++y)
        std::memcpy(out.Row(y), img.constScanLine(y), std::size_t(out.Width));
    return true;
}

} // namespace

int AddGifFrame(TGIFImage &gif, const QImage &image)
{
    IndexedImage indexed;
    if (indexedPicture(image, indexed))
        return gif.AddFrame(indexed);
    if (!image.isNull() && image.hasAlphaChannel()) {
        QImage onMagenta(image.size(), QImage::Format_RGB32);
        onMagenta.fill(qRgb(255, 0, 255));
        QPainter p(&onMagenta);
        p.drawImage(0, 0, image);
        p.end();
        return gif.AddFrame(RgbFromQImage(onMagenta), QRgbToGifColor(qRgb(255, 0, 255)));
    }
    return gif.AddFrame(RgbFromQImage(image));
}

