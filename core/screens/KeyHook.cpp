#include "core/screens/KeyHook.h"


#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

class Hook : public QObject
{
public:
    Hook(QWidget *control, std::function<bool(QEvent *)> handler)
        : QObject(control), m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override { return m_handler(event); }

private:
    std::function<bool(QEvent *)> m_handler;
};

} // namespace

void OnKey(QWidget *control, std::function<bool(QKeyEvent *)> handler)
{
    control->installEventFilter(new Hook(control, [handler = std::move(handler)](QEvent *e) {
        return e->type() == QEvent::KeyPress && handler(static_cast<QKeyEvent *>(e));
    }));
}

void OnFocusOut(QWidget *control, std::function<void()> handler)
{
    control->installEventFilter(new Hook(control, [handler = std::move(handler)](QEvent *e) {
        // A pop-up (a combo's list, a menu) taking the focus is no leaving.
        if (e->type() == QEvent::FocusOut && static_cast<QFocusEvent *>(e)->reason() != Qt::PopupFocusReason
            && static_cast<QFocusEvent *>(e)->reason() != Qt::ActiveWindowFocusReason)
            handler();
        return false;
    }));
}

