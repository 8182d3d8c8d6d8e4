#pragma once
// The two list screens of liquor-trade transfers: the result inquiry
// "이체결과조회[주류]" (the user's own transfers, result-inquiry requests to
// the bank) and the status view "이체 현황 보기[주류]" (every user's). They
// share one base: the bank combo, the period, the kind radio buttons, the
// declared list, the shared result totals grid, the find action, the save
// (';' lines or re-processing records, or the grid as a spreadsheet) and the
// printed report.

#include "core/ResultTotals.h"
#include "core/screens/DateRange.h"
#include "core/screens/ListReport.h"
#include "core/screens/MotherAccountCombo.h"
#include "core/screens/ScreenContext.h"
#include "core/screens/ScreenInterfaces.h"
#include "core/ListColumns.h"
#include "core/TextUtils.h"
#include "platform/Report.h"

#include <QWidget>
#include <memory>

class QDateEdit;
class QLineEdit;
class ButtonRow;
class ResultTotalsGrid;
class TCurrencyEdit;
class TDDButton;
class TKitCheckBox;
class TKitComboBox;
class TKitRadioButton;
class TKitSimplePanel;
class TListGrid;

class LiquorResultScreen : public QWidget
{
    Q_OBJECT
public:
    ~LiquorResultScreen() override;

    Session &session;
    Tdm &dm;

    TKitComboBox *cmb_allbank = nullptr;
    QDateEdit *dtpkr_from = nullptr;
    QDateEdit *dtpkr_to = nullptr;
    TKitRadioButton *chk_sunab = nullptr;
    TKitRadioButton *chk_jigub = nullptr;
    TKitCheckBox *chk_right = nullptr;
    TKitCheckBox *chk_wrong = nullptr;
    TListGrid *grd_ichelist = nullptr;
    TListGrid *grd_test = nullptr;
    TDDButton *btn_print = nullptr;
    TDDButton *btn_preview = nullptr;
    TDDButton *btn_filesave = nullptr;
    qvx::Report Report1;

    void ClearResultTotals();
    void btn_filesaveClick();
    void N1Click();
    // The cells 0-31 of list row `row`.
    QStringList RowCells(int row) const;
    // The save's text lines of the given rows in the configured format; none,
    // with *refusal set, when a row cannot be written as it stands.
    QStringList SaveLines(const QList<int> &rows, QString *refusal) const;
    const ResultTotals &Totals() const { return m_totals; }

protected:
    LiquorResultScreen(const ScreenContext &context, QWidget *owner, const char *name, const QString &caption,
                       bool inquiry);
    // The filter controls in `m_top` (each screen's constructor calls it);
    // the base has made the combo, the period and the kind radio buttons.
    virtual void buildFilters(QWidget *top) = 0;
    // The rows the text save writes.
    virtual QList<int> SaveRows() const = 0;
    // The status view's figures of the report besides the totals grid.
    virtual void fillReportExtras() {}

    // Fills the list from a result and counts every row in the totals;
    // returns the number of rows.
    int FillRows(const qvx::ResultSet &rs);
    void ClearRows();
    void FormCreate(bool orderedBanks);
    ListColumns &columns() { return m_columns; }
    const MotherAccountCombo &accounts() const { return *m_accounts; }
    const DateRange &dates() const { return *m_dates; }

    TKitSimplePanel *m_top = nullptr;
    TKitSimplePanel *m_bottom = nullptr;
    std::unique_ptr<ButtonRow> m_buttons; // the print buttons, then each screen's own
    ListColumns m_columns;

private:
    void buildReport();
    void reportBeforePrint();

    bool m_inquiry;
    std::unique_ptr<DateRange> m_dates;
    std::unique_ptr<MotherAccountCombo> m_accounts;
    ResultTotalsGrid *m_totalsGrid = nullptr;
    ResultTotals m_totals;
    std::unique_ptr<ListReportRows> m_reportRows;
};

// "이체결과조회[주류]".
class Tqv_j_ichesearch_frm : public LiquorResultScreen, public ISearchScreen, public IResultRangeScreen
{
    Q_OBJECT
public:
    explicit Tqv_j_ichesearch_frm(const ScreenContext &context, QWidget *owner = nullptr);

    int ResultSeqFrom = 0;
    int ResultSeqTo = 0;

    TKitCheckBox *chk_ErrSend = nullptr;
    TCurrencyEdit *edt_seqnoS = nullptr;
    TCurrencyEdit *edt_seqnoE = nullptr;
    QLineEdit *edt_sendname = nullptr;
    TDDButton *btn_search = nullptr;
    TKitRadioButton *rdbtn_entire = nullptr;
    TKitRadioButton *rdbtn_noselect = nullptr;
    TDDButton *btn_sendT = nullptr;
    TDDButton *btn_sendS = nullptr;
    TDDButton *btn_close = nullptr;

    void btn_searchClick(QObject *sender) override;
    void setResultRange(int from, int to) override;
    bool setResultKind(bool collection) override;
    void btn_sendTClick();
    void btn_sendSClick();

protected:
    void buildFilters(QWidget *top) override;
    QList<int> SaveRows() const override;
    void closeEvent(QCloseEvent *e) override;

private:
    bool todayOnly(const QString &periodMessage) const;
    void showInquiryFailure(const QString &text);
    void removeCollectionRows();
    void resetEdits();
};

// "이체 현황 보기[주류]".
class Tqv_j_icheview_frm : public LiquorResultScreen
{
    Q_OBJECT
public:
    explicit Tqv_j_icheview_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TKitRadioButton *rd_entire = nullptr;
    TKitRadioButton *rd_recv = nullptr;
    TKitRadioButton *rd_notsend = nullptr;
    TKitCheckBox *chk_MoName = nullptr;
    TDDButton *btn_close = nullptr; // "검 색"
    TDDButton *KitButton1 = nullptr; // "닫 기"

    Currency JuMoneyTotal = 0;
    Currency NonJuMoneyTotal = 0;

    void btn_closeClick();
    void rd_stateClick();

protected:
    void buildFilters(QWidget *top) override;
    QList<int> SaveRows() const override;
    void fillReportExtras() override;
};

void registerLiquorResultScreens();
