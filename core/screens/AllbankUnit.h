#pragma once
// "은행코드설정보기": the bank code master (table allbank), with registration
// and renaming of a code for administrators.

#include "core/screens/ReferenceEdit.h"
#include "core/screens/ReferenceRows.h"
#include "core/screens/ScreenForm.h"

#include <QVector>
#include <QWidget>

#include <memory>
#include <utility>

class QLineEdit;
class TDDButton;
class TKitComboBox;
class TKitSimplePanel;
class TListGrid;

// One bank code as table allbank holds it; the code is its key.
struct BankCodeRow
{
    QString bankid;
    QString bankname;

    static BankCodeRow read(const qvx::ResultSet &rs, int i);
    bool sameKey(const BankCodeRow &other) const { return bankid == other.bankid; }
};

class Tqv_allbank_frm : public ScreenForm
{
    Q_OBJECT
public:
    explicit Tqv_allbank_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TKitComboBox *cmb_bankname = nullptr;
    TDDButton *btn_search = nullptr;
    TDDButton *btn_modify = nullptr;
    TDDButton *btn_add = nullptr;
    TDDButton *btn_save = nullptr;
    TDDButton *btn_cancel = nullptr;
    TDDButton *btn_close = nullptr;
    TListGrid *grd_allbank = nullptr;
    TKitSimplePanel *pnl_regallbank = nullptr;
    QLineEdit *edt_regcode = nullptr;
    QLineEdit *edt_regcontents = nullptr;

    int BankCodeEditMode = 0;   // 0 none, 1 adding, 2 renaming
    ReferenceEditMode edit{session, BankCodeEditMode, {&btn_add, &btn_modify, &btn_save, &btn_cancel}};
    QVector<std::pair<QString, QString>> BankCodeList;
    // The listed codes as stored, and the one a rename opened.
    std::unique_ptr<ReferenceRows<BankCodeRow>> codes;

    void FormCreate();
    void btn_searchClick();
    void btn_addClick();
    void btn_modifyClick();
    void btn_cancelClick();
    void btn_saveClick();
};

void registerAllbankScreen();
