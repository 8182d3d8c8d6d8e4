#pragma once
// Small text routines of the numeric edit and its messages. They never modify
// their input and know nothing of character sets.

#include <QString>

// Every occurrence of search replaced by replacement, scanning left to right;
// replaced text is never scanned again. An empty search changes nothing.
QString ReplaceAllText(const QString &text, const QString &search, const QString &replacement);
// Every occurrence of ch removed.
QString DeleteAllChar(const QString &text, QChar ch);
// Leading / trailing blanks (code 32 only; tabs stay) removed.
QString TrimLeadingSpaces(const QString &text);
QString TrimTrailingSpaces(const QString &text);
// Trailing, then leading blanks removed.
QString TrimSpaces(const QString &text);
// count copies of ch; empty for count <= 0.
QString RepeatChar(QChar ch, int count);
