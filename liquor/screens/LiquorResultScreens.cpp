#include "liquor/screens/LiquorResultScreens.h"

#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/EventGuard.h"
#include "core/RequestMessages.h"
#include "core/RequestSender.h"
#include "core/Session.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ListReport.h"
#include "core/screens/ResultTotalsGrid.h"
#include "core/screens/ListKit.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitControl.h"
#include "core/screens/IcheSearchSubUnit.h"
#include "liquor/LiquorResultList.h"
#include "liquor/LiquorResultRequest.h"
#include "liquor/LiquorResultSql.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/ResultSet.h"
#include "platform/TListGrid.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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

const char *const OfflineText = "서버가 접속을 강제 종료하였습니다. 프로그램 종료 후 재접속하시기 바랍니다.";
const char *const NoStateText = "정상처리 / 비정상처리 옵션이 선택되지 않았습니다.";

// The report's columns: the inquiry's and the view's.
QList<ReportColumn> ReportColumns(bool inquiry)
{
    const Qt::Alignment right = AlignRight;
    if (inquiry)
        return {{QStringLiteral("NO"), 10},
                {QStringLiteral("구분"), 12, lrKind},
                {QStringLiteral("도 매 상 명"), 32, lrName},
                {QStringLiteral("이 체 금 액"), 24, lrPrice, right},
                {QStringLiteral("은 행 명"), 22, lrTransBank},
                {QStringLiteral("계 좌 번 호"), 34, lrTransBankNo},
                {QStringLiteral("송신시각"), 18, lrRecvTime},
                {QStringLiteral("처 리 결 과"), 38, lrResult, AlignLeft}};
    return {{QStringLiteral("NO"), 10},
            {QStringLiteral("구분"), 12, lrKind},
            {QStringLiteral("도 매 상 명"), 28, lrName},
            {QStringLiteral("이 체 금 액"), 22, lrPrice, right},
            {QStringLiteral("주류금액"), 20, lrJuMoney, right},
            {QStringLiteral("비주류금액"), 20, lrNonJuMoney, right},
            {QStringLiteral("은행명"), 18, lrTransBank},
            {QStringLiteral("계 좌 번 호"), 30, lrTransBankNo},
            {QStringLiteral("처 리 결 과"), 30, lrResult, AlignLeft}};
}

QString KoreanDate(const QDate &d)
{
    return QStringLiteral("%1년 %2월 %3일").arg(d.year()).arg(d.month(), 2, 10, QLatin1Char('0')).arg(d.day(), 2, 10, QLatin1Char('0'));
}

} // namespace

// --- the shared base -------------------------------------------------------------------------

LiquorResultScreen::LiquorResultScreen(const ScreenContext &context, QWidget *owner, const char *name,
                                       const QString &caption, bool inquiry)
    : QWidget(owner), session(context.session), dm(context.dm), m_columns(LiquorResultColumns(inquiry)),
      m_inquiry(inquiry)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1000, inquiry ? 640 : 762);
    SetFormColour(this);

    MakeBand(this, "pnl_title", inquiry ? QStringLiteral(" ◎ 이체처리 결과 조회") : QStringLiteral(" ◎ 이체자료 검색"), 24);
    TKitSimplePanel *top = MakePanel(this, "pnl_top");
    top->resize(width(), inquiry ? 92 : 112);
    SetAlign(top, alTop);
    (new QLabel(QStringLiteral("은 행 계 좌"), top))->setGeometry(8, 8, 70, 22);
    cmb_allbank = new TKitComboBox(top);
    cmb_allbank->setObjectName(QStringLiteral("cmb_allbank"));
    cmb_allbank->SetStyle(csDropDownList);
    cmb_allbank->setGeometry(80, 8, 330, 22);
    m_accounts = std::make_unique<MotherAccountCombo>(cmb_allbank, QStringLiteral("모든 은행계좌"));
    (new QLabel(QStringLiteral("기 간 설 정"), top))->setGeometry(420, 8, 70, 22);
    m_dates = std::make_unique<DateRange>(top, "dtpkr_from", "dtpkr_to", 492, 8);
    dtpkr_from = m_dates->from();
    dtpkr_to = m_dates->to();
    TKitSimplePanel *kind = MakePanel(top, "pnl_kind");
    kind->setGeometry(8, 36, 170, 24);
    chk_sunab = MakeRadio(kind, "chk_sunab", QStringLiteral("수 납"), 4, 2, 70);
    chk_jigub = MakeRadio(kind, "chk_jigub", QStringLiteral("지 급"), 84, 2, 70);
    SetChecked(chk_sunab, true);
    m_top = top;

    m_bottom = MakePanel(this, "pnl_bottom");
    m_bottom->resize(width(), 44);
    SetAlign(m_bottom, alBottom);
    m_buttons = std::make_unique<ButtonRow>(session, m_bottom);
    m_totalsGrid = new ResultTotalsGrid(this);
    grd_test = m_totalsGrid->grid();
    if (!inquiry) // the view keeps the system's selection colours
        grd_test->setStyleSheet(QString());

    MakeBand(this, "pnl_listtitle", inquiry ? QStringLiteral(" ◎ 당일 이체 내역") : QStringLiteral(" ◎ 이체자료 현황 목록"), 24);
    grd_ichelist = MakeListGrid(this, "grd_ichelist", m_columns);
    // Answered normally: the result code "0000" (and, on the inquiry, received).
    MarkRows(grd_ichelist, [this](int row) {
        return grd_ichelist->Cells(lrErrCode, row) == QLatin1String("0000")
               && (!m_inquiry || grd_ichelist->Cells(lrSendFlag, row) == QStringLiteral("수신"));
    }, BgrColor(0xE3987B), Qt::white);
    AddFindAction({session, dm}, this, grd_ichelist);
    std::tie(btn_preview, btn_print) = AddPrintButtons(*m_buttons, this, grd_ichelist, Report1, 80);
    buildReport();
}

LiquorResultScreen::~LiquorResultScreen() = default;

void LiquorResultScreen::FormCreate(bool orderedBanks)
{
    ClearResultTotals();
    SetChecked(chk_right, true);
    SetChecked(chk_wrong, true);
    ApplyColumnVisibility(grd_ichelist, objectName(), 1, 21);
    m_dates->SetToday();
    m_accounts->Load(*dm.scktconnect, BankSql::motherAccounts({.passwords = true, .ordered = orderedBanks}));
    for (QWidget *control : {static_cast<QWidget *>(cmb_allbank), static_cast<QWidget *>(dtpkr_from),
                             static_cast<QWidget *>(dtpkr_to), static_cast<QWidget *>(chk_sunab),
                             static_cast<QWidget *>(chk_right), static_cast<QWidget *>(chk_wrong)})
        EnterMovesFocus(control);
    FocusOnShow(this, cmb_allbank);
}

void LiquorResultScreen::ClearResultTotals()
{
    m_totals.clear();
    m_totalsGrid->clear();
}

void LiquorResultScreen::ClearRows() { ClearGridRows(grd_ichelist, LiquorResultColumnCount); }

int LiquorResultScreen::FillRows(const qvx::ResultSet &rs)
{
    const int gubun = rs.columnIndex(QStringLiteral("gubun"));
    const int flag = rs.columnIndex(QStringLiteral("sr_flag"));
    const int err = rs.columnIndex(QStringLiteral("errcode"));
    const int price = rs.columnIndex(QStringLiteral("price"));
    const int n = FillList(grd_ichelist, m_columns, rs, {[&](int, int i) {
        m_totals.add(rs.value(i, gubun), rs.value(i, flag), rs.value(i, err),
                     MoneyCellValue(rs.value(i, price)));
    }});
    m_totalsGrid->show(m_totals);
    return n;
}

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
    SaveListFile(this, grd_ichelist, LiquorSaveName(Checked(chk_sunab), qvx::Clock::now()),
                 [&lines] { return lines; }, options);
}

void LiquorResultScreen::N1Click() { OpenFindDialog({session, dm}, this, grd_ichelist); }

void LiquorResultScreen::buildReport()
{
    using qvx::ReportItem;
    Report1.documentName = QStringLiteral("이체처리현황 (사용자별)");
    Report1.font = QFont(QStringLiteral("굴림체"), 9);
    auto &t = Report1.title;
    ReportItem &title = t.add(ReportItem::Label, QStringLiteral("qrlbl_Title"), QRectF(0, 2, 190, 10),
                              QStringLiteral("이체처리현황 (사용자별)"), Qt::AlignCenter);
    title.font.setPointSize(16);
    title.font.setUnderline(true);
    ReportItem &service = t.add(ReportItem::Label, QString(), QRectF(140, 0, 50, 5), QStringLiteral("Quvex Service"),
                                AlignRight);
    service.font.setBold(true);
    service.font.setItalic(true);
    QList<TitleValue> values = {
        {QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, 14}},
        {QStringLiteral("이 체 기 간 : "), QStringLiteral("qlbl_date"), {0, 20}},
        {QStringLiteral("사  용  자  :"), QStringLiteral("qlbl_username"), {0, 26}},
        {QStringLiteral("전 체 건 수 : "), QStringLiteral("qlbl_totalgun"), {92, 14}, QStringLiteral("건"), 24, 14, AlignRight},
        {QStringLiteral("정 상 건 수 : "), QStringLiteral("qlbl_rightgun"), {92, 20}, QStringLiteral("건"), 24, 14, AlignRight},
        {QStringLiteral("불 능 건 수 : "), QStringLiteral("qlbl_errgun"), {92, 26}, QStringLiteral("건"), 24, 14, AlignRight},
    };
    const QStringList amounts = m_inquiry
        ? QStringList{QStringLiteral("전 체 금 액 : "), QStringLiteral("정 상 금 액 : "), QStringLiteral("불 능 금 액 : ")}
        : QStringList{QStringLiteral("전 체 금 액 : "), QStringLiteral("주 류 금 액 : "), QStringLiteral("비주류 금액 : "),
                      QStringLiteral("정 상 금 액 : "), QStringLiteral("불 능 금 액 : ")};
    const QStringList names = m_inquiry
        ? QStringList{QStringLiteral("qlbl_totalmoney"), QStringLiteral("qlbl_rightmoney"), QStringLiteral("qlbl_errmoney")}
        : QStringList{QStringLiteral("qlbl_totalmoney"), QStringLiteral("qlbl_jumoney"), QStringLiteral("qlbl_nonjumoney"),
                      QStringLiteral("qlbl_rightmoney"), QStringLiteral("qlbl_errmoney")};
    for (int i = 0; i < amounts.size(); ++i)
        values.append({amounts[i], names[i], {140, 14.0 + 6 * i}, QStringLiteral("원"), 22, 22, AlignRight});
    AddTitleValues(Report1, values);
    t.height = m_inquiry ? 34 : 46;
    const QList<ReportColumn> cols = ReportColumns(m_inquiry);
    AddReportColumns(Report1, cols);
    AddPrintDateFooter(Report1, 190, QStringLiteral("출력 일시 : "));
    Report1.BeforePrint = [this] { reportBeforePrint(); };
    m_reportRows = std::make_unique<ListReportRows>(LiquorReportParams(m_inquiry));
    m_reportRows->fitPage(Report1);
    m_reportRows->attachGrid(Report1, grd_ichelist, cols);
}

void LiquorResultScreen::reportBeforePrint()
{
    auto &t = Report1.title;
    const MotherAccount *account = m_accounts->Chosen();
    t.setCaption(QStringLiteral("qlbl_mobankno"), account ? cmb_allbank->Text() : QStringLiteral("모든 계좌"));
    t.setCaption(QStringLiteral("qlbl_date"),
                 KoreanDate(dtpkr_from->date()) + QStringLiteral(" - ") + KoreanDate(dtpkr_to->date()));
    t.setCaption(QStringLiteral("qlbl_username"), session.LoginUserId);
    t.setCaption(QStringLiteral("qlbl_totalgun"), m_totalsGrid->figure(3, 2));
    t.setCaption(QStringLiteral("qlbl_rightgun"), m_totalsGrid->figure(6, 2));
    t.setCaption(QStringLiteral("qlbl_errgun"), m_totalsGrid->figure(9, 2));
    t.setCaption(QStringLiteral("qlbl_totalmoney"), m_totalsGrid->figure(3, 3));
    t.setCaption(QStringLiteral("qlbl_rightmoney"), m_totalsGrid->figure(6, 3));
    t.setCaption(QStringLiteral("qlbl_errmoney"), m_totalsGrid->figure(9, 3));
    fillReportExtras();
    SetPrintDate(Report1);
}

// --- the result inquiry ----------------------------------------------------------------------

Tqv_j_ichesearch_frm::Tqv_j_ichesearch_frm(const ScreenContext &context, QWidget *owner)
    : LiquorResultScreen(context, owner, "qv_j_ichesearch_frm", QStringLiteral("이체결과조회[주류]"), true)
{
    buildFilters(m_top);
    for (QWidget *control : {static_cast<QWidget *>(chk_jigub), static_cast<QWidget *>(chk_ErrSend),
                             static_cast<QWidget *>(edt_seqnoS), static_cast<QWidget *>(edt_seqnoE),
                             static_cast<QWidget *>(edt_sendname)})
        EnterMovesFocus(control);
    setMinimumWidth(830);
    btn_filesave = m_buttons->add("btn_filesave", QStringLiteral("자료 저장"), 90, [this] {
        ResultSeqFrom = 0;
        ResultSeqTo = 0;
        btn_filesaveClick();
    });
    btn_sendT = m_buttons->add("btn_sendT", QStringLiteral("이체결과 전체조회 "), 130, [this] { btn_sendTClick(); });
    btn_sendS = m_buttons->add("btn_sendS", QStringLiteral("이체결과 개별조회 "), 130, [this] { btn_sendSClick(); });
    btn_close = m_buttons->add("btn_close", QStringLiteral("닫 기"), 80, [this] { close(); });
    grd_ichelist->viewport()->installEventFilter(new CtrlReleaseSelectsRow(grd_ichelist));
    grd_ichelist->OnDblClickCell = [this](int, int row) {
        if (row > 0)
            RunGuarded(session, QStringLiteral("grd_ichelistDblClickCell"), [this] { btn_sendSClick(); });
    };
    RunGuarded(session, QStringLiteral("qv_j_ichesearch_frm.FormCreate"), [this] {
        FormCreate(true);
        SetChecked(chk_ErrSend, true);
    });
}

void Tqv_j_ichesearch_frm::buildFilters(QWidget *top)
{
    chk_right = MakeCheck(top, "chk_right", QStringLiteral("정 상 처 리(수신)"), 190, 38, 140);
    chk_wrong = MakeCheck(top, "chk_wrong", QStringLiteral("비정상 처리(수신)"), 334, 38, 140);
    chk_ErrSend = MakeCheck(top, "chk_ErrSend", QStringLiteral("미송신 자료(대기/완료)"), 478, 38, 170);
    (new QLabel(QStringLiteral("전문번호 검색"), top))->setGeometry(8, 64, 80, 22);
    edt_seqnoS = MakeCurrencyEdit(top, "edt_seqnoS", 90, 64, 90, QStringLiteral("0"));
    (new QLabel(QStringLiteral("부터"), top))->setGeometry(184, 64, 30, 22);
    edt_seqnoE = MakeCurrencyEdit(top, "edt_seqnoE", 216, 64, 90, QStringLiteral("0"));
    (new QLabel(QStringLiteral("까지"), top))->setGeometry(310, 64, 30, 22);
    (new QLabel(QStringLiteral("업 체 검 색"), top))->setGeometry(350, 64, 70, 22);
    edt_sendname = MakeEdit(top, "edt_sendname", 422, 64, 160);
    btn_search = MakeButton(top, "btn_search", QStringLiteral("검 색"), 830, 20, 90, 40);
    BindClick(session, btn_search, QStringLiteral("btn_searchClick"), [this] { btn_searchClick(this); });
    std::tie(rdbtn_entire, rdbtn_noselect) = MakeTickChoice(session, top, QRect(660, 36, 166, 26), grd_ichelist, lrNo, 1);
}

void Tqv_j_ichesearch_frm::closeEvent(QCloseEvent *e)
{
    ResultSeqFrom = 0;
    ResultSeqTo = 0;
    QWidget::closeEvent(e);
}

void Tqv_j_ichesearch_frm::setResultRange(int from, int to)
{
    ResultSeqFrom = from;
    ResultSeqTo = to;
}

bool Tqv_j_ichesearch_frm::setResultKind(bool collection)
{
    SetChecked(collection ? chk_sunab : chk_jigub, true);
    return true;
}

void Tqv_j_ichesearch_frm::resetEdits()
{
    edt_seqnoS->SetValue(qvx::Decimal(qint64(0)));
    edt_seqnoE->SetValue(qvx::Decimal(qint64(0)));
    edt_sendname->clear();
}

QList<int> Tqv_j_ichesearch_frm::SaveRows() const { return TickedRows(grd_ichelist, lrNo); }

void Tqv_j_ichesearch_frm::btn_searchClick(QObject *)
{
    using namespace LiquorResultSql;
    const qint64 seqFrom = edt_seqnoS->Value().toInt64();
    const qint64 seqTo = edt_seqnoE->Value().toInt64();
    if (seqTo - seqFrom < 0) {
        prompt().message(QStringLiteral("전문범위가 올바르지 않습니다."));
        edt_seqnoS->setFocus();
        return;
    }
    if (session.offline()) {
        prompt().message(QString::fromUtf8(OfflineText));
        return;
    }
    ClearResultTotals();
    QString sql;
    const bool range = ResultSeqFrom >= 1 && ResultSeqTo >= 1;
    if (range) {
        sql = InquiryByRange(ResultSeqFrom, ResultSeqTo, session.LoginUserId, qvx::Clock::today());
        ResultSeqFrom = 0;
        ResultSeqTo = 0;
    } else {
        InquiryFilter f;
        f.userId = session.LoginUserId;
        f.collection = Checked(chk_sunab);
        f.right = Checked(chk_right);
        f.wrong = Checked(chk_wrong);
        f.errSend = Checked(chk_ErrSend);
        f.dateFrom = dates().FromText();
        f.dateTo = dates().ToText();
        f.seqFrom = seqFrom;
        f.seqTo = seqTo;
        if (const MotherAccount *account = accounts().Chosen())
            f.bankCode = account->bankid;
        f.sendName = edt_sendname->text();
        Refusal refusal;
        sql = InquiryByFilter(f, &refusal);
        if (refusal == Refusal::NoStateOption) {
            prompt().message(QString::fromUtf8(NoStateText));
            SetChecked(chk_right, true);
            SetChecked(chk_wrong, true);
            SetChecked(chk_ErrSend, true);
            return;
        }
        ClearRows();
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const qvx::ResultSet &rs = dm.cms_select1(sql);
    QApplication::restoreOverrideCursor();
    if (rs.isEmpty()) {
        prompt().message(QStringLiteral("이체자료가 존재하지 않습니다."));
        WriteLog(session, sql);
        resetEdits();
        return;
    }
    FillRows(rs);
    resetEdits();
    ResultSeqFrom = 0;
    ResultSeqTo = 0;
}

bool Tqv_j_ichesearch_frm::todayOnly(const QString &periodMessage) const
{
    if (!dates().SameDay()) {
        prompt().message(periodMessage);
        return false;
    }
    if (!dates().FromIsToday()) {
        prompt().message(QStringLiteral("금일 데이터에 한하여 조회가 가능합니다."));
        return false;
    }
    return true;
}

void Tqv_j_ichesearch_frm::btn_sendTClick()
{
    if (session.offline()) {
        prompt().message(QString::fromUtf8(OfflineText));
        return;
    }
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
    ResultSeqFrom = grd_ichelist->Cells(lrSeqNo, 1).toInt();
    ResultSeqTo = grd_ichelist->Cells(lrSeqNo, n).toInt();
    ClearRows();
}

void Tqv_j_ichesearch_frm::showInquiryFailure(const QString &text)
{
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
    grd_ichelist->EndUpdate();
}

void Tqv_j_ichesearch_frm::btn_sendSClick()
{
    if (session.offline()) {
        prompt().message(QString::fromUtf8(OfflineText));
        return;
    }
    ResultSeqFrom = 0;
    ResultSeqTo = 0;
    if (GridIsEmpty(grd_ichelist, 1)) {
        prompt().message(QStringLiteral("조회할 데이터가 존재하지 않습니다."));
        return;
    }
    const QString text = QStringLiteral("금일 데이터에 한하여 조회가 가능합니다.");
    if (!todayOnly(text))
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
    : LiquorResultScreen(context, owner, "qv_j_icheview_frm", QStringLiteral("이체 현황 보기[주류]"), false)
{
    buildFilters(m_top);
    EnterMovesFocus(chk_jigub, rd_entire);
    for (QWidget *control : {static_cast<QWidget *>(rd_entire), static_cast<QWidget *>(rd_recv),
                             static_cast<QWidget *>(rd_notsend), static_cast<QWidget *>(chk_MoName)})
        EnterMovesFocus(control);
    setMinimumWidth(812);
    btn_filesave = m_buttons->add("btn_filesave", QStringLiteral("Text 파일 저장"), 120, [this] { btn_filesaveClick(); });
    KitButton1 = m_buttons->add("KitButton1", QStringLiteral("닫 기"), 80, [this] { close(); });
    RunGuarded(session, QStringLiteral("qv_j_icheview_frm.FormCreate"), [this] { FormCreate(false); });
}

void Tqv_j_icheview_frm::buildFilters(QWidget *top)
{
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
    rd_entire = MakeRadio(state, "rd_entire", QStringLiteral("전    체 이체 자료"), 4, 2, 140);
    rd_recv = MakeRadio(state, "rd_recv", QStringLiteral("수    신 이체 자료"), 146, 2, 140);
    rd_notsend = MakeRadio(state, "rd_notsend", QStringLiteral("미 송 신 이체 자료"), 288, 2, 140);
    SetChecked(rd_entire, true);
    for (TKitRadioButton *rd : {rd_entire, rd_recv, rd_notsend})
        BindRadioClick(session, rd, QStringLiteral("rd_entireClick"), [this] { rd_stateClick(); });
    chk_MoName = MakeCheck(top, "chk_MoName", QStringLiteral("모계좌명보기"), 8, 84, 120);
    chk_right = MakeCheck(top, "chk_right", QStringLiteral("정상처리"), 194, 84, 100);
    chk_wrong = MakeCheck(top, "chk_wrong", QStringLiteral("비정상처리"), 300, 84, 110);
    btn_close = MakeButton(top, "btn_close", QStringLiteral("검 색"), 830, 20, 90, 40);
    BindClick(session, btn_close, QStringLiteral("btn_closeClick"), [this] { btn_closeClick(); });
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

void Tqv_j_icheview_frm::btn_closeClick()
{
    using namespace LiquorResultSql;
    if (session.offline()) {
        prompt().message(QString::fromUtf8(OfflineText));
        ClearResultTotals();
        return;
    }
    JuMoneyTotal = 0;
    NonJuMoneyTotal = 0;
    ClearRows();
    ClearResultTotals();
    ViewFilter f;
    f.collection = Checked(chk_sunab);
    f.state = Checked(rd_recv) ? ViewFilter::State::Received
              : Checked(rd_notsend) ? ViewFilter::State::NotSent : ViewFilter::State::Entire;
    f.right = Checked(chk_right);
    f.wrong = Checked(chk_wrong);
    f.dateFrom = dates().FromText();
    f.dateTo = dates().ToText();
    if (const MotherAccount *account = accounts().Chosen()) {
        f.bankCode = account->bankid;
        f.accountNo = account->mobankno;
    }
    Refusal refusal;
    const QString sql = View(f, &refusal);
    if (refusal == Refusal::NoStateOption) {
        prompt().message(QString::fromUtf8(NoStateText));
        SetChecked(chk_right, true);
        SetChecked(chk_wrong, true);
        return;
    }
    // The owner's name in column 4 when asked for; the account stays carried.
    columns() = LiquorResultColumns(false, Checked(chk_MoName));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const qvx::ResultSet &rs = dm.cms_select1(sql);
    QApplication::restoreOverrideCursor();
    if (rs.isEmpty()) {
        prompt().message(QStringLiteral("이체자료가 존재하지 않습니다."));
        ClearResultTotals();
        return;
    }
    const int ju = rs.columnIndex(QStringLiteral("jumoney"));
    const int nonJu = rs.columnIndex(QStringLiteral("nonjumoney"));
    for (int i = 0; i < rs.recordCount(); ++i) {
        JuMoneyTotal += SafeStrToCurr(rs.value(i, ju).trimmed(), 0);
        NonJuMoneyTotal += SafeStrToCurr(rs.value(i, nonJu).trimmed(), 0);
    }
    FillRows(rs);
}

void Tqv_j_icheview_frm::fillReportExtras()
{
    Report1.title.setCaption(QStringLiteral("qlbl_jumoney"), FormatMoney(QString::number(JuMoneyTotal)));
    Report1.title.setCaption(QStringLiteral("qlbl_nonjumoney"), FormatMoney(QString::number(NonJuMoneyTotal)));
}

void registerLiquorResultScreens()
{
    ScreenRegistry::instance().add(QStringLiteral("qv_j_ichesearch_frm"), [](QWidget *owner, const ScreenContext &context) -> QWidget * {
        return new Tqv_j_ichesearch_frm(context, owner);
    });
    ScreenRegistry::instance().add(QStringLiteral("qv_j_icheview_frm"), [](QWidget *owner, const ScreenContext &context) -> QWidget * {
        return new Tqv_j_icheview_frm(context, owner);
    });
}
