#pragma once
// What the transfer entry screens and their conversions share: the duplicate
// test over the rows of a list, the duplicate question, and the error lines
// of the day's log. The general and the liquor-trade screens keep their rows
// in different columns, so the caller says where name, amount and other
// information are.

#include "transfers/TransferRow.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <span>

// Where the duplicate test finds its three values in a list.
struct DuplicateColumns
{
    int name = tcName;
    int amount = tcMoney;
    int memo = tcInfo;
};

// True when some data row (1 .. rowCount - 1) holds exactly the name and the
// amount text and, unless memo is "N", the memo. cell(col, row) reads a cell.
bool IsDuplicateTransfer(const std::function<QString(int col, int row)> &cell, int rowCount,
                         const QString &name, const QString &amount, const QString &memo,
                         const DuplicateColumns &columns = {});

// The same with the memo comparison as a flag of its own: with compareMemo
// clear only name and amount count; with it set the memo is compared as it
// stands, also when it is "N".
bool IsDuplicateTransfer(const std::function<QString(int col, int row)> &cell, int rowCount,
                         const QString &name, const QString &amount, const QString &memo, bool compareMemo,
                         const DuplicateColumns &columns);

// Whether the duplicate test compares the other information: only when the
// login asks for it (IcheCheckFlag) and the text is not "N", which stands for
// any other information. One rule for entry screens and conversions alike.
bool DuplicateComparesInfo(int icheCheckFlag, QStringView info);

// The memo the duplicate test compares: the trimmed other information when
// it counts (DuplicateComparesInfo), else "N" (name and amount only).
QString DuplicateMemo(const QString &info, int icheCheckFlag);

// The question shown when a duplicate is found (caption "확인", OK/Cancel).
// The amount is right-aligned in 13 characters and never cut.
QString DuplicateQuestion(const QString &name, const QString &groupedAmount);
// "거래처명 : <name>  이체금액 : <amount right-aligned in 13> 원", the tail of
// the duplicate log lines, with head before it.
QString DuplicateLogTail(QStringView name, QStringView groupedAmount, QStringView head = {});

// An amount right-aligned in `width` characters; a longer one stands whole.
QString PadAmount(const QString &groupedAmount, int width);

// The most characters of one value an error line holds: a longer value (a
// refused sheet cell may hold 32,767 of them) is cut there, "…" after it, so
// that no line of the day's log holds more than some hundreds of characters.
constexpr qsizetype MaxLoggedValueLength = 64;
// What of value an error line holds (a surrogate pair is never split); *cut
// tells whether "…" follows it.
QStringView LoggedValuePart(QStringView value, bool *cut);
inline constexpr QStringView LoggedValueCutMark = u"…";

// How the values of an error line follow its message number: joined by " "
// right after it (the general entry screen), or each preceded by " " (the
// liquor-trade screens).
enum class TransferLogValues { JoinedAfterSeq, EachSpaced };

// The error line of WriteTransferLog, with stamp = "<yyyymmdd> <hhnnss>".
QString TransferLogLine(const QString &kind, const QString &seq, const QStringList &values, const QString &stamp,
                        TransferLogValues style = TransferLogValues::JoinedAfterSeq);
QString TransferLogLine(const QString &kind, const QString &seq, std::span<const QStringView> values,
                        const QString &stamp, TransferLogValues style = TransferLogValues::JoinedAfterSeq);
// The same line appended to out in CP949, byte for byte its text encoded,
// with blanks[i] blanks after values[i] (a run gathering many lines writes
// each straight into its block, its fields padded there).
void AppendTransferLogLine(QByteArray &out, const QString &kind, const QString &seq,
                           std::span<const QStringView> values, std::span<const int> blanks, QStringView stamp,
                           TransferLogValues style = TransferLogValues::JoinedAfterSeq);
// Of that line only what follows the message number: the line made with no
// values, then these, is the line made with them.
void AppendTransferLogValues(QByteArray &out, std::span<const QStringView> values, std::span<const int> blanks,
                             TransferLogValues style = TransferLogValues::JoinedAfterSeq);
// "<yyyymmdd> <hhnnss>" of now.
QString TransferLogStamp();

// Appends an error line to today's log (no user id, no brackets):
//   kind "1": "자료변환 Error -> <yyyymmdd> <hhnnss> " + seq + values joined by " "
//   kind "2": the same with "이체송신 Error -> "
//   other:    "database Error -> <yyyymmdd> <hhnnss> " + seq + "-" + first value
// Never throws; false when the line could not be written.
bool WriteTransferLog(const QString &kind, const QString &seq, const QStringList &values);

// "<prefix>거래구분:<col 5> 금액:<col 7 right in 15> 송신자:<col 11 in 10>
// 수신자:<col 12 in 10> 성명:<col 10 in 10> 거래은행:<col 8 in 20>": the day's
// log line of an entry ("이체작성  "), a change ("이체수정  ") or a deletion
// ("자료삭제  ").
QString TransferRowLogLine(const QString &prefix, const TransferRow &row);
