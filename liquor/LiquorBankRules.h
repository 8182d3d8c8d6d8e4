#pragma once
// What a conversion asks of the shared bank rules for every line, asked once
// per usual (two-digit) bank code and account length and then read from a
// table: whether an account is valid for the bank, where its hyphens go, and
// whether the bank refuses a resident registration number on the run's
// date. Any other code is asked every time. The answers are those of
// CheckAcctNo, FormatAcctNo and IsResidentNoBanned.

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

#include <vector>

using LiquorTextBuffer = QVarLengthArray<QChar, 64>;

class LiquorBankRules
{
public:
    explicit LiquorBankRules(const QString &today);

    // CheckAcctNo(bankId, account).
    bool accountValid(QStringView bankId, QStringView account);
    // FormatAcctNo(bankId, digits) for digits without '-': a view of digits
    // when nothing changes, else of out.
    QStringView hyphenated(QStringView bankId, QStringView digits, LiquorTextBuffer &out);
    // IsResidentNoBanned(bankId, realNameNo, today), ConvertError included.
    bool residentNoBanned(QStringView bankId, QStringView realNameNo);

private:
    // An account length of a bank: asked or not, valid, and a bit k set for a
    // '-' before digit k.
    struct Form
    {
        bool asked = false;
        bool valid = false;
        quint64 hyphens = 0;
    };
    static constexpr int MaxLength = 64;
    const Form *formOf(QStringView bankId, int length);

    QString m_today;
    std::vector<Form> m_forms;       // by code * MaxLength + length
    std::vector<signed char> m_resident; // by code: -1 not asked, 0 / 1
};
