#pragma once
// What the deposit notices ("예금거래명세통지") and their virtual-account twin
// ("가상계좌통지") share: the bank, account and kind choices with the period,
// the list on the twin's column table, the search that remembers what it
// listed, the gap request for the searched bank and day, the text and
// spreadsheet save and the printed list. A twin gives its parameters (kind,
// columns, statement) and its totals.

#include "core/screens/ScreenContext.h"
#include "core/screens/ScreenInterfaces.h"
#include "inquiries/screens/NoticeFilterBar.h"
#include "core/ListColumns.h"
#include "inquiries/DepositNotices.h"
#include "inquiries/NoticeGapPolicy.h"
#include "platform/Report.h"
#include "platform/ResultSet.h"

#include <QWidget>
#include <memory>
#include <optional>

class AccountCombo;
class BankCombo;
class DateRange;
class ListReportRows;
class QDateEdit;
class QStatusBar;
class Session;
class Tdm;
class TDDButton;
class TKitComboBox;
class TKitSimplePanel;
class TListGrid;
class TransferKindCombo;
struct BankItem;
struct ReportColumn;
struct RequestResult;

class DepositNoticeBase : public QWidget, public ISearchScreen, public NoticeFilterBar
{
    Q_OBJECT
public:
    struct Params
    {
        const char *name;            // component name
        QString caption;
        NoticeKind kind;
        const ListColumns *columns;
        int lastVisibilityKey;
        QString saveSuffix;          // after "yyyymmdd-hhnnss" in the proposed file name
    };

    DepositNoticeBase(const ScreenContext &context, const Params &params, QWidget *owner);
    ~DepositNoticeBase() override;

    Session &session;
    Tdm &dm;

    TListGrid *grd_deposit = nullptr;
    TDDButton *btn_order = nullptr;
    TDDButton *btn_filesave = nullptr;
    TDDButton *btn_preview = nullptr;
    TDDButton *btn_print = nullptr;
    TDDButton *btn_close = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    qvx::Report Report1;

    // The click search (also run by the data module on the bank's notices).
    void btn_searchClick(QObject *sender) override;
    void btn_orderClick();
    void btn_filesaveClick();

protected:
    // Builds the form; the twin adds its totals and buttons first (`bottom`
    // is the button bar).
    void build(const std::function<void(TKitSimplePanel *bottom)> &extras);
    // The search in one of its two forms; returns the rows listed.
    int search(bool enterForm);
    // The bank, account, kind and period chosen now.
    DepositNoticeFilter chosenFilter() const;
    const BankItem *chosenBank() const;
    // The checks both gap requests share: the restart message, a bank and one
    // day chosen, the bank's virtual accounts; false after a message.
    bool gapRequestAllowed() const;
    // The numbers stored for the bank and day (ascending, as stored).
    QStringList receivedNumbers(const BankItem &bank, const QString &day);
    // The deposit list's bank name of a code (the click search's columns).
    QString bankName(const QString &code);
    // The printed list of a twin: the title band (`title`, "Quvex Service",
    // the account, the period and the ten totals by kind), the header and
    // detail lines of `columns` and the footer; 18 lines on the first page
    // and 25 on the others, the last one filled with empty lines.
    void buildNoticeReport(const QString &title, const QList<ReportColumn> &columns);

    // --- what a twin gives ---
    virtual QString statement(const DepositNoticeFilter &filter, bool enterForm) const = 0;
    virtual void clearTotals() = 0;
    // Adds listed rows' amount to their kind's total (kind by kind, each in
    // the order of its last row); the totals are shown once the list is filled.
    virtual void addToTotals(const QString &gubun, qint64 amount, bool enterForm) = 0;
    virtual void showTotals(bool enterForm) = 0;
    // The click search's bank names are filled by the screen (columns 4 and 7).
    virtual bool namesByCode(bool enterForm) const { return !enterForm; }
    virtual QString saveLine(const qvx::ResultSet &rs, int row) = 0;
    virtual void buildReport() = 0;
    // The total of kind `index` (0..9, in the totals' caption order) as shown.
    virtual QString totalText(int index) const = 0;
    // After a search of `rows` rows (`previousRows` before it).
    virtual void afterSearch(int /*previousRows*/, int /*rows*/, bool /*enterForm*/) {}
    virtual RequestResult sendGaps(const BankItem &bank, const QString &day, const QList<int> &gaps) = 0;

    Params m_params;
    std::unique_ptr<ListReportRows> m_reportRows;
    // The listed notices and the choices they were searched with.
    qvx::ResultSet m_listedRows;
    std::optional<DepositNoticeFilter> m_listed;

private:
    void FormCreate();
    void Report1BeforePrint();
    QHash<QString, QString> m_bankNames;
};
