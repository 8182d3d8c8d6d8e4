#pragma once
// The search bar the notice lists share: bank, account (linked to the bank)
// and kind choices, the period and the search button, keeping each choice's
// record.

#include "core/screens/ListCombos.h"

#include <QString>

#include <functional>
#include <memory>

class DateRange;
class QDateEdit;
class Session;
class TDDButton;
class TKitComboBox;
class TKitSimplePanel;

class NoticeFilterBar
{
public:
    NoticeFilterBar();
    ~NoticeFilterBar();

    TKitComboBox *cmb_allbank = nullptr;
    TKitComboBox *cmb_bankno = nullptr;
    TKitComboBox *cmb_transdiv = nullptr;
    QDateEdit *dtpkr_from = nullptr;
    QDateEdit *dtpkr_to = nullptr;
    TDDButton *btn_search = nullptr;

protected:
    // The account a printed list names: the chosen account itself, else the
    // chosen bank, else "모든 계좌".
    QString reportAccountText() const;
    // Builds the bar's controls on `top` (the bank choice captioned
    // `bankCaption`, the pickers captioned `afterFrom` and `afterTo` when
    // given); a click on the search button runs `search` under the guard.
    void buildFilterBar(Session &session, TKitSimplePanel *top, const QString &bankCaption,
                        const std::function<void()> &search, const QString &afterFrom, const QString &afterTo,
                        AccountCombo::Shown accountsShown);

    std::unique_ptr<BankCombo> m_banks;
    std::unique_ptr<AccountCombo> m_accounts;
    std::unique_ptr<TransferKindCombo> m_kinds;
    std::unique_ptr<DateRange> m_dates;
};
