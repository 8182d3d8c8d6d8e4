#include "controls/panels/KitPicture.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QIODevice>
#include <QPainter>
#include <QtEndian>
#include <cmath>

std::vector<TRect> PlacePicture(const TRect &Dest, int W, int H, unsigned Flags, TRect &DrawnRect)
{
    std::vector<TRect> out;
    if (Dest.IsEmpty() || W <= 0 || H <= 0) {
        DrawnRect = TRect();
        return out;
    }
    const int DW = Dest.Width(), DH = Dest.Height();
    TRect r;
    if (Flags & dbCenter) {
        r = Bounds(Dest.Left + (DW - W) / 2, Dest.Top + (DH - H) / 2, W, H);
    } else if (Flags & dbStretch) {
        const bool keepW = Flags & dbKeepWidth, keepH = Flags & dbKeepHeight;
        if (keepW && keepH)
            r = FitRect(TRect(0, 0, W, H), Dest);
        else if (keepW)
            r = Bounds(Dest.Left, Dest.Top, DW, int(std::nearbyint(double(DW) / W * H)));
        else if (keepH)
            r = Bounds(Dest.Left, Dest.Top, int(std::nearbyint(double(DH) / H * W)), DH);
        else
            r = Dest;
    } else if (Flags & dbTile) {
        for (int row = 0; row < DH / H + 1; ++row)
            for (int col = 0; col < DW / W + 1; ++col)
                out.push_back(Bounds(Dest.Left + col * W, Dest.Top + row * H, W, H));
        DrawnRect = Dest;
        return out;
    } else {
        r = Bounds(Dest.Left, Dest.Top, W, H);
    }
    DrawnRect = r.IsEmpty() ? Dest : r;
    out.push_back(r);
    return out;
}

TColor PictureTransparentColor(const QImage &img)
{
    if (img.isNull())
        return clNone;
    return QColorToColor(img.pixelColor(0, img.height() - 1));
}

void FillBitmap(QImage &Bitmap, const TRect &r, TColor Color)
{
    Bitmap = QImage(std::max(r.Width(), 0), std::max(r.Height(), 0), QImage::Format_RGB32);
    if (!Bitmap.isNull())
        Bitmap.fill(ColorToQColor(Color));
}

void MakeMask(const QImage &Source, const TRect &SourceRect, QImage &Mask, QImage &Image, TColor TransparentColor)
{
    Image = Source.copy(SourceRect.toQRect()).convertToFormat(QImage::Format_RGB32);
    Mask = QImage(Image.size(), QImage::Format_RGB32);
    const QRgb key = ColorToQColor(TransparentColor).rgb() & 0xFFFFFF;
    for (int y = 0; y < Image.height(); ++y) {
        auto *img = reinterpret_cast<QRgb *>(Image.scanLine(y));
        auto *msk = reinterpret_cast<QRgb *>(Mask.scanLine(y));
        for (int x = 0; x < Image.width(); ++x) {
            const bool transparent = (img[x] & 0xFFFFFF) == key;
            msk[x] = transparent ? 0xFFFFFFFF : 0xFF000000;
            if (transparent)
                img[x] = 0xFF000000;
        }
    }
}

namespace {

// The picture with the mask's white pixels see-through: the same result as
// AND-ing the mask and OR-ing the (black-backed) image onto the destination.
QImage maskedPicture(const QImage &Image, const QImage &Mask)
{
    QImage out = Image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height() && y < Mask.height(); ++y) {
        auto *o = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width() && x < Mask.width(); ++x)
            if ((Mask.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF)
                o[x] = 0;
    }
    return out;
}

} // namespace

void DrawCanvasPart(QPainter &p, const TRect &Dest, const QImage &Source, const QImage *Mask, TColor TransparentColor,
                    unsigned Flags, const TRect &SourceRect, TRect &DrawnRect)
{
    const std::vector<TRect> places = PlacePicture(Dest, SourceRect.Width(), SourceRect.Height(), Flags, DrawnRect);
    if (places.empty())
        return;
    QImage picture;
    if (Flags & dbBrushCopy) {
        QImage m, img;
        MakeMask(Source, SourceRect, m, img, PictureTransparentColor(Source));
        picture = maskedPicture(img, m);
    } else if ((Flags & dbUseMask) && Mask) {
        picture = maskedPicture(Source.copy(SourceRect.toQRect()), Mask->copy(SourceRect.toQRect()));
    } else if (Flags & dbTransparent) {
        QImage m, img;
        MakeMask(Source, SourceRect, m, img, TransparentColor);
        picture = maskedPicture(img, m);
    } else {
        picture = Source.copy(SourceRect.toQRect());
    }
    p.save();
    if ((Flags & dbClip) || (Flags & dbTile))
        p.setClipRect(Dest.toQRect(), Qt::IntersectClip);
    if (Flags & dbStretch)
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const TRect &r : places)
        p.drawImage(r.toQRect(), picture);
    p.restore();
}

void DrawBitmap(QPainter &p, const TRect &Dest, const QImage &Bitmap, TRect &DrawnRect, TColor TransparentColor,
                unsigned Flags)
{
    if (Bitmap.isNull()) {
        DrawnRect = TRect();
        return;
    }
    DrawCanvasPart(p, Dest, Bitmap, nullptr, TransparentColor, Flags, TRect(0, 0, Bitmap.width(), Bitmap.height()),
                   DrawnRect);
}

// ------------------------------------------------------------ DIB writer

int DIBBitsPerPixel(int Colors)
{
    switch (Colors) {
    case 2: return 1;
    case 16: return 4;
    case 256: return 8;
    default: return 24; // the display's 32 bits are written as 24
    }
}

namespace {

void put16(QByteArray &b, quint16 v)
{
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}

void put32(QByteArray &b, quint32 v)
{
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

QList<QRgb> vga16()
{
    static const QRgb t[16] = {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
                               0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                               0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
    return QList<QRgb>(std::begin(t), std::end(t));
}

} // namespace

QByteArray BuildDIBFile(const QImage &Bitmap, int Colors)
{
    if (Bitmap.isNull())
        return QByteArray();
    const int bits = DIBBitsPerPixel(Colors);
    const int W = Bitmap.width(), H = Bitmap.height();
    const int stride = (W * bits + 31) / 32 * 4;
    QImage src;
    QList<QRgb> table;
    const Qt::ImageConversionFlags conv = Qt::ThresholdDither | Qt::AvoidDither;
    if (bits == 1) {
        src = Bitmap.convertToFormat(QImage::Format_Indexed8, QList<QRgb>{0xFF000000, 0xFFFFFFFF}, conv);
        table = src.colorTable();
    } else if (bits == 4) {
        src = Bitmap.convertToFormat(QImage::Format_Indexed8, vga16(), conv);
        table = src.colorTable();
    } else if (bits == 8) {
        src = Bitmap.convertToFormat(QImage::Format_Indexed8, conv);
        table = src.colorTable();
    } else {
        src = Bitmap.convertToFormat(QImage::Format_RGB32);
    }
    const int tableEntries = bits <= 8 ? (1 << bits) : 0;
    const quint32 offset = 14 + 40 + tableEntries * 4;
    const quint32 imageSize = quint32(H) * quint32(stride);
    QByteArray out;
    out.reserve(int(offset + imageSize));
    out.append("BM", 2);
    put32(out, offset + imageSize);
    put16(out, 0);
    put16(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, quint32(W));
    put32(out, quint32(H));
    put16(out, 1);
    put16(out, quint16(bits));
    put32(out, 0);
    put32(out, imageSize);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int i = 0; i < tableEntries; ++i) {
        QRgb c = i < table.size() ? table[i] : 0;
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
    QByteArray row(stride, 0);
    for (int y = H - 1; y >= 0; --y) {
        row.fill(0);
        const uchar *line = src.constScanLine(y);
        for (int x = 0; x < W; ++x) {
            switch (bits) {
            case 1:
                if (line[x])
                    row[x / 8] = char(uchar(row[x / 8]) | (0x80 >> (x % 8)));
                break;
            case 4:
                row[x / 2] = char(uchar(row[x / 2]) | ((line[x] & 0x0F) << (x % 2 ? 0 : 4)));
                break;
            case 8:
                row[x] = char(line[x]);
                break;
            default: {
                QRgb c = reinterpret_cast<const QRgb *>(line)[x];
                row[x * 3] = char(qBlue(c));
                row[x * 3 + 1] = char(qGreen(c));
                row[x * 3 + 2] = char(qRed(c));
            }
            }
        }
        out.append(row);
    }
    return out;
}

bool WriteDIB(QIODevice &Stream, const QImage &Bitmap, int Colors, bool WithSize)
{
    const QByteArray dib = BuildDIBFile(Bitmap, Colors);
    if (dib.isEmpty())
        return false;
    if (WithSize) {
        char c[4];
        qToLittleEndian(quint32(dib.size()), c);
        Stream.write(c, 4);
    }
    return Stream.write(dib) == dib.size();
}

bool WriteBitmapDIB(QIODevice &Stream, const QImage &Bitmap, int Colors)
{
    if (Bitmap.format() == QImage::Format_Mono || Bitmap.format() == QImage::Format_MonoLSB)
        Colors = 2;
    const bool ok = WriteDIB(Stream, Bitmap, Colors, false);
    Stream.seek(0);
    return ok;
}

bool IsTrueTypeFont(const QFont &Font)
{
    const QFontInfo info(Font);
    return QFontDatabase::isSmoothlyScalable(info.family(), info.styleName());
}
