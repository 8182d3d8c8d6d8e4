#include "controls/panels/KitComboBox.h"

#include "controls/panels/KitApplication.h"
#include "controls/panels/KitControl.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QWheelEvent>

// Items of the recent-entries list are taller and the last one is underlined
// by a double line in the dropped list.
class TKitComboDelegate : public QStyledItemDelegate
{
public:
    explicit TKitComboDelegate(TKitCustomComboBox *combo) : QStyledItemDelegate(combo), FCombo(combo) {}
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        if (FCombo->FMRUList)
            s.setHeight(FCombo->FItemHeight + 4);
        else // Korean glyphs fill the whole em: leave them room above and below
            s.setHeight(std::max(s.height(), QFontMetrics(option.font).height() + 4));
        return s;
    }
    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(p, option, index);
        if (FCombo->FMRUList && FCombo->FMRUCount > 0 && index.row() == FCombo->FMRUCount - 1) {
            const QRect r = option.rect;
            p->save();
            p->setPen(Qt::black);
            p->drawLine(r.left(), r.bottom() - 3, r.right(), r.bottom() - 3);
            p->drawLine(r.left(), r.bottom() - 1, r.right(), r.bottom() - 1);
            p->restore();
        }
    }

private:
    TKitCustomComboBox *FCombo;
};

// ================================================================= items

int TKitComboItems::Count() const
{
    return FOwner->count();
}

QString TKitComboItems::Strings(int Index) const
{
    return FOwner->itemText(Index);
}

void TKitComboItems::SetStrings(int Index, const QString &S)
{
    FOwner->setItemText(Index, S);
}

QObject *TKitComboItems::Objects(int Index) const
{
    return FOwner->itemData(Index).value<QObject *>();
}

int TKitComboItems::Add(const QString &S, QObject *Object)
{
    const int at = FOwner->FSorted ? FOwner->SortedPosition(S) : Count();
    Insert(at, S, Object);
    return at;
}

void TKitComboItems::Insert(int Index, const QString &S, QObject *Object)
{
    Index = std::clamp(Index, 0, Count());
    FOwner->insertItem(Index, S, Object ? QVariant::fromValue(Object) : QVariant());
}

void TKitComboItems::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    FOwner->removeItem(Index);
    if (Index < FOwner->FMRUCount)
        --FOwner->FMRUCount;
}

void TKitComboItems::Clear()
{
    FOwner->clear();
    FOwner->FMRUCount = 0;
}

int TKitComboItems::IndexOf(const QString &S) const
{
    for (int i = 0; i < Count(); ++i)
        if (Strings(i).compare(S, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TKitComboItems::Assign(const QStringList &List)
{
    Clear();
    for (const QString &s : List)
        Add(s);
}

QStringList TKitComboItems::ToStringList() const
{
    QStringList out;
    for (int i = 0; i < Count(); ++i)
        out << Strings(i);
    return out;
}

// ============================================================= combo box

TKitCustomComboBox::TKitCustomComboBox(QWidget *parent) : QComboBox(parent), FItems(this)
{
    setItemDelegate(new TKitComboDelegate(this));
    setInsertPolicy(QComboBox::NoInsert);
    setFocusPolicy(Qt::StrongFocus);
    ApplyStyle();
    // A filled list keeps "nothing chosen" until a choice is made.
    connect(model(), &QAbstractItemModel::rowsAboutToBeInserted, this, [this](const QModelIndex &, int, int) {
        FInsertingFirst = count() == 0 && currentIndex() < 0;
        if (FInsertingFirst)
            FKeepText = lineEdit() ? lineEdit()->text() : QString();
    });
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int, int) {
        if (FInsertingFirst && currentIndex() >= 0) {
            const bool b = blockSignals(true);
            setCurrentIndex(-1);
            if (lineEdit())
                lineEdit()->setText(FKeepText);
            blockSignals(b);
        }
        FInsertingFirst = false;
    });
    connect(this, QOverload<int>::of(&QComboBox::activated), this, [this](int index) { UserChose(index); });
    try {
        FTimerId = KitApplication()->AddTimer(1500, [this](QObject *) { SearchComplete(); });
    } catch (const std::exception &) {
        FTimerId = 0; // every application timer in use: no incremental search
    }
    if (TKitTimerItem *t = KitApplication()->GetTimer(FTimerId))
        t->SetEnabled(false);
}

TKitCustomComboBox::~TKitCustomComboBox()
{
    if (FTimerId) {
        if (TKitTimerItem *t = KitApplication()->GetTimer(FTimerId))
            t->OnTimer = nullptr;
        KitApplication()->RemoveTimer(FTimerId);
    }
}

void TKitCustomComboBox::ApplyStyle()
{
    const bool editable = FStyle == csDropDown || FStyle == csSimple;
    if (editable != isEditable()) {
        const QString keep = Text();
        const int index = currentIndex();
        const bool b = blockSignals(true);
        if (!editable && lineEdit()) {
            // The edit part is deleted later; its focus proxy is the combo
            // box, so its deletion would take away a focus the combo box has
            // got by then.
            lineEdit()->setFocusProxy(nullptr);
        }
        setEditable(editable);
        if (editable) {
            setCompleter(nullptr); // completion is the kit's own incremental search
            lineEdit()->installEventFilter(this);
            lineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
            connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString &) {
                if (OnChange)
                    OnChange(this);
            });
            lineEdit()->setText(index >= 0 ? itemText(index) : keep);
        }
        setCurrentIndex(index);
        blockSignals(b);
    }
}

void TKitCustomComboBox::SetStyle(TComboBoxStyle v)
{
    if (KitTakeNew(FStyle, v))
        ApplyStyle();
}

void TKitCustomComboBox::SetItemIndex(int Index)
{
    if (Index < -1 || Index >= count())
        Index = -1;
    setCurrentIndex(Index);
    if (Index < 0 && lineEdit())
        lineEdit()->clear();
}

QString TKitCustomComboBox::Text() const
{
    if (lineEdit())
        return lineEdit()->text();
    return currentIndex() >= 0 ? itemText(currentIndex()) : QString();
}

void TKitCustomComboBox::SetText(const QString &S)
{
    if (lineEdit()) {
        const int i = findText(S, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        if (i >= 0)
            setCurrentIndex(i);
        lineEdit()->setText(S);
        return;
    }
    // a drop-down list can only show one of its items
    setCurrentIndex(findText(S, Qt::MatchFixedString));
}

int TKitCustomComboBox::SortedPosition(const QString &S) const
{
    int i = FMRUCount;
    while (i < count() && itemText(i).compare(S, Qt::CaseInsensitive) <= 0)
        ++i;
    return i;
}

void TKitCustomComboBox::SetSorted(bool v)
{
    if (v == FSorted)
        return;
    FSorted = v;
    if (!v || count() < 2)
        return;
    const QString cur = currentIndex() >= 0 ? itemText(currentIndex()) : QString();
    const int curIndex = currentIndex();
    QList<QPair<QString, QVariant>> rest;
    for (int i = FMRUCount; i < count(); ++i)
        rest << qMakePair(itemText(i), itemData(i));
    std::stable_sort(rest.begin(), rest.end(),
                     [](const auto &a, const auto &b) { return a.first.compare(b.first, Qt::CaseInsensitive) < 0; });
    const bool b = blockSignals(true);
    for (int i = 0; i < rest.size(); ++i) {
        setItemText(FMRUCount + i, rest[i].first);
        setItemData(FMRUCount + i, rest[i].second);
    }
    if (curIndex >= FMRUCount)
        setCurrentIndex(findText(cur, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    blockSignals(b);
}

void TKitCustomComboBox::SetMaxLength(int v)
{
    FMaxLength = std::max(0, v);
    if (lineEdit())
        lineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

bool TKitCustomComboBox::Focused() const
{
    if (hasFocus())
        return true;
    const QWidget *win = window();
    return !win->isActiveWindow() && win->focusWidget() == this;
}

void TKitCustomComboBox::SetCtl3D(bool v)
{
    FCtl3D = v;
    update();
}

void TKitCustomComboBox::SetColor(TColor v)
{
    FColor = v;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ColorToQColor(v));
    setPalette(pal);
}

void TKitCustomComboBox::SetDropDownWidth(int v)
{
    if (KitTakeNew(FDropDownWidth, v))
        view()->setMinimumWidth(std::max(0, v));
}

void TKitCustomComboBox::SetFlat(bool v)
{
    if (KitTakeNew(FFlat, v))
        update();
}

bool TKitCustomComboBox::FlatLookShown() const
{
    if (!FFlat)
        return false;
    if (FLeaving)
        return true;
    return !FMouseOver && !Focused() && !FEditFocused;
}

void TKitCustomComboBox::SetMRUList(bool v)
{
    if (v == FMRUList)
        return;
    FMRUList = v;
    if (v) {
        FStyle = csOwnerDrawFixed;
        ApplyStyle();
    } else {
        DropMRUItems(0, true);
    }
}

void TKitCustomComboBox::SetMRUMax(int v)
{
    if (KitTakeNew(FMRUMax, v))
        DropMRUItems(std::max(0, FMRUMax), false);
}

void TKitCustomComboBox::DropMRUItems(int keep, bool fromTop)
{
    const bool b = blockSignals(true);
    while (FMRUCount > keep) {
        removeItem(fromTop ? 0 : FMRUCount - 1);
        --FMRUCount;
    }
    blockSignals(b);
}

void TKitCustomComboBox::SetSearch(bool v)
{
    if (v == FSearch)
        return;
    FSearch = v;
    if (!FSorted)
        SetSorted(true);
    if (FSearch)
        StopSearch();
}

void TKitCustomComboBox::StopSearch()
{
    if (TKitTimerItem *t = KitApplication()->GetTimer(FTimerId))
        t->SetEnabled(false);
}

void TKitCustomComboBox::RestartSearch(int interval)
{
    TKitTimerItem *t = KitApplication()->GetTimer(FTimerId);
    if (!t)
        return;
    t->SetEnabled(false);
    t->SetInterval(interval);
    t->SetEnabled(true);
}

void TKitCustomComboBox::SearchComplete()
{
    if (FSorted) {
        const QString text = Text();
        int found = -1;
        if (!text.isEmpty())
            for (int i = 0; i < count(); ++i)
                if (itemText(i).left(text.size()) == text) {
                    found = i;
                    break;
                }
        if (found >= 0) {
            QLineEdit *le = lineEdit();
            const int caret = le ? le->cursorPosition() : 0;
            const bool b = blockSignals(true);
            setCurrentIndex(found);
            blockSignals(b);
            if (le) {
                le->setText(itemText(found));
                le->setSelection(le->text().size(), caret - le->text().size());
            }
        }
    }
    StopSearch();
}

void TKitCustomComboBox::MoveFocusOn()
{
    if (!FFocusControl)
        return;
    if (FFocusControl->window() != window())
        FEditFocused = false;
    FFocusControl->setFocus(Qt::OtherFocusReason);
    // the leaving look
    if (!FMouseOver && !FEditFocused) {
        FLeaving = true;
        update();
        FLeaving = false;
    }
}

void TKitCustomComboBox::UserChose(int index)
{
    QPointer<TKitCustomComboBox> guard(this);
    if (lineEdit() && index >= 0)
        lineEdit()->setText(itemText(index));
    if (OnClick)
        OnClick(this);
    if (guard && OnChange)
        OnChange(this);
    if (guard && OnSelect)
        OnSelect(this);
    if (!guard)
        return;
    if (FMRUList && index >= 0 && index < count() && FMRUMax > 0) {
        const QString text = itemText(index);
        const QVariant data = itemData(index);
        int recent = -1;
        for (int i = 0; i < FMRUCount; ++i)
            if (itemText(i) == text) {
                recent = i;
                break;
            }
        const bool b = blockSignals(true);
        if (recent >= 0) {
            setCurrentIndex(recent);
        } else {
            if (FMRUCount >= FMRUMax)
                removeItem(FMRUCount - 1);
            else
                ++FMRUCount;
            insertItem(0, text, data);
            setCurrentIndex(0);
        }
        blockSignals(b);
    }
    if (!FClosingPopup && !FDropped && !FNavigating)
        MoveFocusOn();
}

void TKitCustomComboBox::paintEvent(QPaintEvent *e)
{
    QComboBox::paintEvent(e);
    QPainter p(this);
    TRect r(0, 0, width(), height());
    if (FlatLookShown()) {
        FrameRect(p, r, clBtnFace);
        InflateRect(r, -1, -1);
        FrameRect(p, r, clBtnFace);
        InflateRect(r, -1, -1);
        FrameRect(p, r, clWindow);
    } else if (FFlat) {
        FrameRect(p, TRect(1, 1, r.Right, r.Bottom), clWindowFrame);
        FrameRect(p, TRect(0, 0, r.Right - 1, r.Bottom - 1), clBtnFace);
        TRect e2 = r;
        DrawEdge(p, e2, BDR_SUNKENOUTER, BF_RECT);
    }
}

void TKitCustomComboBox::keyPressEvent(QKeyEvent *e)
{
    QPointer<TKitCustomComboBox> guard(this);
    int vk = 0;
    if (!KeyDownPasses(this, e, vk))
        return;
    FNavigating = vk == VK_PRIOR || vk == VK_NEXT || (vk >= VK_LEFT && vk <= VK_DOWN);
    if (!KeyPressPasses(this, e))
        return;
    if ((vk == VK_RETURN) && FFocusControl) {
        MoveFocusOn();
        e->accept();
        return;
    }
    QComboBox::keyPressEvent(e);
    if (!guard)
        return;
    StopSearch();
    if (FSearch) {
        if (vk == VK_BACK || vk == VK_DELETE)
            RestartSearch(Interval + 1000);
        else if (vk > 31 || (vk == 0 && !e->text().isEmpty()))
            RestartSearch(Interval);
    }
}

void TKitCustomComboBox::keyReleaseEvent(QKeyEvent *e)
{
    RunKeyUp(this, e);
    QComboBox::keyReleaseEvent(e);
}

void TKitCustomComboBox::mousePressEvent(QMouseEvent *e)
{
    FNavigating = false;
    QComboBox::mousePressEvent(e);
}

void TKitCustomComboBox::wheelEvent(QWheelEvent *e)
{
    // The wheel steps through the items only of the combo box that has the
    // focus; over any other it is left to the window (a list beneath scrolls
    // and no choice changes unseen).
    if (!hasFocus()) {
        e->ignore();
        return;
    }
    QComboBox::wheelEvent(e);
}

void TKitCustomComboBox::focusInEvent(QFocusEvent *e)
{
    QComboBox::focusInEvent(e);
    if (lineEdit())
        FEditFocused = true;
    update();
    // Coming back with the window (or from the list) is no new entry; the
    // first focus of a newly shown window is.
    const bool windowReason = e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
    if (windowReason && FEntered)
        return;
    FEntered = true;
    if (OnEnter)
        OnEnter(this);
}

void TKitCustomComboBox::focusOutEvent(QFocusEvent *e)
{
    QComboBox::focusOutEvent(e);
    if (e->reason() == Qt::PopupFocusReason)
        return;
    FEditFocused = false;
    if (!FMouseOver) {
        FLeaving = true;
        repaint();
        FLeaving = false;
    }
    if (FSearch)
        StopSearch();
    if (e->reason() != Qt::ActiveWindowFocusReason && FEntered) {
        FEntered = false;
        if (OnExit)
            OnExit(this);
    }
}

void TKitCustomComboBox::enterEvent(QEnterEvent *e)
{
    QComboBox::enterEvent(e);
    FMouseOver = true;
    if (FFlat && !Focused())
        update();
}

void TKitCustomComboBox::leaveEvent(QEvent *e)
{
    QComboBox::leaveEvent(e);
    FMouseOver = false;
    if (FFlat && !Focused() && !FDropped && !FEditFocused)
        update();
}

bool TKitCustomComboBox::eventFilter(QObject *o, QEvent *e)
{
    if (o == lineEdit() && e->type() == QEvent::MouseButtonPress) {
        auto *me = static_cast<QMouseEvent *>(e);
        FNavigating = false;
        if (me->button() == Qt::LeftButton && OnEditClick)
            OnEditClick(this);
    }
    return QComboBox::eventFilter(o, e);
}

void TKitCustomComboBox::showPopup()
{
    FDropped = true;
    if (OnDropDown)
        OnDropDown(this);
    QComboBox::showPopup();
}

void TKitCustomComboBox::hidePopup()
{
    FClosingPopup = FDropped;
    FDropped = false;
    QComboBox::hidePopup();
    QTimer::singleShot(0, this, [this] { FClosingPopup = false; });
    update();
}

void TKitCustomComboBox::SetEnabled(bool v)
{
    if (!v && parentWidget())
        KitDefocus(this);
    setEnabled(v);
}
