#include "ClientFixture.h"

#include "support/Eventually.h"

#include "core/AppControl.h"
#include "core/screens/ClientMainUnit.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/screens/LoginUnit.h"
#include "controls/panels/DDButton.h"
#include "platform/Clock.h"
#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

ClientFixture::ClientFixture()
    : ClientFixture(Options{})
{
}

ClientFixture::ClientFixture(Options options)
    : m_options(std::move(options))
{
    ResetTerminateRequests();
    SetTerminateHandler([] {});
    qvx::Clock::reset();
    qvx::ProgramDir::setOverride(m_home.path());
    if (m_options.sharedServer) {
        m_serverInUse = m_options.sharedServer;
    } else if (m_options.externalServer.isEmpty()) {
        m_server = std::make_unique<qvx::test::TestServer>(m_options.server);
        m_serverInUse = m_server.get();
    }
    if (m_options.writeConfig)
        writeConfig();
    m_startup = std::make_unique<StartupController>();
    m_startup->setShowMainWindow(false);
}

ClientFixture::~ClientFixture()
{
    Tqv_login_frm::setModPasswordRunner({});
    m_startup.reset();
    SetTerminateHandler({});
    qvx::ProgramDir::setOverride(QString());
    qvx::Clock::reset();
}

qvx::IniFile ClientFixture::config() const
{
    return qvx::IniFile(m_home.path() + QStringLiteral("/config.ini"));
}

QString ClientFixture::serverAddress() const
{
    if (!m_serverInUse)
        return m_options.externalServer;
    return m_serverInUse->host() + QLatin1Char(':') + QString::number(m_serverInUse->port());
}

void ClientFixture::writeConfig()
{
    qvx::IniFile ini = config();
    const quint16 relay = m_serverInUse ? m_serverInUse->relayPort() : m_options.externalRelayPort;
    ini.writeString(QStringLiteral("Network"), QStringLiteral("IP Address"), serverAddress());
    // Without a relay the port of the test server itself refuses the relay
    // frames soon enough; a closed port would do as well.
    ini.writeString(QStringLiteral("Network"), QStringLiteral("RecvPort"), QString::number(relay ? relay : 1));
    ini.writeString(QStringLiteral("INIT"), QStringLiteral("PROGRAM_FLAG"), m_options.general ? QStringLiteral("1") : QStringLiteral("2"));
    ini.writeString(QStringLiteral("INIT"), QStringLiteral("KIND"), m_options.sendModule ? QStringLiteral("1") : QStringLiteral("0"));
    ini.writeString(QStringLiteral("ICHE"), QStringLiteral("SUNAB"), m_options.sunab ? QStringLiteral("1") : QStringLiteral("0"));
    ini.writeString(QStringLiteral("ICHE"), QStringLiteral("JIGUB"), m_options.jigub ? QStringLiteral("1") : QStringLiteral("0"));
    ini.writeString(QStringLiteral("V_DEPOSIT"), QStringLiteral("USE"), m_options.vDeposit ? QStringLiteral("1") : QStringLiteral("0"));
    ini.writeString(QStringLiteral("DISPLAY"), QStringLiteral("MAX"), m_options.displayMax ? QStringLiteral("1") : QStringLiteral("0"));
}

void TypeLogin(Tqv_login_frm &dialog, const QString &userId, const QString &password)
{
    dialog.edt_Userid->clear();
    QTest::keyClicks(dialog.edt_Userid, userId);
    dialog.edt_pwd->clear();
    QTest::keyClicks(dialog.edt_pwd, password);
    QTest::mouseClick(dialog.btn_confirm, Qt::LeftButton);
}

bool ClientFixture::start(const QString &userId, const QString &password)
{
    return start([userId, password](Tqv_login_frm &dialog) {
        dialog.show();
        QCoreApplication::processEvents();
        TypeLogin(dialog, userId, password);
        const int result = dialog.result();
        dialog.hide();
        return result;
    });
}

bool ClientFixture::start(StartupController::LoginRunner runner)
{
    m_startup->setLoginRunner(std::move(runner));
    const bool ok = m_startup->run();
    if (ok)
        dm()->setDisconnectWaitMs(0);
    return ok;
}

Tqv_frm *ClientFixture::mainWindow() const
{
    return m_startup->mainWindow();
}

Tdm *ClientFixture::dm() const
{
    return m_startup->dataModule();
}

ScreenContext ClientFixture::context() const
{
    return {m_startup->session(), *m_startup->dataModule()};
}

void ClientFixture::failUnexpectedQuestions()
{
    m_prompt.failUnscripted([](const qvx::ScriptedPrompt::Entry &e) {
        ADD_FAILURE() << "a question the test did not expect: " << qPrintable(e.text);
    });
}

int ClientFixture::terminateRequests() const
{
    return TerminateRequests();
}

bool ClientFixture::waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    return testsupport::Eventually(condition, timeoutMs);
}
