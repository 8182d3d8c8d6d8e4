#pragma once
// The root of every screen: the widget or dialog it is, with the run's
// session and data module it was given. A screen derives from ScreenForm
// (or ScreenDialog) instead of holding the two itself, and hands its
// context() on to the dialogs it opens.
//
//   class Tqv_bank_frm : public ScreenForm { ... };
//   Tqv_bank_frm::Tqv_bank_frm(const ScreenContext &context, QWidget *owner) : ScreenForm(context, owner) {}
//   new Tqv_acceptdetail_frm(context(), this, batch);

#include "core/screens/ScreenContext.h"

#include <QDialog>
#include <QWidget>

template <class Base>
class ScreenOn : public Base
{
public:
    ScreenOn(const ScreenContext &context, QWidget *owner) : Base(owner), session(context.session), dm(context.dm) {}

    Session &session; // the run's login state and hand-over values
    Tdm &dm;          // the data module

    ScreenContext context() const { return {session, dm}; }
};

using ScreenForm = ScreenOn<QWidget>;
using ScreenDialog = ScreenOn<QDialog>;
