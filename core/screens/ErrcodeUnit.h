#pragma once
// "오류코드 정보 보기": the banks' result codes with their texts (table error),
// searched by bank and code, printed, and maintained by administrators.

#include "core/screens/ListCombos.h"
#include "core/screens/ListFrame.h"
#include "core/screens/ReferenceEdit.h"
#include "core/screens/ReferenceRows.h"
#include "core/screens/ScreenForm.h"
#include "platform/Report.h"

#include <QVector>
#include <QWidget>

#include <memory>

class QLineEdit;
class TDDButton;
class TKitComboBox;
class TKitSimplePanel;
class TListGrid;

// One result code of a bank as table error holds it; bank and code are its key.
struct ErrorCodeRow
{
    QString bankid;
    QString errcode;
    QString errcontents;

    static ErrorCodeRow read(const qvx::ResultSet &rs, int i);
    bool sameKey(const ErrorCodeRow &other) const { return bankid == other.bankid && errcode == other.errcode; }
};

class Tqv_ErrCode_frm : public ScreenForm
{
    Q_OBJECT
public:
    explicit Tqv_ErrCode_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TKitComboBox *cmb_bankname = nullptr;
    TKitComboBox *cmb_bankname1 = nullptr;
    QLineEdit *edt_errcode = nullptr;
    QLineEdit *edt_regcode = nullptr;
    QLineEdit *edt_regcontents = nullptr;
    TDDButton *btn_search = nullptr;
    TDDButton *btn_print = nullptr;
    TDDButton *btn_modify = nullptr;
    TDDButton *btn_add = nullptr;
    TDDButton *btn_save = nullptr;
    TDDButton *btn_cancel = nullptr;
    TDDButton *btn_close = nullptr;
    TListGrid *grd_error = nullptr;
    TKitSimplePanel *pnl_bankname = nullptr;
    TKitSimplePanel *pnl_regerr = nullptr;

    int ErrorCodeEditMode = 0;   // 0 none, 1 adding, 2 correcting
    ReferenceEditMode edit{session, ErrorCodeEditMode, {&btn_add, &btn_modify, &btn_save, &btn_cancel}};
    // The firm's banks behind the search combo and the entry combo.
    std::unique_ptr<BankCombo> banks;
    std::unique_ptr<BankCombo> entryBanks;
    qvx::Report Report1;

    void FormCreate();
    void btn_searchClick();
    void btn_addClick();
    void btn_modifyClick();
    void btn_saveClick();
    void btn_cancelClick();
    void btn_printClick();

private:
    void showBands(bool bank, bool entry);
    void endEdit();
    // The search statement of the bank and code chosen now; shows the bank band.
    QString searchStatement();
    // The listed codes as stored, and the one a correction opened.
    ReferenceRows<ErrorCodeRow> m_codes;
    std::unique_ptr<ListFrame> m_frame;
};

void registerErrcodeScreen();
