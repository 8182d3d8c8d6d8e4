#include "controls/panels/KitGroup.h"

#include <QEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

#include <cmath>

// ======================================================== button control

TKitButtonControl::TKitButtonControl(QWidget *parent)
    : TKitCustomPanel(parent), FAlignment(new TKitGlyphTextLayout(this)), FFont3D(new TKit3DCaption(this))
{
    FAlignment->SetSpacing(4);
    FAlignment->OnChange = [this](QObject *) { Refresh(); };
    FFont3D->OnChange = [this](QObject *) { Refresh(); };
    resize(105, 17);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

TKitButtonControl::~TKitButtonControl()
{
    FAlignment->OnChange = nullptr;
    FFont3D->OnChange = nullptr;
}

void TKitButtonControl::SetFlag(int index, bool v)
{
    if (index < 0 || index > 2 || FFlags[index] == v)
        return;
    FFlags[index] = v;
    switch (index) {
    case 0: ResizeToContent(); break;
    case 1: update(); break;
    default:
        if (NoImage())
            BuildGlyphStrip();
        break;
    }
}

void TKitButtonControl::SetGlyphSize(int v)
{
    if (v == FGlyphSize || v < 1 || v > 255)
        return;
    FGlyphSize = v;
    if (NoImage())
        BuildGlyphStrip();
}

void TKitButtonControl::SetGlyphTransparentColor(TColor v)
{
    if (KitTakeNew(FGlyphTransparentColor, v))
        Refresh();
}

void TKitButtonControl::SetFocusStyle(TKitGlyphTextFocusStyle v)
{
    if (KitTakeNew(FFocusStyle, v) && Focused())
        Refresh();
}

void TKitButtonControl::SetFocusColor(TColor v)
{
    if (KitTakeNew(FFocusColor, v) && Focused())
        Refresh();
}

void TKitButtonControl::SetUseFocusColor(bool v)
{
    if (KitTakeNew(FUseFocusColor, v) && Focused())
        Refresh();
}

void TKitButtonControl::BuildGlyphStrip()
{
    if (!NoImage())
        FStrip = KitSourceImage(ImageList(), ListIndex(), ImageIndex()).convertToFormat(QImage::Format_RGB32);
    else
        DrawOwnGlyphStrip(devicePixelRatioF());
    Refresh();
}

void TKitButtonControl::DrawOwnGlyphStrip(qreal dpr)
{
    // Drawn at the pixel ratio it is shown at: a 13-pixel check scaled up
    // from 1x is blurred on a high-density display.
    dpr = std::max<qreal>(dpr, 1);
    const int cells = CellsInStrip();
    FStrip = QImage(int(std::ceil(FGlyphSize * cells * dpr)), int(std::ceil(FGlyphSize * dpr)), QImage::Format_RGB32);
    FStrip.setDevicePixelRatio(dpr);
    FStrip.fill(ColorToQColor(StripBackground()));
    QPainter p(&FStrip);
    for (int c = 0; c < cells; ++c) {
        p.save();
        p.translate(c * FGlyphSize, 0);
        DrawOwnGlyphs(p, c);
        p.restore();
    }
}

int TKitButtonControl::GlyphCellWidth() const
{
    const int cells = CellsInStrip();
    return cells > 0 ? int(FStrip.deviceIndependentSize().width()) / cells : 0;
}

void TKitButtonControl::ImageListChanged(QObject *Sender)
{
    BuildGlyphStrip();
    TKitCustomPanel::ImageListChanged(Sender);
}

void TKitButtonControl::Refresh()
{
    if (FFlags[0])
        ResizeToContent();
    update();
}

TRect TKitButtonControl::ContentArea() const
{
    TRect r = ClientRect();
    r.Left += 1;
    return r;
}

TRect TKitButtonControl::DrawContent(QPainter &p, bool Real, const TRect &R, int GlyphOverride)
{
    p.setFont(font());
    unsigned flags = isEnabled() ? unsigned(KitGtEnabled) : 0u;
    if (Real) {
        switch (FFocusStyle) {
        case fcText: flags |= KitGtFocusText; break;
        case fcGlyph: flags |= KitGtFocusGlyph; break;
        case fcGlyphText: flags |= KitGtFocusBoth; break;
        default: break;
        }
    } else {
        flags |= KitGtMeasure;
    }
    if (Real && NoImage() && FStrip.devicePixelRatio() != PaintPixelRatio(p))
        DrawOwnGlyphStrip(PaintPixelRatio(p));
    QImage cell;
    const int cw = GlyphCellWidth();
    if (cw > 0) {
        const int idx = GlyphImageIndex(GlyphOverride);
        const qreal dpr = FStrip.devicePixelRatio();
        cell = FStrip.copy(int(std::lround(idx * cw * dpr)), 0, int(std::lround(cw * dpr)), FStrip.height());
        cell.setDevicePixelRatio(dpr);
    }
    TRect used;
    const TRect focus = DrawGlyphText(p, Caption(), FFont3D, flags, false, FAlignment, cell, FFlags[1],
                                      FGlyphTransparentColor, R, FontColor(), &used);
    if (!Real)
        return used;
    if (Focused() && FFocusStyle != fcNone) {
        const TRect fr = FFocusStyle == fcControl ? ClientRect() : focus;
        if (FUseFocusColor) {
            p.save();
            QPen pen(ColorToQColor(FFocusColor));
            pen.setStyle(Qt::DotLine);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(fr.Left, fr.Top, fr.Width() - 1, fr.Height() - 1);
            p.restore();
        } else {
            DrawFocusRect(p, fr);
        }
    }
    return focus;
}

TRect TKitButtonControl::ContentRect()
{
    QImage scratch(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    QPainter p(&scratch);
    return DrawContent(p, false, ContentArea(), 0);
}

void TKitButtonControl::Paint(QPainter &p)
{
    if (UseBitmap) {
        const qreal dpr = PaintPixelRatio(p);
        QImage buf(std::max(1, int(std::ceil(width() * dpr))), std::max(1, int(std::ceil(height() * dpr))),
                   QImage::Format_ARGB32_Premultiplied);
        buf.setDevicePixelRatio(dpr);
        QPainter bp(&buf);
        FillBackgroundRect(bp, ClientRect());
        DrawContent(bp, true, ContentArea(), 0);
        bp.end();
        p.drawImage(0, 0, buf);
        return;
    }
    PaintBackground(p);
    DrawContent(p, true, ContentArea(), 0);
}

void TKitButtonControl::ResizeToContent()
{
    if (!FFlags[0] || FSizing)
        return;
    FSizing = true;
    const TNotifyEvent handler = FAlignment->OnChange;
    FAlignment->OnChange = nullptr;
    const TKitAlignment old = FAlignment->Alignment();
    FAlignment->SetAlignment(agTopLeft);
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter p(&scratch);
    const TRect used = DrawContent(p, false, TRect(0, 0, 10000, 10000), 0);
    p.end();
    resize(used.Right, used.Bottom);
    FAlignment->SetAlignment(old);
    FAlignment->OnChange = handler;
    FSizing = false;
}

void TKitButtonControl::TextChanged()
{
    if (FShortcutId)
        releaseShortcut(FShortcutId);
    FShortcutId = 0;
    const QKeySequence seq = QKeySequence::mnemonic(Caption());
    if (!seq.isEmpty())
        FShortcutId = grabShortcut(seq);
    Refresh();
}

void TKitButtonControl::FontChanged()
{
    Refresh();
}

void TKitButtonControl::changeEvent(QEvent *e)
{
    TKitCustomPanel::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        Refresh();
}

void TKitButtonControl::resizeEvent(QResizeEvent *e)
{
    TKitCustomPanel::resizeEvent(e);
    update();
}

void TKitButtonControl::DoEnter()
{
    TKitCustomPanel::DoEnter();
    update();
}

void TKitButtonControl::DoExit()
{
    TKitCustomPanel::DoExit();
    update();
}

bool TKitButtonControl::TakeFocusOnPress()
{
    if (Focused() || focusPolicy() == Qt::NoFocus)
        return true;
    FClicksDisabled = true;
    setFocus(Qt::MouseFocusReason);
    FClicksDisabled = false;
    return Focused();
}

void TKitButtonControl::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && !TakeFocusOnPress()) {
        e->accept();
        return; // the focus did not arrive: drop the press
    }
    TKitCustomPanel::mousePressEvent(e);
}

void TKitButtonControl::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && !TakeFocusOnPress()) {
        e->accept();
        return;
    }
    // a double click counts as a second press and click
    TKitCustomPanel::mousePressEvent(e);
}

bool TKitButtonControl::event(QEvent *e)
{
    if (e->type() == QEvent::Shortcut) {
        auto *se = static_cast<QShortcutEvent *>(e);
        if (se->shortcutId() == FShortcutId) {
            if (isEnabled() && isVisible())
                Accelerator();
            return true;
        }
    }
    return TKitCustomPanel::event(e);
}

void TKitButtonControl::SetAction(QAction *Action)
{
    delete FActionLink;
    FActionLink = nullptr;
    if (!Action)
        return;
    FActionLink = new TKitButtonActionLink(this, Action);
    connect(Action, &QAction::changed, FActionLink, [this] { ActionChanged(false); });
    ActionChanged(true);
}

void TKitButtonControl::ActionChanged(bool CheckDefaults)
{
    QAction *a = Action();
    if (!a)
        return;
    SetCaption(a->text());
    setEnabled(a->isEnabled());
    if (a->isCheckable() && !(CheckDefaults && Checked())) {
        FClicksDisabled = true;
        SetChecked(a->isChecked());
        FClicksDisabled = false;
    }
}

TKitButtonActionLink::TKitButtonActionLink(TKitButtonControl *Client, QAction *Action)
    : QObject(Client), FClient(Client), FAction(Action)
{
}

bool TKitButtonActionLink::IsCheckedLinked() const
{
    return FAction && FAction->isCheckable() && FClient->Checked() == FAction->isChecked();
}

void TKitButtonActionLink::SetChecked(bool Value)
{
    if (!IsCheckedLinked())
        return;
    FClient->FClicksDisabled = true;
    FClient->SetChecked(Value);
    FClient->FClicksDisabled = false;
}

// ============================================================= check box

TKitCustomCheckBox::TKitCustomCheckBox(QWidget *parent) : TKitButtonControl(parent)
{
    SetTabStop(true);
    SetGlyphTransparent(false);
    BuildGlyphStrip();
}

void TKitCustomCheckBox::SetGlyphNumber(int v)
{
    if (v <= 0)
        v = 1;
    if (v > 3)
        v = 3;
    if (KitTakeNew(FGlyphNumber, v))
        BuildGlyphStrip();
}

void TKitCustomCheckBox::SetState(TCheckBoxState v)
{
    if (KitTakeNew(FState, v))
        update();
}

void TKitCustomCheckBox::SetChecked(bool v)
{
    if (v == Checked())
        return;
    SetState(v ? cbChecked : cbUnchecked);
}

int TKitCustomCheckBox::GlyphImageIndex(int) const
{
    return (isEnabled() ? 0 : 1) + std::min(FGlyphNumber - 1, int(EffectiveState())) * 2;
}

void TKitCustomCheckBox::Toggle()
{
    const TCheckBoxState old = FState;
    switch (FState) {
    case cbUnchecked: SetState(AllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
    if (FState != old && OnChange)
        OnChange(this);
}

void TKitCustomCheckBox::Click()
{
    if (FClicksDisabled)
        return;
    if (CanChange())
        Toggle();
    TKitButtonControl::Click();
}

void TKitCustomCheckBox::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    TKitButtonControl::KeyDown(Key, Shift);
    if (Key == VK_SPACE && Focused() && CanChange())
        Toggle();
}

void TKitCustomCheckBox::Accelerator()
{
    if (focusPolicy() == Qt::NoFocus)
        return;
    SetFocus();
    if (Focused() && CanChange())
        Toggle();
}

void TKitCustomCheckBox::DrawOwnGlyphs(QPainter &p, int cell)
{
    const int s = GlyphSize();
    const bool inactive = cell % 2 == 1;
    const int kind = cell / 2; // 0 unchecked, 1 checked, 2 three-state
    TRect r(0, 0, s, s);
    if (GlyphFlat()) {
        FrameRect(p, r, clBtnShadow);
        InflateRect(r, -1, -1);
    } else {
        DrawEdge(p, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    FillRect(p, r, inactive || kind == 2 ? clBtnFace : clWindow);
    if (kind == 0)
        return;
    const TColor mark = inactive || kind == 2 ? clBtnShadow : clWindowText;
    // the tick: a 7-pixel wide, 3-pixel thick V
    const int x0 = r.Left + (r.Width() - 7) / 2, y0 = r.Top + (r.Height() - 7) / 2 + 2;
    for (int i = 0; i < 7; ++i) {
        const int yy = i <= 2 ? y0 + i : y0 + 4 - i;
        FillRect(p, TRect(x0 + i, yy, x0 + i + 1, yy + 3), mark);
    }
}

// ========================================================== radio button

TKitRadioButton::TKitRadioButton(QWidget *parent) : TKitButtonControl(parent)
{
    SetTabStop(false);
    SetGlyphTransparent(true);
    BuildGlyphStrip();
}

void TKitRadioButton::SetChecked(bool v)
{
    if (v == FChecked)
        return;
    FChecked = v;
    SetTabStop(v);
    if (v && parentWidget()) {
        for (QObject *o : parentWidget()->children())
            if (auto *rb = qobject_cast<TKitRadioButton *>(o); rb && rb != this)
                rb->SetChecked(false);
    }
    update();
}

int TKitRadioButton::GlyphImageIndex(int Override) const
{
    const int dis = isEnabled() ? 0 : 1;
    if (Override > 0)
        return dis + (Override - 1) * 2;
    return (FChecked ? 2 : 0) + dis;
}

void TKitRadioButton::DoEnter()
{
    if (!FChecked && !ReadOnly)
        SetChecked(true);
    TKitButtonControl::DoEnter();
}

void TKitRadioButton::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    TKitButtonControl::KeyDown(Key, Shift);
    if (Key != VK_UP && Key != VK_DOWN && Key != VK_LEFT && Key != VK_RIGHT)
        return;
    if (!parentWidget())
        return;
    // arrows move the focus (and the check) within the parent's radio buttons
    QList<TKitRadioButton *> group;
    for (QObject *o : parentWidget()->children())
        if (auto *rb = qobject_cast<TKitRadioButton *>(o); rb && rb->isVisible() && rb->isEnabled())
            group << rb;
    const int me = group.indexOf(this);
    if (me < 0 || group.size() < 2)
        return;
    const int step = Key == VK_UP || Key == VK_LEFT ? -1 : 1;
    TKitRadioButton *next = group[(me + step + group.size()) % group.size()];
    next->setFocus(Qt::TabFocusReason);
    Key = 0;
}

TRect TKitRadioButton::ContentArea() const
{
    TRect r = TKitButtonControl::ContentArea();
    r.Bottom -= 1;
    return r;
}

void TKitRadioButton::Accelerator()
{
    SetFocus();
}

void TKitRadioButton::DrawOwnGlyphs(QPainter &p, int cell)
{
    const int s = GlyphSize();
    const bool inactive = cell % 2 == 1;
    const bool checked = cell >= 2;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(ColorToQColor(clBtnShadow));
    p.setBrush(ColorToQColor(inactive ? clBtnFace : clWindow));
    p.drawEllipse(0, 0, s - 1, s - 1);
    if (GlyphFlat() == false) {
        p.setPen(ColorToQColor(clBtnHighlight));
        p.drawArc(0, 0, s - 1, s - 1, -135 * 16, 180 * 16);
    }
    if (checked) {
        const int d = std::max(2, s / 3);
        p.setPen(Qt::NoPen);
        p.setBrush(ColorToQColor(inactive ? clBtnShadow : clWindowText));
        p.drawEllipse((s - d) / 2, (s - d) / 2, d, d);
    }
    p.restore();
}

QImage KitSourceImage(const TKitImageSource *List, int ListIndex, int ImageIndex)
{
    if (auto *src = dynamic_cast<const TKitImageCopier *>(List))
        return src->CopyImage(ListIndex, ImageIndex);
    return {};
}
