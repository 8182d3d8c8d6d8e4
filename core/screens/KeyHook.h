#pragma once
// Small event hooks of the transfer screens: a key handler on a control
// (return true to swallow the key) and an action when a control loses the focus.

#include <functional>

class QKeyEvent;
class QWidget;

void OnKey(QWidget *control, std::function<bool(QKeyEvent *)> handler);
void OnFocusOut(QWidget *control, std::function<void()> handler);

