#include "core/screens/FormParts.h"

#include "core/screens/KitLook.h"
#include "core/screens/ScreenBinding.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/KitAlignLayout.h"
#include "controls/panels/KitComboBox.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
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

class FormHook : public QObject
{
public:
    enum Kind { FirstShow, Activate };
    FormHook(QWidget *form, Kind kind, std::function<void()> action)
        : QObject(form), m_kind(kind), m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (m_kind == FirstShow && event->type() == QEvent::Show && !m_done) {
            m_done = true;
            m_action();
        } else if (m_kind == Activate && event->type() == QEvent::WindowActivate) {
            m_action();
        }
        return false;
    }

private:
    Kind m_kind;
    std::function<void()> m_action;
    bool m_done = false;
};

} // namespace

void OnFirstShow(QWidget *form, std::function<void()> action)
{
    form->installEventFilter(new FormHook(form, FormHook::FirstShow, std::move(action)));
}

void OnActivate(QWidget *form, std::function<void()> action)
{
    form->installEventFilter(new FormHook(form, FormHook::Activate, std::move(action)));
}

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }
