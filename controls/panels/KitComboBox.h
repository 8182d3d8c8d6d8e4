#pragma once
// The kit's combo box: a combo box with a flat look that turns 3D while hovered
// or focused, a list of recently chosen entries at the top, incremental
// completion of typed text and a control that takes the focus on a choice.
//
//     auto *cmb = new TKitComboBox(parent);
//     cmb->setObjectName("cmb_bank");
//     cmb->SetStyle(csDropDownList);
//     cmb->Items().Clear();
//     cmb->Items().Add("[03] 기업은행");
//     cmb->ItemIndex();                  // -1 and Text() "" until something is chosen
//     cmb->SetItemIndex(0);              // does not raise OnChange
//     cmb->OnChange = [this](QObject *s) { cmb_bankChange(s); };   // the user's choice only
//     cmb->OnKeyPress = [this](QObject *s, QChar &k) { ... };

#include "controls/panels/KitGraphics.h"
#include "controls/panels/KitKeyHooks.h"
#include "controls/panels/KitTypes.h"

#include <QComboBox>
#include <QPointer>

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TKitCustomComboBox;

// The combo box's item list (texts with an associated object).
class TKitComboItems
{
public:
    explicit TKitComboItems(TKitCustomComboBox *owner) : FOwner(owner) {}
    int Count() const;
    QString Strings(int Index) const;
    QString operator[](int Index) const { return Strings(Index); }
    void SetStrings(int Index, const QString &S);
    QObject *Objects(int Index) const;
    // Appends (or, when the combo box is Sorted, inserts in order); returns the index.
    int Add(const QString &S, QObject *Object = nullptr);
    void Insert(int Index, const QString &S, QObject *Object = nullptr);
    void Delete(int Index);
    void Clear();
    int IndexOf(const QString &S) const;
    void Assign(const QStringList &List);
    QStringList ToStringList() const;
    void BeginUpdate() {}
    void EndUpdate() {}

private:
    TKitCustomComboBox *FOwner;
};

class TKitCustomComboBox : public QComboBox, public TKitKeyHooks
{
    Q_OBJECT
public:
    explicit TKitCustomComboBox(QWidget *parent = nullptr);
    ~TKitCustomComboBox() override;

    // ---- platform properties ----
    TKitComboItems &Items() { return FItems; }
    const TKitComboItems &Items() const { return FItems; }
    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int Index);
    QString Text() const;
    void SetText(const QString &S);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    int DropDownCount() const { return maxVisibleItems(); }
    void SetDropDownCount(int v) { setMaxVisibleItems(v); }
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int v) { FItemHeight = v; }
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    // The control's own flag: a disabled parent blocks its input but leaves it set.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    // Disabling it while it has the focus gives the focus to the form.
    void SetEnabled(bool v);
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool v) { setVisible(v); }
    bool Focused() const;
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool DroppedDown() const { return FDropped; }
    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t v) { FTag = v; }
    QString ImeName;
    int ImeMode = 0;

    // ---- kit properties ----
    QString About;
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    QWidget *FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget *w) { FFocusControl = w; }
    int Interval = 1500;
    bool MRUList() const { return FMRUList; }
    void SetMRUList(bool v);
    int MRUMax() const { return FMRUMax; }
    void SetMRUMax(int v);
    int MRUCount() const { return FMRUCount; }
    bool Search() const { return FSearch; }
    void SetSearch(bool v);
    quint16 SearchTimer() const { return FTimerId; }
    // The completion step of the incremental search (run by the search timer).
    void SearchComplete();
    // Whether the flat (not the raised) border is shown now.
    bool FlatLookShown() const;

    // ---- events ----
    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnSelect;
    TNotifyEvent OnEditClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnDropDown;

protected:
    void paintEvent(QPaintEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;
    void showPopup() override;
    void hidePopup() override;

private:
    friend class TKitComboItems;
    friend class TKitComboDelegate;
    void UserChose(int index);
    void MoveFocusOn();
    void RestartSearch(int interval);
    void StopSearch();
    void ApplyStyle();
    int SortedPosition(const QString &S) const;
    // Removes most-recently-used entries, from the top or the end, until keep remain.
    void DropMRUItems(int keep, bool fromTop);

    TKitComboItems FItems;
    TComboBoxStyle FStyle = csDropDown;
    bool FSorted = false;
    int FItemHeight = 13;
    int FMaxLength = 0;
    bool FCtl3D = true;
    TColor FColor = clWindow;
    std::intptr_t FTag = 0;
    int FDropDownWidth = 0;
    bool FFlat = false;
    QPointer<QWidget> FFocusControl;
    bool FMRUList = false;
    int FMRUMax = 5;
    int FMRUCount = 0;
    bool FSearch = false;
    quint16 FTimerId = 0;
    // where the mouse, the focus and the list are
    bool FMouseOver = false;
    bool FEditFocused = false;
    bool FNavigating = false;
    bool FLeaving = false;
    bool FDropped = false;
    bool FClosingPopup = false;
    bool FEntered = false; // between OnEnter and OnExit
    bool FInsertingFirst = false;
    QString FKeepText;
};

class TKitComboBox : public TKitCustomComboBox
{
    Q_OBJECT
public:
    explicit TKitComboBox(QWidget *parent = nullptr) : TKitCustomComboBox(parent) {}
};
