#pragma once
// Small event hooks of the transfer screens: a key handler on a control
// (return true to swallow the key), an action when a control loses the focus,
// and a button's click bound to its guarded handler.

#include <functional>

class QKeyEvent;
class QWidget;
class Session;
class TDDButton;

void OnKey(QWidget *control, std::function<bool(QKeyEvent *)> handler);
void OnFocusOut(QWidget *control, std::function<void()> handler);

// The button's click runs handler inside the event guard, named `where`.
void BindButton(const Session &session, TDDButton *button, const char *where, std::function<void()> handler);
