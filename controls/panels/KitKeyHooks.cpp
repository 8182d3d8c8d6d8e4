#include "controls/panels/KitKeyHooks.h"

#include <QKeyEvent>
#include <QPointer>

bool TKitKeyHooks::KeyDownPasses(QObject *sender, QKeyEvent *e, int &vk) const
{
    vk = QtKeyToVK(e->key());
    if (!vk || !OnKeyDown)
        return true;
    QPointer<QObject> guard(sender);
    OnKeyDown(sender, vk, e->modifiers());
    if (!guard)
        return false;
    if (vk == 0) {
        e->accept();
        return false;
    }
    return true;
}

bool TKitKeyHooks::KeyPressPasses(QObject *sender, QKeyEvent *e) const
{
    QPointer<QObject> guard(sender);
    for (QChar c : e->text()) {
        if (!OnKeyPress)
            break;
        QChar k = c;
        OnKeyPress(sender, k);
        if (!guard)
            return false;
        if (k.isNull()) {
            e->accept();
            return false;
        }
    }
    return true;
}

void TKitKeyHooks::RunKeyUp(QObject *sender, QKeyEvent *e) const
{
    int vk = QtKeyToVK(e->key());
    if (vk && OnKeyUp && !e->isAutoRepeat())
        OnKeyUp(sender, vk, e->modifiers());
}
