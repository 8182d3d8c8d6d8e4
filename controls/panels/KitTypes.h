#pragma once
// Event types shared by the kit's controls. Handlers are plain std::function
// members named as on the forms (OnClick, OnMouseDown, ...); a screen attaches
// its own method with a lambda:
//     btn_search->OnClick = [this](QObject *Sender) { btn_searchClick(Sender); };

#include <QChar>
#include <QObject>
#include <functional>

using TNotifyEvent = std::function<void(QObject *Sender)>;
using TMouseEvent = std::function<void(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;
// Key is a virtual-key code (VK_RETURN, VK_F5, 'A', ...); a handler may set it to 0.
using TKeyEvent = std::function<void(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift)>;
// Key is the typed character ('\r' for Enter); a handler may set it to QChar(0).
using TKeyPressEvent = std::function<void(QObject *Sender, QChar &Key)>;

// Virtual-key codes as the handlers compare them.
enum : int {
    VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18, VK_ESCAPE = 27,
    VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36, VK_LEFT = 37, VK_UP = 38,
    VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46, VK_F1 = 112, VK_F2, VK_F3, VK_F4, VK_F5,
    VK_F6, VK_F7, VK_F8, VK_F9, VK_F10, VK_F11, VK_F12
};
// Qt key (Qt::Key) to virtual-key code; 0 for keys without one.
int QtKeyToVK(int qtKey);

// A property setter's first step: the new value is taken; true when it differed
// (the setter then shows or reports the change).
template <class T> bool KitTakeNew(T &field, const T &v)
{
    if (field == v)
        return false;
    field = v;
    return true;
}
