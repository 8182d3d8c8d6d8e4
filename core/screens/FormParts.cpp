#include "core/screens/FormParts.h"

#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ScreenBinding.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/KitAlignLayout.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitControl.h"
#include "controls/panels/KitGroup.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStatusBar>
#include <QWidget>

QLabel *MakeLabel(QWidget *parent, const QString &caption, int x, int y, int width)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(x, y, width, 22);
    return label;
}

TDDButton *AddButton(Session &session, QWidget *parent, const char *name, const QString &caption, int x, int y,
                     int width, int height, std::function<void()> handler)
{
    TDDButton *button = MakeButton(parent, name, caption, x, y, width, height);
    BindClick(session, button, QString::fromLatin1(name) + QStringLiteral("Click"), std::move(handler));
    return button;
}

TDDButton *ButtonRow::add(const char *name, const QString &caption, int width, std::function<void()> handler)
{
    TDDButton *button = AddButton(m_session, m_parent, name, caption, m_x, m_y, width, m_height, std::move(handler));
    m_x += width + m_gap;
    return button;
}

TDDButton *ButtonRow::add(const char *name, const QString &caption, int width)
{
    TDDButton *button = MakeButton(m_parent, name, caption, m_x, m_y, width, m_height);
    m_x += width + m_gap;
    return button;
}

void ButtonRow::add(std::initializer_list<Placed> buttons, int width)
{
    for (const Placed &b : buttons) {
        if (b.x > 0)
            m_x = b.x;
        *b.button = add(b.name, QString::fromUtf8(b.caption), b.width > 0 ? b.width : width);
    }
}

QLineEdit *MakeEdit(QWidget *parent, const char *name, int x, int y, int width)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(x, y, width, 22);
    return edit;
}

TKitComboBox *MakeCombo(QWidget *parent, const char *name, int x, int y, int width)
{
    auto *box = new TKitComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->SetStyle(csDropDownList);
    box->setGeometry(x, y, width, 22);
    return box;
}

TCurrencyEdit *MakeCurrencyEdit(QWidget *parent, const char *name, int x, int y, int width,
                                const QString &displayFormat)
{
    auto *edit = new TCurrencyEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->SetDecimalPlaces(0); // message numbers and figures are whole
    edit->SetDisplayFormat(displayFormat);
    edit->setGeometry(x, y, width, 22);
    return edit;
}

TCurrencyEdit *MakeAmountEdit(QWidget *parent, const char *name, int x, int y, int width)
{
    auto *edit = new TCurrencyEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->SetDisplayFormat(QStringLiteral(",0.;-\\,0."));
    edit->SetWholeWon(true);
    edit->setGeometry(x, y, width, 22);
    return edit;
}

QStatusBar *MakeStatusBar(QWidget *form)
{
    auto *bar = new QStatusBar(form);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->resize(form->width(), 20);
    SetAlign(bar, alBottom);
    return bar;
}

namespace {

class FirstShowHook : public QObject
{
public:
    FirstShowHook(QWidget *form, std::function<void()> action) : QObject(form), m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !m_done) {
            m_done = true;
            m_action();
        }
        return false;
    }

private:
    std::function<void()> m_action;
    bool m_done = false;
};

// Follows the main window's child windows: the action runs when the form's
// child window becomes the active one after another child window was (or
// none had been yet). The main window's own activation, which the window
// system sends again whenever a message box or another program gives the
// focus back, leaves the same child active and runs nothing.
class ChildActivationHook : public QObject
{
public:
    ChildActivationHook(QWidget *form, std::function<void()> action)
        : QObject(form), m_form(form), m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Show || m_frame)
            return false;
        m_frame = qobject_cast<QMdiSubWindow *>(m_form->parentWidget());
        QMdiArea *area = m_frame ? m_frame->mdiArea() : nullptr;
        if (!area) {
            // A form of its own (no main window around it): its first showing.
            if (!m_shownAlone) {
                m_shownAlone = true;
                m_action();
            }
            return false;
        }
        connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *active) { activated(active); });
        if (area->activeSubWindow() == m_frame)
            activated(m_frame);
        return false;
    }

private:
    void activated(QMdiSubWindow *active)
    {
        if (!active)
            return; // the main window lost the focus; the same child may come back
        const bool switched = active == m_frame && m_lastActive != m_frame;
        m_lastActive = active;
        if (switched)
            m_action();
    }

    QWidget *m_form;
    std::function<void()> m_action;
    QPointer<QMdiSubWindow> m_frame;
    QPointer<QMdiSubWindow> m_lastActive;
    bool m_shownAlone = false;
};

} // namespace

void OnFirstShow(QWidget *form, std::function<void()> action)
{
    form->installEventFilter(new FirstShowHook(form, std::move(action)));
}

void OnActivate(QWidget *form, std::function<void()> action)
{
    form->installEventFilter(new ChildActivationHook(form, std::move(action)));
}

QWidget *NextTabControl(QWidget *control)
{
    // The form the control belongs to: its window, or the child window's
    // content inside the main window.
    QWidget *form = control;
    while (!form->isWindow() && form->parentWidget()
           && form->parentWidget()->windowType() != Qt::SubWindow)
        form = form->parentWidget();
    for (QWidget *w = control->nextInFocusChain(); w && w != control; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !w->isEnabled() || w->focusProxy())
            continue;
        if (w->window() != control->window() || !form->isAncestorOf(w) || !w->isVisibleTo(form))
            continue;
        return w;
    }
    return nullptr;
}

namespace {

class ShowFocus : public QObject
{
public:
    ShowFocus(QWidget *form, QWidget *control) : QObject(form), m_control(control) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && m_control)
            m_control->setFocus(Qt::ActiveWindowFocusReason);
        return false;
    }

private:
    QPointer<QWidget> m_control;
};

class EnterFilter : public QObject
{
public:
    EnterFilter(QWidget *control, QWidget *target) : QObject(control), m_target(target) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        auto *w = qobject_cast<QWidget *>(watched);
        if (m_target)
            m_target->setFocus(Qt::TabFocusReason);
        else if (QWidget *next = w ? NextTabControl(w) : nullptr)
            next->setFocus(Qt::TabFocusReason);
        return true;
    }

private:
    QPointer<QWidget> m_target;
};

} // namespace

void FocusOnShow(QWidget *form, QWidget *control)
{
    form->installEventFilter(new ShowFocus(form, control));
}

void EnterMovesFocus(QWidget *control, QWidget *target)
{
    control->installEventFilter(new EnterFilter(control, target));
}

void EnterMovesFocus(std::initializer_list<QWidget *> controls)
{
    for (QWidget *control : controls)
        EnterMovesFocus(control);
}

void EnterWalks(QWidget *form, std::initializer_list<QWidget *> fields, QWidget *target)
{
    const QWidget *last = fields.size() > 0 ? *(fields.end() - 1) : nullptr;
    for (QWidget *field : fields)
        EnterMovesFocus(field, field == last ? target : nullptr);
    if (fields.size() > 0)
        FocusOnShow(form, *fields.begin());
}

TickChoice MakeTickChoice(Session &session, QWidget *parent, const QRect &at, TListGrid *grid, int col, int emptyCol)
{
    TKitSimplePanel *panel = MakePanel(parent, "pnl_tick");
    panel->setGeometry(at);
    const int y = (at.height() - 20) / 2;
    TickChoice choice{MakeRadio(panel, "rdbtn_entire", QStringLiteral("전체선택"), 4, y, 80),
                      MakeRadio(panel, "rdbtn_noselect", QStringLiteral("선택해제"), 86, y, 80)};
    SetChecked(choice.second, true);
    for (auto [radio, ticked] : {std::pair{choice.first, true}, std::pair{choice.second, false}})
        BindRadioClick(session, radio, radio->objectName() + QStringLiteral("Click"), [grid, col, emptyCol, ticked = ticked] {
            if (!GridIsEmpty(grid, emptyCol))
                TickAll(grid, col, ticked);
        });
    return choice;
}

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }
