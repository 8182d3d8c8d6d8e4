#pragma once
// "타행이체 불능통지": the notices by which the banks report inter-bank
// transfers that could not be completed, the gap request for the numbers
// missing from one bank's day, today's notices written to the day file, and
// the printed list.

#include "core/screens/ScreenContext.h"
#include "core/screens/ScreenInterfaces.h"
#include "inquiries/FailedTransferNotices.h"
#include "platform/Report.h"

#include <QWidget>
#include <memory>
#include <optional>

class DateRange;
class ListReportRows;
class MotherAccountCombo;
class QDateEdit;
class QStatusBar;
class Session;
class Tdm;
class TDDButton;
class TKitComboBox;
class TListGrid;

class Tqv_TicheerrT_frm : public QWidget, public ISearchScreen
{
    Q_OBJECT
public:
    explicit Tqv_TicheerrT_frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_TicheerrT_frm() override;

    Session &session;
    Tdm &dm;

    TKitComboBox *cmb_allbank = nullptr;
    QDateEdit *dtpkr_from = nullptr;
    QDateEdit *dtpkr_to = nullptr;
    TDDButton *btn_search = nullptr;
    TListGrid *grd_allbank = nullptr;
    TDDButton *btn_print = nullptr;
    TDDButton *btn_preview = nullptr;
    TDDButton *btn_order = nullptr;
    TDDButton *btn_filesave = nullptr;
    TDDButton *btn_close = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    qvx::Report Report1;

    void btn_searchClick(QObject *sender) override;
    void btn_orderClick();
    void btn_filesaveClick();

private:
    void FormCreate();
    void buildReport();
    void Report1BeforePrint();
    // The filter of the screen's choices now.
    FailedTransferFilter chosenFilter() const;

    std::unique_ptr<MotherAccountCombo> m_accounts;
    std::unique_ptr<DateRange> m_dates;
    std::unique_ptr<ListReportRows> m_reportRows;
    // The choices the listed notices were searched with (none while the
    // list shows no search's notices).
    std::optional<FailedTransferFilter> m_listed;
};

void registerTicheErrTScreen();
