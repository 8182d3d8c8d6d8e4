#pragma once
// What the failed inter-bank transfer notices ("타행이체 불능통지") and their
// read-only view ("타행이체 불능현황 보기") share: the account and period
// choices, the list on the failure notices' column table, the search with its
// period check, and the printed list (account, period, the sums of the failed
// amounts and of the fees in its title). Each screen lays out its own form;
// the notice screen adds the gap request and the day file.

#include "core/screens/ListFrame.h"
#include "core/screens/ScreenForm.h"
#include "inquiries/FailedTransferNotices.h"
#include "platform/Report.h"

#include <memory>

class ButtonRow;
class DateRange;
class MotherAccountCombo;
class QDateEdit;
class TDDButton;
class TKitComboBox;
class TKitSimplePanel;
class TListGrid;

class FailedNoticeList : public ScreenForm
{
    Q_OBJECT
public:
    ~FailedNoticeList() override;

    TKitComboBox *cmb_allbank = nullptr;
    QDateEdit *dtpkr_from = nullptr;
    QDateEdit *dtpkr_to = nullptr;
    TDDButton *btn_search = nullptr;
    TDDButton *btn_print = nullptr;
    TDDButton *btn_preview = nullptr;
    TDDButton *btn_close = nullptr;
    TListGrid *grd_allbank = nullptr;
    qvx::Report Report1;

protected:
    // How the two lists differ in what they search: the notice screen takes
    // the chosen account, the view only the account's bank.
    enum class Filter { Account, BankOfAccount };

    FailedNoticeList(const ScreenContext &context, QWidget *owner, Filter filter);

    // The form `name` with its caption, the band `heading` and below it the
    // search bar `barName`, returned.
    TKitSimplePanel *makeSearchBar(const char *name, const QString &caption, const QString &heading,
                                   const char *barName, int barHeight);
    // The choices: the account combo (item 0 "모든 은행계좌") and the period
    // pickers with their captions "부터" / "까지"; returns the x right of them.
    int makeChoices(TKitComboBox *accounts, QWidget *datesParent, int datesX, int datesY);
    // The list's declaration: the grid (config.ini keys up to
    // `lastVisibilityKey`), the search with its period check, and the
    // report with the title values filled before each print.
    ListDecl declare(int lastVisibilityKey);
    // Makes the list and attaches the report (after the bars are docked).
    void makeList(ListDecl decl);
    // "인 쇄" and "미리보기" of the list's report.
    void addPrintButtons(ButtonRow &buttons, int width);
    FailedTransferFilter chosenFilter() const;
    // The printed list "타행이체불능현황": the account, the period and the
    // sums of the failed amounts and fees in its title, the same columns on
    // both screens; the notice screen's on an A4 landscape page, the view's
    // on a portrait one with "Quvex Service" over the column header.
    ListReportDecl report() const;

    Filter m_filter;
    std::unique_ptr<MotherAccountCombo> m_accounts;
    std::unique_ptr<DateRange> m_dates;
    std::unique_ptr<ListFrame> m_frame;
};
