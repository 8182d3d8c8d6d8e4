#pragma once
// "거래처정보등록": the payee master (table daesang) — the people and firms
// the company pays or collects from, with bank, account, real-name number
// and a mobile number for SMS. Search, add, modify, delete and print.

#include "core/screens/ReferenceRows.h"
#include "core/screens/ScreenForm.h"
#include "platform/Report.h"

#include <QVector>
#include <QWidget>

#include <memory>
#include <optional>
#include <utility>

class ListFrame;
class QLineEdit;
class Session;
class TDDButton;
class TKitComboBox;
class TKitSimplePanel;
class TListGrid;

// One payee as table daesang holds it (with its bank's name); account
// number and name are its key.
struct PayeeRow
{
    QString name;
    QString bankid;
    QString bankno;      // without '-'
    QString residentno;
    QString bankname;
    QString tel1;
    QString tel2;
    QString tel3;

    static PayeeRow read(const qvx::ResultSet &rs, int i);
    bool sameKey(const PayeeRow &other) const { return bankno == other.bankno && name == other.name; }
};

class Tqv_Daesang_frm : public ScreenForm
{
    Q_OBJECT
public:
    explicit Tqv_Daesang_frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_Daesang_frm() override;

    // List columns.
    enum Column { colNo, colName, colBankName, colBankNo, colResidentNo, colBankId, colPhone,
                  colTel1, colTel2, colTel3, ColumnCount };

    TListGrid *grd_daesang = nullptr;
    TKitSimplePanel *pnl_regdaesang = nullptr;
    TKitComboBox *cmb_allbank = nullptr;
    TKitComboBox *cb_TelNo1 = nullptr;
    QLineEdit *edt_transbankno = nullptr;
    QLineEdit *edt_transname = nullptr;
    QLineEdit *edt_residentno = nullptr;
    QLineEdit *ed_TelNo2 = nullptr;
    QLineEdit *ed_TelNo3 = nullptr;
    QLineEdit *edt_searchname = nullptr;
    QLineEdit *edt_searchbankno = nullptr;
    TDDButton *btn_search = nullptr;
    TDDButton *btn_add = nullptr;
    TDDButton *btn_modify = nullptr;
    TDDButton *btn_cancel = nullptr;
    TDDButton *btn_delete = nullptr;
    TDDButton *btn_save = nullptr;
    TDDButton *btn_preview = nullptr;
    TDDButton *btn_print = nullptr;
    TDDButton *btn_close = nullptr;
    qvx::Report Report1;

    // 0 browsing, 1 adding, 2 modifying.
    int PayeeEditMode = 0;
    // (bank code, bank name) of each cmb_allbank item.
    QVector<std::pair<QString, QString>> PayeeBankTable;

    void FormCreate();
    void btn_searchClick();
    void btn_addClick();
    void btn_modifyClick();
    void btn_saveClick();
    void btn_deleteClick();
    void btn_cancelClick();
    void btn_printClick(bool preview);
    void edt_transbanknoExit();
    void edt_residentnoExit();

private:
    void openPanel(bool open);
    void setButtons(bool browse);
    void clearEntry(bool phoneToo);
    QString selectedBankId() const;
    QString selectedBankName() const;
    void saveNew();
    void saveChange();
    QString searchStatement();
    // The entry's account as stored; none (after the account message) when
    // it is no account number.
    std::optional<QString> enteredAccount();

    std::unique_ptr<ListFrame> m_frame;
    // The listed payees as stored, and the one a modification opened.
    ReferenceRows<PayeeRow> m_payees;
};

void registerDaesangScreen();
