#pragma once
// The gradient push button of every screen.
//
// A screen button as the forms give it:
//     btn_search = new TDDButton(this);
//     btn_search->setObjectName("btn_search");
//     btn_search->SetFormLook();                 // colours, frame, vertical gradient, white font
//     btn_search->SetCaption("조 회");
//     btn_search->setGeometry(10, 8, 75, 25);
//     btn_search->OnClick = [this](QObject *Sender) { btn_searchClick(Sender); };
//     btn_search->OnMouseDown = [this](QObject *S, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
//         static_cast<TDDButton *>(S)->SetEndColor(DDPressedEndColor); };
//     btn_search->OnMouseUp = [this](QObject *S, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
//         static_cast<TDDButton *>(S)->SetEndColor(DDReleasedEndColor); };
// Enable and disable it through SetEnabled (its own flag: a disabled parent
// panel blocks its input but does not grey it).

#include "controls/panels/KitControl.h"

#include <QImage>

enum TGradientStyle {
    gsHorizontal, gsVertical, gsRectangle, gsVertCenter, gsHorizCenter, gsLeftTop, gsRightTop,
    gsLeftTopRightBottom, gsRightTopLeftBottom, gsElliptic, gsNone, gsImage, gsTextOnly
};
enum THTextLayout { tlLeft, tlCenter, tlRight };
enum TVTextLayout { tlTop, tlMiddle, tlBottom };

// The colours the forms give their buttons.
constexpr TColor DDFormBeginColor = 0xCFBCA9;
constexpr TColor DDFormEndColor = 0x5F4934;
constexpr TColor DDFormHiliteColor = 0xDDDDDD;
constexpr TColor DDFormShadowColor = 0x5F4934;
constexpr TColor DDFormDisableColor = 0x909090;
// EndColor while a screen button is held, and after it is released.
constexpr TColor DDPressedEndColor = 0xC5AC94;
constexpr TColor DDReleasedEndColor = 0x5F4934;

// Colour step i of n between two colours: each of the three low bytes moves by
// i * (to - from) div n (toward zero); the top byte is dropped.
TColor GradientStep(TColor from, TColor to, int i, int n);

// Fills (Left, Top, Right, Bottom): Kind 0 solid in ColorFrom, 1..9 the
// gradients gsHorizontal..gsRightTopLeftBottom, 10 nothing, anything else as 2.
void PaintGradient(QPainter &p, int Kind, int Left, int Top, int Right, int Bottom, TColor ColorFrom, TColor ColorTo);

class TDDButton : public TCustomControl {
    Q_OBJECT
public:
    explicit TDDButton(QWidget *parent = nullptr);
    ~TDDButton() override;

    // Sets what every screen's form sets on its buttons.
    void SetFormLook();

    TColor BtnHiliteClr() const { return FBtnHiliteClr; }
    void SetBtnHiliteClr(TColor v) { SetLook(FBtnHiliteClr, v); }
    TColor BtnShadowClr() const { return FBtnShadowClr; }
    void SetBtnShadowClr(TColor v) { SetLook(FBtnShadowClr, v); }
    TColor BeginColor() const { return FBeginColor; }
    void SetBeginColor(TColor v) { SetLook(FBeginColor, v); }
    TColor EndColor() const { return FEndColor; }
    void SetEndColor(TColor v) { SetLook(FEndColor, v); }
    bool SwapColors() const { return FSwapColors; }
    void SetSwapColors(bool v) { FSwapColors = v; }
    bool MouseDownEffect() const { return FMouseDownEffect; }
    void SetMouseDownEffect(bool v) { FMouseDownEffect = v; }
    TGradientStyle GradientStyle() const { return FGradientStyle; }
    void SetGradientStyle(TGradientStyle v) { SetLook(FGradientStyle, v); }
    THTextLayout HTextLayout() const { return FHTextLayout; }
    void SetHTextLayout(THTextLayout v) { SetLook(FHTextLayout, v); }
    TVTextLayout VTextLayout() const { return FVTextLayout; }
    void SetVTextLayout(TVTextLayout v) { SetLook(FVTextLayout, v); }
    int FrameSize() const { return FFrameSize; }
    void SetFrameSize(int v);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { SetLook(FBorderColor, v); }
    const QImage &Image() const { return FImage; }
    void SetImage(const QImage &v); // a null image empties it
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    // The button's own enabled flag.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    TColor DisableColor() const { return FDisableColor; }
    void SetDisableColor(TColor v);

    // State the paint shows.
    bool Pressed() const { return FPressed; }
    bool Active() const { return FActive; }
    // Number of paint requests made by the setters (a changed value asks for one).
    int RepaintRequests() const { return FRepaintRequests; }

    // Paints the whole button into its off-screen bitmap at the pixel ratio
    // dpr (the image carries it) and returns it.
    const QImage &RenderImage(qreal dpr = 1);

    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void KeyPress(QChar &Key) override;

    // Top left of caption line i of n (text width w, line height h) on a
    // button of W x H with the given layouts and offset.
    static QPoint CaptionPos(THTextLayout HLayout, TVTextLayout VLayout, int W, int H, int w, int h, int n, int i,
                             int Offset);

    // Gradient frame or fill between two corners (the button itself only
    // uses the fill kinds 1..9).
    static void DrawFrame(QPainter &p, int Kind, int X1, int Y1, int X2, int Y2, int FrameWidth, TColor ColorFrom,
                          TColor ColorTo);

protected:
    void Paint(QPainter &p) override;
    void TextChanged() override { RequestRepaint(); }
    void FontChanged() override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void changeEvent(QEvent *e) override;

    void PaintElliptic(QPainter &p);
    void DrawCaption(QPainter &p, int Offset);
    void DrawFocus(QPainter &p);

private:
    // The application-wide focus watch; ended before the widget is torn down.
    QMetaObject::Connection m_focusWatch;
    void RequestRepaint();
    // A look property's step: a new value asks for a repaint.
    template <class T> void SetLook(T &field, const T &v)
    {
        if (KitTakeNew(field, v))
            RequestRepaint();
    }
    void EnabledChanged();
    void FocusChanged(QWidget *now);
    bool TakeFocusForPress();

    TColor FBtnHiliteClr = 0x7D7D7D;
    TColor FBtnShadowClr = clBtnShadow;
    // the gradient
    TColor FBeginColor = 0x7D7D7D;
    TColor FEndColor = 0x4E4E4E;
    bool FSwapColors = false;
    bool FMouseDownEffect = true;
    TGradientStyle FGradientStyle = gsLeftTop;
    THTextLayout FHTextLayout = tlRight;
    TVTextLayout FVTextLayout = tlBottom;
    int FFrameSize = 3;
    TColor FBorderColor = 0;
    QImage FImage;
    bool FDefault = false;
    bool FEnabled = true;
    TColor FDisableColor = 0x909090;

    QImage FBitmap;          // off-screen bitmap
    bool FPressed = false;
    bool FActive = false;    // shows the focus rectangle
    TColor FTextColor = clWhite;
    bool FClicksDisabled = false;
    int FRepaintRequests = 0;
};
