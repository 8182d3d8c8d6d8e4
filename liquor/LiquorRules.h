#pragma once
// The rules of a liquor-trade row that need no screen: the same-bank rule
// with its bank group, the three amounts, the adding checks in their order,
// the row an entry makes, the check code, the duplicate test and the row
// edit. They stand on the general transfer rules where the two agree.

#include "core/MotherAccount.h"
#include "liquor/LiquorRow.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <functional>

class Session;
namespace qvx {
class AppServer;
}

// --- banks --------------------------------------------------------------------

// True when the counterparty bank may take a liquor transfer of the mother
// bank: the same code, or both codes in the group 21, 26, 88.
bool LiquorSameBank(const QString &moBankId, const QString &bankId);

// --- amounts ------------------------------------------------------------------

constexpr int LiquorAmountMaxChars = 13;
inline const QString LiquorAmountTooLongMessage = QStringLiteral("금액을 초과하였습니다.");
inline const QString LiquorAmountMissingMessage = QStringLiteral("이체금액을 등록하시기 바랍니다.");

// True when an amount field's text has grown past 13 characters (the
// commas that group its thousands not counted).
bool LiquorAmountTextTooLong(const QString &text);

// Which amount field a fault is in.
enum class LiquorAmountField { None, Liquor, NonLiquor, Transfer };

// "주류금액", "비주류금액" or "이체금액".
QString LiquorAmountFieldName(LiquorAmountField field);
// The refusal of a field's text that is no amount of whole won (a fraction,
// a sign, a comma out of place, no number): "<field name>을 원 단위 숫자로
// 입력하시기 바랍니다.".
const QString &LiquorAmountNotWholeMessage(LiquorAmountField field);

struct LiquorAmounts
{
    qint64 liquor = 0;
    qint64 nonLiquor = 0;
    qint64 transfer = 0;
    LiquorAmountField faultField = LiquorAmountField::None;
    QString message;   // empty when the amounts pass
    bool ok() const { return faultField == LiquorAmountField::None; }
};

// The amount rule of entry, row edit and reload: liquor and non-liquor are
// whole numbers of at most 13 digits (an empty text is 0; ',' only where it
// groups the digits by thousands); the transfer amount is a positive whole
// number of at most 13 digits. The first field refused, in that order, is
// named: longer, "금액을 초과하였습니다."; an empty or zero transfer amount,
// "이체금액을 등록하시기 바랍니다."; any other text, the field's
// LiquorAmountNotWholeMessage.
LiquorAmounts CheckLiquorAmounts(const QString &liquor, const QString &nonLiquor, const QString &transfer);
// The same read in place (a conversion checks every line's amounts).
LiquorAmounts CheckLiquorAmounts(QStringView liquor, QStringView nonLiquor, QStringView transfer);

// The transfer amount a screen fills in when the liquor or non-liquor field
// is left: their sum, when both read as amounts (false otherwise).
bool SumLiquorParts(const QString &liquor, const QString &nonLiquor, qint64 *sum);

// --- adding a row ----------------------------------------------------------------

// What the entry fields hold when "자료 작성" is clicked.
struct LiquorEntryInput
{
    bool hasMotherAccount = false;  // a mother account is chosen
    QString moBankId;
    int payeeIndex = 0;             // cmb_daesang item (0 = none chosen)
    bool payeeComboEnabled = true;
    QString sendName;               // edt_sendname
    QString liquorText;             // the three amount fields' texts
    QString nonLiquorText;
    QString transferText;
    QString realNameNo;             // edt_daesanginfo
    QString bankId;                 // counterparty bank code
    QString bankNo;                 // edt_bankno as typed
    QString today;                  // "yyyymmdd"
};

enum class LiquorEntryFocus { None, MotherAccount, PayeeCombo, SendName, Liquor, NonLiquor, Transfer, RealNameNo, BankNo };

struct LiquorEntryCheck
{
    LiquorEntryFocus focus = LiquorEntryFocus::None; // None: the entry passes
    QString message;
    LiquorAmounts amounts;
    bool ok() const { return focus == LiquorEntryFocus::None; }
};

inline const QString LiquorNoMotherAccountMessage = QStringLiteral("등록된 은행계좌가 존재하지 않습니다.");
inline const QString LiquorOtherBankMessage = QStringLiteral("타행 이체는 할 수 없습니다.");
inline const QString LiquorOwnBankOnlyMessage = QStringLiteral("현재 주류이체는 당행만 처리됩니다.");
inline const QString LiquorResidentNoMessage =
    QStringLiteral("실명번호의 주민등록번호는 생년월일로 대체 되었습니다.\r\n확인 후 수정해 주시기 바랍니다.");

// The checks of "자료 작성" before the duplicate question, in their order:
// a mother account, a counterparty name, the amounts, the banned resident
// number, the same-bank rule, an account that is a number (StoredAccountNo).
LiquorEntryCheck CheckLiquorEntry(const LiquorEntryInput &input);

// What an entry puts into its row besides the mother account.
struct LiquorEntry
{
    QString name;
    QString bankId;       // counterparty bank code
    QString bankName;
    QString bankNo;       // as typed, hyphens or not
    QString realNameNo;   // as typed
    QString info;
    LiquorAmounts amounts;
};

// The row of an entry: the mode from the session's PaymentMode, the hidden
// values from the session and the mother account, the amounts grouped, the
// counterparty account hyphenated for its bank. The check code is left empty
// (LiquorEntryCheckCode gives it).
LiquorRow MakeLiquorEntryRow(const Session &session, const MotherAccount &account, const LiquorEntry &entry);
// Texts of the row a conversion holds already: the mother account
// hyphenated (FormatAcctNo), the transfer amount grouped (CurrToMoneyStr) and
// the counterparty account without '-' and blanks.
struct LiquorRowParts
{
    QString moBankNo;
    QString groupedMoney;
    QString plainBankNo;
};
LiquorRow MakeLiquorEntryRow(const Session &session, const MotherAccount &account, const LiquorEntry &entry,
                             const LiquorRowParts &parts);

// "수납" (PaymentMode 0) or "지급".
QString LiquorModeWord(int paymentMode);
// "20" (collection) or "30".
QString LiquorGubun(int paymentMode);

// --- check codes ------------------------------------------------------------------

// The bank check code of a row with the given message number and time text.
// Throws ConvertError (or qvx::AppServerError for bank 23) when the row's
// data does not suit the bank's rule.
QString LiquorCheckCode(const LiquorRow &row, const QString &seqNo, const QString &time,
                        qvx::AppServer *server = nullptr);
// The code a row gets when it is made or changed: empty for mother bank 23
// (it needs the message number and the send time), otherwise the code with
// no message number and the time "999999".
QString LiquorEntryCheckCode(const LiquorRow &row, qvx::AppServer *server = nullptr);
// The same on the given date (a conversion's rows carry the date it started).
QString LiquorEntryCheckCode(const LiquorRow &row, const QDate &today, qvx::AppServer *server = nullptr);
// The code a row is sent with: bank 23 with its own message number and the
// batch's time, every other bank made anew as at entry (the rules read
// today's date, and a row may have been made on another day).
QString LiquorSendCheckCode(const LiquorRow &row, qint64 seqNo, const QString &batchTime,
                            qvx::AppServer *server = nullptr);

// --- duplicates -------------------------------------------------------------------

// True when some data row (1 .. rowCount - 1) holds exactly the name and the
// grouped amount and, when compareInfo is set, the other information.
bool IsDuplicateLiquorTransfer(const std::function<QString(int col, int row)> &cell, int rowCount,
                               const QString &name, const QString &groupedAmount, const QString &info,
                               bool compareInfo);
// "중복이체건 추가 -> 거래처명 : <name>  이체금액 : <amount in 13> 원\r"
QString LiquorDuplicateLogLine(const QString &name, const QString &groupedAmount);

// --- row edit ---------------------------------------------------------------------

// What the row edit dialog gives back.
struct LiquorRowEdit
{
    QString name;
    QString bankId;       // code of the chosen bank item
    QString bankName;     // bank name of that item
    QString bankNo;       // as typed
    QString realNameNo;
    LiquorAmounts amounts;
};

// The row with the edit written back: name, both counterparty bank codes,
// bank name, the account exactly as typed, the three amounts grouped, the
// real-name number. The check code is left as it was.
LiquorRow ApplyLiquorRowEdit(const LiquorRow &row, const LiquorRowEdit &edit);
