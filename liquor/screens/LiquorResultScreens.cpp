#include "liquor/screens/LiquorResultScreens.h"

#include "core/CellText.h"
#include "core/ReportParams.h"
#include "core/screens/ListKit.h"
#include "core/screens/ResultTotalsGrid.h"
#include "core/BankSql.h"
#include "core/screens/IcheSearchSubUnit.h"
#include "core/screens/ListKit.h"
#include "liquor/LiquorResultList.h"
#include "liquor/LiquorResultRequest.h"
#include "liquor/LiquorResultSql.h"

#include <QScopedValueRollback>
#include <QGroupBox>
#include <QMouseEvent>

namespace {

qvx::Prompt &prompt() { return qvx::Prompt::instance(); }

// A left-button release with Ctrl held leaves the current row selected (the
// Ctrl click alone would take it out of the selection).
class CtrlReleaseSelectsRow : public QObject
{
public:
    explicit CtrlReleaseSelectsRow(TListGrid *grid) : QObject(grid), m_grid(grid) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier))
            QMetaObject::invokeMethod(m_grid, [grid = m_grid] { grid->selectRow(grid->Row()); }, Qt::QueuedConnection);
        return false;
    }

private:
    TListGrid *m_grid;
};

// The report's columns: the inquiry's and the view's.
QList<ReportColumn> ReportColumns(bool inquiry)
{
    // An amount column holds a 13-digit amount ("9,999,999,999,999"), an
    // account column the longest hyphenated account.
    const Qt::Alignment right = AlignRight;
    if (inquiry)
        return {{QStringLiteral("NO"), 10},
                {QStringLiteral("구분"), 12, lrKind},
                {QStringLiteral("도 매 상 명"), 32, lrName},
                {QStringLiteral("이 체 금 액"), 28, lrPrice, right},
                {QStringLiteral("은 행 명"), 22, lrTransBank},
                {QStringLiteral("계 좌 번 호"), 30, lrTransBankNo},
                {QStringLiteral("송신시각"), 18, lrRecvTime},
                {QStringLiteral("처 리 결 과"), 38, lrResult, AlignLeft}};
    return {{QStringLiteral("NO"), 10},
            {QStringLiteral("구분"), 10, lrKind},
            {QStringLiteral("도 매 상 명"), 20, lrName},
            {QStringLiteral("이 체 금 액"), 28, lrPrice, right},
            {QStringLiteral("주류금액"), 28, lrJuMoney, right},
            {QStringLiteral("비주류금액"), 28, lrNonJuMoney, right},
            {QStringLiteral("은행명"), 18, lrTransBank},
            {QStringLiteral("계 좌 번 호"), 28, lrTransBankNo},
            {QStringLiteral("처 리 결 과"), 20, lrResult, AlignLeft}};
}

ResultScreenLayout Layout(bool inquiry)
{
    ResultScreenLayout l;
    l.kind = ResultListKind::Liquor;
    l.name = inquiry ? "qv_j_ichesearch_frm" : "qv_j_icheview_frm";
    l.caption = inquiry ? QStringLiteral("이체결과조회[주류]") : QStringLiteral("이체 현황 보기[주류]");
    l.size = {1000, inquiry ? 640 : 762};
    l.heading = inquiry ? QStringLiteral(" ◎ 이체처리 결과 조회") : QStringLiteral(" ◎ 이체자료 검색");
    l.topHeight = inquiry ? 92 : 112;
    l.captionChoices(QStringLiteral("은 행 계 좌"), QStringLiteral("기 간 설 정"), 70);
    if (inquiry) {
        l.afterFrom = QStringLiteral("부터");
        l.afterTo = QStringLiteral("까지");
    }
    l.listHeading = inquiry ? QStringLiteral(" ◎ 당일 이체 내역") : QStringLiteral(" ◎ 이체자료 현황 목록");
    return l;
}

} // namespace

// --- the shared base -------------------------------------------------------------------------

LiquorResultScreen::LiquorResultScreen(const ScreenContext &context, QWidget *owner, bool inquiry)
    : ResultListScreen(context, owner, Layout(inquiry)), m_columns(LiquorResultColumns(inquiry)), m_inquiry(inquiry)
{
    if (!inquiry) // the view keeps the system's selection colours
        grd_test->setStyleSheet(QString());
}

void LiquorResultScreen::makeLiquorList(ListSearchDecl search)
{
    ListDecl d;
    d.grid = {"grd_ichelist", &m_columns, 1, 21};
    d.search = std::move(search);
    d.search.emptyMessage = QStringLiteral("이체자료가 존재하지 않습니다.");
    d.report = reportDecl();
    // Answered normally: the result code "0000" (and, on the inquiry, received).
    makeList(std::move(d), lrErrCode, m_inquiry ? lrSendFlag : -1);
    addPrintButtons(80);
}

void LiquorResultScreen::FormCreate(bool orderedBanks)
{
    formCreate();
    m_accounts->Load(*dm.scktconnect, BankSql::motherAccounts({.passwords = true, .ordered = orderedBanks}));
    EnterMovesFocus({cmb_allbank, dtpkr_from, dtpkr_to, chk_sunab, chk_right, chk_wrong});
    FocusOnShow(this, cmb_allbank);
}

bool LiquorResultScreen::stateOptionsRefused(bool refused)
{
    if (!refused)
        return false;
    prompt().message(QStringLiteral("정상처리 / 비정상처리 옵션이 선택되지 않았습니다."));
    SetChecked(chk_right, true);
    SetChecked(chk_wrong, true);
    if (m_inquiry)
        SetChecked(chk_ErrSend, true);
    return true;
}

void LiquorResultScreen::ClearRows() { ClearGridRows(grd_ichelist, LiquorResultColumnCount); }

QStringList LiquorResultScreen::RowCells(int row) const
{
    QStringList cells;
    for (int c = 0; c < LiquorResultColumnCount; ++c)
        cells << grd_ichelist->Cells(c, row);
    return cells;
}

QStringList LiquorResultScreen::SaveLines(const QList<int> &rows, QString *refusal) const
{
    QStringList lines;
    for (int row : rows) {
        if (session.FileSaveFlag != 0) {
            lines << LiquorSemicolonLine(RowCells(row));
            continue;
        }
        const LiquorReprocessLine record =
            EncodeLiquorReprocessRecord(RowCells(row), session.LoginUserId, session.SendFlagInit);
        if (!record.ok()) {
            *refusal = LiquorReprocessRefusalMessage(row, record);
            return {};
        }
        lines << record.line;
    }
    return lines;
}

void LiquorResultScreen::btn_filesaveClick()
{
    ListSaveOptions options;
    if (!m_inquiry)
        options.filter = QStringLiteral("텍스트 파일(*.txt)|*.txt|엑    셀 파일(*.xls)|*.xls");
    // The records carry the mother accounts' passwords.
    options.ownerOnly = true;
    // The lines are made once: a row that cannot be written as it stands
    // refuses the save before the file is touched.
    QStringList lines;
    options.textRefusal = [this, &lines] {
        QString refusal;
        lines = SaveLines(SaveRows(), &refusal);
        return refusal;
    };
    m_frame->save({[this] { return LiquorSaveName(Checked(chk_sunab), qvx::Clock::now()); },
                   [&lines] { return lines; }, options});
}

ListReportDecl LiquorResultScreen::reportDecl()
{
    ListReportDecl r;
    r.title = QStringLiteral("이체처리현황 (사용자별)");
    r.productY = 0;
    r.values = {
        {QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, 14}},
        {QStringLiteral("이 체 기 간 : "), QStringLiteral("qlbl_date"), {0, 20}},
        {QStringLiteral("사  용  자  :"), QStringLiteral("qlbl_username"), {0, 26}},
        {QStringLiteral("전 체 건 수 : "), QStringLiteral("qlbl_totalgun"), {82, 14}, QStringLiteral("건"), 24, 16, AlignRight},
        {QStringLiteral("정 상 건 수 : "), QStringLiteral("qlbl_rightgun"), {82, 20}, QStringLiteral("건"), 24, 16, AlignRight},
        {QStringLiteral("불 능 건 수 : "), QStringLiteral("qlbl_errgun"), {82, 26}, QStringLiteral("건"), 24, 16, AlignRight},
    };
    const QStringList amounts = m_inquiry
        ? QStringList{QStringLiteral("전 체 금 액 : "), QStringLiteral("정 상 금 액 : "), QStringLiteral("불 능 금 액 : ")}
        : QStringList{QStringLiteral("전 체 금 액 : "), QStringLiteral("주 류 금 액 : "), QStringLiteral("비주류 금액 : "),
                      QStringLiteral("정 상 금 액 : "), QStringLiteral("불 능 금 액 : ")};
    const QStringList names = m_inquiry
        ? QStringList{QStringLiteral("qlbl_totalmoney"), QStringLiteral("qlbl_rightmoney"), QStringLiteral("qlbl_errmoney")}
        : QStringList{QStringLiteral("qlbl_totalmoney"), QStringLiteral("qlbl_jumoney"), QStringLiteral("qlbl_nonjumoney"),
                      QStringLiteral("qlbl_rightmoney"), QStringLiteral("qlbl_errmoney")};
    // The amounts hold a 14-digit total; the view's five stay above its
    // first page's lines.
    for (int i = 0; i < amounts.size(); ++i)
        r.values.append({amounts[i], names[i], {129, 14.0 + 5.5 * i}, QStringLiteral("원"), 23, 29, AlignRight});
    // The title underlined, the product name in bold italics.
    r.extras = [](qvx::Report &report) {
        report.title.item(QStringLiteral("qrlbl_Title"))->font.setUnderline(true);
        qvx::ReportItem *product = report.title.item(QStringLiteral("qlbl_product"));
        product->font.setBold(true);
        product->font.setItalic(true);
    };
    r.titleHeight = m_inquiry ? 34 : 46;
    r.columns = ReportColumns(m_inquiry);
    r.paging = LiquorReportParams(m_inquiry);
    r.footerCaption = QStringLiteral("출력 일시 : ");
    r.fillTitle = [this](qvx::Report &report) {
        auto &t = report.title;
        t.setCaption(QStringLiteral("qlbl_mobankno"), reportAccount());
        t.setCaption(QStringLiteral("qlbl_date"), KoreanDateText(dtpkr_from->date()) + QStringLiteral(" - ")
                                                      + KoreanDateText(dtpkr_to->date()));
        t.setCaption(QStringLiteral("qlbl_username"), session.LoginUserId);
        t.setCaption(QStringLiteral("qlbl_totalgun"), m_totalsGrid->figure(3, 2));
        t.setCaption(QStringLiteral("qlbl_rightgun"), m_totalsGrid->figure(6, 2));
        t.setCaption(QStringLiteral("qlbl_errgun"), m_totalsGrid->figure(9, 2));
        t.setCaption(QStringLiteral("qlbl_totalmoney"), m_totalsGrid->figure(3, 3));
        t.setCaption(QStringLiteral("qlbl_rightmoney"), m_totalsGrid->figure(6, 3));
        t.setCaption(QStringLiteral("qlbl_errmoney"), m_totalsGrid->figure(9, 3));
        fillReportExtras();
    };
    return r;
}

// --- the result inquiry ----------------------------------------------------------------------

Tqv_j_ichesearch_frm::Tqv_j_ichesearch_frm(const ScreenContext &context, QWidget *owner)
    : LiquorResultScreen(context, owner, true)
{
    makeLiquorList(searchDecl());
    buildFilters();
    EnterMovesFocus({chk_jigub, chk_ErrSend, edt_seqnoS, edt_seqnoE, edt_sendname});
    setMinimumWidth(830);
    btn_filesave = m_buttons->add("btn_filesave", QStringLiteral("자료 저장"), 90, [this] {
        setRange(0, 0);
        btn_filesaveClick();
    });
    btn_sendT = m_buttons->add("btn_sendT", QStringLiteral("이체결과 전체조회 "), 130, [this] { btn_sendTClick(); });
    btn_sendS = m_buttons->add("btn_sendS", QStringLiteral("이체결과 개별조회 "), 130, [this] { btn_sendSClick(); });
    btn_close = m_buttons->add("btn_close", QStringLiteral("닫 기"), 80, [this] { close(); });
    grd_ichelist->viewport()->installEventFilter(new CtrlReleaseSelectsRow(grd_ichelist));
    BindDoubleClick(session, grd_ichelist, QStringLiteral("grd_ichelistDblClickCell"), [this](int, int row) {
        if (row > 0)
            btn_sendSClick();
    });
    RunGuarded(session, QStringLiteral("qv_j_ichesearch_frm.FormCreate"), [this] {
        FormCreate(true);
        SetChecked(chk_ErrSend, true);
    });
}

void Tqv_j_ichesearch_frm::buildFilters()
{
    QWidget *top = m_top;
    makeInquiryStateBoxes();
    MakeLabel(top, QStringLiteral("전문번호 검색"), 8, 64, 80);
    edt_seqnoS = MakeCurrencyEdit(top, "edt_seqnoS", 90, 64, 90, QStringLiteral("0"));
    MakeLabel(top, QStringLiteral("부터"), 184, 64, 30);
    edt_seqnoE = MakeCurrencyEdit(top, "edt_seqnoE", 216, 64, 90, QStringLiteral("0"));
    MakeLabel(top, QStringLiteral("까지"), 310, 64, 30);
    MakeLabel(top, QStringLiteral("업 체 검 색"), 350, 64, 70);
    edt_sendname = MakeEdit(top, "edt_sendname", 422, 64, 160);
    btn_search = AddButton(session, top, "btn_search", QStringLiteral("검 색"), 830, 20, 90, 40,
                           [this] { btn_searchClick(this); });
    std::tie(rdbtn_entire, rdbtn_noselect) = MakeTickChoice(session, top, QRect(660, 36, 166, 26), grd_ichelist, lrNo, 1);
}

bool Tqv_j_ichesearch_frm::setResultKind(bool collection)
{
    SetChecked(collection ? chk_sunab : chk_jigub, true);
    return true;
}

QList<int> Tqv_j_ichesearch_frm::SaveRows() const { return TickedRows(grd_ichelist, lrNo); }

ListSearchDecl Tqv_j_ichesearch_frm::searchDecl()
{
    ListSearchDecl s;
    // The number range is checked before the link.
    s.firstCheck = [this] {
        if (seqTo() - seqFrom() >= 0)
            return true;
        prompt().message(QStringLiteral("전문범위가 올바르지 않습니다."));
        edt_seqnoS->setFocus();
        return false;
    };
    // On the range path the earlier rows stay until the answer fills the list.
    s.statementClearsList = true;
    s.searched = [this](const QString &sql, int rows) { inquirySearched(sql, rows); };
    return s;
}

QString Tqv_j_ichesearch_frm::statement()
{
    using namespace LiquorResultSql;
    if (const auto range = takeResultRange())
        return InquiryByRange(range->first, range->second, session.LoginUserId, qvx::Clock::today());
    const InquiryFilter f = chosenInquiryFilter<InquiryFilter>();
    Refusal refusal;
    const QString sql = InquiryByFilter(f, &refusal);
    if (stateOptionsRefused(refusal == Refusal::NoStateOption))
        return QString();
    ClearRows();
    return sql;
}

void Tqv_j_ichesearch_frm::btn_searchClick(QObject *sender)
{
    // Rows whose inquiry did not go out wait for the user: a search run by an
    // answer of the bank would list another kind or range in their place, and
    // sending again would ask a second time for what the bank has already got.
    // While the inquiry is sent, the list is what is being sent: an answer to
    // a batch that went out meanwhile (a question is open) leaves it alone.
    if (sender != this && (m_unsentRowsListed || m_sending))
        return;
    m_unsentRowsListed = false;
    m_frame->search();
}

void Tqv_j_ichesearch_frm::btn_sendTClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (!todayOnly(QStringLiteral("금일 데이터에 대하여 조회가 가능합니다.")))
        return;
    const int n = DataRowCount(grd_ichelist, 1);
    if (n == 0) {
        prompt().message(QStringLiteral("조회할 데이터가 존재하지 않습니다."));
        return;
    }
    QList<QStringList> rows;
    for (int r = 1; r <= n; ++r)
        rows << RowCells(r);
    const QDateTime now = qvx::Clock::now();
    const LiquorInquiryRows requests = LiquorWholeInquiry(rows, session, now.toString(QStringLiteral("yyyyMMdd")),
                                                          now.toString(QStringLiteral("HHmmss")));
    // One batch per kind: each with its own numbers, rows, commit and
    // registration; a refused batch is rolled back by the sender.
    const QScopedValueRollback<bool> sending(m_sending, true);
    RequestSender sender(session, *dm.scktconnect);
    bool collectionsWentOut = false;
    if (!requests.collections.isEmpty()) {
        const RequestResult r = sender.sendRows(
            RequestBatch::bySeqNo(QString::fromLatin1(IcheResult102Row::ServiceCode), QStringLiteral("icheresult_102")),
            requests.collections);
        if (!r.sent()) {
            showInquiryFailure(LiquorWholeInquiryFailure(r, false));
            return;
        }
        collectionsWentOut = true;
    }
    if (!requests.payments.isEmpty()) {
        const RequestResult r = sender.sendRows(
            RequestBatch::bySeqNo(QString::fromLatin1(IcheResult103Row::ServiceCode), QStringLiteral("icheresult_103")),
            requests.payments);
        if (!r.sent()) {
            // The collections' requests are registered: they leave the list
            // so that sending again asks only for the payments.
            if (collectionsWentOut)
                removeCollectionRows();
            showInquiryFailure(LiquorWholeInquiryFailure(r, collectionsWentOut));
            return;
        }
    }
    m_unsentRowsListed = false;
    setRange(grd_ichelist->Cells(lrSeqNo, 1).toInt(), grd_ichelist->Cells(lrSeqNo, n).toInt());
    ClearRows();
}

void Tqv_j_ichesearch_frm::showInquiryFailure(const QString &text)
{
    m_unsentRowsListed = true;
    if (!text.isEmpty())
        prompt().message(text);
}

void Tqv_j_ichesearch_frm::removeCollectionRows()
{
    const int n = DataRowCount(grd_ichelist, 1);
    int kept = n;
    grd_ichelist->BeginUpdate();
    for (int r = n; r >= 1; --r) {
        if (grd_ichelist->Cells(lrGubun, r) != QLatin1String("20"))
            continue;
        if (kept == 1)
            grd_ichelist->ClearRows(1, 1); // the list keeps its one empty row
        else
            grd_ichelist->DeleteRow(r);
        --kept;
    }
    // The rows left are numbered from 1 again, as a list of their own.
    for (int r = 1; r <= kept; ++r)
        grd_ichelist->SetCells(lrNo, r, QString::number(r));
    grd_ichelist->EndUpdate();
}

void Tqv_j_ichesearch_frm::btn_sendSClick()
{
    if (RefuseWhenOffline(session))
        return;
    setRange(0, 0);
    if (!inquiryAllowed(1, QStringLiteral("금일 데이터에 한하여 조회가 가능합니다.")))
        return;
    const int row = grd_ichelist->Row();
    if (row < 1)
        return;
    const QStringList cells = RowCells(row);
    const QString gubun = cells[lrGubun];
    if (gubun != QLatin1String("20") && gubun != QLatin1String("30")) {
        prompt().message(QStringLiteral("현재 조회하고자 하는  원 이체전문의 거래구분이 데이터가 없거나 정확하지 않습니다. "
                                        "확인하시기 바랍니다."));
        return;
    }
    const QDateTime now = qvx::Clock::now();
    const QString date = now.toString(QStringLiteral("yyyyMMdd"));
    const QString time = now.toString(QStringLiteral("HHmmss"));
    RequestSender sender(session, *dm.scktconnect);
    const RequestResult r = gubun == QLatin1String("20")
        ? sender.sendRows(RequestBatch::bySeqNo(QString::fromLatin1(IcheResult102Row::ServiceCode),
                                                QStringLiteral("icheresult_102")),
                          QList<IcheResult102Row>{LiquorCollectionInquiry(cells, session, date, time)})
        : sender.sendRows(RequestBatch::bySeqNo(QString::fromLatin1(IcheResult103Row::ServiceCode),
                                                QStringLiteral("icheresult_103")),
                          QList<IcheResult103Row>{LiquorPaymentInquiry(cells, session, date, time)});
    if (!RequestWentOut(r))
        return;
    auto *dialog = new Tqv_ichesearchsub_frm({session, dm}, this, ResultDetailKind::Liquor);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->InquirySeqNoValue = int(r.base + 1);
    dialog->exec();
}

// --- the status view -------------------------------------------------------------------------

Tqv_j_icheview_frm::Tqv_j_icheview_frm(const ScreenContext &context, QWidget *owner)
    : LiquorResultScreen(context, owner, false)
{
    makeLiquorList(searchDecl());
    buildFilters();
    EnterMovesFocus(chk_jigub, rd_entire);
    EnterMovesFocus({rd_entire, rd_recv, rd_notsend, chk_MoName});
    setMinimumWidth(812);
    btn_filesave = m_buttons->add("btn_filesave", QStringLiteral("Text 파일 저장"), 120, [this] { btn_filesaveClick(); });
    KitButton1 = m_buttons->add("KitButton1", QStringLiteral("닫 기"), 80, [this] { close(); });
    RunGuarded(session, QStringLiteral("qv_j_icheview_frm.FormCreate"), [this] { FormCreate(false); });
}

void Tqv_j_icheview_frm::buildFilters()
{
    QWidget *top = m_top;
    // The kind and the send state each stand in a captioned group.
    auto group = [top](const char *name, const QString &caption, int x, int width) {
        auto *box = new QGroupBox(caption, top);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(x, 32, width, 46);
        return box;
    };
    QGroupBox *kindGroup = group("grp_kind", QStringLiteral("거래구분"), 8, 176);
    QWidget *kind = top->findChild<QWidget *>(QStringLiteral("pnl_kind"), Qt::FindDirectChildrenOnly);
    kind->setParent(kindGroup);
    kind->move(3, 18);
    kind->show();
    QGroupBox *stateGroup = group("grp_state", QStringLiteral("송수신상태"), 190, 436);
    TKitSimplePanel *state = MakePanel(stateGroup, "pnl_state");
    state->setGeometry(3, 18, 430, 26);
    makeViewStateRadios(state, 4, 146, 288, 140, &rd_entire, &rd_recv, &rd_notsend);
    for (TKitRadioButton *rd : {rd_entire, rd_recv, rd_notsend})
        BindRadioClick(session, rd, QStringLiteral("rd_entireClick"), [this] { rd_stateClick(); });
    chk_MoName = MakeCheck(top, "chk_MoName", QStringLiteral("모계좌명보기"), 8, 84, 120);
    chk_right = MakeCheck(top, "chk_right", QStringLiteral("정상처리"), 194, 84, 100);
    chk_wrong = MakeCheck(top, "chk_wrong", QStringLiteral("비정상처리"), 300, 84, 110);
    btn_close = AddButton(session, top, "btn_close", QStringLiteral("검 색"), 830, 20, 90, 40, [this] { btn_closeClick(); });
}

void Tqv_j_icheview_frm::rd_stateClick()
{
    const bool notSent = Checked(rd_notsend);
    chk_right->setEnabled(!notSent);
    SetChecked(chk_right, !notSent);
}

QList<int> Tqv_j_icheview_frm::SaveRows() const
{
    QList<int> rows;
    for (int r = 1; r <= DataRowCount(grd_ichelist, 1); ++r)
        rows << r;
    return rows;
}

ListSearchDecl Tqv_j_icheview_frm::searchDecl()
{
    ListSearchDecl s;
    // Refused by the link, the search still zeroes the totals.
    s.onOffline = [this] { ClearResultTotals(); };
    s.onRow = [this](const qvx::ResultSet &rs, int, int row) {
        JuMoneyTotal += SafeStrToCurr(rs.value(row, QStringLiteral("jumoney")).trimmed(), 0);
        NonJuMoneyTotal += SafeStrToCurr(rs.value(row, QStringLiteral("nonjumoney")).trimmed(), 0);
    };
    return s;
}

QString Tqv_j_icheview_frm::statement()
{
    using namespace LiquorResultSql;
    JuMoneyTotal = 0;
    NonJuMoneyTotal = 0;
    ViewFilter f;
    f.collection = Checked(chk_sunab);
    f.state = Checked(rd_recv) ? ViewFilter::State::Received
              : Checked(rd_notsend) ? ViewFilter::State::NotSent : ViewFilter::State::Entire;
    f.right = Checked(chk_right);
    f.wrong = Checked(chk_wrong);
    f.dateFrom = m_dates->FromText();
    f.dateTo = m_dates->ToText();
    if (const MotherAccount *account = m_accounts->Chosen()) {
        f.bankCode = account->bankid;
        f.accountNo = account->mobankno;
    }
    Refusal refusal;
    const QString sql = View(f, &refusal);
    if (stateOptionsRefused(refusal == Refusal::NoStateOption))
        return QString();
    // The owner's name in column 4 when asked for; the account stays carried.
    m_columns = LiquorResultColumns(false, Checked(chk_MoName));
    return sql;
}

void Tqv_j_icheview_frm::btn_closeClick() { m_frame->search(); }

void Tqv_j_icheview_frm::fillReportExtras()
{
    Report1.title.setCaption(QStringLiteral("qlbl_jumoney"), FormatMoney(QString::number(JuMoneyTotal)));
    Report1.title.setCaption(QStringLiteral("qlbl_nonjumoney"), FormatMoney(QString::number(NonJuMoneyTotal)));
}

void registerLiquorResultScreens()
{
    RegisterListScreen<Tqv_j_ichesearch_frm>(QStringLiteral("qv_j_ichesearch_frm"));
    RegisterListScreen<Tqv_j_icheview_frm>(QStringLiteral("qv_j_icheview_frm"));
}
