#pragma once
// The one way a screen wires a button to its handler: the click runs inside
// the event guard under the handler's name, mouse down and up give the
// pressed colours, and the button remembers which handler it runs (the
// screen-walking test checks that every button has one).
//
//   BindClick(this, btn_search, "btn_searchClick", &Tqv_bank_frm::btn_searchClick);
//   BindClick(session, btn_close, "btn_closeClick", [this] { close(); });
//   BindClicks(session, {{btn_add, [this] { btn_addClick(); }}, {btn_close, [this] { close(); }}});

#include "core/screens/ScreenContext.h"

#include <QString>
#include <functional>
#include <initializer_list>

class QWidget;
class Session;
class TDDButton;
class TKitRadioButton;
class TListGrid;

// The dynamic property that names a bound button's handler.
inline constexpr const char *BoundHandlerProperty = "quvexHandler";

void BindClick(Session &session, TDDButton *button, const QString &handlerName, std::function<void()> handler);

template <class Form>
void BindClick(Form *form, TDDButton *button, const char *handlerName, void (Form::*handler)())
{
    BindClick(form->session, button, QString::fromLatin1(handlerName), [form, handler] { (form->*handler)(); });
}

// A button and what its click runs, for BindClicks.
struct ClickHandler
{
    TDDButton *button;
    std::function<void()> run;
};
// Binds each button as BindClick does, its handler named after the button
// ("btn_add" runs "btn_addClick").
void BindClicks(Session &session, std::initializer_list<ClickHandler> handlers);

// The handler name a button was bound to ("" when it was never bound).
QString BoundHandler(const QWidget *button);

// An event handler of a control other than a button, run inside the guard.
std::function<void()> Guarded(Session &session, const QString &handlerName, std::function<void()> handler);

// A double click on a data row of the list runs the handler (col, row) inside the guard.
void BindDoubleClick(Session &session, TListGrid *grid, const QString &handlerName,
                     std::function<void(int col, int row)> handler);
// A click on the radio button runs the handler inside the guard.
void BindRadioClick(Session &session, TKitRadioButton *radio, const QString &handlerName,
                    std::function<void()> handler);
