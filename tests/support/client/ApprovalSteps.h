#pragma once
// The steps of the approval road a person takes in the dialogs the approval
// and entry screens open: the approver sign-in, the approver choice, and a
// row typed into the entry screen. Used by the tests of every subsystem that
// walks a batch through approval.

#include "ScreenDriver.h"

#include "core/screens/SubLoginUnit.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "platform/TListGrid.h"
#include "transfers/screens/AcceptUserUnit.h"
#include "transfers/screens/IcheMakeUnit.h"

#include <QLineEdit>

// Types the password into the next approver sign-in dialog and confirms.
inline void SignIn(const QString &password)
{
    OnModal<Tqv_sublogin_frm>([password](Tqv_sublogin_frm *d) {
        TypeText(d->edt_pwd, password);
        ClickControl(d->btn_confirm);
    });
}

// Picks the user in the next approver choice dialog.
inline void ChooseApprover(const QString &userId)
{
    OnModal<Tqv_acceptuser_frm>([userId](Tqv_acceptuser_frm *d) {
        for (int r = 1; r < d->GRD_acceptlist->RowCount(); ++r)
            if (d->GRD_acceptlist->Cells(1, r) == userId)
                ClickGridCell(d->GRD_acceptlist, 0, r);
        ClickControl(d->btn_select);
    });
}

// A row typed by hand on the entry screen: mother bank, counterpart bank and
// account, name, amount.
inline void EnterRow(Tqv_IcheMake_frm *s, const char *moBank, const char *bank, const QString &account,
                     const QString &name, const QString &amount)
{
    Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, QStringLiteral("[%1]").arg(QLatin1String(moBank))));
    TypeText(s->curredt_money, amount);
    Pick(s->cmb_daesang, 0);
    TypeText(s->edt_sendname, name);
    Pick(s->cmb_transbankid, ItemWith(s->cmb_transbankid, QStringLiteral("[%1]").arg(QLatin1String(bank))));
    TypeText(s->edt_bankno, account);
    ClickControl(s->KitButton1);
}
