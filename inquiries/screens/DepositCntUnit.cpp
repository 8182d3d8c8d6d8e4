#include "inquiries/screens/DepositCntUnit.h"

#include "core/GapRequest.h"
#include "core/screens/ListKit.h"
#include "inquiries/FailedTransferNotices.h"
#include "inquiries/NoticeGapRequest.h"

#include <QLabel>
#include <QStatusBar>

namespace {

const char *const CountBanksQuery = "select distinct(bankid), bankname, firmid, sendname, tr_gubuncode, recvid, passwd, "
                                    "dblpasswd  from bank order by bankid";

QLabel *Figure(QWidget *parent, const char *name, int x, int y, int w)
{
    QLabel *l = MakeLabel(parent, QString(), x, y, w);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

} // namespace

Tqv_depositCnt_Frm::Tqv_depositCnt_Frm(const ScreenContext &context, QWidget *owner)
    : ScreenForm(context, owner)
{
    SetUpForm(this, "qv_depositCnt_Frm", QStringLiteral("통지건수조회"), 520, 300);
    setAttribute(Qt::WA_DeleteOnClose);

    // Each band holds its controls in a block of the design width, so that a
    // maximised screen keeps them together in its middle.
    QWidget *top = MakeCentredBlock(MakeBar(this, "pnl_top", 80, alTop), width());
    cmb_allbank = MakeLabeledCombo(top, "cmb_allbank", QStringLiteral("거래 은행명"), 12, 12, 80, 240);
    m_banks = std::make_unique<BankCombo>(cmb_allbank, QString(), QStringLiteral("   "));
    MakeLabel(top, QStringLiteral("조 회 일 자"), 12, 44, 80);
    dt_SearchDate = new QDateEdit(top);
    dt_SearchDate->setObjectName(QStringLiteral("dt_SearchDate"));
    dt_SearchDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dt_SearchDate->setCalendarPopup(true);
    dt_SearchDate->setGeometry(96, 44, 120, 22);
    btn_search = AddButton(session, top, "btn_search", QStringLiteral("조 회"), 380, 12, 110, 54,
                           [this] { btn_searchClick(); });

    stsbar = MakeStatusBar(this);
    stsbar->setObjectName(QStringLiteral("stsbar"));
    QWidget *bottom = MakeCentredBlock(MakeBar(this, "pnl_bottom", 44, alBottom), width());
    btn_close = AddButton(session, bottom, "btn_close", QStringLiteral("닫 기"), 380, 9, 110, 26, [this] { close(); });

    QWidget *answer = MakeCentredBlock(MakeBar(this, "pnl_answer", 130, alClient), width());
    MakeLabel(answer, QStringLiteral("조  회  일  자"), 40, 10, 140);
    ed_SearchDate = Figure(answer, "ed_SearchDate", 190, 10, 200);
    const struct { const char *caption; QLabel **field; const char *name; } rows[] = {
        {"예금거래명세 통지", &ed_DepositCnt, "ed_DepositCnt"},
        {"보관어음 통지", &ed_BoDataCnt, "ed_BoDataCnt"},
        {"타행이체불능 통지", &ed_TaErrCnt, "ed_TaErrCnt"},
    };
    int y = 40;
    for (const auto &r : rows) {
        MakeLabel(answer, QString::fromUtf8(r.caption), 40, y, 140);
        *r.field = Figure(answer, r.name, 190, y, 120);
        MakeLabel(answer, QStringLiteral("건"), 316, y, 20);
        y += 30;
    }
    RunGuarded(session, QStringLiteral("qv_depositCnt_Frm.FormCreate"), [this] {
        dt_SearchDate->setDate(qvx::Clock::date());
        m_banks->Load(*dm.scktconnect, QString::fromLatin1(CountBanksQuery));
    });
}

Tqv_depositCnt_Frm::~Tqv_depositCnt_Frm() = default;

void Tqv_depositCnt_Frm::btn_searchClick()
{
    for (QLabel *l : {ed_SearchDate, ed_DepositCnt, ed_BoDataCnt, ed_TaErrCnt})
        l->clear();
    if (RefuseWhenOffline(session))
        return;
    if (dt_SearchDate->date() < qvx::Clock::date().addDays(-7)) {
        qvx::Prompt::instance().message(QStringLiteral("7일 이전 데이타는 조회를 할 수 없습니다."));
        return;
    }
    const BankItem *chosen = m_banks->Chosen();
    if (!chosen)
        return;
    const BankItem bank = *chosen;
    TCountSearchRow row;
    ApplyRequestHeader(row, RequestHeader::of(session));
    row.RecvID = bank.recvid;
    row.FirmID = bank.firmid;
    row.BankID = bank.bankid;
    row.searchDate = dt_SearchDate->date().toString(QStringLiteral("yyyyMMdd"));
    RequestSender sender(dm);
    const RequestResult result = sender.sendRows(
        RequestBatch::bySeqNo(QString::fromLatin1(TCountSearchRow::ServiceCode), QStringLiteral("tCount_Search")),
        QList<TCountSearchRow>{row});
    // A request that did not go out (refused, or withdrawn at the registration
    // question) changes nothing: an earlier request's answer is still awaited
    // and is checked against the bank it was asked of.
    if (!RequestWentOut(result, QString(),
                        QStringLiteral("정상적으로 처리되지 않았습니다. 관리자에게 문의하시기 바랍니다.")))
        return;
    m_requested = bank;
    m_requestSeqNo = result.base + 1;
    stsbar->showMessage(QStringLiteral("벨모아 주식회사에 요청중입니다. 잠시 기다리세요...."));
}

void Tqv_depositCnt_Frm::ShowCounts(const qvx::ResultSet &answer)
{
    m_answerDate = answer.value(0, QStringLiteral("SearchDate")).trimmed();
    ed_SearchDate->setText(m_answerDate.left(4) + QStringLiteral("년 ") + m_answerDate.mid(4, 2) + QStringLiteral("월 ")
                           + m_answerDate.mid(6, 2) + QStringLiteral("일"));
    ed_DepositCnt->setText(FormatMoney(answer.value(0, QStringLiteral("DepositCnt")).trimmed()) + u' ');
    ed_BoDataCnt->setText(FormatMoney(answer.value(0, QStringLiteral("BGDataCnt")).trimmed()) + u' ');
    ed_TaErrCnt->setText(FormatMoney(answer.value(0, QStringLiteral("TaErrCnt")).trimmed()) + u' ');
    // The answer is in before the check asks its questions.
    stsbar->showMessage(QStringLiteral("조회완료."));
    CheckNoticeCounts();
    stsbar->showMessage(QStringLiteral("조회완료."));
}

QLabel *Tqv_depositCnt_Frm::countText(NoticeKind kind) const
{
    switch (kind) {
    case NoticeKind::Deposit: return ed_DepositCnt;
    case NoticeKind::Draft: return ed_BoDataCnt;
    default: return ed_TaErrCnt;
    }
}

int Tqv_depositCnt_Frm::reportedCount(NoticeKind kind) const
{
    bool ok = false;
    const int count = DelComma(countText(kind)->text().trimmed()).toInt(&ok);
    return ok ? count : 0;
}

void Tqv_depositCnt_Frm::CheckNoticeCounts()
{
    for (NoticeKind kind : {NoticeKind::Deposit, NoticeKind::Draft, NoticeKind::FailedTransfer}) {
        const int reported = reportedCount(kind);
        if (reported <= 0)
            continue;
        const int stored = dm.cms_select1(NoticeGapSql::countUpTo(kind, m_requested.firmid, m_answerDate, reported))
                               .valueInt(0, QStringLiteral("Cnt"));
        if (stored < reported
            && qvx::Prompt::instance().yesNo(CountCheckQuestion(kind, ed_SearchDate->text()), QStringLiteral("확인정보")))
            requestGaps(kind);
    }
}

void Tqv_depositCnt_Frm::requestGaps(NoticeKind kind)
{
    if (RefuseWhenOffline(session))
        return;
    const int reported = reportedCount(kind);
    const NoticeBank bank{m_requested.bankid, m_requested.firmid, m_requested.recvid};
    const qvx::ResultSet &rs = dm.cms_select1(NoticeGapSql::numbers(kind, bank, m_answerDate));
    const QList<int> gaps = MissingNumbers(rs.columnValues(QString::fromLatin1(GapPolicyOf(kind).numberColumn)), reported);
    if (gaps.isEmpty())
        return;
    const RequestHeader header = RequestHeader::of(session);
    const QString day = m_answerDate;
    RequestSender sender(dm);
    RequestResult result;
    switch (kind) {
    case NoticeKind::Deposit:
        result = SendNoticeGapRequest<DepositOrderRow>(sender, CountGapBatch(kind), gaps,
                                                       [&](int n) { return DepositGapRow(header, bank, day, n); });
        break;
    case NoticeKind::Draft:
        result = SendNoticeGapRequest<DraftOrderRow>(sender, CountGapBatch(kind), gaps,
                                                     [&](int n) { return DraftGapRow(header, bank, day, n); });
        break;
    default: {
        const FailedNoticeAddress to{header.SendID, bank.recvId, bank.firmId, bank.bankId, day};
        result = SendNoticeGapRequest<TaIcheOrderRow>(sender, CountGapBatch(kind), gaps,
                                                      [&](int n) { return FailedNoticeGapRow(header, to, n); });
        break;
    }
    }
    if (result.outcome == RequestResult::Outcome::ReserveFailed)
        return;
    qvx::Prompt::instance().message(CountGapMessage(kind, result.sent() ? result.count : 0));
}

void registerDepositCntScreen()
{
    RegisterListScreen<Tqv_depositCnt_Frm>(QStringLiteral("qv_depositCnt_Frm"));
}
