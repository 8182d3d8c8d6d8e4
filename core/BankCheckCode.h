#pragma once
// Bank-specific check value of a transfer row (column Boki).

#include <QDate>
#include <QString>
#include <QStringView>

#include <array>

namespace qvx {
class AppServer;
}

// True when the paying bank has a check-code rule (its code read as an
// integer; no integer counts as none). Without one MakeBankCheckCode gives "".
bool HasBankCheckRule(const QString &payBankId);

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
// throw qvx::AppServerError. Today's date comes from qvx::Clock, or is given:
// a run that makes many codes reads the date once, so that all its rows carry
// the date the run started (also when it ends after midnight).
QString MakeBankCheckCode(const QString &payBankId, const QString &payAcctNo, const QString &counterBankId,
                          const QString &counterAcctNo, const QString &amount, const QString &seqNo,
                          const QString &kind, const QString &code, qvx::AppServer *server = nullptr);
QString MakeBankCheckCode(const QString &payBankId, const QString &payAcctNo, const QString &counterBankId,
                          const QString &counterAcctNo, const QString &amount, const QString &seqNo,
                          const QString &kind, const QString &code, const QDate &today,
                          qvx::AppServer *server = nullptr);

// The check codes of many rows paid from one bank, of one kind, on one date
// (MakeBankCheckCode makes its one code with it): the bank's number, the
// date's digits and the kind are read once. The codes of banks 2, 3 and 20
// are written into the caller's room without touching the heap; the rarer
// banks' codes are kept by the coder.
class BankCheckCoder
{
public:
    // The six characters of a code of bank 2, 3 or 20.
    using Room = std::array<char16_t, 6>;

    BankCheckCoder(const QString &payBankId, const QString &kind, const QDate &today,
                   qvx::AppServer *server = nullptr);

    // The code MakeBankCheckCode gives for the row, failing where it fails;
    // a view into room or into the coder, valid until the next call (and
    // while room is untouched). An empty view for a bank without a rule.
    QStringView make(QStringView payAcctNo, QStringView counterBankId, QStringView counterAcctNo, QStringView amount,
                     QStringView seqNo, QStringView code, Room &room);

private:
    enum class KindBank { None, Paying, Counterpart }; // whose bank code bank 20 sums

    QString m_payBankId;
    bool m_bankIsNumber = false;
    qint64 m_bank = 0;
    QDate m_today;
    Room m_yymmdd{};
    KindBank m_kindBank = KindBank::None;
    qint64 m_fixedDigitSum = 0; // bank 20: the date's digits, and the paying bank's for kind "20"
    qvx::AppServer *m_server = nullptr;
    QString m_made; // a code of bank 5 or 23
};
