#include "controls/images/GifPicture.h"

#include "controls/images/PictureFormats.h"

#include <QMimeData>
#include <QPainter>

QImage GifFrameImage(TGIFFrame &frame)
{
    if (frame.TrueColor) {
        const RgbImage &rgb = *frame.TrueColor;
        QImage out(rgb.Width, rgb.Height, QImage::Format_ARGB32);
        const GifColor key = frame.TransparentColor;
        for (int y = 0; y < rgb.Height; ++y) {
            auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
            for (int x = 0; x < rgb.Width; ++x) {
                const std::uint32_t p = rgb.Pixels[std::size_t(y) * std::size_t(rgb.Width) + std::size_t(x)];
                row[x] = key != GifNoColor && QRgbToGifColor(p) == (key & 0xFFFFFF) ? 0 : (p | 0xFF000000);
            }
        }
        return out;
    }
    // The frame's own pixels with a colour table: one byte a pixel, no copy.
    return SharedIndexedQImage(frame.SharedBitmap(), frame.TransparentColor);
}

void DrawGifFrame(QPainter &p, const QRect &rect, TGIFFrame &frame, bool drawTransparent)
{
    if (rect.isEmpty())
        return;
    const bool useKey = drawTransparent && frame.TransparentColor != GifNoColor;
    if (frame.TrueColor) {
        QImage picture = GifFrameImage(frame);
        if (!useKey)
            picture = picture.convertToFormat(QImage::Format_RGB32);
        p.drawImage(rect, picture);
        return;
    }
    // Drawn from the frame's own bytes (the painter samples only the pixels
    // that land in the rectangle), so a large picture is never converted
    // or copied whole to be drawn.
    const QImage picture = SharedIndexedQImage(frame.SharedBitmap(), useKey ? frame.TransparentColor : GifNoColor);
    if (!picture.isNull())
        p.drawImage(rect, picture);
}

void DrawGif(QPainter &p, const QRect &rect, TGIFImage &gif)
{
    if (gif.FrameIndex < 0 || gif.FrameIndex >= gif.GifFrameCount())
        return;
    DrawGifFrame(p, rect, gif.GifFrameAt(gif.FrameIndex), gif.GetTransparent());
}

namespace {

QImage firstFrame(TGIFImage &gif)
{
    if (gif.GifFrameCount() == 0)
        return QImage();
    // An indexed frame stays one byte a pixel: its colour table carries the
    // transparency.
    return GifFrameImage(gif.GifFrameAt(0));
}

template <class Load> QImage loadGuarded(Load &&load, QString *error)
{
    try {
        TGIFImage gif;
        load(gif);
        return firstFrame(gif);
    } catch (const std::exception &e) {
        if (error)
            *error = QString::fromUtf8(e.what());
        return QImage();
    }
}

} // namespace

QImage GifPictureImage(TGIFImage &gif)
{
    if (gif.Empty())
        return QImage();
    if (gif.FrameIndex < 0 || gif.FrameIndex >= gif.GifFrameCount())
        return IndexedToQImage(gif.CurrentBitmap());
    return GifFrameImage(gif.GifFrameAt(gif.FrameIndex));
}

namespace {

// GIF files are known to the program's picture loading while it runs.
struct GifRegistration
{
    GifRegistration()
    {
        PictureFormats::registerFormat({QStringLiteral("gif"), QString::fromLatin1(GifDescription),
                                        QString::fromLatin1(GifMimeType),
                                        [](const QByteArray &bytes, QString *error) { return LoadGifPicture(bytes, error); }});
    }
    ~GifRegistration() { PictureFormats::unregisterFormat(QStringLiteral("gif")); }
};
const GifRegistration gifRegistration;

} // namespace

QImage LoadGifPicture(const QByteArray &bytes, QString *error)
{
    return loadGuarded(
        [&](TGIFImage &gif) {
            gif.ReadGifStream(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()),
                              true);
        },
        error);
}

QImage LoadGifFormData(const QByteArray &formData, QString *error)
{
    return loadGuarded(
        [&](TGIFImage &gif) {
            gif.ReadData(reinterpret_cast<const std::uint8_t *>(formData.constData()), std::size_t(formData.size()));
        },
        error);
}

void SaveGifToMimeData(TGIFImage &gif, QMimeData &mime)
{
    if (gif.GifFrameCount() > 0)
        mime.setImageData(GifFrameImage(gif.GifFrameAt(0)));
    const std::vector<std::uint8_t> bytes = gif.SaveToBytes();
    mime.setData(GifMimeType, QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())));
}

bool LoadGifFromMimeData(TGIFImage &gif, const QMimeData &mime)
{
    if (mime.hasFormat(GifMimeType)) {
        const QByteArray bytes = mime.data(GifMimeType);
        gif.ReadGifStream(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()), false);
        if (gif.GifFrameCount() > 0)
            gif.FrameIndex = 0;
        return true;
    }
    if (mime.hasImage()) {
        gif.ResetImage();
        AddGifFrame(gif, qvariant_cast<QImage>(mime.imageData()));
        gif.Changed();
        return true;
    }
    return false;
}

void SaveIconToMimeData(const TIcon &icon, QMimeData &mime)
{
    const std::vector<std::uint8_t> bytes = SaveIconFile(icon);
    mime.setData(IconMimeType, QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())));
    if (!icon.Image.isNull())
        mime.setImageData(icon.Image);
}

bool LoadIconFromMimeData(TIcon &icon, const QMimeData &mime)
{
    if (!mime.hasFormat(IconMimeType))
        return false;
    const QByteArray bytes = mime.data(IconMimeType);
    return LoadIconFile(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()), icon);
}
