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
    TKitCheckBox *chk_sunabiche = nullptr, *chk_jigubiche = nullptr, *chk_draft = nullptr,
                 *chk_deposit = nullptr, *chk_taicheerr = nullptr;
    TDDButton *btn_selectsave = nullptr, *btn_select = nullptr, *btn_fieldsave = nullptr,
              *btn_delete = nullptr, *btn_close = nullptr;
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
