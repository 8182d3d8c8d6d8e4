#pragma once

#include "platform/TextError.h"

#include <QString>
#include <QStringView>

namespace qvx {

// Thrown when a value meant to go bare into SQL text is not an integer.
class SqlValueError : public TextError
{
public:
    explicit SqlValueError(const QString &value);
    QString value() const { return m_value; }

private:
    QString m_value;
};

// The one quoting helper for SQL text: "'" + text with every ' doubled + "'".
// The server runs without backslash escapes, so nothing else needs care.
QString sqlQuote(const QString &text);

// Optional leading '-', then one or more ASCII digits; nothing else.
bool isInteger(const QString &text);
// One or more ASCII digits; nothing else (no sign).
bool isAsciiDigits(QStringView text);

// The text itself when it is an integer (see isInteger) that fits 64 bits;
// throws SqlValueError otherwise. For values written bare into SQL (message numbers, counts).
QString sqlInt(const QString &text);
QString sqlInt(qint64 value);

} // namespace qvx
