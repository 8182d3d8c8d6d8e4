#pragma once
// The mother-account combo of the list screens: item 0 "all" where the
// screen has one, then one item per row of table `bank` in query order. Each
// item keeps its account; the item text is built from it and never read back.

#include "core/BankSql.h"
#include "core/MotherAccount.h"

#include <QString>
#include <QVector>

#include <functional>

class TKitComboBox;
namespace qvx { class AppServer; }
class Tdm;


class MotherAccountCombo
{
public:
    // How an item shows its account.
    enum class Text {
        Padded,        // "[" + bankid + "]   " + mobankno padded to 15 + "   " + bankname
        PaddedCodeTight // "[" + bankid + "] " + mobankno padded to 15 + "   " + bankname
    };

    MotherAccountCombo(TKitComboBox *combo, const QString &allText = QString(), Text text = Text::Padded);

    // Runs the screens' bank query through the data module and fills the
    // combo; item 0 is chosen. Returns the number of accounts.
    int Load(Tdm &dm);
    void Load(const QVector<MotherAccount> &accounts);
    // Runs `query` (a select of table bank) over the link and fills the
    // combo with the accounts the filter keeps.
    int Load(qvx::AppServer &server, const QString &query = BankSql::motherAccounts());
    // Only the accounts for which the filter holds become items (set before Load).
    void SetFilter(std::function<bool(const MotherAccount &)> filter) { m_filter = std::move(filter); }
    // The accounts of one bank code.
    static std::function<bool(const MotherAccount &)> OfBank(const QString &bankCode);

    // The chosen account; null when item 0 ("all") or nothing is chosen.
    const MotherAccount *Chosen() const;
    const QVector<MotherAccount> &Accounts() const { return m_accounts; }
    bool HasAll() const { return !m_allText.isEmpty(); }

    static QString ItemText(const MotherAccount &account, Text text);
    // The account a printed list names in its title: the chosen account as
    // its item shows it, or "모든 계좌" when every account is listed.
    QString ReportCaption() const;

private:
    TKitComboBox *m_combo;
    QString m_allText;
    Text m_text;
    QVector<MotherAccount> m_accounts;
    std::function<bool(const MotherAccount &)> m_filter;
};
