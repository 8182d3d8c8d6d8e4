#pragma once
// The check codes of a conversion's rows, as EntryCheckCode gives them on
// the run's date: each mother account's coder and account without '-' made
// once, the usual banks' codes made without the heap.

#include "core/MotherAccount.h"
#include "transfers/TransferRules.h"

#include <QDate>
#include <QString>
#include <QStringView>
#include <QVector>

#include <optional>
#include <vector>

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
    std::vector<std::optional<EntryCheckCoder>> m_coders; // by mother, made when first needed
    BankCheckCoder::Room m_code;
};
