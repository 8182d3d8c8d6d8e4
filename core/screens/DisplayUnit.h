#pragma once
// "화면설정": the local display options in config.ini and, per list screen,
// which grid columns are shown or hidden.

#include "core/screens/ScreenForm.h"
#include <QDialog>

class QListWidget;
class TDDButton;
class TKitCheckBox;
class TKitComboBox;

class Tqv_display_frm : public ScreenDialog
{
    Q_OBJECT
public:
    explicit Tqv_display_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TKitComboBox *cmb_allbank = nullptr;
    QListWidget *memo_show = nullptr;
    QListWidget *memo_hide = nullptr;
    TDDButton *sbtn_add = nullptr;      // 숨기기
    TDDButton *sbtn_delete = nullptr;   // 보이기
    TDDButton *btn_add = nullptr;       // 저 장
    TDDButton *btn_cancel = nullptr;    // 취 소
    TDDButton *btn_close = nullptr;
    TKitCheckBox *chk_maximaze = nullptr;
    TKitCheckBox *chk_delimeter = nullptr;
    TKitCheckBox *chk_sunab = nullptr;
    TKitCheckBox *chk_jigub = nullptr;

    void FormCreate();
    void cmb_allbankChange();
    void sbtn_addClick();
    void sbtn_deleteClick();
    void btn_addClick();
    void btn_cancelClick();

    // The config.ini section of list item `item` for the current IcheKind;
    // empty for item 0 or an unknown item.
    QString SectionOf(int item) const;

private:
    bool configExists() const;
    void moveSelected(QListWidget *from, QListWidget *to);
    void writeFlags(const QString &section, QListWidget *list, QChar flag);
};

void registerDisplayScreen();
