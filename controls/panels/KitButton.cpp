#include "controls/panels/KitButton.h"

#include "controls/panels/KitPicture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QToolTip>

TKitCustomButton::TKitCustomButton(QWidget *parent)
    : QPushButton(parent), FLayout(new TKitButtonLayout(this)), FFontFx(new TKitFxCaption(this))
{
    resize(75, 25);
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    FLayout->OnChange = [this](QObject *s) { GetChange(s); };
    FFontFx->OnChange = [this](QObject *s) { GetChange(s); };
    FGlyph.OnChange = [this](QObject *) { GetChange(nullptr); };
    FLink.OnChange = [this](QObject *) { RefreshGlyph(); };
    connect(this, &QPushButton::clicked, this, [this] { Click(); });
}

TKitCustomButton::~TKitCustomButton()
{
    FLayout->OnChange = nullptr;
    FFontFx->OnChange = nullptr;
    FGlyph.OnChange = nullptr;
    StopRepeat();
    if (FImageList)
        FImageList->UnRegisterChanges(&FLink);
}

void TKitCustomButton::SetCaption(const QString &v)
{
    setText(v);
    update();
}

void TKitCustomButton::SetColor(TColor v)
{
    if (KitTakeNew(FColor, v))
        update();
}

void TKitCustomButton::SetGlyph(const QImage &v)
{
    SetImageList(nullptr);
    FGlyph.SetBitmap(v);
    update();
}

void TKitCustomButton::SetImageList(TKitCustomImageList *v)
{
    if (FImageList == v) {
        if (v)
            RefreshGlyph();
        return;
    }
    if (FImageList) {
        FImageList->UnRegisterChanges(&FLink);
        disconnect(FImageList, &QObject::destroyed, this, nullptr);
    }
    FImageList = v;
    if (v) {
        v->RegisterChanges(&FLink);
        connect(v, &QObject::destroyed, this, [this] {
            FImageList = nullptr; // the list is going: forget it
            FGlyph.SetBitmap(QImage());
            update();
        });
        RefreshGlyph();
    }
}

void TKitCustomButton::SetIndex(int which, int v)
{
    which &= 1;
    if (v < 0 || v == FIndex[which])
        return;
    FIndex[which] = v;
    if (FImageList)
        RefreshGlyph();
}

void TKitCustomButton::RefreshGlyph()
{
    if (!FImageList || !FImageList->IsValidImage(ListIndex(), ImageIndex()))
        FGlyph.SetBitmap(QImage());
    else
        FGlyph.SetBitmap(FImageList->CopyImage(ListIndex(), ImageIndex()));
    update();
}

void TKitCustomButton::SetMultiLine(bool v)
{
    if (KitTakeNew(FMultiLine, v))
        GetChange(nullptr);
}

void TKitCustomButton::SetNumGlyphs(int v)
{
    if (v == FGlyph.NumGlyphs())
        return;
    FGlyph.SetNumGlyphs(v);
    update();
}

void TKitCustomButton::SetStyle(TKitNormalButtonStyle v)
{
    if (KitTakeNew(FStyle, v))
        update();
}

void TKitCustomButton::GetChange(QObject *Sender)
{
    const bool fromFx = Sender == FFontFx;
    const bool fromFont = Sender == this;
    if ((fromFx || fromFont) && FFontFx->Angle() != 0 && !IsTrueTypeFont(font())) {
        if (fromFx) {
            QFont f = font();
            f.setFamily("Arial"); // a rotated caption needs a scalable font
            FInFontChange = true;
            setFont(f);
            FInFontChange = false;
            if (!IsTrueTypeFont(font()))
                FFontFx->SetAngle(0);
        } else {
            FFontFx->SetAngle(0);
        }
    }
    update();
}

void TKitCustomButton::Click()
{
    if (OnClick)
        OnClick(this);
}

void TKitCustomButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    FDrawState = !isEnabled() ? 1 : (isDown() || FDropped) ? 4 : 0;
    TRect r(0, 0, width(), height());
    const unsigned look = (isDefault() || hasFocus()) ? 0x0002 : 0;
    const int style = FStyle == nbsWin31 ? 1 : FStyle == nbsWin40 ? 2 : 0;
    DrawButtonFace(p, r, FColor, look, FDrawState, style);
    p.setFont(font());
    const TColor fontColor = QColorToColor(palette().color(QPalette::ButtonText));
    FGlyph.Draw(p, text(), isEnabled() ? unsigned(KitGtEnabled) : 0u, FMultiLine, FLayout, FDrawState, r, FFontFx, fontColor);
}

void TKitCustomButton::keyPressEvent(QKeyEvent *e)
{
    int vk = 0;
    if (!KeyDownPasses(this, e, vk) || !KeyPressPasses(this, e))
        return;
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && e->modifiers() == Qt::NoModifier) {
        // the focused button takes Enter
        e->accept();
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(e);
}

void TKitCustomButton::keyReleaseEvent(QKeyEvent *e)
{
    RunKeyUp(this, e);
    QPushButton::keyReleaseEvent(e);
}

void TKitCustomButton::mousePressEvent(QMouseEvent *e)
{
    QPushButton::mousePressEvent(e);
    if (e->button() != Qt::LeftButton || !FRepeatedClick || FTimerId)
        return;
    try {
        const int delay = std::max(50, (RepeatingDelay + 25) / 50 * 50);
        FTimerId = KitApplication()->AddTimer(delay, [this](QObject *) {
            if (!underMouse())
                return;
            if (TKitTimerItem *t = KitApplication()->GetTimer(FTimerId))
                t->SetInterval(std::max(50, (FRepeatingInterval + 25) / 50 * 50));
            Click();
        });
    } catch (const std::exception &) {
        FTimerId = 0; // no timer to be had: the button clicks once
    }
}

void TKitCustomButton::StopRepeat()
{
    if (!FTimerId)
        return;
    const quint16 id = FTimerId;
    FTimerId = 0;
    if (TKitTimerItem *t = KitApplication()->GetTimer(id)) {
        t->OnTimer = nullptr;
        t->SetEnabled(false);
    }
    KitApplication()->RemoveTimer(id);
}

void TKitCustomButton::mouseReleaseEvent(QMouseEvent *e)
{
    QPushButton::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton)
        StopRepeat();
}

void TKitCustomButton::mouseDoubleClickEvent(QMouseEvent *e)
{
    // a double click is a second press
    mousePressEvent(e);
}

void TKitCustomButton::enterEvent(QEnterEvent *e)
{
    QPushButton::enterEvent(e);
    if (FDrawState == 0 && OnMouseEnter)
        OnMouseEnter(this);
    FMouseOver = true;
}

void TKitCustomButton::leaveEvent(QEvent *e)
{
    QPushButton::leaveEvent(e);
    if (OnMouseExit)
        OnMouseExit(this);
    FMouseOver = false;
    if (HideHint)
        QToolTip::hideText();
}

void TKitCustomButton::focusInEvent(QFocusEvent *e)
{
    QPushButton::focusInEvent(e);
    if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason && OnEnter)
        OnEnter(this);
}

void TKitCustomButton::focusOutEvent(QFocusEvent *e)
{
    QPushButton::focusOutEvent(e);
    if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason && OnExit)
        OnExit(this);
}

void TKitCustomButton::changeEvent(QEvent *e)
{
    QPushButton::changeEvent(e);
    if (e->type() == QEvent::FontChange && !FInFontChange)
        GetChange(this);
    else if (e->type() == QEvent::EnabledChange)
        update();
}

// ============================================================ TKitButton

void TKitButton::SetDropDownMenu(QMenu *v)
{
    if (v == FMenu)
        return;
    FMenu = v;
}

QPoint TKitButton::DropDownPoint() const
{
    if (DropDownRight)
        return mapToGlobal(QPoint(width(), DropDownIndent));
    return mapToGlobal(QPoint(DropDownIndent, height()));
}

void TKitButton::Click()
{
    if (!FMenu || FDropped) {
        TKitCustomButton::Click();
        return;
    }
    QPointer<TKitButton> guard(this);
    if (OnClick)
        OnClick(this);
    if (!guard || !FMenu)
        return;
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    setDown(true);
    FDropped = true;
    repaint();
    if (OnDropDown)
        OnDropDown(this);
    if (guard && FMenu)
        FMenu->exec(DropDownPoint());
    if (!guard)
        return;
    FDropped = false;
    setDown(false);
    update();
}
