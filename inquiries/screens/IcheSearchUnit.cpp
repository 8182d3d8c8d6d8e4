#include "inquiries/screens/IcheSearchUnit.h"

#include "core/screens/ListKit.h"
#include "core/screens/ResultTotalsGrid.h"
#include "inquiries/ResultInquirySql.h"
#include "inquiries/ResultList.h"
#include "core/screens/IcheSearchSubUnit.h"

namespace {

using namespace ResultList;

const QList<ReportColumn> &ReportColumns()
{
    static const QList<ReportColumn> columns = {
        {QStringLiteral("NO"), 10, ReportColumn::RowNo},
        {QStringLiteral("구분"), 12, cKind},
        {QStringLiteral("이 체 금 액"), 29, cPrice, AlignRight},
        {QStringLiteral("업 체 명"), 31, cName, AlignLeft},
        {QStringLiteral("은 행 명"), 24, cTransBank},
        {QStringLiteral("계 좌 번 호"), 34, cBankNo},
        {QStringLiteral("송신시각"), 18, cRecvTime},
        {QStringLiteral("처 리 결 과"), 32, cResult, AlignLeft},
    };
    return columns;
}

qvx::Prompt &prompt() { return qvx::Prompt::instance(); }

ResultScreenLayout Layout()
{
    ResultScreenLayout l;
    l.name = "qv_ichesearch_frm";
    l.caption = QStringLiteral("이체처리 결과 조회");
    l.size = {1000, 640};
    l.captionChoices(QStringLiteral("모계좌"), QStringLiteral("전송일자"), 60);
    return l;
}

} // namespace

Tqv_ichesearch_frm::Tqv_ichesearch_frm(const ScreenContext &context, QWidget *owner)
    : ResultListScreen(context, owner, Layout())
{
    ListDecl d = generalListDecl(Columns(), QStringLiteral("이체자료가 존재하지 않습니다."));
    d.search.searched = [this](const QString &sql, int rows) { inquirySearched(sql, rows); };
    auto account = [](const char *caption, const char *name, double y) {
        return TitleValue{QString::fromUtf8(caption), QString::fromLatin1(name), {0, y}, QString(), 24, 58, AlignLeft};
    };
    d.report = totalsReport(QStringLiteral("이체처리 현황 (사용자별)"),
                            {account("모계좌 번호 : ", "qlbl_mobankno", 14), account("이 체 기 간 : ", "qlbl_date", 20),
                             account("사  용  자  :", "qlbl_username", 26)},
                            ReportColumns());
    makeList(std::move(d), cErrCode);
    buildFilters();

    btn_send = m_buttons->add("btn_send", QStringLiteral("이체결과조회"), 110, [this] { btn_sendClick(); });
    btn_sendS = m_buttons->add("btn_sendS", QStringLiteral("이체결과 개별조회 "), 130, [this] { btn_sendSClick(); });
    btn_filesave = m_buttons->add("btn_filesave", QStringLiteral("Text 파일 저장"), 120, [this] { btn_filesaveClick(); });
    addPrintButtons(90);
    btn_close = m_buttons->add("btn_close", QStringLiteral("닫 기"), 90, [this] { close(); });

    BindDoubleClick(session, grd_ichelist, QStringLiteral("grd_ichelistDblClickCell"), [this](int, int) {
        if (!RefuseWhenOffline(session))
            btn_sendSClick();
    });
    std::tie(rdbtn_entire, rdbtn_noselect) =
        MakeTickChoice(session, m_top, QRect(820, 20, 170, 40), grd_ichelist, cNo, cSendDate);
    RunGuarded(session, QStringLiteral("qv_ichesearch_frm.FormCreate"), [this] { FormCreate(); });
}

void Tqv_ichesearch_frm::buildFilters()
{
    QWidget *top = m_top;
    makeInquiryStateBoxes();
    MakeLabel(top, QStringLiteral("전문번호"), 8, 64, 60);
    edt_seqnoS = MakeCurrencyEdit(top, "edt_seqnoS", 70, 64, 90);
    edt_seqnoE = MakeCurrencyEdit(top, "edt_seqnoE", 170, 64, 90);
    MakeLabel(top, QStringLiteral("업체명"), 272, 64, 50);
    edt_sendname = MakeEdit(top, "edt_sendname", 324, 64, 160);
    btn_search = AddButton(session, top, "btn_search", QStringLiteral("검 색"), 720, 20, 90, 40,
                           [this] { btn_searchClick(this); });

    EnterMovesFocus({cmb_allbank, dtpkr_from, dtpkr_to, chk_sunab, chk_jigub, chk_right, chk_wrong, chk_ErrSend,
                     edt_seqnoS, edt_seqnoE, edt_sendname});
    FocusOnShow(this, cmb_allbank);
}

void Tqv_ichesearch_frm::FormCreate()
{
    formCreate();
    SetChecked(chk_ErrSend, true);
    m_accounts->Load(dm);
}

// --- search ------------------------------------------------------------------------------------

QString Tqv_ichesearch_frm::statement()
{
    if (const auto range = takeResultRange())
        return ResultInquirySql::byRange(range->first, range->second, qvx::Clock::today());
    const ResultFilter f = chosenInquiryFilter<ResultFilter>();
    ResultInquirySql::Refusal refusal;
    const QString sql = ResultInquirySql::byFilter(f, &refusal);
    if (refusal == ResultInquirySql::Refusal::None)
        return sql;
    prompt().message(ResultInquirySql::refusalMessage(refusal));
    if (refusal == ResultInquirySql::Refusal::NoStateOption) {
        SetChecked(chk_right, true);
        SetChecked(chk_wrong, true);
    } else {
        edt_seqnoS->setFocus();
    }
    return QString();
}

void Tqv_ichesearch_frm::btn_searchClick(QObject *) { m_frame->search(); }

// --- result-inquiry requests ---------------------------------------------------------------------

IcheResultRow Tqv_ichesearch_frm::requestRow(int row) const
{
    return RequestRow(session, [this, row](int col) { return grd_ichelist->Cells(col, row); });
}

void Tqv_ichesearch_frm::btn_sendClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (!m_dates->TodayOnly()) {
        prompt().message(QStringLiteral("금일 데이터에 한하여 조회가 가능합니다."));
        return;
    }
    if (GridIsEmpty(grd_ichelist, cSendDate)) {
        prompt().message(QStringLiteral("조회할 내역이 존재하지 않습니다."));
        return;
    }
    const int rows = grd_ichelist->RowCount() - 1;
    const bool ticked = AnyTicked(grd_ichelist, cNo);
    const QString question = ticked
        ? QStringLiteral("선택한 데이타중 송수신 상태가 [작성]인 자료는 조회 대상에서 제외됩니다.\r\n진행하시겠습니까?")
        : QStringLiteral("선택한 데이타가 없기때문에 송수신 상태가 [작성]인 자료를 제외한 모든 자료가 조회됩니다.\r\n진행하시겠습니까?");
    if (!prompt().yesNo(question, QStringLiteral("이체처리 결과조회")))
        return;
    // One number per list row; a row left out leaves its number unused, and
    // the registered range spans them all.
    RequestSender sender(dm);
    const RequestResult result = sender.send(
        RequestBatch::bySeqNo(QString::fromLatin1(IcheResultRow::ServiceCode), QStringLiteral("icheresult")), rows,
        [this, ticked](int i, qint64 seqNo) {
            const int r = i + 1;
            if (grd_ichelist->Cells(cState, r) == QStringLiteral("작성") || (ticked && !grd_ichelist->IsChecked(cNo, r)))
                return QString();
            IcheResultRow row = requestRow(r);
            row.SeqNo = QString::number(seqNo);
            return MakeInsertSql(row);
        });
    setRange(0, 0);
    // The list empties once the bank has the requests; the answer refills it.
    if (RequestWentOut(result, QStringLiteral("조회요청 자료가 존재 하지 않습니다. 확인후 다시 작업하십시오."))) {
        m_frame->clear(); // the totals describe the list: they empty with it
    }
}

void Tqv_ichesearch_frm::btn_sendSClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (!inquiryAllowed(cNo, QStringLiteral("기간 설정이 올바르지 않습니다. 조회할 일자를 금일로 설정하시기 바랍니다.")))
        return;
    const int row = std::max(1, grd_ichelist->Row());
    if (grd_ichelist->Cells(cState, row) == QStringLiteral("작성")) {
        prompt().message(QStringLiteral("최종 승인권자가 승인하지 않은 자료는 이체처리결과조회가 불가합니다."));
        return;
    }
    RequestSender sender(dm);
    const RequestResult result = sender.sendRows(
        RequestBatch::bySeqNo(QString::fromLatin1(IcheResultRow::ServiceCode), QStringLiteral("icheresult")),
        QList<IcheResultRow>{requestRow(row)});
    // The dialog waits only for a request the bank has.
    if (!RequestWentOut(result))
        return;
    auto *dialog = new Tqv_ichesearchsub_frm({session, dm}, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->InquirySeqNoValue = int(result.base + 1);
    dialog->exec();
}

// --- save --------------------------------------------------------------------------------------

QString Tqv_ichesearch_frm::SaveLine(int r) const
{
    return SaveRecord([this, r](int col) { return grd_ichelist->Cells(col, r); });
}

void Tqv_ichesearch_frm::btn_filesaveClick()
{
    m_frame->save({[this] {
                       return (Checked(chk_sunab) ? QStringLiteral("수납_재처리") : QStringLiteral("지급_재처리"))
                              + qvx::Clock::nowText(QStringLiteral("yyMMdd")) + QStringLiteral("-")
                              + qvx::Clock::nowText(QStringLiteral("hhmmss"));
                   },
                   [this] {
                       QStringList lines;
                       for (int r : TickedRows(grd_ichelist, cNo))
                           lines << SaveLine(r);
                       return lines;
                   },
                   {}});
}

void registerIcheSearchScreen() { RegisterListScreen<Tqv_ichesearch_frm>(QStringLiteral("qv_ichesearch_frm")); }
