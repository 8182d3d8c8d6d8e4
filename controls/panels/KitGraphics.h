#pragma once
// Shared drawing module of the control kits: the colour type, rectangles,
// system colours, and the edge, frame and bevel primitives every kit control
// paints with. Coordinates follow the device convention of the forms: a
// rectangle's Right and Bottom are exclusive, lines exclude their end point.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <initializer_list>

class QPainter;

// $00BBGGRR for an explicit colour, $80000000 + index for a system colour.
using TColor = std::uint32_t;

// Explicit colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colour indices.
enum : int {
    COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27, COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30,
    COLOR_3DFACE = COLOR_BTNFACE, COLOR_3DSHADOW = COLOR_BTNSHADOW, COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT
};
constexpr int SysColorCount = 31;

constexpr TColor SysColorConst(int index) { return 0x80000000u | TColor(index); }
constexpr TColor clScrollBar = SysColorConst(COLOR_SCROLLBAR);
constexpr TColor clBackground = SysColorConst(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SysColorConst(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SysColorConst(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SysColorConst(COLOR_MENU);
constexpr TColor clWindow = SysColorConst(COLOR_WINDOW);
constexpr TColor clWindowFrame = SysColorConst(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SysColorConst(COLOR_MENUTEXT);
constexpr TColor clWindowText = SysColorConst(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SysColorConst(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SysColorConst(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SysColorConst(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SysColorConst(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SysColorConst(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SysColorConst(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SysColorConst(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SysColorConst(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SysColorConst(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SysColorConst(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SysColorConst(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SysColorConst(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SysColorConst(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SysColorConst(COLOR_3DLIGHT);
constexpr TColor clInfoText = SysColorConst(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SysColorConst(COLOR_INFOBK);

constexpr int GetRValue(TColor c) { return int(c & 0xFF); }
constexpr int GetGValue(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int GetBValue(TColor c) { return int((c >> 16) & 0xFF); }
constexpr TColor RGB(int r, int g, int b) { return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16); }
constexpr bool IsSysColor(TColor c) { return (c & 0xFF000000u) == 0x80000000u; }

// The display's colour for a system colour index ($00BBGGRR); the classic
// grey scheme, the same on every machine so that painted pixels are stable.
TColor GetSysColor(int index);
// A system colour constant resolved to its explicit colour; explicit colours
// lose their top byte.
TColor ColorToRGB(TColor c);
QColor ColorToQColor(TColor c);
TColor QColorToColor(const QColor &c);

// A rectangle with exclusive Right and Bottom.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    explicit TRect(const QRect &q) : Left(q.left()), Top(q.top()), Right(q.left() + q.width()), Bottom(q.top() + q.height()) {}
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    QRect toQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    constexpr bool operator==(const TRect &o) const = default;
};
constexpr TRect Rect(int l, int t, int r, int b) { return TRect(l, t, r, b); }
constexpr TRect Bounds(int l, int t, int w, int h) { return TRect(l, t, l + w, t + h); }
inline void InflateRect(TRect &r, int dx, int dy) { r.Left -= dx; r.Top -= dy; r.Right += dx; r.Bottom += dy; }
inline void OffsetRect(TRect &r, int dx, int dy) { r.Left += dx; r.Right += dx; r.Top += dy; r.Bottom += dy; }
bool UnionRect(TRect &dst, const TRect &a, const TRect &b);
inline bool PtInRect(const TRect &r, QPoint p) { return p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom; }
void RectSize(const TRect &r, int &width, int &height);

// The source size scaled by the smaller of the two ratios of Dest to Source
// (truncated), placed at Dest's top left.
TRect FitRect(const TRect &Source, const TRect &Dest);
// The bounds of Rect turned about its centre by Angle degrees, moved to (0, 0).
TRect RotatedBounds(const TRect &r, int Angle);
int MaxIntValue(std::initializer_list<int> values);
int MinIntValue(std::initializer_list<int> values);
double MinFloatValue(std::initializer_list<double> values);

// Division rounding toward zero, as the drawing arithmetic expects of "div".
constexpr int Div(int a, int b) { return a / b; }
// a * b / c rounded to the nearest integer (halves away from zero).
int MulDiv(int a, int b, int c);

// ---- primitives (device semantics) ----
void FillRect(QPainter &p, const TRect &r, TColor c);
// One-pixel frame just inside the rectangle.
void FrameRect(QPainter &p, const TRect &r, TColor c);
// Axis-parallel polyline of one-pixel width; the last point is not drawn.
void PolylineHV(QPainter &p, std::initializer_list<QPoint> pts, TColor c);
void SetPixel(QPainter &p, int x, int y, TColor c);
// Filled polygon with no outline, aliased.
void FillPolygon(QPainter &p, std::initializer_list<QPoint> pts, TColor c);

// Edge kinds and side flags of DrawEdge.
enum : unsigned {
    BDR_RAISEDOUTER = 0x0001, BDR_SUNKENOUTER = 0x0002, BDR_RAISEDINNER = 0x0004, BDR_SUNKENINNER = 0x0008,
    BDR_OUTER = 0x0003, BDR_INNER = 0x000C,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER
};
enum : unsigned {
    BF_LEFT = 0x0001, BF_TOP = 0x0002, BF_RIGHT = 0x0004, BF_BOTTOM = 0x0008,
    BF_TOPLEFT = BF_TOP | BF_LEFT, BF_TOPRIGHT = BF_TOP | BF_RIGHT, BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT,
    BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT, BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
    BF_MIDDLE = 0x0800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000
};
// Draws the 3D edge of the given kind on the chosen sides in the system
// colours; with BF_ADJUST the rectangle moves inward over what was drawn.
bool DrawEdge(QPainter &p, TRect &r, unsigned edge, unsigned flags);
// N concentric one-pixel rings, outermost first: left and top in topColor,
// right and bottom in bottomColor. The rectangle ends shrunk by width.
void Frame3D(QPainter &p, TRect &r, TColor topColor, TColor bottomColor, int width);
// The dotted focus rectangle (XOR drawing).
void DrawFocusRect(QPainter &p, const TRect &r);

// The pixel ratio an off-screen image drawn with p needs to stay sharp (1 to
// 8): the device's, or the painter's scale where a widget is rendered into a
// high-density pixmap or a page.
qreal PaintPixelRatio(const QPainter &p);
