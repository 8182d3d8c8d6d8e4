#pragma once
// The base of the transfer result lists, general and liquor-trade: the result
// inquiries and the status views. It makes what the four share: the form with
// its headings, the account combo, the period and the kind radio buttons, the
// list on the list-screen frame with its row colours, the totals grid counted
// as the list fills, the printed report with the totals in its title band, the
// message-number range an inquiry's next search lists, the reset of the
// inquiry's number and name edits, and the checks of a result inquiry. Each
// screen adds its own filters, buttons and statements.

#include "core/ResultTotals.h"
#include "core/screens/DateRange.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListFrame.h"
#include "core/screens/MotherAccountCombo.h"
#include "core/screens/ScreenForm.h"
#include "platform/Report.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class ButtonRow;
class QDateEdit;
class QLineEdit;
class ResultTotalsGrid;
class TCurrencyEdit;
class TDDButton;
class TKitCheckBox;
class TKitComboBox;
class TKitRadioButton;
class TKitSimplePanel;
class TListGrid;

// The general transfers, or the liquor-trade ones (whose amounts may carry ',').
enum class ResultListKind { General, Liquor };

// Where a result screen places its shared controls.
struct ResultScreenLayout
{
    ResultListKind kind = ResultListKind::General;
    const char *name = "";
    QString caption;
    QSize size;
    // The band above the filters; none when the caption is empty.
    const char *headingName = "pnl_title";
    QString heading;
    int topHeight = 92;             // the filter panel "pnl_top"
    // The account combo (330 wide) and its caption; no caption when empty.
    QString accountLabel;
    QRect accountLabelAt;
    QPoint comboAt;
    // The period and its caption.
    QString dateLabel;
    QRect dateLabelAt;
    QPoint datesAt;
    // Captions after the first and the second picker ("부터" / "까지"); none when empty.
    QString afterFrom;
    QString afterTo;
    // The kind radio buttons "수 납" / "지 급" in their panel.
    const char *kindPanel = "pnl_kind";
    QRect kindAt{8, 36, 170, 24};
    int jigubX = 84;
    // The band " ◎ ..." "pnl_listtitle" above the list; none when empty.
    QString listHeading;

    // The account and period captions on the first line, each `labelWidth`
    // wide and each followed by its controls.
    void captionChoices(const QString &account, const QString &period, int labelWidth);
};

class ResultListScreen : public ScreenForm
{
    Q_OBJECT
public:
    ~ResultListScreen() override;


    // Message-number range the next search of an inquiry lists (0, 0: the filters).
    int ResultSeqFrom = 0;
    int ResultSeqTo = 0;

    TKitComboBox *cmb_allbank = nullptr;
    QDateEdit *dtpkr_from = nullptr;
    QDateEdit *dtpkr_to = nullptr;
    TKitRadioButton *chk_sunab = nullptr;
    TKitRadioButton *chk_jigub = nullptr;
    TKitCheckBox *chk_right = nullptr;    // made by each screen
    TKitCheckBox *chk_wrong = nullptr;
    TDDButton *btn_search = nullptr;      // where the screen has it by that name
    // The inquiries'.
    TKitCheckBox *chk_ErrSend = nullptr;
    TCurrencyEdit *edt_seqnoS = nullptr;
    TCurrencyEdit *edt_seqnoE = nullptr;
    QLineEdit *edt_sendname = nullptr;
    TKitRadioButton *rdbtn_entire = nullptr;
    TKitRadioButton *rdbtn_noselect = nullptr;
    TDDButton *btn_sendS = nullptr;
    TDDButton *btn_preview = nullptr;
    TDDButton *btn_print = nullptr;
    TDDButton *btn_filesave = nullptr;
    TListGrid *grd_ichelist = nullptr;
    TListGrid *grd_test = nullptr;
    qvx::Report Report1;

    void ClearResultTotals();
    const TotalsTable &Totals() const { return m_totals.table(); }

protected:
    ResultListScreen(const ScreenContext &context, QWidget *owner, const ResultScreenLayout &layout);

    // The list on the frame: `decl` gives the grid, the search (by
    // statement() unless it names its own) and the report; the frame counts
    // every listed row in the totals. A row whose result code (column
    // `errCodeCol`) is "0000" and, where `sendFlagCol` is given, whose send
    // state reads "수신" is drawn on the answered colour.
    void makeList(ListDecl decl, int errCodeCol, int sendFlagCol = -1);
    // Creation: the totals and the hidden columns (the frame), both outcome
    // boxes ticked, the period today.
    void formCreate();
    // "미리보기" and "인 쇄" in the button row.
    void addPrintButtons(int width);
    // The inquiries' send-state boxes "정 상 처 리(수신)", "비정상 처리(수신)"
    // and "미송신 자료(대기/완료)" in the filter panel.
    void makeInquiryStateBoxes();
    // The views' send-state radio buttons in `parent` at their x (left to
    // right), each `width` wide; "전체" chosen.
    void makeViewStateRadios(QWidget *parent, int entireX, int recvX, int notSendX, int width,
                             TKitRadioButton **entire, TKitRadioButton **recv, TKitRadioButton **notSend);
    // Before a general search: an account item chosen, or the message and
    // the focus on the combo.
    bool accountChosen();
    // A general list's declaration: "grd_ichelist" on `columns` (config.ini
    // keys 0-19), the search with `emptyMessage`, an account chosen before
    // the list is cleared.
    ListDecl generalListDecl(const ListColumns &columns, const QString &emptyMessage);
    // The search's statement of the filters as they stand; "" when they are
    // refused (the screen has said why).
    virtual QString statement() = 0;
    // The general lists' report: the title with the product name, the
    // account, period (and user, where `values` names it) captions, the
    // totals figures, boxed columns, the A4 paging of the result lists.
    ListReportDecl totalsReport(const QString &title, QList<TitleValue> values, QList<ReportColumn> columns);

    // The range handed over for the next search, taken (and reset) when set.
    std::optional<std::pair<int, int>> takeResultRange();
    void setRange(int from, int to);
    // An inquiry's search once its statement ran: nothing found logs the
    // statement; the number and name edits are reset; a listed search
    // forgets the range.
    void inquirySearched(const QString &sql, int rows);
    // The period of a result request: one day (else `periodMessage`) and
    // that day today.
    bool todayOnly(const QString &periodMessage) const;
    // The same after the list is found not empty (cell `emptyCol` of row 1).
    bool inquiryAllowed(int emptyCol, const QString &periodMessage) const;

    // The inquiry's filter as the controls stand: a filter struct with the
    // fields userId, bankCode, collection, right, wrong, errSend, dateFrom,
    // dateTo, seqFrom, seqTo and sendName (general or liquor).
    template <class Filter>
    Filter chosenInquiryFilter() const
    {
        Filter f;
        f.userId = userId();
        if (const MotherAccount *account = m_accounts->Chosen())
            f.bankCode = account->bankid;
        f.collection = Checked(chk_sunab);
        f.right = Checked(chk_right);
        f.wrong = Checked(chk_wrong);
        f.errSend = Checked(chk_ErrSend);
        f.dateFrom = m_dates->FromText();
        f.dateTo = m_dates->ToText();
        f.seqFrom = seqFrom();
        f.seqTo = seqTo();
        f.sendName = sendName();
        return f;
    }
    QString userId() const;
    qint64 seqFrom() const;
    qint64 seqTo() const;
    QString sendName() const;

    // The report title's account, period and user captions.
    QString reportAccount() const { return m_accounts->ReportCaption(); }

    void closeEvent(QCloseEvent *e) override;

    std::unique_ptr<ListFrame> m_frame;
    std::unique_ptr<DateRange> m_dates;
    std::unique_ptr<MotherAccountCombo> m_accounts;
    ResultTotalsGrid *m_totalsGrid = nullptr;
    ResultTotals m_totals;
    const ResultListKind m_kind;
    TKitSimplePanel *m_top = nullptr;
    std::unique_ptr<ButtonRow> m_buttons;
};
