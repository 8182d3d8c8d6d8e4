#include "inquiries/NoticeGapPolicy.h"

#include "core/SeqNo.h"
#include "core/TextUtils.h"
#include "platform/SqlText.h"

using qvx::sqlQuote;

const NoticeGapPolicy &GapPolicyOf(NoticeKind kind)
{
    static const NoticeGapPolicy policies[] = {
        {NoticeKind::Deposit, "org_seqno", "0200640", "deposit_order", SeqNoLimitDepositGapMs, GapRegisterPauseMs},
        {NoticeKind::VirtualDeposit, "org_seqno", "0200970", "V_deposit_order", SeqNoLimitMs, GapRegisterPauseMs},
        {NoticeKind::Draft, "org_seqno", "0200650", "draft_order", SeqNoLimitMs, 0},
        {NoticeKind::FailedTransfer, "bank_seqno", "0400640", "ta_iche_err", SeqNoLimitMs, 0}};
    return policies[int(kind)];
}

namespace NoticeGapSql {

QString numbers(NoticeKind kind, const NoticeBank &bank, const QString &day)
{
    switch (kind) {
    case NoticeKind::Deposit:
        return QStringLiteral("select org_seqno from   deposit where bankid = ") + sqlQuote(bank.bankId)
               + QStringLiteral("   and firmid = ") + sqlQuote(bank.firmId)
               + QStringLiteral("   and deposit_senddate = ") + sqlQuote(day) + QStringLiteral("  order by org_seqno");
    case NoticeKind::VirtualDeposit:
        return QStringLiteral("select org_seqno, deposit_senddate from   V_deposit where bankid = ")
               + sqlQuote(bank.bankId) + QStringLiteral("   and firmid = ") + sqlQuote(bank.firmId)
               + QStringLiteral("   and deposit_senddate = ") + sqlQuote(day) + QStringLiteral("  order by org_seqno");
    case NoticeKind::Draft:
        return QStringLiteral("select org_seqno from      draft where bankid = ") + sqlQuote(bank.bankId)
               + QStringLiteral("  and draft_senddate = ") + sqlQuote(day) + QStringLiteral("  order by org_seqno");
    case NoticeKind::FailedTransfer:
        return QStringLiteral("select bank_seqno from      ta_iche_err where bankid = ") + sqlQuote(bank.bankId)
               + QStringLiteral("  and err_senddate = ") + sqlQuote(day) + QStringLiteral("  order by bank_seqno");
    }
    return QString();
}

QString countUpTo(NoticeKind kind, const QString &firmId, const QString &day, int bound)
{
    const QString tail = QStringLiteral("       AND FirmID = ") + sqlQuote(firmId);
    const QString limit = sqlQuote(FixLenZero(QString::number(bound), 6, false));
    switch (kind) {
    case NoticeKind::Deposit:
        return QStringLiteral(" SELECT Count(*) as Cnt FROM Deposit  WHERE Deposit_SendDate = ") + sqlQuote(day) + tail
               + QStringLiteral(" AND Org_SeqNo <= ") + limit;
    case NoticeKind::Draft:
        return QStringLiteral(" SELECT Count(*) as Cnt FROM Draft  WHERE draft_SendDate = ") + sqlQuote(day) + tail
               + QStringLiteral(" AND Org_SeqNo <= ") + limit;
    case NoticeKind::FailedTransfer:
        return QStringLiteral(" SELECT Count(*) as Cnt FROM Ta_Iche_err  WHERE Err_SendDate = ") + sqlQuote(day)
               + tail + QStringLiteral(" AND Bank_SeqNo <= ") + limit;
    case NoticeKind::VirtualDeposit:
        break;
    }
    return QString();
}

} // namespace NoticeGapSql

namespace {
template <class Row>
Row GapRow(const RequestHeader &header, const NoticeBank &bank)
{
    Row row;
    ApplyRequestHeader(row, header);
    if (QString *service = RequestField(row, "Service"))
        *service = QStringLiteral("DY2");
    *RequestField(row, "RecvID") = bank.recvId;
    *RequestField(row, "FirmID") = bank.firmId;
    *RequestField(row, "BankID") = bank.bankId;
    return row;
}
} // namespace

DepositOrderRow DepositGapRow(const RequestHeader &header, const NoticeBank &bank, const QString &day, int number)
{
    DepositOrderRow row = GapRow<DepositOrderRow>(header, bank);
    row.DEPOSIT_SendDate = day;
    row.ORG_SEQNO = QString::number(number);
    return row;
}

VDepositOrderRow VirtualDepositGapRow(const RequestHeader &header, const NoticeBank &bank, const QString &day,
                                      int number)
{
    VDepositOrderRow row = GapRow<VDepositOrderRow>(header, bank);
    row.DEPOSIT_SENDDATE = day;
    row.ORG_SEQNO = QString::number(number);
    return row;
}

DraftOrderRow DraftGapRow(const RequestHeader &header, const NoticeBank &bank, const QString &day, int number)
{
    DraftOrderRow row = GapRow<DraftOrderRow>(header, bank);
    row.DRAFT_SENDDATE = day;
    row.ORG_SEQNO = QString::number(number);
    return row;
}

QString CountCheckQuestion(NoticeKind kind, const QString &dayText)
{
    QString middle;
    switch (kind) {
    case NoticeKind::Deposit: middle = QStringLiteral(")에 예금거래 명세통지 결번이 존재 합니다."); break;
    case NoticeKind::Draft: middle = QStringLiteral(")에 보관어음 명세통지 결번이 존재 합니다."); break;
    case NoticeKind::FailedTransfer: middle = QStringLiteral(")에 타행에러불능통지 결번이 존재 합니다."); break;
    case NoticeKind::VirtualDeposit: break;
    }
    return QStringLiteral("조회일(") + dayText + middle + QStringLiteral("\r\n") + QStringLiteral("결번요구를 하시겠습니까?");
}

QString CountGapMessage(NoticeKind kind, int rows)
{
    switch (kind) {
    case NoticeKind::Deposit:
        return QStringLiteral("예금거래명세통지 결번(") + QString::number(rows)
               + QStringLiteral("건)을 요청 하였습니다. 잠시후 예금거래통지에서 확인하세요.");
    case NoticeKind::Draft:
        return QStringLiteral("보관어음통지 결번(") + QString::number(rows)
               + QStringLiteral("건)을 요청 하였습니다. 잠시후보관어음통지에서 확인하세요.");
    case NoticeKind::FailedTransfer:
        return QStringLiteral("타행이체불능통지 결번(") + QString::number(rows)
               + QStringLiteral("건)을 요청 하였습니다. 잠시후 타행이체불능통지에서 확인하세요.");
    case NoticeKind::VirtualDeposit:
        break;
    }
    return QString();
}
