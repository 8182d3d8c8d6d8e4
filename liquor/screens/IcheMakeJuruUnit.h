#pragma once
// "이체자료 작성" of a liquor-trade client: the user collects collection (수납)
// or payment (지급) transfers with their liquor and non-liquor amounts in a
// list, saves and reloads them, and sends them straight to the bank; the
// result inquiry then opens on the batch. Rows come from manual entry, the
// reload of a temporary save and the conversions.

#include "core/MotherAccount.h"
#include "core/screens/EntryListForm.h"
#include "liquor/LiquorRow.h"

#include <QString>
#include <QVector>
#include <functional>
#include <memory>

class AllBanksCombo;
class MotherAccountCombo;
class PayeeCombo;
namespace qvx {
class AppServer;
class ResultSet;
}

class Tqv_IcheMakeJuru_frm : public TEntryListForm
{
    Q_OBJECT
public:
    explicit Tqv_IcheMakeJuru_frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_IcheMakeJuru_frm() override;

    // --- controls beyond the shared ones (edt_daesanginfo: 실명번호) ------------
    TCurrencyEdit *curredt_juru = nullptr;    // 주류금액
    TCurrencyEdit *curredt_bijuru = nullptr;  // 비주류금액
    QLineEdit *edt_other = nullptr;           // 기타
    TDDButton *btn_datasave = nullptr;        // 자료 작성
    TDDButton *btn_excel = nullptr;
    TDDButton *DDButton1 = nullptr;           // 자료전체삭제

    // --- what the conversions use -------------------------------------------
    // Appends a row (row 1 of an empty list, else a new last row), numbers it
    // and brings the totals up to date. Returns the list row.
    int AddLiquorRow(const LiquorRow &row);
    // True when the list holds a row with this name and grouped amount and,
    // when the login compares it (IcheCheckFlag), this other information.
    bool IsDuplicateTransfer(const QString &name, const QString &groupedAmount, const QString &info) const;
    // The rows of the list, in list order.
    QVector<LiquorRow> LiquorRows() const;
    // Totals (curredt_gunR, curredt_MoneyR) from the list.
    void UpdateTotals() override;
    // Header and one blank row, totals 0.
    void ClearList();

    // The conversions behind "자료변환" and "Excel" (installed by the
    // conversion screens; without one the button does nothing).
    using ConversionRunner = std::function<void(Tqv_IcheMakeJuru_frm &screen)>;
    static void SetTextConversionRunner(ConversionRunner runner);
    static void SetExcelConversionRunner(ConversionRunner runner);

    // --- handlers ---------------------------------------------------------------
    void FormCreate();
    void btn_datasaveClick();
    void cmb_daesangChange();
    void edt_sendnameExit();
    void edt_banknoExit();
    void cmb_allbankChange();
    void cmb_allbankExit();
    void cmb_transbankidEnter();
    void cmb_transbankidChange();
    void curredt_juruExit();
    void curredt_juruChange();
    void curredt_bijuruChange();
    void curredt_moneyChange();
    void btn_deleteClick();
    void DDButton1Click();
    void btn_modifyClick();
    void btn_acceptClick();
    void btn_tempsaveClick();
    void btn_callfileClick();
    void btn_dataconvertClick();
    void btn_excelClick();
    void btn_closeClick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QString motherBankCode() const;
    const MotherAccount *chosenAccount() const;
    void selectTransBank(const QString &bankId);
    void selectMotherAccount(const QString &bankId, bool bank88TakesBank21);
    void fillCounterparty(const QString &name, const QString &bankId, const QString &bankNo,
                          const QString &residentNo, bool bank88TakesBank21);
    void resetEntryFields();
    void setBusy(bool busy);
    void openResultInquiry();

    qvx::AppServer &m_server; // the data module's link
    std::unique_ptr<MotherAccountCombo> m_accounts;
    std::unique_ptr<PayeeCombo> m_payees;
    std::unique_ptr<AllBanksCombo> m_banks;
    QList<QWidget *> m_disabledWhileBusy;
    bool m_lookingUp = false;
};

void registerIcheMakeJuruScreen();
