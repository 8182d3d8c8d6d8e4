#pragma once
// What the data module does with a relay announcement: the reply code goes
// to the screen that waits for it (its search runs, or its list or result
// dialog is filled from the answered rows), and an approval arrival opens or
// refreshes the approval screen of the user's authority.
//
// Screens are reached by name through the screen registry and the small
// interfaces of ScreenInterfaces.h; a code whose screen is not registered
// (not built) is logged in one line and does nothing else.

#include "core/ReplyRoutes.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

class Session;
class Tdm;
class Tqv_frm;

class ReplyDispatcher : public QObject
{
    Q_OBJECT
public:
    // Installs itself as the data module's service and approval handler.
    ReplyDispatcher(Tdm &dm, Tqv_frm &main);

    void Dispatch(int code, const QByteArray &codeText);
    void ApprovalArrived();

private:
    // The open screen of the route; nullptr when it is closed or not built
    // (the latter logged).
    QWidget *waitingScreen(const ReplyRoute &route) const;
    void runSearch(QWidget *screen) const;
    void resultRange(QWidget *screen, const ReplyRoute &route) const;
    void resultDetail(QWidget *screen, const ReplyRoute &route) const;
    void fillLatest(QWidget *screen, const ReplyRoute &route) const;
    void noticeCounts(QWidget *screen) const;
    void notice() const;

    Tdm &m_dm;
    Session &session;
    Tqv_frm &m_main;
    QList<QPointer<QWidget>> m_approvalScreens; // opened here, owned by the data module
};
