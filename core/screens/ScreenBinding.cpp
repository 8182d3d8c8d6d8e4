#include "core/screens/ScreenBinding.h"

#include "core/EventGuard.h"
#include "controls/panels/DDButton.h"

#include <QVariant>

void BindClick(Session &session, TDDButton *button, const QString &handlerName, std::function<void()> handler)
{
    button->setProperty(BoundHandlerProperty, handlerName);
    button->OnClick = [&session, handlerName, handler = std::move(handler)](QObject *) {
        RunGuarded(session, handlerName, handler);
    };
    button->OnMouseDown = [](QObject *s, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        static_cast<TDDButton *>(s)->SetEndColor(DDPressedEndColor);
    };
    button->OnMouseUp = [](QObject *s, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        static_cast<TDDButton *>(s)->SetEndColor(DDReleasedEndColor);
    };
}

QString BoundHandler(const QWidget *button)
{
    return button ? button->property(BoundHandlerProperty).toString() : QString();
}

std::function<void()> Guarded(Session &session, const QString &handlerName, std::function<void()> handler)
{
    return [&session, handlerName, handler = std::move(handler)] { RunGuarded(session, handlerName, handler); };
}
