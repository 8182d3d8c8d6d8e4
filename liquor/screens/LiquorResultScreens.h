#pragma once
// The two list screens of liquor-trade transfers, on the result-list base of
// the general ones: the result inquiry "이체결과조회[주류]" (the user's own
// transfers, result-inquiry requests to the bank) and the status view
// "이체 현황 보기[주류]" (every user's). What the liquor pair adds to the base:
// the liquor column table, the save (';' lines or re-processing records, or
// the grid as a spreadsheet) and the printed report's title band.

#include "core/screens/ResultListScreen.h"
#include "core/screens/ScreenInterfaces.h"
#include "core/ListColumns.h"
#include "core/TextUtils.h"

class TKitRadioButton;

class LiquorResultScreen : public ResultListScreen
{
    Q_OBJECT
public:
    void btn_filesaveClick();
    // The cells 0-31 of list row `row`.
    QStringList RowCells(int row) const;
    // The save's text lines of the given rows in the configured format; none,
    // with *refusal set, when a row cannot be written as it stands.
    QStringList SaveLines(const QList<int> &rows, QString *refusal) const;

protected:
    LiquorResultScreen(const ScreenContext &context, QWidget *owner, bool inquiry);
    // The list on the frame with the screen's search; the base adds the
    // grid, the report and the totals, and the print buttons.
    void makeLiquorList(ListSearchDecl search);
    // The rows the text save writes.
    virtual QList<int> SaveRows() const = 0;
    // The status view's figures of the report besides the totals grid.
    virtual void fillReportExtras() {}
    // Creation: the base's, then the bank accounts (in bank order or as stored).
    void FormCreate(bool orderedBanks);
    void ClearRows();
    // When `refused` (neither outcome box ticked): the message, the boxes
    // ticked again; the search goes no further.
    bool stateOptionsRefused(bool refused);

    ListColumns m_columns;

private:
    ListReportDecl reportDecl();
    bool m_inquiry;
};

// "이체결과조회[주류]".
class Tqv_j_ichesearch_frm : public LiquorResultScreen, public ISearchScreen, public IResultRangeScreen
{
    Q_OBJECT
public:
    explicit Tqv_j_ichesearch_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TDDButton *btn_sendT = nullptr;
    TDDButton *btn_close = nullptr;

    void btn_searchClick(QObject *sender) override;
    void setResultRange(int from, int to) override { setRange(from, to); }
    bool setResultKind(bool collection) override;
    void btn_sendTClick();
    void btn_sendSClick();

protected:
    QList<int> SaveRows() const override;

private:
    void buildFilters();
    ListSearchDecl searchDecl();
    QString statement() override;
    // A whole inquiry that did not go out (in full or in part): its rows stay
    // listed and the user is told why.
    void showInquiryFailure(const QString &text);
    void removeCollectionRows();

    // The list holds rows of a whole inquiry that did not go out; only the
    // user's own search or a successful sending replaces them.
    bool m_unsentRowsListed = false;
    // The whole inquiry is being sent (a question may be open meanwhile).
    bool m_sending = false;
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
    QList<int> SaveRows() const override;
    void fillReportExtras() override;

private:
    void buildFilters();
    ListSearchDecl searchDecl();
    QString statement() override;
};

void registerLiquorResultScreens();
