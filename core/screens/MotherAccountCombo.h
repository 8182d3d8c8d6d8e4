#pragma once
// The mother-account combo of the list screens: item 0 "all" where the
// screen has one, then one item per row of table `bank` in query order. Each
// item keeps its account; the item text is built from it and never read back.

#include "core/MotherAccount.h"

#include <QString>
#include <QVector>

class TKitComboBox;
class Tdm;


class MotherAccountCombo
{
public:
    // How an item shows its account.
    enum class Text {
        Padded  // "[" + bankid + "]   " + mobankno padded to 15 + "   " + bankname
    };

    MotherAccountCombo(TKitComboBox *combo, const QString &allText = QString(), Text text = Text::Padded);

    // Runs the screens' bank query through the data module and fills the
    // combo; item 0 is chosen. Returns the number of accounts.
    int Load(Tdm &dm);
    void Load(const QVector<MotherAccount> &accounts);

    // The chosen account; null when item 0 ("all") or nothing is chosen.
    const MotherAccount *Chosen() const;
    const QVector<MotherAccount> &Accounts() const { return m_accounts; }
    bool HasAll() const { return !m_allText.isEmpty(); }

    static QString ItemText(const MotherAccount &account, Text text);
    static const char *const BankQuery;

private:
    TKitComboBox *m_combo;
    QString m_allText;
    Text m_text;
    QVector<MotherAccount> m_accounts;
};
