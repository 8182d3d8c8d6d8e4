#pragma once
// The rules of a transfer row that do not need a screen: the amount rule, the
// same-bank word and the message type, the kind code, the check code of a
// row, and the manual-entry checks in their order.

#include "core/BankCheckCode.h"
#include "transfers/TransferRow.h"

#include <QDate>
#include <QString>

#include <optional>

namespace qvx {
class AppServer;
}

// --- amounts ------------------------------------------------------------------

// Messages of the amount rule.
extern const QString AmountMissingMessage;   // "이체금액을 등록하시기 바랍니다."
extern const QString AmountTooLargeMessage;  // "이체금액이 한도를 초과하였습니다. ..."
extern const QString AmountNotWholeMessage;  // "이체금액을 원 단위 숫자로 입력하시기 바랍니다."

enum class AmountFault { None, Missing, NotWhole, TooLarge };

struct AmountCheck
{
    AmountFault fault = AmountFault::None;
    qint64 value = 0;      // whole won when fault is None
    QString message() const;
};

// The one amount rule of entry, row edit, reload and conversion: the text
// (surrounding white space ignored), plain digits or digits in correct
// thousands groups, must be a positive whole number of at most 13 digits.
// Empty or zero: Missing; a fraction, a sign, any other comma or character:
// NotWhole; 14 digits or more: TooLarge.
AmountCheck CheckTransferAmount(QStringView text);

// --- codes ----------------------------------------------------------------------

// "당행" when the two bank codes are equal, or when both belong to the group
// 21/26/88; "타행" otherwise.
QString SameBankWord(const QString &moBankId, const QString &bankId);
// "0100100" when the codes are equal, else "0101100" (no bank group).
QString TransferMessageType(const QString &moBankId, const QString &bankId);
// "20" for "수납", "30" otherwise.
QString TransferKindCode(const QString &transDiv);

// The check code of a transfer: MakeBankCheckCode with the accounts without
// '-' and the amount (digits, no ',') zero-padded to 13 digits, as every
// bank's rule reads it. The general and the liquor-trade rows share it.
QString TransferCheckCode(const QString &moBankId, const QString &moBankNo, const QString &bankId,
                          const QString &bankNo, const QString &plainAmount, const QString &gubun,
                          const QString &seqNo, const QString &code, qvx::AppServer *server = nullptr);

// The check code of a row: MakeBankCheckCode with the row's banks and
// accounts, the amount brought to 13 digits, the kind, and the given message
// number and numeric code. Throws ConvertError (or AppServerError for bank 23)
// when the row's data does not suit the bank's rule.
QString RowCheckCode(const TransferRow &row, const QString &seqNo, const QString &code,
                     qvx::AppServer *server = nullptr);
// The message when the bank's check code cannot be made from a row's data.
QString CheckCodeRefusedMessage();

// The check code a row gets when it is made or changed: empty for mother bank
// "23" (it needs the message number), otherwise RowCheckCode(row, "", "999999").
QString EntryCheckCode(const TransferRow &row, qvx::AppServer *server = nullptr);
// The same on the given date (a conversion's rows carry the date it started).
QString EntryCheckCode(const TransferRow &row, const QDate &today, qvx::AppServer *server = nullptr);
// The same from a row's parts as a conversion holds them: the accounts
// without '-', the amount as 13 digits (AmountDigits).
QString EntryCheckCode(const QString &moBankId, const QString &plainMoBankNo, const QString &bankId,
                       const QString &plainBankNo, const QString &amount13, const QString &gubun, const QDate &today,
                       qvx::AppServer *server = nullptr);
// EntryCheckCode's codes of many rows from one mother bank, of one kind, on
// one date (a conversion makes one for each mother account with a rule):
// the same codes and failures, those of banks 2, 3 and 20 written into the
// caller's room.
class EntryCheckCoder
{
public:
    EntryCheckCoder(const QString &moBankId, const QString &gubun, const QDate &today,
                    qvx::AppServer *server = nullptr);

    // EntryCheckCode(moBankId, plainMoBankNo, bankId, plainBankNo, amount13,
    // gubun, today); a view valid until the next call (and while room is
    // untouched).
    QStringView make(QStringView plainMoBankNo, QStringView bankId, QStringView plainBankNo, QStringView amount13,
                     BankCheckCoder::Room &room);

private:
    std::optional<BankCheckCoder> m_coder; // none for mother bank "23"
};

// A whole amount as the check codes read it: 13 digits, zeros in front.
QString AmountDigits(qint64 amount);
// The same written into buffer (a run makes one for each of many rows); the
// amount is a checked one, of at most 13 digits.
constexpr int AmountDigitCount = 13;
QStringView AmountDigits(qint64 amount, QChar (&buffer)[AmountDigitCount]);

// IsResidentNoBanned where a bank code or date that is no number counts as
// "not banned" (such a bank has no resident-number rule).
bool ResidentNoRefused(const QString &bankId, const QString &realNameNo, const QString &today);

// --- manual entry ----------------------------------------------------------------

// CP949 bytes the entry fields take: the payee name as the request row stores
// it, the other information as the temporary save holds it.
constexpr int TransferNameBytes = 12;
constexpr int TransferInfoBytes = 40;
// The real-name number a transfer keeps (a resident registration number's
// 13 digits), and what refuses a longer one.
constexpr int RealNameNoMaxBytes = 13;
extern const QString RealNameNoTooLongMessage; // "실명번호는 13자리 이내로 입력하시기 바랍니다."

// What the entry fields hold when "자료작성" is clicked.
struct TransferEntryInput
{
    int moBankIndex = 0;          // cmb_allbank item (0 = "은행 선택")
    QString moBankId;             // code of the chosen mother account
    int payeeIndex = 0;           // cmb_daesang item (0 = none chosen)
    bool payeeComboEnabled = true;
    QString sendName;             // edt_sendname
    QString residentNo;           // edt_resident as typed
    QString amountText;           // curredt_money text
    QString bankNo;               // edt_bankno as typed
    QString today;                // "yyyymmdd"
};

// The control a failed check puts the focus in.
enum class EntryFocus { None, MotherAccount, PayeeCombo, SendName, ResidentNo, Amount, BankNo };

struct TransferEntryCheck
{
    EntryFocus focus = EntryFocus::None; // None: the entry passes
    QString message;
    qint64 amount = 0;                   // the amount when it passes
    bool ok() const { return focus == EntryFocus::None; }
};

// The checks of "자료작성" before the duplicate question, in their order:
// mother account, payer/payee, real-name number too long, banned resident
// number, amount, an account that is a number (StoredAccountNo).
TransferEntryCheck CheckTransferEntry(const TransferEntryInput &input);

// --- row edit ----------------------------------------------------------------------

// What the row edit dialog gives back.
struct TransferRowEdit
{
    QString name;
    QString bankId;       // counterpart bank code
    QString bankName;     // counterpart bank name
    QString bankNo;       // account as typed (hyphens or not)
    qint64 amount = 0;    // checked by the amount rule
    QString realNameNo;   // as typed
};

// The row with the edit applied by the entry rules: same-bank word and message
// type from the bank codes, the account hyphenated for its bank, the amount
// grouped, the real-name number without '-' and blanks. The check code is
// left as it was (EntryCheckCode gives the new one).
TransferRow ApplyTransferRowEdit(const TransferRow &row, const TransferRowEdit &edit);

// The real-name number as rows store it: without '-' and blanks.
QString PlainRealNameNo(const QString &text);
