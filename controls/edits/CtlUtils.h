#pragma once
// Drawing and memory helpers shared by the edit controls, the calculator and
// the speed buttons. Colours are the kit's TColor values; the shared drawing
// primitives themselves live in the kit (controls/panels/KitGraphics.h).

#include "controls/panels/KitGraphics.h"

#include <QImage>
#include <QString>
#include <cstddef>
#include <functional>
#include <stdexcept>

class QPainter;
class QWidget;
class TKitImageListItem;
class QFontMetrics;

// Integer minimum and maximum.
constexpr int MaxOf(int a, int b) { return a > b ? a : b; }
constexpr int MinOf(int a, int b) { return a < b ? a : b; }

constexpr int RectWidth(const TRect &r) { return r.Right - r.Left; }
constexpr int RectHeight(const TRect &r) { return r.Bottom - r.Top; }
// A colour as plain RGB marked palette-relative.
inline TColor PaletteRgb(TColor c) { return (ColorToRGB(c) & 0x00FFFFFFu) | 0x02000000u; }

// Mask colours of DrawBitmapTransparent besides an explicit colour.
constexpr TColor MaskNone = 0x1FFFFFFF;        // opaque copy
constexpr TColor MaskBottomLeft = 0x20000000;  // the bitmap's bottom-left pixel

// Draws source rectangle (sx, sy, sw, sh) of bitmap stretched to (x, y, w, h),
// leaving pixels of the mask colour unpainted. w or h below 1: the bitmap's
// size; sw or sh below 1: the whole bitmap. A monochrome bitmap uses white.
void DrawBitmapTransparent(QPainter &p, const QImage &bitmap, TColor maskColor, int x, int y, int w = 0, int h = 0,
                           int sx = 0, int sy = 0, int sw = 0, int sh = 0);
void DrawBitmapRectTransparent(QPainter &p, int x, int y, int w, int h, const TRect &source, const QImage &bitmap,
                               TColor maskColor);

// One cell of a strip of columns x rows equal cells; columns and rows below 1
// count as 1, a negative index as 0.
QImage CellBitmap(const QImage &source, int columns, int index, int rows);

// The embossed look of a glyph: pixels that are not of the mask colour drawn
// in the shadow colour, with highlight one pixel down and right in the
// highlight colour first, on the background colour.
QImage MakeDisabledBitmap(const QImage &bitmap, TColor maskColor, TColor background, bool highlight,
                          TColor shadowColor, TColor highlightColor);
// MakeDisabledBitmap on the button face with the button shadow and highlight.
QImage MakeGrayedBitmap(const QImage &bitmap, TColor maskColor);

// The disabled look of image index of a masked image list at (x, y): the
// image's shape (its mask's black pixels; the whole cell for an unmasked
// list) painted in the highlight colour one pixel down and right when asked,
// then in the shadow colour over it. The painter's brush is kept.
void DrawDisabledImage(const TKitImageListItem &list, QPainter &p, int x, int y, int index, bool highlight,
                       TColor shadowColor, TColor highlightColor);

// True when the active window is one of this thread's windows.
bool OwnsActiveWindow();

// Paints, into p, what lies under control on its parent.
void PaintParentBackground(QWidget *control, QPainter &p);

// text cut from the end with "..." until width(text) fits maxWidth; "..."
// alone when nothing fits.
QString ShortenText(const QString &text, const std::function<int(const QString &)> &width, int maxWidth);
QString ShortenText(const QString &text, const QFontMetrics &metrics, int maxWidth);

// Zero-filled memory: nullptr for a size <= 0. FreeZeroBlock frees and clears
// the pointer (nothing for nullptr).
void *AllocZeroBlock(long size);
void FreeZeroBlock(void *&block);
bool SameBytes(const void *a, const void *b, std::size_t count);
inline void *OffsetPtr(void *p, std::ptrdiff_t offset) { return static_cast<char *>(p) + offset; }
void CopyBytes(void *dest, const void *source, std::size_t count);
inline QString ResourceText(const QString &text) { return text; }

// The system's default sound for a refused key; tests may replace it
// (nullptr puts the system beep back).
void MessageBeep();
void SetMessageBeepHook(std::function<void()> hook);

// The silent abort: unwinds without a message.
class EAbort : public std::runtime_error
{
public:
    EAbort() : std::runtime_error("Operation aborted") {}
};
// "Function not yet implemented" in an information box, then EAbort.
[[noreturn]] void NotImplemented();
