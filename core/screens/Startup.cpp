#include "core/screens/Startup.h"

#include "core/BankSql.h"
#include "core/screens/ReplyDispatcher.h"

#include "platform/EditGuard.h"
#include "core/AutoSend.h"
#include "core/screens/ClientMainUnit.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/EventGuard.h"
#include "core/ScreenSections.h"
#include "core/Session.h"
#include "core/screens/LoginUnit.h"
#include "platform/ProgramLook.h"
#include "platform/Clock.h"
#include "platform/ProgramDir.h"
#include "platform/Prompt.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

QString AddressHost(const QString &address)
{
    const QString text = address.trimmed();
    if (text.count(QLatin1Char(':')) == 1)
        return text.section(QLatin1Char(':'), 0, 0);
    return text;
}

StartupController::StartupController() : m_session(std::make_unique<Session>()) {}

StartupController::~StartupController()
{
    // The main window goes first: its screens may still reach the data module.
    m_main.reset();
    m_dm.reset();
}

bool StartupController::run()
{
    m_stoppedAt.clear();
    qvx::ApplyProgramLook();
    // The edit controls' handlers run under the program's one event guard.
    Session &session = *m_session;
    SetEditHandlerGuard([&session](const QString &where, const std::function<void()> &action) {
        return RunGuarded(session, where, action);
    });
    m_dm = std::make_unique<Tdm>(session);
    m_main = std::make_unique<Tqv_frm>(ScreenContext{session, *m_dm});
    QObject::connect(m_dm.get(), &Tdm::moduleAccepted, m_main.get(), &Tqv_frm::MarkSendModule);
    QObject::connect(m_dm.get(), &Tdm::wentOffline, m_main.get(), &Tqv_frm::GoOffline);
    new ReplyDispatcher(*m_dm, *m_main); // owned by the main window

    // 1. The login dialog, owned by the main window.
    auto *login = new Tqv_login_frm(m_main->screenContext(), m_main.get());
    const int result = m_loginRunner ? m_loginRunner(*login) : login->exec();
    const QString address = login->edt_ipaddress->text();
    const QString relayPort = login->edt_recvport->text();
    delete login;
    if (result != QDialog::Accepted) {
        m_stoppedAt = QStringLiteral("login");
        return false;
    }
    // A program folder whose server was registered from the login dialog has
    // no column sections yet: the screen settings would list no columns.
    QString error;
    if (!WriteMissingScreenSections(qvx::ProgramDir::path(QStringLiteral("config.ini")), &error))
        WriteLog(session, QStringLiteral("config.ini: ") + error);
    runSteps(address, relayPort);
    if (m_showMain)
        m_main->showMaximized();
    return true;
}

void StartupController::runSteps(const QString &address, const QString &relayPortText)
{
    Tqv_frm &main = *m_main;
    Tdm &data = *m_dm;
    Session &session = *m_session;

    // 2. Menu from the login options.
    main.item(QStringLiteral("qv_c2_1"))->setEnabled(session.VDepositUse == 1);
    main.item(QStringLiteral("qv_b1"))->setEnabled(session.SunabFlag != 0);
    main.item(QStringLiteral("qv_b2"))->setEnabled(session.JigubFlag != 0);

    // 3. Keep-alive, conversion layout item off, the user id.
    data.Timer1->start();
    main.item(QStringLiteral("qv_a6"))->setEnabled(false);
    main.UserIdField = session.LoginUserId;

    // 4. Relay connection.
    if (!data.RelayActive()) {
        bool ok = false;
        const int port = relayPortText.trimmed().toInt(&ok);
        const QString host = AddressHost(address);
        if (!ok || port <= 0 || port > 65535 || host.isEmpty())
            data.RelayStartFailed();
        else
            data.ActivateRelay(host, quint16(port));
    }

    RunGuarded(session, QStringLiteral("FormCreate"), [&] {
        // 5. Bank names.
        const qvx::ResultSet &banks = data.cms_select1(BankSql::everyBankCode());
        for (int r = 0; r < banks.recordCount(); ++r) {
            bool ok = false;
            const int code = banks.value(r, QStringLiteral("BankId")).trimmed().toInt(&ok);
            // Codes outside 1..99, or no number, have no place in the table.
            if (ok && code >= 1 && code < BankNameCount)
                session.BankNames[code] = banks.value(r, QStringLiteral("BankName"));
        }

        // 6. Database mode.
        const qvx::ResultSet &opt = data.cms_select1(QStringLiteral("SELECT * FROM OPT WHERE ID = 'DB_MODE'"));
        if (opt.recordCount() == 1)
            session.DbMode = opt.valueInt(0, QStringLiteral("value"));

        // 7.
        WriteLog(session, QStringLiteral("사용자 접속 ") + session.LoginUserId);

        // 8. CONFIG.
        if (!loadConfig()) {
            m_stoppedAt = QStringLiteral("config");
            return;
        }

        // 9. Liquor-trade transfers.
        if (session.IcheKind == 2) {
            main.item(QStringLiteral("qv_a4"))->setEnabled(false);
            main.item(QStringLiteral("qv_c1"))->setEnabled(false);
            main.item(QStringLiteral("qv_b4"))->setEnabled(false);
        }

        // 10. The automatic send/receive module.
        if (session.SendModuleMode == 2) {
            main.item(QStringLiteral("qv_a3"))->setEnabled(false);
            main.item(QStringLiteral("qv_a4"))->setEnabled(false);
            main.item(QStringLiteral("qv2"))->setEnabled(false);
            main.item(QStringLiteral("qv_a6"))->setEnabled(true);
            if (!loadConvLayout()) {
                m_stoppedAt = QStringLiteral("layout");
                return;
            }
            InstallAutoSendModule(data);
            data.Timer2->start();
        }

        // 11, 12.
        setClockAndSmsMark();
    });
}

bool StartupController::loadConfig()
{
    Session &session = *m_session;
    const qvx::ResultSet &config = m_dm->cms_select1(QStringLiteral("SELECT * FROM CONFIG"));
    if (config.recordCount() == 0) {
        qvx::Prompt::instance().message(QStringLiteral("환경설정이 되지 않았습니다."));
        return false;
    }
    session.ServerIp = config.value(0, QStringLiteral("serverip"));
    session.NetworkId = config.value(0, QStringLiteral("nevarid"));
    session.Transport = config.value(0, QStringLiteral("transport"));
    session.RecvPort = config.value(0, QStringLiteral("recvport"));
    session.TransTime = config.value(0, QStringLiteral("transtime"));
    session.RecvTime = config.value(0, QStringLiteral("recvtime"));
    session.ServiceDiv = config.value(0, QStringLiteral("servicediv"));
    session.SendFlagInit = QStringLiteral("1");
    session.MainCaption = QStringLiteral("QUVEX_Client V3.3  [ ") + config.value(0, QStringLiteral("opt"))
                  + QStringLiteral(" ] ") + QStringLiteral("사용자 : ") + m_main->UserIdField;
    m_main->setWindowTitle(session.MainCaption);
    return true;
}

bool StartupController::loadConvLayout()
{
    Session &session = *m_session;
    const bool general = session.IcheKind == 1;
    const qvx::ResultSet &rows =
        m_dm->cms_select1(general ? QStringLiteral("select * from convertG_s") : QStringLiteral("select * from convertJ_s"));
    if (rows.recordCount() == 0)
        return false;
    auto pair = [&rows, &session](ConvPair p, const char *start, const char *length) {
        session.ConvLayout[p].start = rows.valueInt(0, QString::fromLatin1(start));
        session.ConvLayout[p].length = rows.valueInt(0, QString::fromLatin1(length));
    };
    pair(cvMoBankId, "mobankids", "mobankidn");
    pair(cvMoBankNo, "Mobanknos", "MobankNon");
    pair(cvBankId, "Bankids", "bankidn");
    pair(cvBankNo, "banknos", "banknon");
    pair(cvMoney, "moneys", "moneyn");
    pair(cvCInfo, "CInfos", "Cinfon");
    pair(cvSName, "snames", "snamen");
    pair(cvGubun, "gubuns", "gubunn");
    if (general) {
        pair(cvSeqNo, "SeqNoS", "SeqNoN");
    } else {
        pair(cvJuMoney, "JuMoneys", "JuMoneyn");
        pair(cvBJuMoney, "BJuMoneys", "BJumoneyn");
        pair(cvJumin, "Jumins", "Juminn");
    }
    return true;
}

void StartupController::setClockAndSmsMark()
{
    Session &session = *m_session;
    // 11. The server's time: the program's clock runs at an offset to it; the
    // computer's own clock is left alone.
    const QString serverTime = m_dm->scktconnect->serverTime();
    if (!qvx::Clock::setOffsetToServer(serverTime))
        WriteLog(session, QStringLiteral("cms_time: not a time: ") + serverTime);

    // 12. SMS mark.
    m_main->ApplySmsMark(m_dm->scktconnect->commMsg(2));
}
