#pragma once
// Caption styles and the glyph-and-text drawing procedures of the kit's
// buttons, check boxes and radio buttons: the layout objects, 3D captions,
// the arrow, disabled and four-tone glyph images, masks and button faces.

#include "controls/panels/KitBevel.h"

#include <QFont>
#include <QImage>
#include <QString>

class QPainter;

enum TKitAlignment { agTopLeft, agTopCenter, agTopRight, agCenterLeft, agCenter, agCenterRight, agBottomLeft, agBottomCenter, agBottomRight };
enum TKitTextArrange { taLeft, taLeftTop, taRight, taRightTop, taTop, taTopLeft, taBottom, taBottomLeft };
enum TKitArrowPosition { apRightText, apLeftText, apRightGlyph, apLeftGlyph };
enum TKitDisabledStyle { dsAuto, dsStandard, ds3d, dsNone };
enum TKitThreeDStyle { tdNone, tdSunken, tdRaised, tdSunkenShadow, tdRaisedShadow, tdPColorSunken, tdPColorRaised, tdShadow };

// How a glyph and a caption are arranged inside a rectangle.
class TKitGlyphTextLayout : public TKitObject
{
    Q_OBJECT
public:
    explicit TKitGlyphTextLayout(QObject *parent = nullptr, TKitAlignment defaultAlignment = agTopLeft)
        : TKitObject(parent), FAlignment(defaultAlignment) {}
    TKitAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TKitAlignment v) { set(FAlignment, v); }
    TKitTextArrange AlignText2Glyph() const { return FArrange; }
    void SetAlignText2Glyph(TKitTextArrange v) { set(FArrange, v); }
    int OffsetX() const { return FOffset[0]; }
    int OffsetY() const { return FOffset[1]; }
    void SetOffset(int index, int v) { set(FOffset[index & 1], v); }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v) { set(FSpacing, v); }
    virtual void Assign(const TKitGlyphTextLayout *Source);

private:
    TKitAlignment FAlignment;
    TKitTextArrange FArrange = taRight;
    int FOffset[2] = {0, 0};
    int FSpacing = 2;
};

class TKitButtonLayout : public TKitGlyphTextLayout
{
    Q_OBJECT
public:
    explicit TKitButtonLayout(QObject *parent = nullptr) : TKitGlyphTextLayout(parent, agCenter) {}
    bool Arrow() const { return FArrow; }
    void SetArrow(bool v) { set(FArrow, v); }
    TColor ArrowColor() const { return FArrowColor; }
    void SetArrowColor(TColor v) { set(FArrowColor, v); }
    int ArrowIndent() const { return FArrowIndent; }
    void SetArrowIndent(int v) { set(FArrowIndent, v); }
    TKitArrowPosition ArrowPosition() const { return FArrowPosition; }
    void SetArrowPosition(TKitArrowPosition v) { set(FArrowPosition, v); }
    int ArrowSize() const { return FArrowSize; }
    void SetArrowSize(int v) { set(FArrowSize, std::clamp(v, 2, 10)); }
    // Copies all eleven values as one change.
    void Assign(const TKitGlyphTextLayout *Source) override;

private:
    bool FArrow = false;
    TColor FArrowColor = clBlack;
    int FArrowIndent = 3;
    TKitArrowPosition FArrowPosition = apRightText;
    int FArrowSize = 3;
};

class TKit3DCaption : public TKitObject
{
    Q_OBJECT
public:
    explicit TKit3DCaption(QObject *parent = nullptr) : TKitObject(parent) {}
    TKitDisabledStyle DisabledStyle() const { return FDisabledStyle; }
    void SetDisabledStyle(TKitDisabledStyle v) { set(FDisabledStyle, v); }
    int LightDepth() const { return FDepth[0]; }
    int ShadowDepth() const { return FDepth[1]; }
    void SetDepth(int index, int v) { set(FDepth[index & 1], quint8(v)); }
    TColor LightColor() const { return FColors[0]; }
    TColor ShadowColor() const { return FColors[1]; }
    void SetColor(int index, TColor v) { set(FColors[index & 1], v); }
    TKitThreeDStyle Style() const { return FStyle; }
    void SetStyle(TKitThreeDStyle v) { set(FStyle, v); }
    int Tracing() const { return FTracing; }
    void SetTracing(int v) { set(FTracing, v); }
    virtual void Assign(const TKit3DCaption *Source);
    // Pixels the 3D passes add to the right and bottom.
    int Depth() const;

private:
    TKitDisabledStyle FDisabledStyle = dsAuto;
    quint8 FDepth[2] = {1, 1};
    TColor FColors[2] = {clBtnHighlight, clBtnShadow};
    TKitThreeDStyle FStyle = tdNone;
    int FTracing = 0;
};

class TKitFxCaption : public TKit3DCaption
{
    Q_OBJECT
public:
    explicit TKitFxCaption(QObject *parent = nullptr) : TKit3DCaption(parent) {}
    int Angle() const { return FAngle; }
    void SetAngle(int v) { set(FAngle, v == 360 ? 0 : std::clamp(v, 0, 359)); }
    int PosX() const { return FPos[0]; }
    int PosY() const { return FPos[1]; }
    void SetPosXY(int index, int v) { set(FPos[index & 1], qint16(v)); }
    // Sets both without a change notification.
    void SetPos(int X, int Y);
    void Assign(const TKit3DCaption *Source) override;

private:
    int FAngle = 0;
    qint16 FPos[2] = {0, 0};
};

// Flags of the glyph-and-text procedure.
enum : unsigned {
    KitGtEnabled = 0x0002,
    KitGtDisabled3D = 0x0004,
    KitGtForceTopLeft = 0x0020,
    KitGtFocusText = 0x0040,
    KitGtFocusGlyph = 0x0080,
    KitGtFocusBoth = 0x0100,
    KitGtMeasure = 0x0200,
};

// Places a rectangle of inner's size inside outer.
void AlignRect(TKitAlignment Alignment, const TRect &Inner, const TRect &Outer, TRect &Result);
// A filled down-pointing triangle of Size rows (nothing outside 2..15).
void DrawArrow(QPainter &p, int X, int Y, bool Enabled, bool Down, TColor Color, int Size);
// Every pixel that differs from pixel (0, 0) becomes white, button highlight,
// button shadow or black by its brightness. A one-colour image stays as it is.
QImage FourToneImage(const QImage &Source);
// The embossed (disabled) look of a glyph whose background is TransparentColor.
QImage DisabledImage(const QImage &Source, TColor TransparentColor);
// A mask of the transparent colour: opaque where the image shows.
QImage MakeBitmapMask(const QImage &Source, TColor TransparentColor);
// Draws text with the caption's 3D passes (plain when Caption is null).
void Draw3DText(QPainter &p, const QString &Text, const TKit3DCaption *Caption, const TRect &R, unsigned Flags,
                int QtAlign, TColor FontColor);
// Size of a caption's text in the painter's font (with the 3D depth).
TRect MeasureCaption(QPainter &p, const QString &Text, const TKit3DCaption *Caption, bool MultiLine, int Margin = 0);

// Lays out (and draws unless KitGtMeasure) a glyph, a caption and the arrow of
// a button layout inside R. The glyph is drawn over its TransparentColor
// pixels when Transparent. Returns the focus rectangle; Used receives the
// bounds of what was laid out.
TRect DrawGlyphText(QPainter &p, const QString &Text, const TKit3DCaption *Caption, unsigned Flags, bool MultiLine,
                    const TKitGlyphTextLayout *Layout, const QImage &Glyph, bool Transparent, TColor TransparentColor,
                    const TRect &R, TColor FontColor, TRect *Used = nullptr);

// Push-button face; state 3, 4, 6, 7 pressed (3 with the checker brush).
// Flags: $0002 default, $0004 flat-ish spb look, $0008 checked, $0020 frame.
// Returns true and leaves R at the content area.
bool DrawButtonFace(QPainter &p, TRect &R, TColor Color, unsigned Flags, int State, int Style);
