#pragma once
// The cell texts of the inquiry and notice lists: the stored yyyymmdd and
// hhnnss texts with their separators, amounts read as whole numbers with ','
// (a text that is no number shows 0).

#include <QString>

QString DashedDate(const QString &yyyymmdd);  // "20261209" -> "2026-12-09"; "" stays ""
QString ColonTime(const QString &hhnnss);     // "093015" -> "09:30:15"; "" stays ""
QString MoneyText(const QString &amount);     // " 1234567" -> "1,234,567"; "abc" -> "0"
