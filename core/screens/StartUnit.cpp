#include "core/screens/StartUnit.h"

#include "core/AppControl.h"
#include "core/BankSql.h"
#include "core/DMUnit.h"
#include "core/EventGuard.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenBinding.h"
#include "core/Session.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitControl.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTimer>
#include <QVBoxLayout>

namespace {
qvx::Prompt &prompt() { return qvx::Prompt::instance(); }
}

Tqv_start_frm::Tqv_start_frm(const ScreenContext &context, QWidget *owner)
    : ScreenForm(context, owner)
{
    SetUpForm(this, "qv_start_frm", QStringLiteral("은행개시상태보기"), 460, 380);

    MakeBand(this, "pnl_title", QStringLiteral(" ◎ 은행 목록"), 25);
    TKitSimplePanel *bar = MakeBar(this, "pnl_bottom", 40, alBottom);
    grd_allbank = MakeGrid(this, "grd_allbank",
                           {QStringLiteral("은행코드"), QStringLiteral("업체코드"), QStringLiteral("은행명"),
                            QStringLiteral("개시상태")});
    grd_allbank->OnGetAlignment = [](int, int) { return Qt::AlignHCenter; };

    btn_add = MakeButton(bar, "btn_add", QStringLiteral("개시전문 전체 송신"), 8, 8, 130, 25);
    btn_per = MakeButton(bar, "btn_per", QStringLiteral("개시전문 개별 송신"), 144, 8, 130, 25);
    btn_close = MakeButton(bar, "btn_close", QStringLiteral("닫 기"), 370, 8, 80, 25);
    BindClick(this, btn_add, "btn_addClick", &Tqv_start_frm::btn_addClick);
    BindClick(this, btn_per, "btn_perClick", &Tqv_start_frm::btn_perClick);
    BindClick(session, btn_close, QStringLiteral("btn_closeClick"), [this] { btn_closeClick(); });

    SendTimer = new QTimer(this);
    SendTimer->setObjectName(QStringLiteral("SendTimer"));
    SendTimer->setInterval(1000);
    connect(SendTimer, &QTimer::timeout, this, [this] {
        RunGuarded(session, QStringLiteral("SendTimerTimer"), [this] { SendTimerTimer(); });
    });

    RunGuarded(session, QStringLiteral("qv_start_frm.FormCreate"), [this] { FormCreate(); });
}

Tqv_start_frm::~Tqv_start_frm() = default;

void Tqv_start_frm::FormCreate()
{
    if (RefuseWhenOffline(session))
        return;
    qvx::ResultSet rs;
    try {
        rs = dm.cms_select1(BankSql::startScreenBanks());
    } catch (const std::exception &) {
        prompt().message(QStringLiteral("데이터베이스에 접속할 수 없거나, 자료를 확인하지 못하였습니다."));
        return;
    }
    if (rs.recordCount() == 0) {
        prompt().message(QStringLiteral("등록된 은행이 존재하지 않습니다. 신규등록을 하시기 바랍니다."));
        return;
    }
    grd_allbank->BeginUpdate();
    grd_allbank->SetRowCount(rs.recordCount() + 1);
    for (int i = 0; i < rs.recordCount(); ++i) {
        grd_allbank->SetCells(0, i + 1, rs.value(i, QStringLiteral("bankid")));
        grd_allbank->SetCells(1, i + 1, rs.value(i, QStringLiteral("firmid")));
        grd_allbank->SetCells(2, i + 1, rs.value(i, QStringLiteral("bankname")));
        grd_allbank->SetCells(3, i + 1, QStringLiteral("N"));
    }
    grd_allbank->EndUpdate();
    SendTimer->start();
}

void Tqv_start_frm::SendTimerTimer()
{
    // The timer rests while a tick runs, so the messages of a failing poll
    // cannot pile up behind one another.
    SendTimer->stop();
    if (session.ServerState == 1) {
        // Offline lasts until the program ends: say so once and poll no more.
        prompt().message(OfflineMessage);
        return;
    }
    const auto restart = qScopeGuard([this] {
        if (!m_closing)
            SendTimer->start();
    });
    if (grd_allbank->Cells(0, 1).isEmpty())
        return;
    for (int r = 1; r < grd_allbank->RowCount(); ++r) {
        try {
            const QString state = dm.scktconnect->bankState(grd_allbank->Cells(0, r), grd_allbank->Cells(1, r),
                                                             QStringLiteral("1"));
            grd_allbank->SetCells(3, r, state);
        } catch (const std::exception &) {
            prompt().message(QStringLiteral("은행개시정보를 확인할 수 없습니다.\r\r클라이언트 프로그램 종료 후 재접속하시기 바랍니다."));
        }
    }
}

void Tqv_start_frm::btn_addClick()
{
    try {
        if (dm.scktconnect->bankState(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("2")) == u"2")
            prompt().message(QStringLiteral("Send OK"));
    } catch (const std::exception &) {
        prompt().message(QStringLiteral("개시전문을 보내지 못하였습니다.\r\r클라이언트 프로그램 종료 후 재접속하시기 바랍니다."));
    }
}

void Tqv_start_frm::btn_perClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (grd_allbank->Cells(0, 1).isEmpty()) {
        prompt().message(QStringLiteral("등록된 거래은행이 존재하지 않습니다."));
        return;
    }
    const int row = grd_allbank->Row();
    if (!prompt().yesNo(grd_allbank->Cells(2, row) + QStringLiteral("을 개시하시겠습니까?"))) {
        prompt().message(QStringLiteral("작업이 취소되었습니다."));
        return;
    }
    try {
        dm.scktconnect->bankState(grd_allbank->Cells(0, row), grd_allbank->Cells(1, row), QStringLiteral("3"));
    } catch (const std::exception &) {
        prompt().message(QStringLiteral("작업을 진행할수가 없습니다. 잠시 후 진행하십시오."));
    }
}

void Tqv_start_frm::btn_closeClick()
{
    close();
}

void Tqv_start_frm::closeEvent(QCloseEvent *e)
{
    m_closing = true;
    SendTimer->stop();
    QWidget::closeEvent(e);
}

Tqv_AlertMsg_Frm::Tqv_AlertMsg_Frm(const ScreenContext &context, QWidget *owner)
    : ScreenDialog(context, owner)
{
    setObjectName(QStringLiteral("qv_AlertMsg_Frm"));
    setWindowTitle(QStringLiteral("벨모아 주식회사 공지사항."));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(420, 300);
    auto *layout = new QVBoxLayout(this);
    lbl_Time = new QLabel(this);
    lbl_Time->setObjectName(QStringLiteral("lbl_Time"));
    layout->addWidget(lbl_Time);
    layout->addWidget(new QLabel(QStringLiteral("<벨모아 주식회사 공지 내용> "), this));
    me_Msg = new QPlainTextEdit(this);
    me_Msg->setObjectName(QStringLiteral("me_Msg"));
    me_Msg->setReadOnly(true);
    layout->addWidget(me_Msg);
    BitBtn1 = MakeButton(this, "BitBtn1", QStringLiteral("확인"), 0, 0, 80, 25);
    BitBtn1->setFixedSize(80, 25); // the layout would give a control without a size hint none
    layout->addWidget(BitBtn1, 0, Qt::AlignHCenter);
    BindClick(session, BitBtn1, QStringLiteral("BitBtn1Click"), [this] { close(); });

    me_Msg->clear();
    lbl_Time->setText(QStringLiteral("공지시간 : ") + qvx::Clock::nowText(QStringLiteral("yyyy-MM-dd:hh-mm-ss")));
}

void registerStartScreens()
{
    RegisterScreen<Tqv_start_frm>(QStringLiteral("qv_start_frm"));
    RegisterScreen<Tqv_AlertMsg_Frm>(QStringLiteral("qv_AlertMsg_Frm"));
}
