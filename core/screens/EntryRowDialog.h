#pragma once
// What the row edit dialogs of both transfer entry screens (general and
// liquor-trade) hold: the session and data module, the fields of a row they
// both edit and their two buttons.

#include "core/screens/ScreenForm.h"

#include <QDialog>

class QLineEdit;
class TCurrencyEdit;
class TDDButton;
class TKitComboBox;

class TEntryRowDialog : public ScreenDialog
{
    Q_OBJECT
public:
    // A modal dialog of that component name and caption, fixed at that size,
    // in the form colour.
    TEntryRowDialog(const ScreenContext &context, QWidget *owner, const char *name, const QString &caption,
                    int width, int height);


    QLineEdit *cmb_transdiv = nullptr;       // "수납" / "지급", disabled
    QLineEdit *edt_sendname = nullptr;
    QLineEdit *edt_bankno = nullptr;
    TKitComboBox *cmb_transbankid = nullptr;
    TCurrencyEdit *curredt_money = nullptr;  // 이체금액
    QLineEdit *edt_daesanginfo = nullptr;    // the real-name number
    TDDButton *btn_modify = nullptr;
    TDDButton *KitButton2 = nullptr;         // 닫 기
};
