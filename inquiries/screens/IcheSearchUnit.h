#pragma once
// "이체처리 결과 조회": the user's general transfers with their send state and
// the bank's result, totals by kind and outcome, and result-inquiry requests
// to the bank for the listed rows (whole) or the focused row (individual).

#include "core/RequestRows.h"
#include "core/ResultTotals.h"
#include "core/screens/DateRange.h"
#include "core/screens/ListReport.h"
#include "core/screens/MotherAccountCombo.h"
#include "core/screens/ScreenContext.h"
#include "core/screens/ScreenInterfaces.h"
#include "platform/Report.h"

#include <QWidget>
#include <memory>

class QDateEdit;
class QLineEdit;
class ResultTotalsGrid;
class Session;
class TCurrencyEdit;
class TDDButton;
class TKitCheckBox;
class TKitComboBox;
class TKitRadioButton;
class TListGrid;

class Tqv_ichesearch_frm : public QWidget, public ISearchScreen, public IResultRangeScreen
{
    Q_OBJECT
public:
    explicit Tqv_ichesearch_frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_ichesearch_frm() override;

    Session &session;
    Tdm &dm; // the data module

    // Message-number range the next search lists (0, 0: the filters).
    int ResultSeqFrom = 0;
    int ResultSeqTo = 0;

    TKitComboBox *cmb_allbank = nullptr;
    QDateEdit *dtpkr_from = nullptr;
    QDateEdit *dtpkr_to = nullptr;
    TKitRadioButton *chk_sunab = nullptr;
    TKitRadioButton *chk_jigub = nullptr;
    TKitCheckBox *chk_right = nullptr;
    TKitCheckBox *chk_wrong = nullptr;
    TKitCheckBox *chk_ErrSend = nullptr;
    TCurrencyEdit *edt_seqnoS = nullptr;
    TCurrencyEdit *edt_seqnoE = nullptr;
    QLineEdit *edt_sendname = nullptr;
    TDDButton *btn_search = nullptr;
    TListGrid *grd_ichelist = nullptr;
    TKitRadioButton *rdbtn_entire = nullptr;
    TKitRadioButton *rdbtn_noselect = nullptr;
    TListGrid *grd_test = nullptr;
    TDDButton *btn_send = nullptr;
    TDDButton *btn_sendS = nullptr;
    TDDButton *btn_filesave = nullptr;
    TDDButton *btn_preview = nullptr;
    TDDButton *btn_print = nullptr;
    TDDButton *btn_close = nullptr;
    qvx::Report Report1;

    // ISearchScreen, IResultRangeScreen
    void btn_searchClick(QObject *sender) override;
    void setResultRange(int from, int to) override;

    void FormCreate();
    void ClearResultTotals();
    void btn_sendClick();
    void btn_sendSClick();
    void btn_filesaveClick();

    // The fixed-width record of a list row (the text save).
    QString SaveLine(int row) const;
    const TotalsTable &Totals() const { return m_totals.table(); }

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void buildFilters(QWidget *top);
    void buildReport();
    // The statement of the search, or "" when the filters refuse it (said).
    QString statement();
    void fillRows(const qvx::ResultSet &rs);
    void resetFilterEdits();
    // The icheresult request of list row `row` (its SeqNo set by the sender).
    IcheResultRow requestRow(int row) const;

    std::unique_ptr<DateRange> m_dates;
    std::unique_ptr<MotherAccountCombo> m_accounts;
    ResultTotalsGrid *m_totalsGrid = nullptr;
    ResultTotals m_totals;
    // A4 portrait, 31 lines on the first page and 37 on the others, the last page filled.
    ListReportRows m_reportRows{ReportParams{}};
};

void registerIcheSearchScreen();
