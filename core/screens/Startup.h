#pragma once
// The client's start-up: the data module, the main window, the login dialog,
// the steps that follow a successful login, and showing the main window.

#include <QString>
#include <functional>
#include <memory>

class Session;
class Tdm;
class Tqv_frm;
class Tqv_login_frm;

class StartupController
{
public:
    StartupController();
    ~StartupController();

    // Shows the login dialog modally; tests replace it with a runner that
    // drives the dialog and returns its result (QDialog::Accepted/Rejected).
    using LoginRunner = std::function<int(Tqv_login_frm &)>;
    void setLoginRunner(LoginRunner runner) { m_loginRunner = std::move(runner); }
    // Whether run() shows the main window at the end (tests keep it hidden).
    void setShowMainWindow(bool show) { m_showMain = show; }

    // Creates the data module and the main window, runs the login and the
    // start-up steps and shows the main window. False when the login was
    // cancelled: the program ends.
    bool run();

    // The run's session (made with the controller, before the login).
    Session &session() const { return *m_session; }
    Tdm *dataModule() const { return m_dm.get(); }
    Tqv_frm *mainWindow() const { return m_main.get(); }
    // Where the start-up steps stopped ("" when all ran).
    QString stoppedAt() const { return m_stoppedAt; }

    // The steps after the login dialog closed with OK (also for tests).
    void runSteps(const QString &address, const QString &relayPortText);

private:
    bool loadConfig();
    bool loadConvLayout();
    void setClockAndSmsMark();

    std::unique_ptr<Session> m_session;
    std::unique_ptr<Tdm> m_dm;
    std::unique_ptr<Tqv_frm> m_main;
    LoginRunner m_loginRunner;
    bool m_showMain = true;
    QString m_stoppedAt;
};

// The host part of the login dialog's server address ("host:port" -> "host").
QString AddressHost(const QString &address);
