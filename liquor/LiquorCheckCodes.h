#pragma once
// The check codes of a conversion's rows, as EntryCheckCode gives them on
// the run's date: bank 20's rule (a digit sum over date, accounts, amount
// and bank) worked in place, since it falls on many rows of a file; every
// other bank's through the shared rule.

#include "core/MotherAccount.h"

#include <QDate>
#include <QString>
#include <QStringView>
#include <QVector>

class LiquorCheckCodes
{
public:
    // kind: the rows' "20" / "30".
    LiquorCheckCodes(const QVector<MotherAccount> &banks, const QString &kind, const QDate &today);

    // The code of a row paid from banks[mother] to the counterparty bank and
    // account (without '-'); a view valid until the next call. Throws as
    // EntryCheckCode does.
    QStringView make(int mother, QStringView bankId, QStringView plainBankNo, qint64 transfer);

private:
    QString shared(int mother, QStringView bankId, QStringView plainBankNo, qint64 transfer);

    const QVector<MotherAccount> &m_banks;
    QString m_kind;
    QDate m_today;
    int m_dateDigits = 0;            // digit sum of the date's yyMMdd
    QVector<QString> m_plainMothers; // the mother accounts without '-', made when first needed
    QVector<signed char> m_rule;     // by mother: -1 not asked, 0 no code, 1 shared rule, 20 bank 20 here
    QString m_made;
    char16_t m_code[6];
};
