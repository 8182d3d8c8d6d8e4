#pragma once
// Shared text, money and account-number routines of every screen.
//
// Texts are QString in and out. Where a width or a position counts, it counts
// the bytes of the text in CP949 (the code page of the files, the fixed-width
// fields and the bank's records): a Korean syllable is two bytes. A fixed-width
// result is a QString whose CP949 form has exactly that many bytes, so the
// screens can put it into SQL as text and write it to files through
// qvx::Cp949 / qvx::TextFile without counting again.
//
// A cut never splits a double-byte character: it stops before the character
// and fills the freed byte with the field's pad (a blank, or "0" in a
// zero-filled field), so the width stays exact.
//
// Money is a 64-bit integer of whole won (Currency).

#include "platform/AmountText.h"
#include "platform/TextError.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

using Currency = qint64;

// A text that should be a number and is none, or an arithmetic the data
// cannot support (a check-code rule on too short an account, a zero divisor).
class ConvertError : public qvx::TextError
{
public:
    using TextError::TextError;
};

// --- byte counting on CP949 ------------------------------------------------

// Bytes of the text in CP949.
int Cp949Length(const QString &text);

// The longest start of the text that fits into maxBytes CP949 bytes without
// splitting a double-byte character (no padding). A character CP949 lacks
// stays as it is (counted as the one byte that stands for it), never '?'.
QString LeftBytes(const QString &text, int maxBytes);

// -1 when the text is shorter than n bytes; otherwise n, or n - 1 when the
// n-th byte is the first half of a double-byte character. The bytes are read
// from the start: a byte 0x81..0xFE begins a two-byte character, whatever the
// second byte is.
int GetDbcsSafeLen(const QByteArray &bytes, int n);
int GetDbcsSafeLen(const QString &text, int n);

// --- fixed width ------------------------------------------------------------

// Text brought to exactly width bytes. Shorter: padded with spaces, after the
// text when leftJustify is set, before it otherwise. Longer: its first width
// bytes; when that would split a double-byte character the character is left
// out and the pad takes its byte at the end.
QString FixLenSpace(const QString &text, int width, bool leftJustify);
// As FixLenSpace with "0" as padding (leftJustify clear gives leading zeros).
QString FixLenZero(const QString &text, int width, bool leftJustify);
// As FixLenSpace, but a longer text is kept whole (a figure in a log line).
QString PadSpace(const QString &text, int width, bool leftJustify);

// --- characters and tokens --------------------------------------------------

QString DelChar(const QString &text, QChar c);    // every c removed
QString StripChar(const QString &text, QChar c);  // same as DelChar
QString DelComma(const QString &text);            // every ',' removed
using qvx::IsThousandsGrouped; // digits grouped by ',' in threes ("1,234,567")

// Part before the first delimiter; text keeps the part after it (delimiter
// dropped). No delimiter: the whole text, and text becomes empty. The
// remainder and a whole text returned are limited to their first 1024 bytes.
QString CutToken(QString &text, QChar delimiter);

// Key filter of fields that take Korean text only: control keys, space and
// non-ASCII input pass; printable ASCII becomes QChar(0) (key cancelled).
QChar RejectAsciiKey(QChar key);

// --- money ----------------------------------------------------------------

// "," every three digits, "-" in front of negatives; "" stays "". A text that
// is no number throws ConvertError; a number that is not whole gives "0".
QString FormatMoney(const QString &amount);
// Commas removed, then the amount read exactly (never through a double); a
// fractional part is rounded half away from zero on the exact decimal, so
// "1099511627776.4999" is 1099511627776. No number, or beyond 64 bits:
// ConvertError.
Currency MoneyStrToCurr(const QString &amount);
QString CurrToMoneyStr(Currency value);
// The same appended to out (a run over many rows writes them into one text).
void AppendMoneyStr(QString &out, Currency value);
// The currency reading of the text as it stands (a "," makes it no number),
// or the default on any failure.
Currency SafeStrToCurr(const QString &text, Currency defaultValue);

// --- codes and numbers ------------------------------------------------------

// BankNames of the code (1..99, read as an integer; no integer counts as 0);
// any other code gives the input back.
class Session;
QString GetBankName(const Session &session, const QString &bankCode);

// 10 bytes: 123-45-67890; 13 bytes: 123456-1234567; otherwise unchanged.
QString HyphenRealNameNo(const QString &number);

// True when the bank no longer takes a resident registration number as
// real-name number on that date and the trimmed number is longer than 12
// bytes. Bank code and date are read as integers (ConvertError otherwise).
bool IsResidentNoBanned(const QString &bankCode, const QString &realNameNo, const QString &yyyymmdd);

// "작성", "송신대기", "송신완료", "송신오류", "수신" for 0..4; "" otherwise.
QString GetSendFlagName(int code);

// Display form of the account (every '-' removed first) with the bank's
// hyphens. Never empty for a non-empty account: an unknown bank gives the
// digits back.
QString FormatAcctNo(const QString &bankCode, const QString &acctNo);
// True when the account number is valid for the bank (texts as given).
bool CheckAcctNo(const QString &bankCode, const QString &acctNo);
// The account number a screen stores: the text without its hyphens and the
// blanks around it, when that leaves ASCII digits alone (an empty text stays
// empty); none for any other text (letters, other signs, blanks inside, only
// hyphens).
// Every screen that stores an account refuses it with its account message.
std::optional<QString> StoredAccountNo(const QString &typed);
// The account message of the transfer and payee screens.
inline const QString AccountRefusedMessage =
    QStringLiteral("해당은행에 대한 계좌번호가 적절하지 않습니다. 확인하시기 바랍니다.");
