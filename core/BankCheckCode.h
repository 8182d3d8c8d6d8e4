#pragma once
// Bank-specific check value of a transfer row (column Boki).

#include <QString>

namespace qvx {
class AppServer;
}

// (paying bank code, paying account, counterpart bank code, counterpart
// account, amount as 13 digits, the row's message number ("" where none is
// reserved yet), kind "20"/"30", numeric code ("hhnnss" of the batch, or
// "999999")) -> the check value; "" for a bank without a rule.
//
// Rules exist for banks 2, 3, 5, 20 and 23 (the paying bank code read as an
// integer; no integer throws ConvertError). Data the rule cannot work on
// throws ConvertError: a paying or counterpart account shorter than six
// characters or a non-digit in the used positions (banks 2, 3), a text that
// is no number (bank 5), a digit sum of 0 or an amount that is no integer
// (bank 20), a message number that is no integer (bank 23). Bank 23 reads the
// card table through server (no link when null: it throws); its failures
// throw qvx::AppServerError. Today's date comes from qvx::Clock.
// True when the paying bank has a check-code rule (its code read as an
// integer; no integer counts as none). Without one MakeBankCheckCode gives "".
bool HasBankCheckRule(const QString &payBankId);

QString MakeBankCheckCode(const QString &payBankId, const QString &payAcctNo, const QString &counterBankId,
                          const QString &counterAcctNo, const QString &amount, const QString &seqNo,
                          const QString &kind, const QString &code, qvx::AppServer *server = nullptr);
