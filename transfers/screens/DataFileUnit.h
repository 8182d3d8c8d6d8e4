#pragma once
// "자료생성": which kinds of data the client is to produce as data files
// (data.ini beside the program), and the fields of the chosen kind's record.

#include "core/screens/ScreenForm.h"
#include <QWidget>

class QLabel;
class Session;
class QPlainTextEdit;
class TDDButton;
class TKitCheckBox;
class TKitComboBox;
class TKitSimplePanel;
class TListGrid;

class Tqv_datafile_frm : public ScreenForm
{
    Q_OBJECT
public:
    Tqv_datafile_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TKitSimplePanel *pnl_select = nullptr;
    TKitCheckBox *chk_sunabiche = nullptr;
    TKitCheckBox *chk_jigubiche = nullptr;
    TKitCheckBox *chk_draft = nullptr;
    TKitCheckBox *chk_deposit = nullptr;
    TKitCheckBox *chk_taicheerr = nullptr;
    TDDButton *btn_selectsave = nullptr;
    TDDButton *btn_select = nullptr;
    TDDButton *btn_fieldsave = nullptr;
    TDDButton *btn_delete = nullptr;
    TDDButton *btn_close = nullptr;
    TKitComboBox *cmb_dataname = nullptr;
    TListGrid *grd_datalist = nullptr;
    QPlainTextEdit *Memo = nullptr;

    void FormCreate();
    void btn_selectClick();
    void btn_selectsaveClick();
    void cmb_datanameChange();

private:
    TKitCheckBox *boxOf(const QString &name) const;
    void selectFirstKind();
};

void registerDataFileScreen();
