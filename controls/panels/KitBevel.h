#pragma once
// Change-notifying sub-objects of the kit and the bevel (the frame of a
// bevelled panel) with its drawing procedures.

#include "controls/panels/KitError.h"
#include "controls/panels/KitGraphics.h"
#include "controls/panels/KitTypes.h"

#include <QObject>

class QPainter;

// A sub-object that reports its changes through OnChange.
class TKitObject : public QObject {
    Q_OBJECT
public:
    explicit TKitObject(QObject *parent = nullptr) : QObject(parent) {}
    TNotifyEvent OnChange;
    quint8 Updating = 0;

    virtual void Change();
    virtual void GetChange(QObject *Sender) { Change(); }
    void BeginUpdate() { Updating = 1; }
    void EndUpdate(bool DoChange);

protected:
    // Sets a property's field and reports the change, when the value is new.
    template <class T> void set(T &field, T v)
    {
        if (field == v)
            return;
        field = v;
        Change();
    }
};

// The kit's non-visual components report their changes as the sub-objects do.
class TKitCustomComponent : public TKitObject {
    Q_OBJECT
public:
    explicit TKitCustomComponent(QObject *owner = nullptr) : TKitObject(owner) {}
};

enum TKitBevelStyle { bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal, bvShadow };
enum TKitBevelMode { bmCustom, bmStandard, bmEdge, bmWindows };
enum TKitBorderStyle {
    lsNone, lsSingle, lsLowered, lsRaised, lsRaisedspb, lsLoweredspb, lsRaisedExt, lsLoweredExt,
    lsFrameInset, lsFrameOffset, lsWindowBorder, lsSingleRaised, lsSingleLowered, lsDoubleRaised, lsDoubleLowered
};
enum TKitEdgeStyle { etRaisedInner, etRaisedOuter, etSunkenInner, etSunkenOuter, etBump, etEtched, etRaised, etSunken };
enum TKitFrameSide { fsBottom = 1, fsLeft = 2, fsRight = 4, fsTop = 8 };
using TKitFrameSides = quint8; // set of TKitFrameSide bits
constexpr TKitFrameSides fsAllSides = fsBottom | fsLeft | fsRight | fsTop;

// Assignment from an object of an unrelated class.
using EConvertError = TKitError<struct EConvertErrorKind>;

// The description of a panel's frame.
class TKitBevel : public TKitObject {
    Q_OBJECT
public:
    explicit TKitBevel(QObject *parent = nullptr) : TKitObject(parent) {}

    TKitBevelStyle StyleInner() const { return FStyleInner; }
    TKitBevelStyle StyleOuter() const { return FStyleOuter; }
    int WidthInner() const { return FWidthInner; }
    int WidthOuter() const { return FWidthOuter; }
    TColor BorderColor() const { return FColors[0]; }
    TColor LightColor() const { return FColors[1]; }
    TColor ShadowColor() const { return FColors[2]; }
    TKitFrameSides BorderSides() const { return FBorderSides; }
    int BorderWidth() const { return FBorderWidth; }
    int BorderInnerWidth() const { return FBorderInnerWidth; }
    TKitEdgeStyle EdgeStyle() const { return FEdgeStyle; }
    TKitBevelMode Mode() const { return FMode; }
    TKitBorderStyle StandardStyle() const { return FStandardStyle; }

    void SetStyleInner(TKitBevelStyle v);
    void SetStyleOuter(TKitBevelStyle v);
    void SetWidthInner(int v);  // 0..50
    void SetWidthOuter(int v);  // 0..50
    void SetColor(int index, TColor v); // 0 BorderColor, 1 LightColor, 2 ShadowColor
    void SetBorderColor(TColor v) { SetColor(0, v); }
    void SetLightColor(TColor v) { SetColor(1, v); }
    void SetShadowColor(TColor v) { SetColor(2, v); }
    void SetBorderSides(TKitFrameSides v);
    void SetBorderWidth(int v);      // 0..255
    void SetBorderInnerWidth(int v); // 0..255
    void SetEdgeStyle(TKitEdgeStyle v);
    void SetMode(TKitBevelMode v);
    void SetStandardStyle(TKitBorderStyle v);

    // Copies the thirteen properties and WindowsBorder, one change.
    void Assign(const QObject *Source);
    void Change() override;
    int GetExtent() const;
    TRect InnerRect(const TRect &r) const;
    void PaintBevel(QPainter &p, const TRect &r, bool Transparent, TRect &Inner) const;
    bool TakeModeSwitched();

    int Extent = 0;            // frame width on the left and top
    int ExtentRightBottom = 0; // on the right and bottom
    bool WindowsBorder = false;
    bool ModeSwitched = false;

private:
    TKitBevelStyle FStyleInner = bvNone;
    TKitBevelStyle FStyleOuter = bvNone;
    quint8 FWidthInner = 1;
    quint8 FWidthOuter = 1;
    TColor FColors[3] = {clBtnFace, clBtnHighlight, clBtnShadow};
    TKitFrameSides FBorderSides = fsAllSides;
    quint8 FBorderWidth = 0;
    quint8 FBorderInnerWidth = 0;
    TKitEdgeStyle FEdgeStyle = etEtched;
    TKitBevelMode FMode = bmCustom;
    TKitBorderStyle FStandardStyle = lsSingleLowered;
};

// Bevel drawing procedures; each shrinks R over what it drew.
bool DrawBevelStyle(QPainter &p, TRect &R, TKitBevelStyle Style, int Width, TColor ShadowColor, TColor LightColor);
void DrawShadowBevel(QPainter &p, TRect &R, TColor LightColor, TColor ShadowColor, TColor BorderColor,
                     int WidthOuter, int WidthInner, bool Transparent);
void DrawStandardStyle(QPainter &p, TRect &R, TKitBorderStyle Style, unsigned ExtraFlags = 0);
// Width in pixels of a standard style.
int StandardStyleWidth(TKitBorderStyle Style);
void FillBorder(QPainter &p, TRect &R, int N, TColor Color, bool Transparent);
