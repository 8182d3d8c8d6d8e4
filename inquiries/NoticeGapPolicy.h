#pragma once
// The gap requests of the bank's notices: for each kind the table its
// numbers are read from, the request table and service, the reservation
// wait, the statements that read a day's numbers and count them, and the
// request row of one missing number. The walk over the numbers is
// MissingNumbers (core/NoticeNumbers.h).

#include "core/RequestRows.h"

#include <QString>

enum class NoticeKind { Deposit, VirtualDeposit, Draft, FailedTransfer };

// The bank a gap request goes to, as the search that found the gaps chose it.
struct NoticeBank
{
    QString bankId;
    QString firmId;
    QString recvId;
};

// The pause between a gap request's commit and its registration.
constexpr int GapRegisterPauseMs = 100;

struct NoticeGapPolicy
{
    NoticeKind kind;
    const char *numberColumn;      // the notice number in the notice table
    const char *serviceCode;       // up_gubuncode and the registration's service
    const char *registrationTable; // the table name given to the registration
    int reserveLimitMs;
    int registerPauseMs;           // between the commit and the registration
};

const NoticeGapPolicy &GapPolicyOf(NoticeKind kind);

namespace NoticeGapSql {
// The numbers of the notices one bank (and firm) sent for one day, ascending.
QString numbers(NoticeKind kind, const NoticeBank &bank, const QString &day);
// How many notices of the day up to `bound` are stored (the count check);
// the virtual-account kind is not counted.
QString countUpTo(NoticeKind kind, const QString &firmId, const QString &day, int bound);
} // namespace NoticeGapSql

// The request row of one missing number of a day (SeqNo set by the sender).
DepositOrderRow DepositGapRow(const RequestHeader &header, const NoticeBank &bank, const QString &day, int number);
VDepositOrderRow VirtualDepositGapRow(const RequestHeader &header, const NoticeBank &bank, const QString &day,
                                      int number);
DraftOrderRow DraftGapRow(const RequestHeader &header, const NoticeBank &bank, const QString &day, int number);

// The notice-count screen's question for a kind with missing notices and its
// message after the request ("예금거래명세통지 결번(2건)을 요청 하였습니다. ...").
QString CountCheckQuestion(NoticeKind kind, const QString &dayText);
QString CountGapMessage(NoticeKind kind, int rows);
