#pragma once
// "은행 및 계좌정보 보기": the firm's mother accounts (table bank), listed for
// everyone and maintained by administrators (authority code "3").

#include "core/screens/ListCombos.h"
#include "core/screens/ReferenceEdit.h"
#include "core/screens/ReferenceRows.h"
#include "core/screens/ScreenForm.h"
#include "platform/ResultSet.h"

#include <QVector>
#include <QWidget>

#include <memory>

class QLineEdit;
class TDDButton;
class TKitComboBox;
class TKitSimplePanel;
class TListGrid;

// One mother account as table bank holds it; bank code and account number
// (without '-') are its key.
struct BankAccountRow
{
    QString bankid;
    QString mobankno;
    QString bankname;
    QString firmid;
    QString sendname;
    QString passwd;
    QString dblpasswd;
    QString recvid;
    QString trGubunCode; // "20" 이체, "30" 수납

    static BankAccountRow read(const qvx::ResultSet &rs, int i);
    bool sameKey(const BankAccountRow &other) const
    {
        return bankid == other.bankid && mobankno == other.mobankno;
    }
};

class Tqv_bank_frm : public ScreenForm
{
    Q_OBJECT
public:
    explicit Tqv_bank_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TKitComboBox *cmb_allbank = nullptr;
    TDDButton *btn_search = nullptr;
    TListGrid *grd_allbank = nullptr;
    TKitSimplePanel *pnl_bankinfo = nullptr;
    QLineEdit *edt_bankid = nullptr;
    QLineEdit *edt_bankname = nullptr;
    QLineEdit *edt_bankno = nullptr;
    QLineEdit *edt_pwd = nullptr;
    QLineEdit *edt_dpwd = nullptr;
    QLineEdit *edt_sendname = nullptr;
    QLineEdit *edt_firmid = nullptr;
    QLineEdit *edt_recvid = nullptr;
    TKitComboBox *cmb_transdiv = nullptr;   // hidden: 이체 / 수납
    TDDButton *btn_add = nullptr;
    TDDButton *btn_modify = nullptr;
    TDDButton *btn_save = nullptr;
    TDDButton *btn_delete = nullptr;         // 취 소
    TDDButton *btn_close = nullptr;

    // 0 none, 1 adding, 2 modifying.
    int AccountEditMode = 0;
    ReferenceEditMode edit{session, AccountEditMode, {&btn_add, &btn_modify, &btn_save, &btn_delete}};
    // (bankid, bankname) of item k at index k - 1.
    std::unique_ptr<AllBanksCombo> banks; // the banks behind cmb_allbank

    void FormCreate();
    void btn_searchClick();
    void grd_allbankClickCell(int col, int row);
    void grd_allbankDblClickCell(int col, int row);
    void grd_allbankKeyPress();
    void btn_addClick();
    void btn_modifyClick();
    void btn_saveClick();
    void btn_deleteClick();

    void ShowAccountRow();

    // The listed accounts as stored, and the one an edit opened.
    std::unique_ptr<ReferenceRows<BankAccountRow>> accounts;

private:
    void fillGrid(const qvx::ResultSet &rs);
    void showAccount(const BankAccountRow &row);
    bool insertAccount(const QString &account, const QString &kind);
    void updateAccount(const QString &account, const QString &kind);
    void lockPanel(bool locked);
    void ClearAccountEdit();
    void BeginAccountEdit();
};

void registerBankScreen();
