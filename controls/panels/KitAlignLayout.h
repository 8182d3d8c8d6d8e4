#pragma once
// The align layout of the forms: children docked top, bottom, left, right or
// client, in the order they were docked.
//
//   SetAlign(pnl_top, alTop);        // a band across the top, keeps its height
//   SetAlign(pnl_buttons, alBottom); // a band across the bottom
//   SetAlign(grd_list, alClient);    // fills what is left
//
// Docked tops stack downward, bottoms upward, lefts rightward, rights leftward,
// and the client child takes the remaining rectangle. A hidden child takes no
// room; showing or hiding a docked child re-aligns at once. An undocked child
// (alNone) keeps its own geometry; SendToBack puts it behind its siblings, so
// a panel sent behind the list is hidden by it.
// Changing the height of a docked top/bottom child, or the width of a docked
// left/right child, re-aligns its siblings.

#include <QLayout>
#include <QList>
#include <QPointer>
#include <QRect>

class QWidget;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TKitAlignLayout : public QLayout {
    Q_OBJECT
public:
    explicit TKitAlignLayout(QWidget *parent);
    ~TKitAlignLayout() override;

    // The align layout of a container, created when missing. Returns null
    // when the container already has a different layout.
    static TKitAlignLayout *of(QWidget *container);

    void setAlign(QWidget *child, TAlign align);
    TAlign align(const QWidget *child) const;
    // The area children are aligned in: the container's rectangle less its
    // contents margins (a bevelled panel sets its frame as those margins).
    QRect alignRect() const;
    // Runs the alignment now (normally done when the container is resized or
    // a docked child changes).
    void realign();

    // QLayout
    void addItem(QLayoutItem *item) override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &r) override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal | Qt::Vertical; }
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry {
        QLayoutItem *item;
        TAlign align;
        QRect placed; // the geometry the layout last gave
    };
    int indexOfWidget(const QWidget *w) const;
    void arrange(const QRect &r);
    QList<Entry> m_items;
    bool m_arranging = false;
};

// Docks a child in its parent's align layout (alNone takes it out).
void SetAlign(QWidget *child, TAlign align);
TAlign GetAlign(const QWidget *child);
// Re-aligns the container of a docked child now (after a size change made
// while the container is hidden, when Qt sends no resize event).
void RealignParent(QWidget *child);
// Z-order helpers as the forms use them.
void SendToBack(QWidget *child);
void BringToFront(QWidget *child);
