#pragma once
// The check codes of a conversion's rows, as EntryCheckCode gives them on
// the run's date: each mother account's rule and account without '-' found
// once, the row's parts lent to the shared rule without copies.

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
    const QVector<MotherAccount> &m_banks;
    QString m_kind;
    QDate m_today;
    QVector<QString> m_plainMothers; // the mother accounts without '-', made when first needed
    QVector<signed char> m_rule;     // by mother: -1 not asked, 0 no code, 1 the shared rule
    QString m_made;
};
