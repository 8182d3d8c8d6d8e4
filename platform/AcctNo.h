#pragma once

#include <QString>
#include <QStringView>

namespace qvx {

// Account-number rules per bank code: the allowed lengths of the digits and
// the hyphen layout of each length. Bank codes are read as integers, so "03"
// and "3" are the same bank.
struct AcctNo
{
    // True when the text holds digits only and its length is allowed for the
    // bank (for an unknown bank: 6 to 16 digits).
    static bool isValid(const QString &bankCode, const QString &digits);
    static bool isValid(QStringView bankCode, QStringView digits);

    // The display form with the bank's hyphens. An unknown bank, a length the
    // bank has no layout for, or a text that is not all digits gives the text
    // back unchanged (never empty unless the input was).
    static QString hyphenate(const QString &bankCode, const QString &digits);
    // The same display form appended to out (a list of many accounts writes
    // them one after the other into one text).
    static void appendHyphenated(QString &out, QStringView bankCode, QStringView digits);
};

} // namespace qvx
