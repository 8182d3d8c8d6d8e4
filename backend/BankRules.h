#pragma once

#include <QDate>
#include <QString>

namespace qvx::bank {

// The simulated bank's answers, as plain deterministic functions of the
// request (and of nothing else), so that the same request always gets the
// same answer. backend/BANK.md describes them.

// Result codes the bank answers (rows of the demo's table `error`).
inline constexpr const char *CodeOk = "0000";
inline constexpr const char *CodeBadAccount = "0011";  // 계좌번호 오류
inline constexpr const char *CodeClosed = "0012";      // 해지된 계좌
inline constexpr const char *CodeNoFunds = "0013";     // 잔액 부족
inline constexpr const char *CodeHolderMismatch = "0014"; // 예금주 불일치
inline constexpr const char *CodeOther = "0099";       // 기타 오류
inline constexpr const char *CodeNoOriginal = "0041";  // 원거래 없음
inline constexpr const char *CodeNoNotice = "0042";    // 통지 내역 없음

// Above this amount a transfer fails for want of funds.
inline constexpr qint64 NoFundsAbove = 100000000;
// Fee of a successful transfer to another bank (same bank: none).
inline constexpr qint64 OtherBankFee = 500;
// Withdrawals held back from the balance (checks in clearing).
inline constexpr qint64 BalanceHold = 1000000;

// The digits of a text, everything else dropped.
QString digitsOnly(const QString &text);
// A money text read as a whole number: blanks and ',' ignored; 0 when it is none.
qint64 amountOf(const QString &text);
// An amount as the banks write it: 13 digits with leading zeros (the sign apart).
QString amount13(qint64 value);
// A number with leading zeros to the width.
QString zeroPad(qint64 value, int width);

// A stable hash of a text (FNV-1a over its UTF-8 bytes), the same on every run.
quint32 stableHash(const QString &text);

// The reply code of a request: its third character set to '1' ("0600300" -> "0610300").
QString replyCode(const QString &serviceCode);

// The answer to one transfer.
struct TransferResult
{
    QString errCode; // CodeOk or the reason of the failure
    qint64 fee = 0;  // charged only when it went through
    bool ok() const { return errCode == QLatin1String(CodeOk); }
};

// A transfer of amount `price` between the mother account's bank `bankId` and
// the counterpart `transBankId`/`payeeAccount`:
//   - counterpart account with fewer than 6 digits: CodeBadAccount;
//   - counterpart account whose digits begin with "999": CodeClosed (a closed account);
//   - amount that is no positive number: CodeOther;
//   - amount above NoFundsAbove: CodeNoFunds;
//   - otherwise CodeOk, with OtherBankFee when the banks differ.
TransferResult transferResult(const QString &bankId, const QString &transBankId, const QString &payeeAccount,
                              const QString &price);

// The other-bank processing number of an answered transfer: yymmdd + the
// message number in 6 digits (empty for a transfer within one bank).
QString otherBankProcNo(const QString &bankId, const QString &transBankId, const QDate &date, qint64 seqNo);

// The balance an account opened the day with: 50,000,000 to 499,999,000 in
// steps of 1,000, from the account number.
qint64 openingBalance(const QString &bankId, const QString &account);

// The holder of an account that is no payee of the company: a name from a
// fixed list, chosen by the account number.
QString holderName(const QString &bankId, const QString &account);

// Whether a notice number is lost on its first delivery (every fourth), so
// that the gap requests have something to ask for.
bool lostOnFirstDelivery(int number);

} // namespace qvx::bank
