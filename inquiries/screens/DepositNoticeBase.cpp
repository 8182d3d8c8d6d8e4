#include "inquiries/screens/DepositNoticeBase.h"

#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/AppControl.h"
#include "core/DayLog.h"
#include "core/ReportParams.h"
#include "core/DMUnit.h"
#include "core/EventGuard.h"
#include "core/GapRequest.h"
#include "core/RequestSender.h"
#include "core/TextUtils.h"
#include "core/screens/DateRange.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListCombos.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ListReport.h"
#include "core/screens/ListKit.h"
#include "core/screens/MotherAccountCombo.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenParts.h"
#include "inquiries/DepositNoticeColumns.h"
#include "inquiries/KindSums.h"
#include "inquiries/NoticeGapRequest.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"

#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

namespace {

void Say(const char *text) { qvx::Prompt::instance().message(QString::fromUtf8(text)); }

// The report's totals in the order of the totals' captions.
const char *const TotalLabels[10][2] = {
    {"입            금 : ", "qlbl_ibgum"},      {"지            급 : ", "qlbl_jigub"},
    {"부 도  지 급  : ", "qlbl_bjigub"},        {"부도지급(취소) : ", "qlbl_bjigubcancel"},
    {"결 산  이 자  : ", "qlbl_amt"},           {"결산이자(예금) : ", "qlbl_amtdeposit"},
    {"결산이자(대출) : ", "qlbl_amtdaechul"},   {"입금취소 : ", "qlbl_ibgumcancel"},
    {"지급취소 : ", "qlbl_jigubcancel"},        {"집금/어음만기입금 : ", "qlbl_jigum"},
};

// Enter on the search button runs the Enter form of the search (and does
// not click it).
class EnterSearch : public QObject
{
public:
    EnterSearch(QObject *parent, std::function<void()> run) : QObject(parent), m_run(std::move(run)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_run();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_run;
};

} // namespace

DepositNoticeBase::DepositNoticeBase(const ScreenContext &context, const Params &params, QWidget *owner)
    : QWidget(owner), session(context.session), dm(context.dm), m_params(params)
{
    setObjectName(QString::fromLatin1(params.name));
    setWindowTitle(params.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1000, 640);
    SetFormColour(this);
}

DepositNoticeBase::~DepositNoticeBase() = default;

void DepositNoticeBase::build(const std::function<void(TKitSimplePanel *)> &extras)
{
    TKitSimplePanel *top = MakeBar(this, "pnl_top", 70, alTop);
    buildFilterBar(session, top, QStringLiteral("은 행 선 택"), [this] { btn_searchClick(this); });
    btn_search->installEventFilter(new EnterSearch(btn_search, [this] {
        RunGuarded(session, QStringLiteral("btn_searchKeyPress"), [this] {
            if (!RefuseWhenOffline(session))
                search(true);
        });
    }));
    for (QWidget *control : {static_cast<QWidget *>(cmb_allbank), static_cast<QWidget *>(cmb_bankno),
                             static_cast<QWidget *>(cmb_transdiv), static_cast<QWidget *>(dtpkr_from),
                             static_cast<QWidget *>(dtpkr_to)})
        EnterMovesFocus(control);
    FocusOnShow(this, cmb_allbank);

    StatusBar1 = MakeStatusBar(this);
    TKitSimplePanel *bottom = MakeBar(this, "pnl_bottom", 44, alBottom);
    auto button = [this, bottom](const char *name, const QString &caption, int x, std::function<void()> handler) {
        TDDButton *b = MakeButton(bottom, name, caption, x, 9, 110, 26);
        BindClick(session, b, QString::fromLatin1(name) + QStringLiteral("Click"), std::move(handler));
        return b;
    };
    btn_order = button("btn_order", QStringLiteral("결번 요청"), 8, [this] { btn_orderClick(); });
    btn_filesave = button("btn_filesave", QStringLiteral("Text 파일 저장"), 240, [this] { btn_filesaveClick(); });
    btn_preview = button("btn_preview", QStringLiteral("미리 보기"), 356,
                         [this] { PrintList(this, grd_deposit, Report1, true); });
    btn_print = button("btn_print", QStringLiteral("인 쇄"), 472, [this] { PrintList(this, grd_deposit, Report1, false); });
    btn_close = button("btn_close", QStringLiteral("닫 기"), 588, [this] { close(); });
    extras(bottom);

    grd_deposit = MakeListGrid(this, "grd_deposit", *m_params.columns);
    AddFindAction({session, dm}, this, grd_deposit);
    buildReport();
    RunGuarded(session, objectName() + QStringLiteral(".FormCreate"), [this] { FormCreate(); });
}

void DepositNoticeBase::FormCreate()
{
    ApplyColumnVisibility(grd_deposit, objectName(), 0, m_params.lastVisibilityKey);
    m_dates->SetToday();
    m_banks->Load(*dm.scktconnect);
    const qvx::ResultSet &accounts = dm.cms_select1(BankSql::motherAccounts());
    QVector<MotherAccount> all;
    for (int i = 0; i < accounts.recordCount(); ++i)
        all.append(MotherAccount::FromRow(accounts, i));
    m_accounts->LinkTo(*m_banks, all);
    m_kinds->Load(*dm.scktconnect);
    clearTotals();
}

DepositNoticeFilter DepositNoticeBase::chosenFilter() const
{
    DepositNoticeFilter f;
    f.kindCode = m_kinds->ChosenCode();
    f.moBankNo = m_accounts->ChosenNumber();
    f.bankCode = m_banks->ChosenCode();
    f.dateFrom = m_dates->FromText();
    f.dateTo = m_dates->ToText();
    return f;
}

const BankItem *DepositNoticeBase::chosenBank() const { return m_banks->Chosen(); }

QString DepositNoticeBase::bankName(const QString &code)
{
    auto it = m_bankNames.constFind(code);
    if (it == m_bankNames.constEnd())
        it = m_bankNames.insert(code, GetBankName(session, code));
    return *it;
}

void DepositNoticeBase::btn_searchClick(QObject *)
{
    StatusBar1->clearMessage();
    if (RefuseWhenOffline(session))
        return;
    btn_search->setEnabled(false);
    struct Enable
    {
        TDDButton *button;
        ~Enable() { button->setEnabled(true); }
    } enable{btn_search};
    search(false);
}

int DepositNoticeBase::search(bool enterForm)
{
    // The rows before the search as the grid counts them: an empty list
    // still has its one blank row, so a first notice reports itself by
    // its number (see the closing check).
    const int previousRows = grd_deposit->RowCount() - 1;
    const DepositNoticeFilter filter = chosenFilter();
    m_listed.reset();
    m_listedRows = qvx::ResultSet();
    ClearGridRows(grd_deposit, m_params.columns->size());
    clearTotals();
    WaitCursor wait;
    const QString sql = statement(filter, enterForm);
    const bool logged = m_params.kind == NoticeKind::Deposit;
    if (logged)
        WriteLog(session, QStringLiteral("Query Send : ") + sql);
    const qvx::ResultSet &rs = dm.cms_select1(sql);
    const int rows = rs.recordCount();
    if (logged) {
        WriteLog(session, QStringLiteral("Query Recv : ") + sql);
        WriteLog(session, QStringLiteral("Data Count : ") + QString::number(rows));
    }
    if (rows == 0) {
        afterSearch(previousRows, 0, enterForm);
        Say("예금거래 통지 전문이 수신되지 않았습니다.");
        return 0;
    }
    const int gubun = rs.columnIndex(QStringLiteral("gubun"));
    const int price = rs.columnIndex(QStringLiteral("price"));
    const int bankId = rs.columnIndex(QStringLiteral("bankid"));
    const int inBankId = rs.columnIndex(QStringLiteral("inbankid"));
    const bool byCode = namesByCode(enterForm);
    // A bank code repeats row after row: its name is looked up once a run.
    struct LastName
    {
        bool known = false;
        qvx::ResultSet::TextId code = 0;
        QString name;
    } moBank, transBank;
    const auto nameOf = [&](LastName &last, int r, int column) -> const QString & {
        const qvx::ResultSet::TextId code = rs.textId(r, column);
        if (!last.known || code != last.code)
            last = {true, code, bankName(rs.value(r, column))};
        return last.name;
    };
    KindSums sums(rs, gubun, price);
    ListFillOptions options;
    options.onRow = [&](int gridRow, int r) {
        sums.add(r);
        if (byCode) {
            grd_deposit->SetCells(DepositCol::MoBankName, gridRow, nameOf(moBank, r, bankId));
            grd_deposit->SetCells(DepositCol::TransBankName, gridRow, nameOf(transBank, r, inBankId));
        }
    };
    FillList(grd_deposit, *m_params.columns, rs, options);
    sums.forEach([&](const QString &kind, qint64 sum) { addToTotals(kind, sum, enterForm); });
    showTotals(enterForm);
    m_listedRows = rs;
    m_listed = filter;
    afterSearch(previousRows, rows, enterForm);
    return rows;
}

bool DepositNoticeBase::gapRequestAllowed() const
{
    if (RefuseWhenOffline(session))
        return false;
    const BankItem *bank = chosenBank();
    if (!bank) {
        Say("결번요구할 은행에 대한 통지 전문을 조회하신 후 결번요청을 하시기 바랍니다.");
        return false;
    }
    if (!m_dates->SameDay()) {
        Say("결번 요청을 위하여 일자 설정을 해당 통지전송일로 모두 설정하시기 바랍니다.");
        return false;
    }
    const int code = bank->bankid.trimmed().toInt();
    if (m_params.kind == NoticeKind::Deposit && (code == 4 || code == 11 || code == 26)
        && bank->tr_gubuncode.trimmed() == QLatin1String("Y")) {
        Say("해당은행 가상계좌는 결번 요청을 할 수 없습니다.");
        return false;
    }
    return true;
}

QStringList DepositNoticeBase::receivedNumbers(const BankItem &bank, const QString &day)
{
    const qvx::ResultSet &rs =
        dm.cms_select1(NoticeGapSql::numbers(m_params.kind, NoticeBank{bank.bankid, bank.firmid, bank.recvid}, day));
    return rs.columnValues(QStringLiteral("org_seqno"));
}

void DepositNoticeBase::btn_orderClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (GridIsEmpty(grd_deposit)) {
        Say("먼저 통지 전문을 확인하신 후 결번이 있을 경우 요청하시기 바랍니다.");
        return;
    }
    if (!gapRequestAllowed())
        return;
    // The request goes to the bank and day the list was searched for.
    const DepositNoticeFilter chosen = chosenFilter();
    if (!m_listed || m_listed->bankCode != chosen.bankCode || m_listed->moBankNo != chosen.moBankNo
        || m_listed->kindCode != chosen.kindCode || m_listed->dateFrom != chosen.dateFrom
        || m_listed->dateTo != chosen.dateTo) {
        Say("결번요구할 은행에 대한 통지 전문을 조회하신 후 결번요청을 하시기 바랍니다.");
        return;
    }
    const BankItem bank = *chosenBank();
    const QStringList received = receivedNumbers(bank, chosen.dateFrom);
    if (received.isEmpty()) {
        if (m_params.kind == NoticeKind::Deposit)
            Say("결번요구할 전문이 없습니다!");
        else
            Say("결번요구할 전문이 없습니다..");
        return;
    }
    const QList<int> gaps = MissingNumbers(received);
    if (gaps.isEmpty()) {
        Say("결번요구할 전문이 없습니다.");
        return;
    }
    const QString status = GapRequestStatus(sendGaps(bank, chosen.dateFrom, gaps));
    if (!status.isEmpty())
        StatusBar1->showMessage(status);
}

void DepositNoticeBase::btn_filesaveClick()
{
    const QString proposed = qvx::Clock::today() + u'-' + qvx::Clock::now().toString(QStringLiteral("hhmmss"))
                             + m_params.saveSuffix;
    ListSaveOptions options;
    options.naming = ExportNaming::KeepName;
    SaveListFile(this, grd_deposit, proposed, [this] {
        QStringList lines;
        for (int i = 0; i < m_listedRows.recordCount(); ++i)
            lines.append(saveLine(m_listedRows, i));
        return lines;
    }, options);
}

void DepositNoticeBase::buildNoticeReport(const QString &title, const QList<ReportColumn> &columns)
{
    using qvx::ReportItem;
    Report1.documentName = title;
    Report1.font = QFont(QStringLiteral("굴림체"), 9);
    AddReportTitle(Report1, title, 277, 2);
    QList<TitleValue> values = {{QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, 16}, QString(), 24, 76},
                                {QStringLiteral("기  간 : "), QStringLiteral("qlbl_date"), {0, 22}, QString(), 24, 76}};
    for (int i = 0; i < 10; ++i)
        values.append({QString::fromUtf8(TotalLabels[i][0]), QString::fromLatin1(TotalLabels[i][1]),
                       {105.0 + (i / 5) * 86, 14.0 + (i % 5) * 6}, QStringLiteral("원"), 32, 44, AlignRight});
    AddTitleValues(Report1, values);
    AddReportColumns(Report1, columns, {8, 6, false, 1});
    AddPrintDateFooter(Report1, 277, QStringLiteral("출력 일시 : "));
    m_reportRows = std::make_unique<ListReportRows>(LandscapePaging(18, 25));
    m_reportRows->attachGrid(Report1, grd_deposit, columns);
    Report1.BeforePrint = [this] { Report1BeforePrint(); };
}

void DepositNoticeBase::Report1BeforePrint()
{
    m_reportRows->reset();
    Report1.title.setCaption(QStringLiteral("qlbl_mobankno"), reportAccountText());
    Report1.title.setCaption(QStringLiteral("qlbl_date"), m_dates->ReportText());
    for (int i = 0; i < 10; ++i)
        Report1.title.setCaption(QString::fromLatin1(TotalLabels[i][1]), totalText(i));
    SetPrintDate(Report1);
}
