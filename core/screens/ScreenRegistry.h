#pragma once
// Screens by component name. A screen library registers a factory for each of
// its screens under the screen's component name ("qv_bankinfo_frm"); the main
// window and the data module open them by that name without linking the
// library. Names are compared without regard to case.

#include "core/screens/ScreenContext.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

class ScreenRegistry
{
public:
    // Creates the screen with the given owner over the run's context (session
    // and data module); the screen sets its own objectName (its component name).
    using Factory = std::function<QWidget *(QWidget *owner, const ScreenContext &context)>;

    static ScreenRegistry &instance();

    // A later registration under the same name replaces the earlier one.
    void add(const QString &name, Factory factory);
    bool contains(const QString &name) const;
    // nullptr when no screen of that name is registered.
    QWidget *create(const QString &name, QWidget *owner, const ScreenContext &context) const;
    QStringList names() const;
    void remove(const QString &name); // tests

private:
    ScreenRegistry() = default;
    struct Impl;
    Impl &impl() const;
};

// Registers a screen class under its component name; the class is made with
// (context, owner).
template <class Screen>
void RegisterScreen(const QString &name)
{
    ScreenRegistry::instance().add(name, [](QWidget *owner, const ScreenContext &context) -> QWidget * {
        return new Screen(context, owner);
    });
}

// Each screen library offers one registration function (for example
// registerTransferScreens()) that the program calls; it adds the library's
// screens here.

// The open screen of that name among the windows the owner holds (its child
// widgets, multiple-document children and owned dialogs), compared without
// regard to case; nullptr when none is open.
QWidget *FindScreen(QWidget *owner, const QString &name);

// Window state a menu item gives the screen it opens.
enum class ScreenState {
    Normal,  // always normal
    Option,  // maximised when DisplayMaxFlag = 1, else normal
    Design   // as the screen sets itself
};

// The screen-opening rule: an open screen of that name is brought to the
// front; otherwise one is created with the owner, given the window state and
// shown (not modal). *created tells the two apart. nullptr when the name is
// not registered (nothing opens).
class ScreenHost
{
public:
    virtual ~ScreenHost();
    // Shows a new screen as a child window of the host, in the given state.
    virtual void showScreen(QWidget *screen, ScreenState state) = 0;
    virtual void bringToFront(QWidget *screen) = 0;
    virtual QWidget *ownerWidget() = 0;
    // The context new screens are given.
    virtual ScreenContext screenContext() = 0;
};

QWidget *OpenScreen(ScreenHost &host, const QString &name, ScreenState state, bool *created = nullptr,
                    const std::function<void(QWidget *)> &beforeShow = {});
