#include "controls/edits/CtlUtils.h"

#include "controls/panels/KitContainers.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QThread>
#include <QWidget>
#include <cstdlib>
#include <cstring>

namespace {

QRgb rgbOf(TColor c)
{
    const TColor v = ColorToRGB(c);
    return qRgb(GetRValue(v), GetGValue(v), GetBValue(v));
}

// Opaque where the pixel is not of the mask colour.
QImage withTransparency(const QImage &src, QRgb mask)
{
    QImage img = src.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (mask & 0xFFFFFF))
                line[x] = 0;
    }
    return img;
}

} // namespace

void DrawBitmapTransparent(QPainter &p, const QImage &bitmap, TColor maskColor, int x, int y, int w, int h, int sx,
                           int sy, int sw, int sh)
{
    if (bitmap.isNull())
        return;
    if (w < 1)
        w = bitmap.width();
    if (h < 1)
        h = bitmap.height();
    if (sw < 1 || sh < 1) {
        sx = sy = 0;
        sw = bitmap.width();
        sh = bitmap.height();
    }
    const QRect target(x, y, w, h);
    const QRect source(sx, sy, sw, sh);
    if (maskColor == MaskNone) {
        p.drawImage(target, bitmap, source);
        return;
    }
    QRgb mask;
    if (bitmap.format() == QImage::Format_Mono || bitmap.format() == QImage::Format_MonoLSB)
        mask = qRgb(255, 255, 255);
    else if (maskColor == MaskBottomLeft)
        mask = bitmap.pixel(0, bitmap.height() - 1);
    else
        mask = rgbOf(maskColor);
    p.drawImage(target, withTransparency(bitmap.copy(source), mask));
}

void DrawBitmapRectTransparent(QPainter &p, int x, int y, int w, int h, const TRect &source, const QImage &bitmap,
                               TColor maskColor)
{
    DrawBitmapTransparent(p, bitmap, maskColor, x, y, w, h, source.Left, source.Top, source.Width(), source.Height());
}

QImage CellBitmap(const QImage &source, int columns, int index, int rows)
{
    if (columns < 1)
        columns = 1;
    if (rows < 1)
        rows = 1;
    if (index < 0)
        index = 0;
    const int w = source.width() / columns;
    const int h = source.height() / rows;
    return source.copy((index % columns) * w, (index / columns) * h, w, h);
}

QImage MakeDisabledBitmap(const QImage &bitmap, TColor maskColor, TColor background, bool highlight,
                          TColor shadowColor, TColor highlightColor)
{
    QImage src = bitmap.convertToFormat(QImage::Format_RGB32);
    const bool mono = bitmap.format() == QImage::Format_Mono || bitmap.format() == QImage::Format_MonoLSB;
    const QRgb mask = mono ? qRgb(255, 255, 255) : rgbOf(maskColor);
    QImage out(src.size(), QImage::Format_RGB32);
    out.fill(rgbOf(background));
    auto paintShape = [&](int dx, int dy, QRgb colour) {
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x) {
                if ((src.pixel(x, y) & 0xFFFFFF) == (mask & 0xFFFFFF))
                    continue;
                const int tx = x + dx, ty = y + dy;
                if (tx < out.width() && ty < out.height())
                    out.setPixel(tx, ty, colour);
            }
    };
    if (highlight)
        paintShape(1, 1, rgbOf(highlightColor));
    paintShape(0, 0, rgbOf(shadowColor));
    return out;
}

QImage MakeGrayedBitmap(const QImage &bitmap, TColor maskColor)
{
    return MakeDisabledBitmap(bitmap, maskColor, clBtnFace, true, clBtnShadow, clBtnHighlight);
}

void DrawDisabledImage(const TKitImageListItem &list, QPainter &p, int x, int y, int index, bool highlight,
                       TColor shadowColor, TColor highlightColor)
{
    if (index < 0 || index >= list.Count() || list.Width() <= 0 || list.Height() <= 0)
        return;
    const QImage mask = list.Masked() ? list.MaskStrip().copy(list.XOf(index), 0, list.Width(), list.Height()) : QImage();
    auto shape = [&](TColor colour) {
        QImage out(list.Width(), list.Height(), QImage::Format_ARGB32);
        out.fill(Qt::transparent);
        const QRgb c = rgbOf(colour) | 0xFF000000;
        for (int py = 0; py < out.height(); ++py)
            for (int px = 0; px < out.width(); ++px)
                if (mask.isNull() || (mask.pixel(px, py) & 0xFFFFFF) == 0)
                    out.setPixel(px, py, c);
        return out;
    };
    const QBrush brush = p.brush();
    if (highlight)
        p.drawImage(x + 1, y + 1, shape(highlightColor));
    p.drawImage(x, y, shape(shadowColor));
    p.setBrush(brush);
}

bool OwnsActiveWindow()
{
    const QWidget *active = QApplication::activeWindow();
    return active && active->thread() == QThread::currentThread();
}

void PaintParentBackground(QWidget *control, QPainter &p)
{
    QWidget *parent = control ? control->parentWidget() : nullptr;
    if (!parent)
        return;
    p.save();
    const QRect area = control->geometry();
    parent->render(&p, QPoint(0, 0), QRegion(area), QWidget::DrawWindowBackground);
    p.restore();
}

QString ShortenText(const QString &text, const std::function<int(const QString &)> &width, int maxWidth)
{
    QString result = text;
    for (int i = 1; i <= text.size() && width(result) > maxWidth; ++i)
        result = text.left(qMax(0, int(text.size()) - i - 1)) + QStringLiteral("...");
    return result;
}

QString ShortenText(const QString &text, const QFontMetrics &metrics, int maxWidth)
{
    return ShortenText(text, [&](const QString &s) { return metrics.horizontalAdvance(s); }, maxWidth);
}

void *AllocZeroBlock(long size)
{
    return size <= 0 ? nullptr : std::calloc(1, static_cast<std::size_t>(size));
}

void FreeZeroBlock(void *&block)
{
    if (block) {
        std::free(block);
        block = nullptr;
    }
}

bool SameBytes(const void *a, const void *b, std::size_t count)
{
    return std::memcmp(a, b, count) == 0;
}

void CopyBytes(void *dest, const void *source, std::size_t count)
{
    std::memmove(dest, source, count);
}

namespace {
std::function<void()> &beepHook()
{
    static std::function<void()> hook;
    return hook;
}
} // namespace

void MessageBeep()
{
    if (beepHook())
        beepHook()();
    else if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::beep();
}

void SetMessageBeepHook(std::function<void()> hook)
{
    beepHook() = std::move(hook);
}

void NotImplemented()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::restoreOverrideCursor();
    qvx::Prompt::instance().message(QStringLiteral("Function not yet implemented"));
    throw EAbort();
}
