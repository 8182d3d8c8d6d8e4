#include "inquiries/screens/SmsViewUnit.h"

#include "core/screens/ListKit.h"
#include "inquiries/SmsLog.h"

namespace {

const ListColumns &SmsLogColumns()
{
    static const ListColumns columns = [] {
        ListColumn message{QStringLiteral("보낸 메세지 내용"), 578, AlignLeft, "Message", CellFormat::Computed};
        message.compute = [](const qvx::ResultSet &rs, int row) {
            return SmsLogMessageText(rs.value(row, QStringLiteral("Message")));
        };
        return ListColumns{{QStringLiteral("순번"), 54, AlignCenter, "", CellFormat::RowNo},
                           {QStringLiteral("전송일자"), 84, AlignCenter, "senddate", CellFormat::Date},
                           {QStringLiteral("전문번호"), 66, AlignCenter, "seqno"},
                           {QStringLiteral("수신자명"), 112, AlignCenter, "RecvName"},
                           {QStringLiteral("수신전화번호"), 98, AlignCenter, "RecvTelNo"},
                           message,
                           {QStringLiteral("송신전화번호"), 93, AlignCenter, "SendTelNo"}};
    }();
    return columns;
}

} // namespace

ListDecl TFrm_SMSView::Declaration(TFrm_SMSView *self)
{
    ListDecl d;
    d.grid.name = "grd_SMSlist";
    d.grid.columns = &SmsLogColumns();
    d.grid.emptyCol = 1;
    d.grid.find = false;
    d.search.statement = [self] { return SmsLogSql::between(self->m_dates->FromText(), self->m_dates->ToText()); };
    d.search.emptyMessage = QStringLiteral("SMS 자료가 존재하지 않습니다.");
    return d;
}

TFrm_SMSView::TFrm_SMSView(const ScreenContext &context, QWidget *owner)
    : ScreenForm(context, owner),
      m_frame(std::make_unique<ListFrame>(context, this, Declaration(this)))
{
    SetUpForm(this, "Frm_SMSView", QStringLiteral("Frm_SMSView"), 1000, 560);
    setAttribute(Qt::WA_DeleteOnClose);

    MakeBand(this, "pnl_searchtitle", QStringLiteral(" ◎ SMS 송신현황 검색"), 24);
    TKitSimplePanel *top = MakeBar(this, "pnl_search", 40, alTop);
    MakeLabel(top, QStringLiteral("기 간 설 정"), 8, 8, 80);
    m_dates = std::make_unique<DateRange>(top, "dt_from", "dt_to", 90, 8);
    const int datesEnd = m_dates->SetCaptions(QStringLiteral("~"));
    dt_from = m_dates->from();
    dt_to = m_dates->to();
    btn_search = AddButton(session, top, "btn_search", QStringLiteral("검 색"), datesEnd + 16, 6, 90, 26,
                           [this] { btn_searchClick(); });

    ButtonRow buttons(session, MakeBar(this, "pnl_bottom", 44, alBottom));
    btn_filesave = buttons.add("btn_filesave", QStringLiteral("자료 저장"), 110, [this] { btn_filesaveClick(); });
    btn_close = buttons.add("btn_close", QStringLiteral("닫 기"), 90, [this] { close(); });

    MakeBand(this, "pnl_listtitle", QStringLiteral(" ◎ SMS 송신현황 목록"), 24);
    grd_SMSlist = m_frame->makeGrid(this);

    // Switching to the window lists today's messages again; its own message
    // box closing gives the focus back without a switch.
    OnActivate(this, Guarded(session, QStringLiteral("FormActivate"), [this] { FormActivate(); }));
}

TFrm_SMSView::~TFrm_SMSView() = default;

void TFrm_SMSView::FormActivate()
{
    m_dates->SetToday();
    btn_searchClick();
}

void TFrm_SMSView::btn_searchClick()
{
    m_frame->search();
}

void TFrm_SMSView::btn_filesaveClick()
{
    ListSaveDecl save;
    save.proposedName = [] { return qvx::Clock::now().toString(QStringLiteral("yyMMdd-hhmmss")) + QStringLiteral("이체"); };
    save.options.gridText = true;
    m_frame->save(save);
}

void registerSmsViewScreen()
{
    RegisterListScreen<TFrm_SMSView>(QStringLiteral("Frm_SMSView"));
}
