#include "core/screens/ScreenBinding.h"

#include "core/EventGuard.h"
#include "core/screens/ScreenContext.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitGroup.h"
#include "platform/TListGrid.h"

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

void BindClicks(Session &session, std::initializer_list<ClickHandler> handlers)
{
    for (const ClickHandler &h : handlers)
        BindClick(session, h.button, h.button->objectName() + QStringLiteral("Click"), h.run);
}

QString BoundHandler(const QWidget *button)
{
    return button ? button->property(BoundHandlerProperty).toString() : QString();
}

std::function<void()> Guarded(Session &session, const QString &handlerName, std::function<void()> handler)
{
    return [&session, handlerName, handler = std::move(handler)] { RunGuarded(session, handlerName, handler); };
}

void BindDoubleClick(Session &session, TListGrid *grid, const QString &handlerName,
                     std::function<void(int col, int row)> handler)
{
    grid->OnDblClickCell = [&session, handlerName, handler = std::move(handler)](int col, int row) {
        RunGuarded(session, handlerName, [&] { handler(col, row); });
    };
}

void BindRadioClick(Session &session, TKitRadioButton *radio, const QString &handlerName,
                    std::function<void()> handler)
{
    radio->setProperty(BoundHandlerProperty, handlerName);
    radio->OnClick = [&session, handlerName, handler = std::move(handler)](QObject *) {
        RunGuarded(session, handlerName, handler);
    };
}
