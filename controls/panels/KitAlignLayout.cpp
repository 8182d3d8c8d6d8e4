#include "controls/panels/KitAlignLayout.h"

#include <QDebug>
#include <QEvent>
#include <QWidget>
#include <algorithm>

TKitAlignLayout::TKitAlignLayout(QWidget *parent) : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
    setSizeConstraint(QLayout::SetNoConstraint);
}

TKitAlignLayout::~TKitAlignLayout()
{
    for (Entry &e : m_items) {
        if (QWidget *w = e.item->widget())
            w->removeEventFilter(this);
        delete e.item;
    }
    m_items.clear();
}

TKitAlignLayout *TKitAlignLayout::of(QWidget *container)
{
    if (!container)
        return nullptr;
    if (QLayout *l = container->layout())
        return qobject_cast<TKitAlignLayout *>(l);
    return new TKitAlignLayout(container);
}

int TKitAlignLayout::indexOfWidget(const QWidget *w) const
{
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items[i].item->widget() == w)
            return i;
    return -1;
}

void TKitAlignLayout::setAlign(QWidget *child, TAlign align)
{
    if (!child)
        return;
    int i = indexOfWidget(child);
    if (align == alNone) {
        if (i >= 0) {
            child->removeEventFilter(this);
            delete m_items.takeAt(i).item;
            invalidate();
        }
        return;
    }
    if (i >= 0) {
        if (m_items[i].align != align) {
            m_items[i].align = align;
            invalidate();
        }
        return;
    }
    addChildWidget(child);
    m_items.append(Entry{new QWidgetItem(child), align, QRect()});
    child->installEventFilter(this);
    invalidate();
}

TAlign TKitAlignLayout::align(const QWidget *child) const
{
    int i = indexOfWidget(child);
    return i >= 0 ? m_items[i].align : alNone;
}

QRect TKitAlignLayout::alignRect() const
{
    QWidget *w = parentWidget();
    return w ? w->contentsRect() : QRect();
}

void TKitAlignLayout::realign()
{
    arrange(alignRect());
}

void TKitAlignLayout::addItem(QLayoutItem *item)
{
    // Items added through the plain QLayout interface fill the client area.
    if (item->widget())
        item->widget()->installEventFilter(this);
    m_items.append(Entry{item, alClient, QRect()});
    invalidate();
}

QLayoutItem *TKitAlignLayout::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items[index].item : nullptr;
}

QLayoutItem *TKitAlignLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    QLayoutItem *item = m_items.takeAt(index).item;
    if (QWidget *w = item->widget())
        w->removeEventFilter(this);
    invalidate();
    return item;
}

int TKitAlignLayout::count() const
{
    return int(m_items.size());
}

QSize TKitAlignLayout::sizeHint() const
{
    int w = 0, h = 0, clientW = 0, clientH = 0, sideH = 0;
    for (const Entry &e : m_items) {
        QWidget *wd = e.item->widget();
        if (!wd || wd->isHidden())
            continue;
        switch (e.align) {
        case alTop:
        case alBottom:
            h += wd->height();
            w = std::max(w, wd->width());
            break;
        case alLeft:
        case alRight:
            clientW += wd->width();
            sideH = std::max(sideH, wd->height());
            break;
        case alClient: {
            QSize s = wd->sizeHint().isValid() ? wd->sizeHint() : wd->size();
            clientW += s.width();
            clientH = std::max(clientH, s.height());
            break;
        }
        default:
            break;
        }
    }
    QMargins m = parentWidget() ? parentWidget()->contentsMargins() : QMargins();
    return QSize(std::max(w, clientW) + m.left() + m.right(), h + std::max(clientH, sideH) + m.top() + m.bottom());
}

QSize TKitAlignLayout::minimumSize() const
{
    return QSize(0, 0);
}

void TKitAlignLayout::setGeometry(const QRect &r)
{
    QLayout::setGeometry(r);
    arrange(r);
}

void TKitAlignLayout::arrange(const QRect &area)
{
    m_arranging = true;
    int left = area.x(), top = area.y(), right = area.x() + area.width(), bottom = area.y() + area.height();
    auto place = [&](Entry &e, int x, int y, int w, int h) {
        QRect g(x, y, std::max(0, w), std::max(0, h));
        e.placed = g;
        if (e.item->widget()->geometry() != g)
            e.item->widget()->setGeometry(g);
    };
    static const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign a : order) {
        for (Entry &e : m_items) {
            QWidget *w = e.item->widget();
            if (!w || e.align != a || w->isHidden())
                continue;
            switch (a) {
            case alTop: {
                int h = w->height();
                place(e, left, top, right - left, h);
                top += h;
                break;
            }
            case alBottom: {
                int h = w->height();
                place(e, left, bottom - h, right - left, h);
                bottom -= h;
                break;
            }
            case alLeft: {
                int wd = w->width();
                place(e, left, top, wd, bottom - top);
                left += wd;
                break;
            }
            case alRight: {
                int wd = w->width();
                place(e, right - wd, top, wd, bottom - top);
                right -= wd;
                break;
            }
            case alClient:
                place(e, left, top, right - left, bottom - top);
                break;
            default:
                break;
            }
        }
    }
    m_arranging = false;
}

bool TKitAlignLayout::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_arranging && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)) {
        // A docked child shown or hidden gives or takes its room at once.
        if (auto *w = qobject_cast<QWidget *>(watched); w && indexOfWidget(w) >= 0) {
            invalidate();
            realign();
        }
    }
    if (!m_arranging && event->type() == QEvent::Resize) {
        if (auto *w = qobject_cast<QWidget *>(watched)) {
            int i = indexOfWidget(w);
            if (i >= 0) {
                const Entry &e = m_items[i];
                bool changed = false;
                if (e.align == alTop || e.align == alBottom)
                    changed = w->height() != e.placed.height();
                else if (e.align == alLeft || e.align == alRight)
                    changed = w->width() != e.placed.width();
                if (changed) {
                    invalidate();
                    // Align at once so that a caller reading geometries right
                    // after a size change sees the new arrangement.
                    realign();
                }
            }
        }
    }
    return QLayout::eventFilter(watched, event);
}

void SetAlign(QWidget *child, TAlign align)
{
    if (!child)
        return;
    child->setProperty("Align", int(align));
    QWidget *parent = child->parentWidget();
    if (!parent)
        return;
    if (TKitAlignLayout *l = TKitAlignLayout::of(parent)) {
        l->setAlign(child, align);
        l->realign();
    } else if (align != alNone) {
        qWarning("SetAlign: %s already has a layout of another kind; dock into a plain container widget",
                 qPrintable(parent->objectName()));
    }
}

TAlign GetAlign(const QWidget *child)
{
    if (!child)
        return alNone;
    if (QWidget *parent = child->parentWidget())
        if (auto *l = qobject_cast<TKitAlignLayout *>(parent->layout()))
            return l->align(child);
    return TAlign(child->property("Align").toInt());
}

void RealignParent(QWidget *child)
{
    if (!child || !child->parentWidget())
        return;
    if (auto *l = qobject_cast<TKitAlignLayout *>(child->parentWidget()->layout()))
        if (l->align(child) != alNone)
            l->realign();
}

void SendToBack(QWidget *child)
{
    if (child)
        child->lower();
}

void BringToFront(QWidget *child)
{
    if (child)
        child->raise();
}
