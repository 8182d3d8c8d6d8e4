#include "inquiries/screens/NoticeListBase.h"

#include "core/BankSql.h"
#include "core/screens/DateRange.h"
#include "core/screens/ListKit.h"
#include "core/screens/MotherAccountCombo.h"
#include "inquiries/DepositNoticeColumns.h"
#include "inquiries/DepositNotices.h"
#include "inquiries/KindSums.h"
#include "inquiries/screens/NoticeTotalsGrid.h"

#include <QKeyEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QStatusBar>

namespace {

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

const QString SearchFirst = QStringLiteral("결번요구할 은행에 대한 통지 전문을 조회하신 후 결번요청을 하시기 바랍니다.");
const QString SameDayFirst = QStringLiteral("결번 요청을 위하여 일자 설정을 해당 통지전송일로 모두 설정하시기 바랍니다.");

// The deposit report's totals in the order of the totals' captions.
const char *const DepositTotalLabels[10][2] = {
    {"입            금 : ", "qlbl_ibgum"},      {"지            급 : ", "qlbl_jigub"},
    {"부 도  지 급  : ", "qlbl_bjigub"},        {"부도지급(취소) : ", "qlbl_bjigubcancel"},
    {"결 산  이 자  : ", "qlbl_amt"},           {"결산이자(예금) : ", "qlbl_amtdeposit"},
    {"결산이자(대출) : ", "qlbl_amtdaechul"},   {"입금취소 : ", "qlbl_ibgumcancel"},
    {"지급취소 : ", "qlbl_jigubcancel"},        {"집금/어음만기입금 : ", "qlbl_jigum"},
};

} // namespace

NoticeListBase::NoticeListBase(const ScreenContext &context, const Params &params, QWidget *owner)
    : ScreenForm(context, owner), m_params(params),
      m_totals(params.totals()), m_sums(int(m_totals.cells().size()), 0)
{
    SetUpForm(this, params.name, params.caption, 1000, 640);
    setAttribute(Qt::WA_DeleteOnClose);
}

NoticeListBase::~NoticeListBase() = default;

QList<ReportColumn> NoticeListBase::reportColumns(const ListColumns &list, const char *numberTitle,
                                                  std::initializer_list<const char *> titles,
                                                  std::initializer_list<double> widths, std::initializer_list<int> cols)
{
    Q_ASSERT(titles.size() == widths.size() && titles.size() == cols.size());
    QList<ReportColumn> columns{{QString::fromUtf8(numberTitle), 10}};
    auto width = widths.begin();
    auto col = cols.begin();
    for (const char *title : titles) {
        columns.append({QString::fromUtf8(title), *width++, *col, list[*col].align});
        ++col;
    }
    return columns;
}

void NoticeListBase::build(const Look &look, const std::function<void(TKitSimplePanel *)> &extras)
{
    if (!look.searchTitle.isEmpty())
        MakeBand(this, "pnl_searchtitle", look.searchTitle, 24);
    TKitSimplePanel *top = MakeBar(this, "pnl_top", 70, alTop);
    // The deposit list shows its accounts hyphenated, its twin and the bills as stored.
    buildFilterBar(session, top, look.bankCaption, [this] { btn_searchClick(this); }, look.afterFrom, look.afterTo,
                   m_params.kind == NoticeKind::Deposit ? AccountCombo::Shown::Hyphenated
                                                        : AccountCombo::Shown::AsStored);
    if (m_params.kind == NoticeKind::Deposit)
        btn_search->installEventFilter(new EnterSearch(btn_search, [this] {
            RunGuarded(session, QStringLiteral("btn_searchKeyPress"), [this] {
                if (!RefuseWhenOffline(session))
                    search(true);
            });
        }));
    EnterMovesFocus({cmb_allbank, cmb_bankno, cmb_transdiv, dtpkr_from, dtpkr_to});
    FocusOnShow(this, cmb_allbank);
    if (!look.listTitle.isEmpty())
        MakeBand(this, "pnl_listtitle", look.listTitle, 24);

    StatusBar1 = MakeStatusBar(this);
    extras(MakeBar(this, "pnl_bottom", 44, alBottom));

    m_frame = std::make_unique<ListFrame>(context(), this, declare());
    m_frame->makeGrid(this);
    m_frame->attachReport(Report1);
    RunGuarded(session, objectName() + QStringLiteral(".FormCreate"), [this] { FormCreate(); });
}

ListDecl NoticeListBase::declare()
{
    ListDecl d;
    d.grid = m_params.grid;
    d.search.statement = [this] { return statement(chosenFilter(), m_enterForm); };
    d.search.filterKey = [this] { return chosenFilter().key(); };
    d.search.emptyMessage = m_params.emptyMessage;
    d.search.logged = m_params.kind == NoticeKind::Deposit;
    d.search.onRow = [this](const qvx::ResultSet &rs, int gridRow, int row) {
        if (!m_kindSums)
            m_kindSums = std::make_unique<KindSums>(rs, rs.columnIndex(QStringLiteral("gubun")),
                                                    rs.columnIndex(m_params.amountColumn));
        m_kindSums->add(row);
        listRow(rs, gridRow, row, m_enterForm);
    };
    d.totals.clear = [this] {
        m_kindSums.reset();
        m_sums.fill(0);
        clearTotals();
    };
    d.totals.show = [this] {
        QString captionCode;
        if (m_kindSums)
            m_kindSums->forEach([&](const QString &kind, qint64 sum) {
                const QString code = kind.trimmed();
                if (code == QLatin1String("20") || code == QLatin1String("21"))
                    captionCode = code;
                const QString cell = m_params.totalsCode(code);
                for (const TotalsTable::Cell &c : m_totals.cells())
                    if (!cell.isEmpty() && c.code == cell)
                        m_sums[c.column - 1] += sum;
            });
        m_kindSums.reset();
        showTotals(captionCode, m_enterForm);
    };

    QStringList totalLabels;
    d.report = reportDecl(totalLabels);
    d.report->fillTitle = [this, totalLabels](qvx::Report &r) {
        r.title.setCaption(QStringLiteral("qlbl_mobankno"), reportAccountText());
        r.title.setCaption(QStringLiteral("qlbl_date"), m_dates->ReportText());
        for (int i = 0; i < totalLabels.size(); ++i)
            r.title.setCaption(totalLabels[i], totalText(i));
    };

    GapRequestDecl g;
    g.emptyListMessage = QStringLiteral("먼저 통지 전문을 확인하신 후 결번이 있을 경우 요청하시기 바랍니다.");
    g.refusal = [this] { return gapRefusal(); };
    g.searchFirstMessage = SearchFirst;
    g.numbers = [this] {
        return dm.cms_select1(NoticeGapSql::numbers(m_params.kind, noticeBank(*chosenBank()), m_dates->FromText()));
    };
    g.numberColumn = QStringLiteral("org_seqno");
    g.noNumbersMessage = m_params.noNumbersMessage;
    g.send = [this](const qvx::ResultSet &, const QList<int> &gaps) {
        return sendGaps(*chosenBank(), m_dates->FromText(), gaps);
    };
    d.gapRequest = std::move(g);
    return d;
}

void NoticeListBase::FormCreate()
{
    m_frame->formCreate();
    m_dates->SetToday();
    m_banks->Load(*dm.scktconnect);
    m_accounts->LinkTo(*m_banks, *dm.scktconnect);
    // A bank change asks the server for its accounts.
    auto bankChange = cmb_allbank->OnChange;
    cmb_allbank->OnChange = [this, bankChange](QObject *sender) {
        RunGuarded(session, QStringLiteral("cmb_allbankChange"), [&] { bankChange(sender); });
    };
    if (m_params.kindsQuery.isEmpty())
        m_kinds->Load(*dm.scktconnect);
    else
        m_kinds->Load(*dm.scktconnect, m_params.kindsQuery);
}

NoticeFilter NoticeListBase::chosenFilter() const
{
    NoticeFilter f;
    f.kindCode = m_kinds->ChosenCode();
    f.accountNo = m_accounts->ChosenNumber();
    f.bankCode = m_banks->ChosenCode();
    f.dateFrom = m_dates->FromText();
    f.dateTo = m_dates->ToText();
    return f;
}

const BankItem *NoticeListBase::chosenBank() const { return m_banks->Chosen(); }

NoticeBank NoticeListBase::noticeBank(const BankItem &bank) { return {bank.bankid, bank.firmid, bank.recvid}; }

QString NoticeListBase::bankName(const QString &code)
{
    auto it = m_bankNames.constFind(code);
    if (it == m_bankNames.constEnd())
        it = m_bankNames.insert(code, GetBankName(session, code));
    return *it;
}

void NoticeListBase::btn_searchClick(QObject *)
{
    // The bank's notice may ask for a search while one waits for the server.
    if (m_searching)
        return;
    StatusBar1->clearMessage();
    if (RefuseWhenOffline(session))
        return;
    // The deposit list's button is off while its click search runs; the
    // focus stays where the user left it, so that a second Enter does not
    // reach the button Qt moves it on to.
    if (m_params.kind != NoticeKind::Deposit) {
        search(false);
        return;
    }
    struct Disabled
    {
        TDDButton *button;
        QPointer<QWidget> focused;
        ~Disabled()
        {
            button->setEnabled(true);
            if (focused)
                focused->setFocus(Qt::OtherFocusReason);
        }
    } disabled{btn_search, focusWidget()};
    btn_search->setEnabled(false);
    search(false);
}

int NoticeListBase::search(bool enterForm)
{
    if (m_searching)
        return 0;
    const QScopedValueRollback<bool> running(m_searching, true);
    // The rows before the search as the grid counts them: an empty list
    // still has its one blank row, so a first notice reports itself by
    // its number (see the closing check).
    const int previousRows = list()->RowCount() - 1;
    m_enterForm = enterForm;
    const int rows = m_frame->search();
    afterSearch(previousRows, rows, enterForm);
    return rows;
}

void NoticeListBase::clearTotals()
{
    if (m_totalsGrid)
        m_totalsGrid->clear();
}

void NoticeListBase::showTotals(const QString &, bool)
{
    for (int index = 0; index < m_sums.size(); ++index)
        m_totalsGrid->setAmount(index, m_sums[index]);
}

QString NoticeListBase::totalText(int index) const
{
    return m_totalsGrid->amount(index);
}

QString NoticeListBase::gapRefusal() const
{
    if (!chosenBank())
        return SearchFirst;
    return m_dates->SameDay() ? QString() : SameDayFirst;
}

QStringList NoticeListBase::receivedNumbers(const BankItem &bank, const QString &day)
{
    return dm.cms_select1(NoticeGapSql::numbers(m_params.kind, noticeBank(bank), day))
        .columnValues(QStringLiteral("org_seqno"));
}

void NoticeListBase::requestGaps()
{
    m_frame->requestGaps(StatusBar1);
}

void NoticeListBase::btn_filesaveClick()
{
    m_frame->save(saveDecl());
}

NoticeListBase::Params NoticeListBase::depositParams(NoticeKind kind)
{
    const bool deposit = kind == NoticeKind::Deposit;
    return {deposit ? "qv_deposit_frm" : "qv_V_deposit_frm",
            deposit ? QStringLiteral("예금거래명세통지") : QStringLiteral("조흥은행 가상계좌통지"),
            kind,
            // The twin reads the deposit list's keys and has no find action.
            {"grd_deposit", deposit ? &DepositNoticeColumns() : &VirtualDepositNoticeColumns(), 0, 19, 0, deposit},
            QStringLiteral("price"),
            DepositTotalsTable,
            DepositTotalsCode,
            QStringLiteral("예금거래 통지 전문이 수신되지 않았습니다."),
            deposit ? QStringLiteral("결번요구할 전문이 없습니다!") : QStringLiteral("결번요구할 전문이 없습니다.."),
            QString()};
}

void NoticeListBase::buildDeposit(TDDButton *&order, TDDButton *&print,
                                  const std::function<void(TKitSimplePanel *)> &extras)
{
    build({QStringLiteral("은 행 선 택")}, [&, this](TKitSimplePanel *bottom) {
        ButtonRow left(session, bottom);
        order = left.add("btn_order", QStringLiteral("결번 요청"), 110, [this] { requestGaps(); });
        ButtonRow right(session, bottom, 240);
        btn_filesave = right.add("btn_filesave", QStringLiteral("Text 파일 저장"), 110, [this] { btn_filesaveClick(); });
        btn_preview = right.add("btn_preview", QStringLiteral("미리 보기"), 110,
                                [this] { PrintList(this, list(), Report1, true); });
        print = right.add("btn_print", QStringLiteral("인 쇄"), 110, [this] { PrintList(this, list(), Report1, false); });
        btn_close = right.add("btn_close", QStringLiteral("닫 기"), 110, [this] { close(); });
        extras(bottom);
    });
}

ListReportDecl NoticeListBase::depositReport(const QString &title, const QList<ReportColumn> &columns,
                                             QStringList &totalLabels)
{
    ListReportDecl r;
    r.title = title;
    r.width = 277;
    r.productY = 2;
    r.values = {{QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, 16}, QString(), 24, 76},
                {QStringLiteral("기  간 : "), QStringLiteral("qlbl_date"), {0, 22}, QString(), 24, 76}};
    for (int i = 0; i < 10; ++i) {
        totalLabels << QString::fromLatin1(DepositTotalLabels[i][1]);
        r.values.append({QString::fromUtf8(DepositTotalLabels[i][0]), totalLabels.last(),
                         {105.0 + (i / 5) * 86, 14.0 + (i % 5) * 6}, QStringLiteral("원"), 32, 44, AlignRight});
    }
    r.columns = columns;
    r.look = {8, 6, false, 1};
    r.paging = LandscapePaging(18, 25);
    r.footerCaption = QStringLiteral("출력 일시 : ");
    return r;
}
