#include "core/screens/ListCombos.h"

#include "core/TextUtils.h"
#include "controls/panels/KitComboBox.h"
#include "platform/AppServer.h"
#include "platform/ResultSet.h"
#include "platform/SqlText.h"

void ComboClearItems(TKitComboBox *combo) { combo->Items().Clear(); }
void ComboAddItem(TKitComboBox *combo, const QString &text) { combo->Items().Add(text); }
int ComboItemIndex(const TKitComboBox *combo) { return combo->ItemIndex(); }
void ComboSetItemIndex(TKitComboBox *combo, int index) { combo->SetItemIndex(index); }

// --- banks -----------------------------------------------------------------------------------------

const char *const BankCombo::FirmBanksQuery =
    "select      distinct bankid,    bankname,    firmid,    recvid ,    tr_gubuncode from    bank "
    "group by bankname, firmid, recvid order by bankid";

BankItem BankItem::FromRow(const qvx::ResultSet &rs, int row)
{
    // Columns the select did not name stay empty.
    auto v = [&rs, row](const char *name) {
        const int col = rs.columnIndex(QString::fromLatin1(name));
        return col >= 0 ? rs.value(row, col) : QString();
    };
    return {v("bankid"), v("bankname"), v("firmid"), v("recvid"), v("tr_gubuncode")};
}

int BankCombo::Load(qvx::AppServer &server, const QString &query, Rows rows)
{
    const qvx::ResultSet rs = server.select(query);
    QVector<BankItem> banks;
    for (int i = 0; i < rs.recordCount(); ++i) {
        const BankItem bank = BankItem::FromRow(rs, i);
        bool isNumber = false;
        const qint64 n = bank.bankname.trimmed().toLongLong(&isNumber);
        if (rows == Rows::NamedOnly && isNumber && n != 0)
            continue;
        banks.append(bank);
    }
    Fill(banks);
    return int(banks.size());
}

QString BankCombo::ChosenCode() const
{
    const BankItem *bank = Chosen();
    return bank ? bank->bankid : QString();
}

void BankCombo::Choose(const QString &bankCode)
{
    if (!ChooseListed(bankCode))
        ComboSetItemIndex(combo(), 0);
}

bool BankCombo::ChooseListed(const QString &bankCode)
{
    for (int i = 0; i < Records().size(); ++i) {
        if (Records()[i].bankid == bankCode) {
            ComboSetItemIndex(combo(), i + (HasFirstItem() ? 1 : 0));
            return true;
        }
    }
    return false;
}

QString BankCombo::itemText(const BankItem &bank) const
{
    return QStringLiteral("[") + bank.bankid + QStringLiteral("]") + m_separator + bank.bankname;
}

// --- accounts --------------------------------------------------------------------------------------

QString AccountCombo::AccountsOfBankSql(const QString &bankCode)
{
    return QStringLiteral("select mobankno from bank where bankid = ") + qvx::sqlQuote(bankCode)
           + QStringLiteral(" order by mobankno");
}

void AccountCombo::LinkTo(BankCombo &banks, qvx::AppServer &server)
{
    m_server = &server;
    TKitComboBox *bankBox = banks.combo();
    auto previous = bankBox->OnChange;
    bankBox->OnChange = [this, &banks, previous](QObject *sender) {
        ShowBank(banks.ChosenCode());
        if (previous)
            previous(sender);
    };
    ShowBank(banks.ChosenCode());
}

void AccountCombo::ShowBank(const QString &bankCode)
{
    QVector<MotherAccount> ofBank;
    if (!bankCode.isEmpty() && m_server) {
        const qvx::ResultSet rs = m_server->select(AccountsOfBankSql(bankCode));
        for (int i = 0; i < rs.recordCount(); ++i) {
            MotherAccount a = MotherAccount::FromRow(rs, i);
            a.bankid = bankCode;
            ofBank.append(a);
        }
    }
    Fill(ofBank);
    combo()->SetEnabled(!bankCode.isEmpty());
}

QString AccountCombo::ChosenNumber() const
{
    // The hyphenated item is read back without its '-'; an item as stored is the account itself.
    const MotherAccount *a = Chosen();
    if (!a)
        return QString();
    return m_shown == Shown::Hyphenated ? DelChar(a->mobankno, u'-') : a->mobankno;
}

QString AccountCombo::itemText(const MotherAccount &a) const
{
    return m_shown == Shown::Hyphenated ? FormatAcctNo(a.bankid, a.mobankno) : a.mobankno;
}

// --- transaction kinds -----------------------------------------------------------------------------

const char *const TransferKindCombo::KindsQuery =
    "select distinct transdivcode, transdivcontents  from transdiv where divflag = '1'";

int TransferKindCombo::Load(qvx::AppServer &server, const QString &query)
{
    const qvx::ResultSet rs = server.select(query);
    QVector<TransferKind> kinds;
    for (int i = 0; i < rs.recordCount(); ++i)
        kinds.append({rs.value(i, QStringLiteral("transdivcode")), rs.value(i, QStringLiteral("transdivcontents"))});
    Fill(kinds);
    return int(kinds.size());
}

QString TransferKindCombo::ChosenCode() const
{
    const TransferKind *k = Chosen();
    return k ? k->code : QString();
}

QString TransferKindCombo::itemText(const TransferKind &k) const
{
    return QStringLiteral("[") + k.code + QStringLiteral("] ") + k.contents;
}

// --- payees ----------------------------------------------------------------------------------------

int PayeeCombo::Load(qvx::AppServer &server)
{
    const qvx::ResultSet rs = server.select(QStringLiteral("select * from daesang"));
    QVector<PayeeItem> payees;
    for (int i = 0; i < rs.recordCount(); ++i)
        payees.append({rs.value(i, QStringLiteral("name")), rs.value(i, QStringLiteral("bankno")),
                       rs.value(i, QStringLiteral("bankid")), rs.value(i, QStringLiteral("residentno"))});
    Fill(payees);
    return int(payees.size());
}

void PayeeCombo::Fill(const QVector<PayeeItem> &payees)
{
    KeptItems::Fill(payees);
    if (payees.isEmpty()) {
        ComboClearItems(combo());
        ComboAddItem(combo(), QStringLiteral("대상자 없음"));
        ComboSetItemIndex(combo(), 0);
    }
    combo()->SetEnabled(!payees.isEmpty());
}
