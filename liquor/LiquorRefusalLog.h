#pragma once
// What the liquor conversion says of a refused line: its reason, its values
// in the transfer log and the error list, and the error list's file.

#include "liquor/LiquorTextLines.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

// The suffix of an error-list line.
inline const QString LiquorResidentNoErrorTail =
    QStringLiteral(" : 실명번호 오류(실명번호의 주민등록번호는 생년월일로 대체 되었습니다.)");

struct LiquorAmounts;

// Why a line was refused for its form or its amounts, as the log and the
// error list say it.
QString LiquorLineFaultReason(LiquorRefusal fault);
// "금액 오류(" + the amount rule's message + ")", the field named where the
// message does not name it.
const QString &LiquorAmountReason(const LiquorAmounts &amounts);
// An error-list line: the refused line's values joined by blanks (each cut
// as the day's log cuts it), then its tail.
QString LiquorErrorListLine(const std::array<QStringView, 9> &values, QStringView tail);

// The nine values of a transfer-log or error-list line: bank code, account,
// transfer, liquor and non-liquor amount, real-name number, name, kind,
// other information.
std::array<QStringView, 9> LiquorTransferLogViews(const LiquorFields &fields, QStringView kind);

// Saves the error list as <folder>/ErrorList.Txt (CP949, CR LF; a character
// CP949 cannot hold written as '?', so the list is never lost), written
// beside its name and renamed; the folder is made when missing. Returns the
// file's path, or an empty text with *error set.
QString SaveLiquorErrorList(const QString &folder, const QStringList &lines, QString *error);
