#include "controls/edits/ExSpeedButton.h"

#include "controls/edits/CtlUtils.h"
#include "platform/EditGuard.h"
#include "controls/edits/HorizontalAlignment.h"

#include <QDialog>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>
#include <QTimer>

namespace {

constexpr int MarkWidth = 9;

bool isHorizontal(TButtonLayout l)
{
    return l == blGlyphLeft || l == blGlyphRight;
}

class FontMeasurer : public TextMeasurer
{
public:
    explicit FontMeasurer(const QFont &font) : m_metrics(font) {}
    int Width(const QString &text) const override { return m_metrics.horizontalAdvance(text); }
    QSize Extent(const QString &text, int roomWidth, bool wordWrap) const override
    {
        if (text.isEmpty())
            return QSize(0, 0);
        const int flags = Qt::AlignHCenter | Qt::AlignVCenter | (wordWrap ? Qt::TextWordWrap : 0);
        return m_metrics.boundingRect(QRect(0, 0, qMax(roomWidth, 1), 10000), flags, text).size();
    }

private:
    QFontMetrics m_metrics;
};

// A property setter's step: the new value is taken and shown when it differs.
template <class T> void repaintOnChange(QWidget *button, T &field, const T &v)
{
    if (field != v) {
        field = v;
        button->update();
    }
}

} // namespace

GlyphTextLayout LayoutGlyphAndText(const TRect &client, QSize glyph, const QString &caption, TButtonLayout layout,
                                   int margin, int spacing, bool dropDownMark, bool wordWrap, const TextMeasurer &m)
{
    GlyphTextLayout r;
    const int W = client.Width();
    const int H = client.Height();
    int gw = glyph.width(), gh = glyph.height();
    const bool hasGlyph = gw > 0 && gh > 0;

    // 1. room for the caption
    int roomW, roomH;
    if (isHorizontal(layout)) {
        roomW = W - gw;
        if (margin != -1)
            roomW -= margin;
        if (spacing != -1)
            roomW -= spacing;
        if (dropDownMark)
            roomW -= MarkWidth;
        roomH = H;
    } else {
        roomW = W;
        roomH = H - gh;
        if (margin != -1)
            roomH -= margin;
        if (spacing != -1)
            roomH -= spacing;
    }
    roomW = qMax(0, roomW);
    roomH = qMax(0, roomH);

    // 2. caption shortened to the room
    QString text = caption;
    if (!wordWrap) {
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString &line : lines)
            if (m.Width(line) > roomW)
                line = ShortenText(line, [&](const QString &s) { return m.Width(s); }, roomW);
        text = lines.join(QLatin1Char('\n'));
    }
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    text = text.left(255);
    r.Caption = text;

    // 3. caption size limited to the room
    QSize t = text.isEmpty() ? QSize(0, 0) : m.Extent(text, roomW, wordWrap);
    int tw = qMin(t.width(), roomW), th = qMin(t.height(), roomH);

    // 4. the drop-down mark
    if (dropDownMark) {
        if (!hasGlyph || layout == blGlyphLeft)
            tw += MarkWidth;
        else
            gw += 6;
    }

    // 5. cross axis
    QPoint gp, tp;
    if (!isHorizontal(layout)) {
        gp.setX(W / 2 - gw / 2);
        tp.setX(W / 2 - tw / 2);
    } else {
        gp.setY(H / 2 - gh / 2);
        tp.setY(H / 2 - th / 2);
    }

    // 6.-7. margin and spacing along the layout axis
    if (tw == 0 || gw == 0)
        spacing = 0;
    const int L = isHorizontal(layout) ? W : H;
    const int gl = isHorizontal(layout) ? gw : gh;
    const int tl = isHorizontal(layout) ? tw : th;
    if (margin == -1) {
        if (spacing == -1) {
            spacing = (L - gl - tl) / 3;
            margin = spacing;
        } else {
            margin = L / 2 - (spacing + gl + tl) / 2;
        }
    } else if (spacing == -1) {
        spacing = (L - margin - gl) / 2 - tl / 2;
    }

    // 8. positions
    switch (layout) {
    case blGlyphLeft:
        gp.setX(margin);
        tp.setX(margin + gw + spacing);
        break;
    case blGlyphRight:
        gp.setX(W - margin - gw);
        tp.setX(gp.x() - spacing - tw);
        break;
    case blGlyphTop:
        gp.setY(margin);
        tp.setY(margin + gh + spacing);
        break;
    case blGlyphBottom:
        gp.setY(H - margin - gh);
        tp.setY(gp.y() - spacing - th);
        break;
    }
    r.GlyphPos = gp + QPoint(client.Left, client.Top);
    r.TextBounds = Bounds(tp.x() + client.Left, tp.y() + client.Top, tw, th);
    return r;
}

TExSpeedButton::TExSpeedButton(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_Hover);
    resize(25, 25);
    FGlyph.OnChange = [this] { update(); };
}

TExSpeedButton::~TExSpeedButton() = default;

void TExSpeedButton::SetAlignment(TAlignment v)
{
    if (FGlyph.Alignment() != v) {
        FGlyph.SetAlignment(v);
        update();
    }
}

void TExSpeedButton::SetAllowAllUp(bool v)
{
    if (KitTakeNew(FAllowAllUp, v))
        GroupChanged();
}

void TExSpeedButton::SetAllowTimer(bool v)
{
    FAllowTimer = v;
    if (!v)
        StopTimer();
}

void TExSpeedButton::SetGroupIndex(int v)
{
    if (KitTakeNew(FGroupIndex, v))
        GroupChanged();
}

void TExSpeedButton::SetDown(bool v)
{
    if (FGroupIndex == 0)
        v = false;
    if (v == FDown)
        return;
    if (FDown && !FAllowAllUp)
        return;
    FDown = v;
    if (v) {
        if (FState == bsUp)
            update();
        FState = bsExclusive;
    } else {
        FState = bsUp;
        update();
    }
    if (v)
        GroupChanged();
}

void TExSpeedButton::GroupChanged()
{
    if (FGroupIndex == 0 || !parentWidget())
        return;
    for (QObject *o : parentWidget()->children())
        if (auto *b = qobject_cast<TExSpeedButton *>(o); b && b != this)
            b->ButtonPressed(this);
}

void TExSpeedButton::ButtonPressed(TExSpeedButton *sender)
{
    if (sender->FGroupIndex != FGroupIndex)
        return;
    if (sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        update();
    }
    FAllowAllUp = sender->FAllowAllUp;
}

void TExSpeedButton::SetDropDownMenu(QMenu *v)
{
    if (FDropDownMenu != v) {
        FDropDownMenu = v;
        if (FMarkDropDown)
            update();
    }
}

void TExSpeedButton::SetCaption(const QString &v)
{
    repaintOnChange(this, FCaption, v);
}

void TExSpeedButton::SetFlat(bool v)
{
    repaintOnChange(this, FFlat, v);
}

void TExSpeedButton::SetGlyph(const QImage &v)
{
    FGlyph.SetBitmap(v);
}

void TExSpeedButton::SetGrayedInactive(bool v)
{
    repaintOnChange(this, FGrayedInactive, v);
}

void TExSpeedButton::SetLayout(TButtonLayout v)
{
    repaintOnChange(this, FLayout, v);
}

void TExSpeedButton::SetMargin(int v)
{
    if (v != FMargin && v >= -1) {
        FMargin = v;
        update();
    }
}

void TExSpeedButton::SetMarkDropDown(bool v)
{
    repaintOnChange(this, FMarkDropDown, v);
}

void TExSpeedButton::SetNumGlyphs(int v)
{
    FGlyph.SetNumGlyphs(v);
}

void TExSpeedButton::SetSpacing(int v)
{
    repaintOnChange(this, FSpacing, v);
}

void TExSpeedButton::SetStyle(TButtonStyle v)
{
    repaintOnChange(this, FStyle, v);
}

void TExSpeedButton::SetTransparent(bool v)
{
    if (FTransparent != v) {
        FTransparent = v;
        setAttribute(Qt::WA_OpaquePaintEvent, !v);
        update();
    }
}

void TExSpeedButton::SetWordWrap(bool v)
{
    if (FGlyph.WordWrap() != v) {
        FGlyph.SetWordWrap(v);
        update();
    }
}

void TExSpeedButton::SetColor(TColor v)
{
    repaintOnChange(this, FColor, v);
}

void TExSpeedButton::SetFontColor(TColor v)
{
    repaintOnChange(this, FFontColor, v);
}

TButtonState TExSpeedButton::PaintedGlyphState() const
{
    TButtonState state = FState;
    if (!isEnabled())
        state = bsDisabled;
    const bool inactive = FFlat && !FMouseInControl;
    if (FGrayedInactive && state != bsDisabled && inactive)
        return bsInactive;
    return state;
}

void TExSpeedButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    PaintButton(p);
}

void TExSpeedButton::PaintButton(QPainter &p)
{
    if (!isEnabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
    const bool inactive = FFlat && !FMouseInControl;
    TRect r(0, 0, width(), height());
    FillRect(p, r, FColor);
    if (FTransparent)
        PaintParentBackground(this, p);

    const bool pressed = FState == bsDown || FState == bsExclusive;
    if (!inactive || FState == bsExclusive) {
        if (NewStyle()) {
            if (pressed) {
                DrawEdge(p, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
                if (!FFlat)
                    DrawEdge(p, r, BDR_SUNKENINNER, BF_RECT | BF_ADJUST);
            } else if (FFlat) {
                DrawEdge(p, r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
            } else {
                DrawEdge(p, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
            }
        } else {
            if (pressed) {
                FrameRect(p, r, clWindowFrame);
                InflateRect(r, -1, -1);
                if (!FFlat)
                    PolylineHV(p, {QPoint(r.Left, r.Bottom - 1), QPoint(r.Left, r.Top), QPoint(r.Right, r.Top)}, clBtnShadow);
                else
                    Frame3D(p, r, clWindowFrame, clBtnHighlight, 1);
            } else if (FFlat) {
                Frame3D(p, r, clBtnHighlight, clWindowFrame, 1);
            } else {
                FrameRect(p, r, clWindowFrame);
                InflateRect(r, -1, -1);
                Frame3D(p, r, clBtnHighlight, clBtnShadow, 1);
            }
        }
    } else {
        InflateRect(r, -2, -2);
    }
    if (FState == bsExclusive && !FTransparent && (!FFlat || inactive)) {
        QBrush dither(ColorToQColor(clBtnHighlight), Qt::Dense4Pattern);
        p.fillRect(r.toQRect(), dither);
    }
    if (pressed)
        OffsetRect(r, 1, 1);

    const bool mark = FMarkDropDown && FDropDownMenu;
    FontMeasurer measurer(font());
    const QSize gsize = FGlyph.GlyphSize();
    const GlyphTextLayout lay =
        LayoutGlyphAndText(r, gsize, FCaption, FLayout, FMargin, FSpacing, mark, FGlyph.WordWrap(), measurer);
    const QImage img = FGlyph.StateImage(PaintedGlyphState());
    if (!img.isNull())
        p.drawImage(lay.GlyphPos, img);
    if (!lay.Caption.isEmpty()) {
        int align = Qt::AlignVCenter | (FGlyph.WordWrap() ? Qt::TextWordWrap : 0);
        align |= int(HorizontalAlignment(FGlyph.Alignment(), layoutDirection()));
        QRect tr = lay.TextBounds.toQRect();
        if (mark && (gsize.isEmpty() || FLayout == blGlyphLeft))
            tr.setWidth(tr.width() - MarkWidth);
        p.setFont(font());
        if (FState == bsDisabled) {
            p.setPen(ColorToQColor(clBtnHighlight));
            p.drawText(tr.translated(1, 1), align, lay.Caption);
            p.setPen(ColorToQColor(clBtnShadow));
        } else {
            p.setPen(ColorToQColor(FFontColor));
        }
        p.drawText(tr, align, lay.Caption);
    }
    if (mark) {
        QPoint anchor;
        if (FLayout != blGlyphLeft && !gsize.isEmpty())
            anchor = QPoint(lay.GlyphPos.x() + gsize.width() + 1, lay.GlyphPos.y() + gsize.height() / 2);
        else if (!lay.Caption.isEmpty())
            anchor = QPoint(lay.TextBounds.Right - MarkWidth + 3, lay.TextBounds.Top + lay.TextBounds.Height() / 2);
        else
            anchor = QPoint(width() / 2 - 3, height() / 2);
        auto drawMark = [&](QPoint at, TColor c) {
            for (int row = 0; row < 4; ++row)
                PolylineHV(p, {QPoint(at.x() + row, at.y() - 1 + row), QPoint(at.x() + 7 - row, at.y() - 1 + row)}, c);
        };
        if (FState == bsDisabled) {
            drawMark(anchor + QPoint(1, 1), clBtnHighlight);
            drawMark(anchor, clBtnShadow);
        } else {
            drawMark(anchor, clBtnText);
        }
    }
}

void TExSpeedButton::mousePressEvent(QMouseEvent *e)
{
    if (OnMouseDown)
        RunEditHandler(QStringLiteral("TExSpeedButton.MouseDown"), [&] {
            OnMouseDown(this, e->button(), e->modifiers(), e->position().toPoint().x(), e->position().toPoint().y());
        });
    if (e->button() != Qt::LeftButton || !isEnabled() || FMenuTracking)
        return;
    FMouseInControl = true;
    if (!FDown) {
        FState = bsDown;
        repaint();
    }
    FDragging = true;
    if (FDropDownMenu) {
        QPointer<TExSpeedButton> self(this);
        FMenuTracking = true;
        QPoint at;
        const Qt::Alignment a = layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
        if (FMenuPosition == dmpBottom)
            at = a == Qt::AlignLeft ? QPoint(-1, height()) : QPoint(width() + 1, height());
        else
            at = a == Qt::AlignLeft ? QPoint(width(), -1) : QPoint(-1, -1);
        FDropDownMenu->exec(mapToGlobal(at));
        if (!self)
            return;
        FMenuTracking = false;
        FinishPress(false, true);
        return;
    }
    if (FAllowTimer) {
        if (!FRepeatTimer) {
            FRepeatTimer = new QTimer(this);
            connect(FRepeatTimer, &QTimer::timeout, this, [this] { TimerExpired(); });
        }
        FRepeatTimer->start(FInitPause);
    }
}

void TExSpeedButton::TimerExpired()
{
    FRepeatTimer->setInterval(FRepeatInterval);
    if (FState == bsDown && FDragging) {
        if (!RunEditHandler(QStringLiteral("TExSpeedButton.Repeat"), [this] { Click(); }))
            StopTimer();
    }
}

void TExSpeedButton::StopTimer()
{
    if (FRepeatTimer) {
        FRepeatTimer->stop();
        if (!FAllowTimer) {
            FRepeatTimer->deleteLater();
            FRepeatTimer = nullptr;
        }
    }
}

void TExSpeedButton::mouseMoveEvent(QMouseEvent *e)
{
    if (!FDragging)
        return;
    const bool inside = rect().contains(e->position().toPoint());
    TButtonState s = inside ? (FDown ? bsExclusive : bsDown) : (FDown ? bsExclusive : bsUp);
    if (s != FState) {
        FState = s;
        update();
    }
}

void TExSpeedButton::mouseReleaseEvent(QMouseEvent *e)
{
    const bool inside = rect().contains(e->position().toPoint());
    if (e->button() == Qt::LeftButton)
        FinishPress(inside, false);
    if (OnMouseUp)
        RunEditHandler(QStringLiteral("TExSpeedButton.MouseUp"), [&] {
            OnMouseUp(this, e->button(), e->modifiers(), e->position().toPoint().x(), e->position().toPoint().y());
        });
}

void TExSpeedButton::FinishPress(bool inside, bool fromMenu)
{
    StopTimer();
    if (!FDragging)
        return;
    FDragging = false;
    if (FGroupIndex == 0) {
        FState = bsUp;
        update();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown)
            update();
    } else {
        if (FDown)
            FState = bsExclusive;
        update();
    }
    if (inside && !fromMenu) {
        QPointer<TExSpeedButton> self(this);
        RunEditHandler(QStringLiteral("TExSpeedButton.Click"), [this] { Click(); });
        if (!self)
            return;
    }
    UpdateTracking();
}

void TExSpeedButton::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (FDown && OnDblClick)
        RunEditHandler(QStringLiteral("TExSpeedButton.DblClick"), [this] { OnDblClick(this); });
    else
        mousePressEvent(e);
}

void TExSpeedButton::Click()
{
    if (FModalResult != 0) {
        if (auto *dlg = qobject_cast<QDialog *>(window()))
            dlg->done(FModalResult);
    }
    if (OnClick)
        OnClick(this);
}

void TExSpeedButton::ButtonClick()
{
    if (FMenuTracking || !isEnabled() || FDropDownMenu)
        return;
    const TButtonState old = FState;
    FState = bsDown;
    repaint();
    QThread::msleep(20);
    QPointer<TExSpeedButton> self(this);
    if (FGroupIndex != 0)
        SetDown(!FDown);
    RunEditHandler(QStringLiteral("TExSpeedButton.Click"), [this] { Click(); });
    if (!self)
        return;
    FState = FDown ? bsExclusive : (old == bsDisabled ? bsDisabled : bsUp);
    update();
}

void TExSpeedButton::enterEvent(QEnterEvent *)
{
    if (!isEnabled())
        return;
    FMouseInControl = true;
    if (FFlat)
        update();
    if (OnMouseEnter)
        RunEditHandler(QStringLiteral("TExSpeedButton.MouseEnter"), [this] { OnMouseEnter(this); });
}

void TExSpeedButton::leaveEvent(QEvent *)
{
    if (FDragging)
        return;
    FMouseInControl = false;
    if (FFlat)
        update();
    if (OnMouseLeave)
        RunEditHandler(QStringLiteral("TExSpeedButton.MouseLeave"), [this] { OnMouseLeave(this); });
}

void TExSpeedButton::UpdateTracking()
{
    const bool inside = isVisible() && isEnabled() && rect().contains(mapFromGlobal(QCursor::pos()));
    if (inside != FMouseInControl) {
        FMouseInControl = inside;
        if (FFlat)
            update();
    }
}

void TExSpeedButton::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::EnabledChange) {
        FGlyph.Invalidate();
        UpdateTracking();
        update();
    } else if (e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange) {
        FGlyph.Invalidate();
    }
    QWidget::changeEvent(e);
}
