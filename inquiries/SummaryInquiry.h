#pragma once
// The transaction summary ("거래집계요구", trsum) and the virtual-account
// summary ("가상계좌거래집계요구", vas_trsum): one request row per mother
// account, the hand-over of an all-accounts batch's range, and the answers.

#include "core/MotherAccount.h"
#include "core/RequestRows.h"

#include <QList>
#include <QString>
#include <QVector>
#include <array>

class Session;
struct RequestResult;
namespace qvx { class ResultSet; }

QList<TrsumRow> SummaryRequestRows(const RequestHeader &header, const QVector<MotherAccount> &accounts);
// TransDate is the request day (the header's SendDate).
QList<VasTrsumRow> VasSummaryRequestRows(const RequestHeader &header, const QVector<MotherAccount> &accounts);

// After a summary request: an all-accounts batch that went out hands its
// range over in SummarySeqBase/SummarySeqLast (first and last number). It
// never touches SeqNoBase/SeqNoLast: the result inquiry reads that pair as
// the range of the transfers sent last, which summary numbers are not.
void HandOverSummaryRange(Session &session, const RequestResult &result, bool allAccounts);

// One answered transaction summary.
struct SummaryAnswer
{
    static constexpr int AmountCount = 15;
    // TOTALCNT, TOTALGUM, INOKCNT, INOKGUM, INERRCNT, INERRGUM, TAOKCNT, TAOKGUM,
    // TAERRCNT, TAERRGUM, FEE, INSUCNT, INSUGUM, INSUERRCNT, INSUERRGUM
    static const char *const AmountFields[AmountCount];

    QString seqNo;
    QString moBankName;
    QString bankId;
    QString moBankNo;
    QString firmId;
    QString commonDummy;
    std::array<QString, AmountCount> amounts;  // as stored

    static SummaryAnswer FromRow(const qvx::ResultSet &rs, int row);
    // mobankname + "[" + FormatAcctNo(bankid, mobankno) + "]"
    QString bankAccountText() const;
};

// The text save's line: fields joined by one blank, each padded with blanks
// to its width (a longer value stays whole): bank and account (14), firm code
// without '-' (15), the request count (6), then the other figures without
// ',' (amounts and the fee 13, counts 6), the spare field (13) and the
// message number (6).
QString SummarySaveLine(const SummaryAnswer &answer);

// One answered virtual-account summary.
struct VasSummaryAnswer
{
    static constexpr int AmountCount = 10;
    static const char *const AmountFields[AmountCount];

    QString seqNo;
    QString bankName;
    QString transDate;
    QString giKwanCode;
    QString dummy;
    std::array<QString, AmountCount> amounts;

    static VasSummaryAnswer FromRow(const qvx::ResultSet &rs, int row);
};
