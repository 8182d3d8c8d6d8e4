#include "core/screens/ResultListScreen.h"

#include "core/screens/ListKit.h"
#include "core/screens/ResultTotalsGrid.h"

#include <QCloseEvent>

#include <algorithm>

void ResultScreenLayout::captionChoices(const QString &account, const QString &period, int labelWidth)
{
    accountLabel = account;
    accountLabelAt = {8, 8, labelWidth, 22};
    comboAt = {10 + labelWidth, 8};
    dateLabel = period;
    dateLabelAt = {comboAt.x() + 340, 8, labelWidth, 22};
    datesAt = {dateLabelAt.x() + labelWidth + 2, 8};
}

ResultListScreen::ResultListScreen(const ScreenContext &context, QWidget *owner, const ResultScreenLayout &layout)
    : ScreenForm(context, owner), m_kind(layout.kind)
{
    SetUpForm(this, layout.name, layout.caption, layout.size.width(), layout.size.height());
    setAttribute(Qt::WA_DeleteOnClose);

    if (!layout.heading.isEmpty())
        MakeBand(this, layout.headingName, layout.heading, 24);
    m_top = MakeBar(this, "pnl_top", layout.topHeight, alTop);
    if (!layout.accountLabel.isEmpty())
        MakeLabel(m_top, layout.accountLabel, layout.accountLabelAt.x(), layout.accountLabelAt.y(),
                  layout.accountLabelAt.width());
    cmb_allbank = MakeCombo(m_top, "cmb_allbank", layout.comboAt.x(), layout.comboAt.y(), 330);
    m_accounts = std::make_unique<MotherAccountCombo>(cmb_allbank, QStringLiteral("모든 은행계좌"));
    if (!layout.dateLabel.isEmpty())
        MakeLabel(m_top, layout.dateLabel, layout.dateLabelAt.x(), layout.dateLabelAt.y(), layout.dateLabelAt.width());
    m_dates = std::make_unique<DateRange>(m_top, "dtpkr_from", "dtpkr_to", layout.datesAt.x(), layout.datesAt.y());
    m_dates->SetCaptions(layout.afterFrom, layout.afterTo);
    dtpkr_from = m_dates->from();
    dtpkr_to = m_dates->to();
    TKitSimplePanel *kind = MakePanel(m_top, layout.kindPanel);
    kind->setGeometry(layout.kindAt);
    chk_sunab = MakeRadio(kind, "chk_sunab", QStringLiteral("수 납"), 4, 2, 70);
    chk_jigub = MakeRadio(kind, "chk_jigub", QStringLiteral("지 급"), layout.jigubX, 2, 70);
    SetChecked(chk_sunab, true);

    m_buttons = std::make_unique<ButtonRow>(session, MakeBar(this, "pnl_bottom", 44, alBottom));
    m_totalsGrid = new ResultTotalsGrid(this);
    grd_test = m_totalsGrid->grid();
    if (!layout.listHeading.isEmpty())
        MakeBand(this, "pnl_listtitle", layout.listHeading, 24);
}

ResultListScreen::~ResultListScreen() = default;

void ResultListScreen::makeList(ListDecl decl, int errCodeCol, int sendFlagCol)
{
    if (!decl.search.statement)
        decl.search.statement = [this] { return statement(); };
    decl.totals = {[this] { ClearResultTotals(); }, [this] { m_totalsGrid->show(m_totals); }};
    auto onRow = std::move(decl.search.onRow);
    decl.search.onRow = [this, onRow](const qvx::ResultSet &rs, int gridRow, int row) {
        const QString price = rs.value(row, QStringLiteral("price"));
        m_totals.add(rs.value(row, QStringLiteral("gubun")), rs.value(row, QStringLiteral("sr_flag")),
                     rs.value(row, QStringLiteral("errcode")),
                     m_kind == ResultListKind::Liquor ? MoneyCellValue(price) : SafeStrToCurr(price.trimmed(), 0));
        if (onRow)
            onRow(rs, gridRow, row);
    };
    m_frame = std::make_unique<ListFrame>(context(), this, std::move(decl));
    grd_ichelist = m_frame->makeGrid(this);
    MarkRows(grd_ichelist, [this, errCodeCol, sendFlagCol](int row) {
        return grd_ichelist->Cells(errCodeCol, row) == QLatin1String("0000")
               && (sendFlagCol < 0 || grd_ichelist->Cells(sendFlagCol, row) == QStringLiteral("수신"));
    }, BgrColor(0xE3987B), Qt::white);
    m_frame->attachReport(Report1);
}

ListDecl ResultListScreen::generalListDecl(const ListColumns &columns, const QString &emptyMessage)
{
    ListDecl d;
    d.grid = {"grd_ichelist", &columns, 0, 19};
    d.search.emptyMessage = emptyMessage;
    d.search.listClearedCheck = [this] { return accountChosen(); };
    return d;
}

void ResultListScreen::formCreate()
{
    m_frame->formCreate();
    SetChecked(chk_right, true);
    SetChecked(chk_wrong, true);
    m_dates->SetToday();
}

void ResultListScreen::addPrintButtons(int width)
{
    std::tie(btn_preview, btn_print) = AddPrintButtons(*m_buttons, this, grd_ichelist, Report1, width);
}

void ResultListScreen::makeInquiryStateBoxes()
{
    chk_right = MakeCheck(m_top, "chk_right", QStringLiteral("정 상 처 리(수신)"), 190, 38, 140);
    chk_wrong = MakeCheck(m_top, "chk_wrong", QStringLiteral("비정상 처리(수신)"), 334, 38, 140);
    chk_ErrSend = MakeCheck(m_top, "chk_ErrSend", QStringLiteral("미송신 자료(대기/완료)"), 478, 38, 170);
}

void ResultListScreen::makeViewStateRadios(QWidget *parent, int entireX, int recvX, int notSendX, int width,
                                           TKitRadioButton **entire, TKitRadioButton **recv, TKitRadioButton **notSend)
{
    struct Radio
    {
        int x;
        const char *name;
        const char *caption;
        TKitRadioButton **made;
    };
    QList<Radio> radios = {{entireX, "rd_entire", "전    체 이체 자료", entire},
                           {recvX, "rd_recv", "수    신 이체 자료", recv},
                           {notSendX, "rd_notsend", "미 송 신 이체 자료", notSend}};
    // Made left to right, so that Tab goes the way they stand.
    std::sort(radios.begin(), radios.end(), [](const Radio &a, const Radio &b) { return a.x < b.x; });
    for (const Radio &r : radios)
        *r.made = MakeRadio(parent, r.name, QString::fromUtf8(r.caption), r.x, 2, width);
    SetChecked(*entire, true);
}

QString ResultListScreen::userId() const { return session.LoginUserId; }
qint64 ResultListScreen::seqFrom() const { return edt_seqnoS->Value().toInt64(); }
qint64 ResultListScreen::seqTo() const { return edt_seqnoE->Value().toInt64(); }
QString ResultListScreen::sendName() const { return edt_sendname->text(); }

bool ResultListScreen::accountChosen()
{
    if (cmb_allbank->ItemIndex() >= 0)
        return true;
    qvx::Prompt::instance().message(QStringLiteral("조회할 계좌번호를 선택하시기 바랍니다."));
    cmb_allbank->setFocus();
    return false;
}

ListReportDecl ResultListScreen::totalsReport(const QString &title, QList<TitleValue> values,
                                              QList<ReportColumn> columns)
{
    ListReportDecl r;
    r.title = title;
    r.productY = 33;
    r.values = std::move(values);
    r.extras = ResultTotalsGrid::AddReportFigures;
    r.columns = std::move(columns);
    r.look = {7, 6, true, 1};
    r.titleHeight = 40;
    // A4 portrait, 31 lines on the first page and 37 on the others, the last page filled.
    r.paging = ReportParams{};
    r.fillTitle = [this](qvx::Report &report) {
        report.title.setCaption(QStringLiteral("qlbl_mobankno"), reportAccount());
        report.title.setCaption(QStringLiteral("qlbl_date"), m_dates->ReportText());
        report.title.setCaption(QStringLiteral("qlbl_username"), session.LoginUserId);
        m_totalsGrid->ShowReportFigures(report);
    };
    return r;
}

void ResultListScreen::ClearResultTotals()
{
    m_totals.clear();
    m_totalsGrid->clear();
}

void ResultListScreen::setRange(int from, int to)
{
    ResultSeqFrom = from;
    ResultSeqTo = to;
}

std::optional<std::pair<int, int>> ResultListScreen::takeResultRange()
{
    if (ResultSeqFrom < 1 || ResultSeqTo < 1)
        return std::nullopt;
    const std::pair<int, int> range{ResultSeqFrom, ResultSeqTo};
    setRange(0, 0);
    return range;
}

void ResultListScreen::inquirySearched(const QString &sql, int rows)
{
    if (rows == 0)
        WriteLog(session, sql);
    edt_seqnoS->SetValue(qvx::Decimal(qint64(0)));
    edt_seqnoE->SetValue(qvx::Decimal(qint64(0)));
    edt_sendname->clear();
    if (rows > 0)
        setRange(0, 0);
}

bool ResultListScreen::todayOnly(const QString &periodMessage) const
{
    if (!m_dates->SameDay()) {
        qvx::Prompt::instance().message(periodMessage);
        return false;
    }
    if (!m_dates->FromIsToday()) {
        qvx::Prompt::instance().message(QStringLiteral("금일 데이터에 한하여 조회가 가능합니다."));
        return false;
    }
    return true;
}

bool ResultListScreen::inquiryAllowed(int emptyCol, const QString &periodMessage) const
{
    if (GridIsEmpty(grd_ichelist, emptyCol)) {
        qvx::Prompt::instance().message(QStringLiteral("조회할 데이터가 존재하지 않습니다."));
        return false;
    }
    return todayOnly(periodMessage);
}

void ResultListScreen::closeEvent(QCloseEvent *e)
{
    setRange(0, 0);
    QWidget::closeEvent(e);
}
