#pragma once
// What every screen is given: the run's session and its data module. The
// screen registry's factory hands it to each screen it makes; a screen hands
// it on to the dialogs it opens. Services are never given it: they take the
// session, the server link or the values they need as arguments.
//
//   Tqv_bank_frm(const ScreenContext &context, QWidget *owner = nullptr);
//   ... : session(context.session), dm(context.dm)   // members Session &, Tdm &
//   new Tqv_acceptdetail_frm(context(), this, batch); // a child dialog

class Session;
class Tdm;

struct ScreenContext
{
    Session &session; // login state and the values screens hand each other
    Tdm &dm;          // the application-server link, the relay and the latest results
};
