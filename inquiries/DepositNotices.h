#pragma once
// The deposit-transaction notices ("예금거래명세통지", table deposit) and their
// virtual-account twin ("가상계좌통지", table V_deposit): statements, the typed
// notice row, the totals by transaction kind and the save records.

#include "inquiries/NoticeFilter.h"

#include <QList>
#include <QString>

class TotalsTable;
namespace qvx { class ResultSet; }

namespace DepositNoticeSql {

// The deposit list as the click search runs it: every notice of the period,
// bank names looked up by the screen.
QString byClick(const DepositNoticeFilter &filter);
// The Enter search: joined with the bank tables, so that notices without a
// matching mother account or bank code are not listed.
QString byEnter(const DepositNoticeFilter &filter);
// The virtual-account list (joined like the Enter search).
QString virtualAccounts(const DepositNoticeFilter &filter);

} // namespace DepositNoticeSql

// One listed notice of either table (the virtual-account fields stay empty
// for a deposit notice and the other way round).
struct DepositNotice
{
    QString orgSeqNo;
    QString receiveDate;
    QString depositSendDate;
    QString bankId;
    QString inBankId;
    QString moBankName;
    QString transBankName;
    QString moBankNo;
    QString errContents;
    QString transDivContents;
    QString gubun;
    QString price;
    QString sign;
    QString remain;
    QString brCode;
    QString name;
    QString noteNo;
    QString inCode;
    QString inDate;
    QString inTime;
    QString commonDummy;
    QString sendId;
    QString recvId;
    QString firmId;
    QString sendFlag;
    QString errCode;
    // V_deposit only
    QString jagi;
    QString gagae;
    QString vBankNo;
    QString juminNo;
    QString orgDate;
    QString orgNo;

    static DepositNotice FromRow(const qvx::ResultSet &rs, int row);
    static DepositNotice FromVirtualRow(const qvx::ResultSet &rs, int row);
    // The remain with its sign: "" shows "0", "-" in sign makes it negative.
    QString remainText() const;
    // price as a whole number (0 when it is none)
    qint64 amount() const;
};

// A balance with its sign, as a notice's remainText() shows it.
QString RemainMoneyText(const QString &remain, const QString &sign);

// The totals by transaction kind: the code of the cell a notice's gubun adds
// to ("" for a kind that is not totalled), and the table of the ten cells
// (columns 1-10 in the order of the screens' captions).
QString DepositTotalsCode(const QString &gubun);
TotalsTable DepositTotalsTable();
// The captions of the ten cells; the first changes with the last collection row.
QStringList DepositTotalsCaptions();

// The closing check's status after a search: previous and new row counts,
// and the notice number of the last new row.
QString ClosingCheckReport(int previousRows, int rows, const QString &lastOrgSeqNo);

// The text records of the saves (minimum widths in CP949 bytes, blanks on
// the right, joined without separators).
QString DepositSaveLine(const DepositNotice &notice, const QString &moBankName, const QString &transBankName);
QString VirtualDepositSaveLine(const DepositNotice &notice);
