#pragma once
// "타행이체 불능현황 보기": the failure notices of other-bank transfers by
// mother account and notice date, read only, with a printed report.

#include "core/screens/DateRange.h"
#include "core/screens/ListReport.h"
#include "core/screens/MotherAccountCombo.h"
#include "core/screens/ScreenContext.h"
#include "platform/Report.h"

#include <QWidget>
#include <memory>

class QDateEdit;
class Session;
class Tdm;
class TDDButton;
class TKitComboBox;
class TListGrid;

class Tqv_icheerrview_frm : public QWidget
{
    Q_OBJECT
public:
    explicit Tqv_icheerrview_frm(const ScreenContext &context, QWidget *owner = nullptr);

    Session &session;
    Tdm &dm;

    TKitComboBox *cmb_allbank = nullptr;
    QDateEdit *dtpkr_from = nullptr;
    QDateEdit *dtpkr_to = nullptr;
    TDDButton *btn_search = nullptr;
    TListGrid *grd_allbank = nullptr;
    TDDButton *btn_print = nullptr;
    TDDButton *btn_preview = nullptr;
    TDDButton *btn_close = nullptr;
    qvx::Report Report1;

    void btn_searchClick();

private:
    void buildReport();
    std::unique_ptr<DateRange> m_dates;
    std::unique_ptr<MotherAccountCombo> m_accounts;
    ListReportRows m_reportRows{ReportParams{ReportParams::Portrait, 19, 25, true}};
};

void registerIcheErrViewScreen();
