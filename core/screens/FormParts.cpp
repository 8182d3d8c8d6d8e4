#include "core/screens/FormParts.h"

#include "controls/edits/CurrEdit.h"
#include "controls/panels/KitAlignLayout.h"
#include "controls/panels/KitComboBox.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStatusBar>
#include <QWidget>

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
