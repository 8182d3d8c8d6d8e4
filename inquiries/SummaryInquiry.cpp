#include "inquiries/SummaryInquiry.h"

#include "core/RequestSender.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/CellText.h"
#include "platform/ResultSet.h"

namespace {

template <class Row>
Row SummaryRow(const RequestHeader &header, const MotherAccount &a)
{
    Row row;
    ApplyRequestHeader(row, header);
    row.RecvID = a.recvid;
    row.FirmID = a.firmid;
    row.BankID = a.bankid;
    return row;
}

// The fields of one answer row.
struct AnswerFields
{
    const qvx::ResultSet &rs;
    int row;
    QString operator()(const char *name) const { return rs.value(row, QString::fromLatin1(name)); }
    template <size_t N>
    std::array<QString, N> all(const char *const (&names)[N]) const
    {
        std::array<QString, N> values;
        for (size_t k = 0; k < N; ++k)
            values[k] = (*this)(names[k]);
        return values;
    }
};

QString Padded(const QString &value, int width)
{
    const int bytes = Cp949Length(value);
    return bytes >= width ? value : value + QString(width - bytes, u' ');
}

} // namespace

QList<TrsumRow> SummaryRequestRows(const RequestHeader &header, const QVector<MotherAccount> &accounts)
{
    QList<TrsumRow> rows;
    for (const MotherAccount &a : accounts) {
        TrsumRow row = SummaryRow<TrsumRow>(header, a);
        row.MoBankNo = a.mobankno;
        rows.append(row);
    }
    return rows;
}

QList<VasTrsumRow> VasSummaryRequestRows(const RequestHeader &header, const QVector<MotherAccount> &accounts)
{
    QList<VasTrsumRow> rows;
    for (const MotherAccount &a : accounts) {
        VasTrsumRow row = SummaryRow<VasTrsumRow>(header, a);
        row.Service = QStringLiteral("VAS");
        row.TransDate = header.SendDate;
        row.GiKwanCode = a.firmid;
        rows.append(row);
    }
    return rows;
}

void HandOverSummaryRange(Session &session, const RequestResult &result, bool allAccounts)
{
    if (!allAccounts || !result.sent())
        return;
    session.SummarySeqBase = int(result.base + 1);
    session.SummarySeqLast = int(result.base + result.count);
}

const char *const SummaryAnswer::AmountFields[AmountCount] = {
    "TOTALCNT", "TOTALGUM", "INOKCNT", "INOKGUM", "INERRCNT", "INERRGUM", "TAOKCNT", "TAOKGUM",
    "TAERRCNT", "TAERRGUM", "FEE",      "INSUCNT", "INSUGUM", "INSUERRCNT", "INSUERRGUM"};

SummaryAnswer SummaryAnswer::FromRow(const qvx::ResultSet &rs, int i)
{
    const AnswerFields v{rs, i};
    return {v("seqno"), v("mobankname"), v("bankid"), v("mobankno"), v("firmid"), v("common_dummy"),
            v.all(AmountFields)};
}

QString SummaryAnswer::bankAccountText() const
{
    return moBankName + u'[' + FormatAcctNo(bankId, moBankNo) + u']';
}

QString SummarySaveLine(const SummaryAnswer &a)
{
    // Widths of the fields after the request count, in grid order (the
    // summary's 의뢰총금액 .. 당행수납불능금액): every amount, the fee among
    // them, in 13 bytes and every count in 6 (당행수납건수 in 10), so that
    // no value a list can hold moves the fields after it.
    static const int widths[] = {13, 6, 13, 6, 13, 6, 13, 6, 13, 13, 10, 13, 6, 13};
    QStringList fields;
    fields << Padded(a.bankAccountText(), 14) << Padded(DelChar(a.firmId, u'-'), 15)
           << Padded(DelComma(MoneyCellText(a.amounts[0])), 6);
    for (int k = 1; k < SummaryAnswer::AmountCount; ++k)
        fields << Padded(DelComma(MoneyCellText(a.amounts[size_t(k)])), widths[k - 1]);
    fields << Padded(DelComma(a.commonDummy), 13) << Padded(a.seqNo, 6);
    return fields.join(u' ');
}

const char *const VasSummaryAnswer::AmountFields[AmountCount] = {
    "Ibgum_tot_gun", "Ibgum_tot_money", "Ibgum_cnl_gun", "Ibgum_cnl_money", "Chul_tot_gun",
    "Chul_tot_money", "Chul_cnl_gun",   "Chul_cnl_money", "Fee_gun",        "Fee_Money"};

VasSummaryAnswer VasSummaryAnswer::FromRow(const qvx::ResultSet &rs, int i)
{
    const AnswerFields v{rs, i};
    return {v("seqno"), v("BankName"), v("TransDate"), v("GiKwanCode"), v("Dummy"), v.all(AmountFields)};
}
