#include "inquiries/screens/SmsViewUnit.h"

#include "controls/panels/DDButton.h"
#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ListKit.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "inquiries/SmsLog.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"

#include <QDateEdit>
#include <QLabel>

namespace {

ListColumns SmsLogColumns()
{
    ListColumn message{QStringLiteral("보낸 메세지 내용"), 578, AlignLeft, "Message", CellFormat::Computed};
    message.compute = [](const qvx::ResultSet &rs, int row) {
        return SmsLogMessageText(rs.value(row, QStringLiteral("Message")));
    };
    return {{QStringLiteral("순번"), 54, AlignCenter, "", CellFormat::RowNo},
            {QStringLiteral("전송일자"), 84, AlignCenter, "senddate", CellFormat::Date},
            {QStringLiteral("전문번호"), 66, AlignCenter, "seqno"},
            {QStringLiteral("수신자명"), 112, AlignCenter, "RecvName"},
            {QStringLiteral("수신전화번호"), 98, AlignCenter, "RecvTelNo"},
            message,
            {QStringLiteral("송신전화번호"), 93, AlignCenter, "SendTelNo"}};
}

} // namespace

TFrm_SMSView::TFrm_SMSView(const ScreenContext &context, QWidget *owner)
    : QWidget(owner), session(context.session), dm(context.dm)
{
    setObjectName(QStringLiteral("Frm_SMSView"));
    setWindowTitle(QStringLiteral("Frm_SMSView"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1000, 560);
    SetFormColour(this);

    MakeBand(this, "pnl_searchtitle", QStringLiteral(" ◎ SMS 송신현황 검색"), 24);
    TKitSimplePanel *top = MakeBar(this, "pnl_search", 40, alTop);
    (new QLabel(QStringLiteral("기 간 설 정"), top))->setGeometry(8, 8, 80, 22);
    m_dates = std::make_unique<DateRange>(top, "dt_from", "dt_to", 90, 8);
    const int datesEnd = m_dates->SetCaptions(QStringLiteral("~"));
    dt_from = m_dates->from();
    dt_to = m_dates->to();
    btn_search = MakeButton(top, "btn_search", QStringLiteral("검 색"), datesEnd + 16, 6, 90, 26);

    TKitSimplePanel *bottom = MakeBar(this, "pnl_bottom", 44, alBottom);
    btn_filesave = MakeButton(bottom, "btn_filesave", QStringLiteral("자료 저장"), 8, 9, 110, 26);
    btn_close = MakeButton(bottom, "btn_close", QStringLiteral("닫 기"), 124, 9, 90, 26);

    MakeBand(this, "pnl_listtitle", QStringLiteral(" ◎ SMS 송신현황 목록"), 24);
    grd_SMSlist = MakeListGrid(this, "grd_SMSlist", SmsLogColumns());

    BindClick(this, btn_search, "btn_searchClick", &TFrm_SMSView::btn_searchClick);
    BindClick(this, btn_filesave, "btn_filesaveClick", &TFrm_SMSView::btn_filesaveClick);
    BindClick(session, btn_close, QStringLiteral("btn_closeClick"), [this] { close(); });
    // Switching to the window lists today's messages again; its own message
    // box closing gives the focus back without a switch.
    OnActivate(this, Guarded(session, QStringLiteral("FormActivate"), [this] { FormActivate(); }));
}

void TFrm_SMSView::FormActivate()
{
    m_dates->SetToday();
    btn_searchClick();
}

void TFrm_SMSView::btn_searchClick()
{
    if (RefuseWhenOffline(session))
        return;
    WaitCursor wait;
    const qvx::ResultSet &rs = dm.cms_select1(SmsLogSql::between(m_dates->FromText(), m_dates->ToText()));
    FillList(grd_SMSlist, SmsLogColumns(), rs);
    if (rs.isEmpty())
        qvx::Prompt::instance().message(QStringLiteral("SMS 자료가 존재하지 않습니다."));
}

void TFrm_SMSView::btn_filesaveClick()
{
    ListSaveOptions options;
    options.gridText = true;
    options.emptyCol = 1;
    SaveListFile(this, grd_SMSlist, qvx::Clock::now().toString(QStringLiteral("yyMMdd-hhmmss")) + QStringLiteral("이체"),
                 {}, options);
}

void registerSmsViewScreen()
{
    ScreenRegistry::instance().add(QStringLiteral("Frm_SMSView"), [](QWidget *owner, const ScreenContext &context) -> QWidget * {
        return new TFrm_SMSView(context, owner);
    });
}
