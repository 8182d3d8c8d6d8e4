#pragma once
// The base of every client screen test: a real QVXServer on loopback with a
// fresh demo database, a scripted prompt, a program folder of its own with a
// config.ini pointing at the server, and the client started with a demo user
// logged in.
//
//   ClientFixture client;                       // nothing started yet
//   ASSERT_TRUE(client.start("MAKER", "1111")); // login + start-up steps
//   Tqv_frm *main = client.mainWindow();
//   main->item("qv_d3")->trigger();
//   auto *screen = FindScreen(main, "qv_amtsearch_frm");
//   EXPECT_TRUE(client.prompt().contains("..."));
//   client.server().query("select ...");

#include "core/screens/ScreenContext.h"
#include "core/screens/Startup.h"
#include "platform/IniFile.h"
#include "platform/Prompt.h"
#include "support/TestServer.h"

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class Session;
class Tdm;
class Tqv_frm;
class Tqv_login_frm;

class ClientFixture
{
public:
    struct Options
    {
        bool general = true;        // [INIT] PROGRAM_FLAG 1 (else 2: liquor-trade)
        bool sendModule = false;    // [INIT] KIND 1
        bool sunab = true;          // [ICHE] SUNAB
        bool jigub = true;          // [ICHE] JIGUB
        bool vDeposit = false;      // [V_DEPOSIT] USE
        bool displayMax = false;    // [DISPLAY] MAX
        bool writeConfig = true;    // false: no config.ini at all
        // The server's options and demo data (relay, bank delay, ...).
        qvx::test::TestServer::Config server;
        // A server another process runs ("host:port" and its relay port):
        // no server of the fixture's own is started, and server() must not be used.
        QString externalServer;
        quint16 externalRelayPort = 0;
        // A server the test already runs (not owned; it must outlive the
        // fixture): two clients, a maker and an approver, on one server.
        // `server` is not used then.
        qvx::test::TestServer *sharedServer = nullptr;
    };

    ClientFixture();
    explicit ClientFixture(Options options);
    ~ClientFixture();
    ClientFixture(const ClientFixture &) = delete;
    ClientFixture &operator=(const ClientFixture &) = delete;

    qvx::test::TestServer &server() { return *m_serverInUse; }
    qvx::ScriptedPrompt &prompt() { return m_prompt; }
    // From here on a question the test did not queue an answer for fails the
    // test and is answered "no" (a fault of the screen or of the test).
    void failUnexpectedQuestions();
    QString home() const { return m_home.path(); }
    qvx::IniFile config() const;
    // The application server's address as the login dialog takes it ("host:port").
    QString serverAddress() const;

    // Runs the client's start-up with a login runner that types the user id
    // and password into the dialog and clicks "로그인". True when the main
    // window came up (the login was accepted).
    bool start(const QString &userId, const QString &password);
    // Runs the start-up with a runner of the test's own.
    bool start(StartupController::LoginRunner runner);

    StartupController &startup() { return *m_startup; }
    // The client's session (there from construction on).
    Session &session() { return m_startup->session(); }
    Tqv_frm *mainWindow() const;
    Tdm *dm() const;
    // What screens are given (the session and the data module): for screens a
    // test makes itself.
    ScreenContext context() const;
    // How many times the program asked to end.
    int terminateRequests() const;

    // Processes events until the condition holds or the time is up.
    static bool waitFor(const std::function<bool()> &condition, int timeoutMs = 5000);

private:
    void writeConfig();

    Options m_options;
    QTemporaryDir m_home;
    std::unique_ptr<qvx::test::TestServer> m_server;
    qvx::test::TestServer *m_serverInUse = nullptr;
    qvx::ScriptedPrompt m_prompt;
    std::unique_ptr<StartupController> m_startup;
};

// Types the user id and password into an open login dialog and clicks its
// login button (QTest keys and mouse).
void TypeLogin(Tqv_login_frm &dialog, const QString &userId, const QString &password);
