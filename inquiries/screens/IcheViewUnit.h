#pragma once
// "이체자료 현황 보기": the general transfers of every user of the client by
// bank, period, kind, send state and outcome, with the result lists' column
// table and totals grid. It sends no request.

#include "core/ResultTotals.h"
#include "core/screens/DateRange.h"
#include "core/screens/ListReport.h"
#include "core/screens/MotherAccountCombo.h"
#include "core/screens/ScreenContext.h"
#include "platform/Report.h"

#include <QWidget>
#include <memory>

class QDateEdit;
class ResultTotalsGrid;
class Session;
class Tdm;
class TDDButton;
class TKitCheckBox;
class TKitComboBox;
class TKitRadioButton;
class TListGrid;

class Tqv_Icheview_frm : public QWidget
{
    Q_OBJECT
public:
    explicit Tqv_Icheview_frm(const ScreenContext &context, QWidget *owner = nullptr);

    Session &session;
    Tdm &dm;

    TKitComboBox *cmb_allbank = nullptr;
    QDateEdit *dtpkr_from = nullptr;
    QDateEdit *dtpkr_to = nullptr;
    TKitRadioButton *chk_sunab = nullptr;
    TKitRadioButton *chk_jigub = nullptr;
    TKitRadioButton *rd_recv = nullptr;
    TKitRadioButton *rd_notsend = nullptr;
    TKitRadioButton *rd_entire = nullptr;
    TKitCheckBox *chk_right = nullptr;
    TKitCheckBox *chk_wrong = nullptr;
    TDDButton *btn_search = nullptr;
    TListGrid *grd_ichelist = nullptr;
    TListGrid *grd_test = nullptr;
    TDDButton *btn_print = nullptr;
    TDDButton *btn_preview = nullptr;
    TDDButton *btn_filesave = nullptr;
    TDDButton *btn_close = nullptr;
    qvx::Report Report1;

    void btn_searchClick();
    void btn_filesaveClick();
    const TotalsTable &Totals() const { return m_totals.table(); }

private:
    void buildFilters(QWidget *top);
    void buildReport();

    std::unique_ptr<DateRange> m_dates;
    std::unique_ptr<MotherAccountCombo> m_accounts;
    ResultTotalsGrid *m_totalsGrid = nullptr;
    ResultTotals m_totals;
    ListReportRows m_reportRows{ReportParams{}};
};

void registerIcheViewScreen();
