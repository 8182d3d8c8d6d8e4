#include "core/screens/MotherAccountCombo.h"

#include "core/DMUnit.h"
#include "controls/panels/KitComboBox.h"
#include "platform/AppServer.h"
#include "platform/ResultSet.h"

MotherAccountCombo::MotherAccountCombo(TKitComboBox *combo, const QString &allText, Text text)
    : m_combo(combo), m_allText(allText), m_text(text)
{
}

QString MotherAccountCombo::ItemText(const MotherAccount &a, Text text)
{
    const QString afterCode = text == Text::PaddedCodeTight ? QStringLiteral("] ") : QStringLiteral("]   ");
    return QStringLiteral("[") + a.bankid + afterCode + a.mobankno.leftJustified(15, u' ')
           + QStringLiteral("   ") + a.bankname;
}

int MotherAccountCombo::Load(Tdm &dm)
{
    return Load(*dm.scktconnect);
}

int MotherAccountCombo::Load(qvx::AppServer &server, const QString &query)
{
    const qvx::ResultSet rs = server.select(query);
    QVector<MotherAccount> accounts;
    for (int i = 0; i < rs.recordCount(); ++i)
        accounts.append(MotherAccount::FromRow(rs, i));
    Load(accounts);
    return int(m_accounts.size());
}

std::function<bool(const MotherAccount &)> MotherAccountCombo::OfBank(const QString &bankCode)
{
    return [bankCode](const MotherAccount &a) { return a.bankid == bankCode; };
}

void MotherAccountCombo::Load(const QVector<MotherAccount> &accounts)
{
    m_accounts.clear();
    for (const MotherAccount &a : accounts)
        if (!m_filter || m_filter(a))
            m_accounts.append(a);
    m_combo->Items().Clear();
    if (HasAll())
        m_combo->Items().Add(m_allText);
    for (const MotherAccount &a : m_accounts)
        m_combo->Items().Add(ItemText(a, m_text));
    m_combo->SetItemIndex(0);
}

const MotherAccount *MotherAccountCombo::Chosen() const
{
    const int index = m_combo->ItemIndex() - (HasAll() ? 1 : 0);
    if (index < 0 || index >= m_accounts.size())
        return nullptr;
    return &m_accounts[index];
}

QString MotherAccountCombo::ReportCaption() const
{
    const MotherAccount *account = Chosen();
    return account ? ItemText(*account, m_text) : QStringLiteral("모든 계좌");
}
