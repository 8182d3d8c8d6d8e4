#pragma once
// The key handlers of a kit control built on a standard Qt widget (button,
// combo box): OnKeyDown, OnKeyPress and OnKeyUp as the forms attach them, and
// the steps that run them for a key event before the widget's own handling.

#include "controls/panels/KitTypes.h"

class QKeyEvent;

class TKitKeyHooks
{
public:
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    // Sets vk to the event's virtual-key code and runs OnKeyDown with it. False
    // when the handler consumed the key (the event is then accepted) or closed
    // the control: the event goes no further.
    bool KeyDownPasses(QObject *sender, QKeyEvent *e, int &vk) const;
    // Runs OnKeyPress for each typed character; false as for KeyDownPasses.
    bool KeyPressPasses(QObject *sender, QKeyEvent *e) const;
    // Runs OnKeyUp for a released key (not for auto-repeat).
    void RunKeyUp(QObject *sender, QKeyEvent *e) const;
};
