#pragma once
// What the bank's notice lists share: the deposit notices ("예금거래명세통지"),
// their virtual-account twin ("가상계좌통지") and the stored bills ("보관어음
// 명세통지"). The bank, account and kind choices with the period, the list on
// the screen's column table, the search that totals the amounts by kind, the
// gap request for the searched bank and day, the save and the printed list
// with the account, the period and the totals in its title. A screen gives
// its parameters, its buttons and totals, its report and save declarations
// and the rows of its gap request.

#include "core/TotalsTable.h"
#include "core/screens/ListFrame.h"
#include "core/screens/ScreenForm.h"
#include "core/screens/ScreenInterfaces.h"
#include "inquiries/NoticeFilter.h"
#include "inquiries/NoticeGapRequest.h"
#include "inquiries/screens/NoticeFilterBar.h"
#include "platform/Report.h"

#include <QVector>
#include <initializer_list>
#include <memory>

class KindSums;
class NoticeTotalsGrid;
class QStatusBar;
class TDDButton;
class TKitSimplePanel;
class TListGrid;
struct BankItem;

class NoticeListBase : public ScreenForm, public ISearchScreen, public NoticeFilterBar
{
    Q_OBJECT
public:
    struct Params
    {
        const char *name;             // component name
        QString caption;
        NoticeKind kind;
        ListGridDecl grid;
        QString amountColumn;         // the amount the totals add
        TotalsTable (*totals)();      // the totals by kind
        QString (*totalsCode)(const QString &gubun);
        QString emptyMessage;         // the search found nothing
        QString noNumbersMessage;     // the gap request: no notice stored for the day
        QString kindsQuery;           // the kinds of cmb_transdiv ("" for the deposit kinds)
    };
    // The search bar's captions and the section titles ("" for none).
    struct Look
    {
        QString bankCaption;
        QString afterFrom{};
        QString afterTo{};
        QString searchTitle{};
        QString listTitle{};
    };

    NoticeListBase(const ScreenContext &context, const Params &params, QWidget *owner);
    ~NoticeListBase() override;

    // The printed list's columns: the row number under `numberTitle`, then
    // the list's columns `cols` under `titles` at `widths` (millimetres),
    // each aligned as in the list.
    static QList<ReportColumn> reportColumns(const ListColumns &list, const char *numberTitle,
                                             std::initializer_list<const char *> titles,
                                             std::initializer_list<double> widths, std::initializer_list<int> cols);

    TDDButton *btn_filesave = nullptr;
    TDDButton *btn_preview = nullptr;
    TDDButton *btn_close = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    qvx::Report Report1;

    // The click search (also run by the data module on the bank's notices).
    void btn_searchClick(QObject *sender) override;
    void btn_filesaveClick();

protected:
    // Builds the form; `extras` adds the screen's buttons to the button bar
    // and its totals below the list.
    void build(const Look &look, const std::function<void(TKitSimplePanel *bottom)> &extras);
    TListGrid *list() const { return m_frame->grid(); }
    // Runs the search in its click or Enter form; returns the rows listed.
    // A search asked for while one runs is refused (0).
    int search(bool enterForm);
    void requestGaps();
    NoticeFilter chosenFilter() const;
    const BankItem *chosenBank() const;
    // The numbers stored for the bank and day (ascending, as stored).
    QStringList receivedNumbers(const BankItem &bank, const QString &day);
    // The deposit list's bank name of a code (the click search's columns).
    QString bankName(const QString &code);
    // One request row per missing number of the chosen bank's day.
    template <class Row>
    RequestResult sendRows(const BankItem &bank, const QString &day, const QList<int> &gaps,
                           Row (*row)(const RequestHeader &, const NoticeBank &, const QString &, int));
    // The parameters of the deposit twins (`kind` Deposit or
    // VirtualDeposit): the list "grd_deposit" on the twin's column table, the
    // deposit kinds' totals of "price".
    static Params depositParams(NoticeKind kind);
    // The deposit lists' form: the bank choice "은 행 선 택" and the button
    // bar with "결번 요청" (`order`) at the left, then from x 240 "Text 파일
    // 저장", "미리 보기", "인 쇄" (`print`) and "닫 기"; `extras` adds the
    // screen's own buttons and totals.
    void buildDeposit(TDDButton *&order, TDDButton *&print,
                      const std::function<void(TKitSimplePanel *bottom)> &extras);
    // The printed list of the deposit lists: the title band (`title`,
    // "Quvex Service", the account, the period and the ten totals by kind),
    // the header and detail lines of `columns` and the footer; 18 lines on the
    // first page and 25 on the others, the last one filled with empty lines.
    static ListReportDecl depositReport(const QString &title, const QList<ReportColumn> &columns,
                                        QStringList &totalLabels);
    // The totals' sums by kind (in the order of the totals' cells).
    const QVector<qint64> &sums() const { return m_sums; }

    // --- what a screen gives ---
    virtual QString statement(const NoticeFilter &filter, bool enterForm) const = 0;
    // The totals hooks write the totals grid, where the screen has one.
    virtual void clearTotals();
    // `captionCode`: "20" or "21" when the last listed row of those kinds
    // was of that kind, else "".
    virtual void showTotals(const QString &captionCode, bool enterForm);
    // Each listed row after its grid row is written.
    virtual void listRow(const qvx::ResultSet & /*rs*/, int /*gridRow*/, int /*row*/, bool /*enterForm*/) {}
    // After a search of `rows` rows (`previousRows` before it).
    virtual void afterSearch(int /*previousRows*/, int /*rows*/, bool /*enterForm*/) {}
    // The screen's own checks of a gap request: the refusal message, "" to go on.
    virtual QString gapRefusal() const;
    virtual RequestResult sendGaps(const BankItem &bank, const QString &day, const QList<int> &gaps) = 0;
    virtual ListSaveDecl saveDecl() = 0;
    // The report; `totalLabels` are the title's total labels, filled from
    // totalText() in their order.
    virtual ListReportDecl reportDecl(QStringList &totalLabels) = 0;
    virtual QString totalText(int index) const;

    Params m_params;
    std::unique_ptr<ListFrame> m_frame;
    // The totals grid below the list, where the screen makes one.
    NoticeTotalsGrid *m_totalsGrid = nullptr;

private:
    static NoticeBank noticeBank(const BankItem &bank);
    ListDecl declare();
    void FormCreate();
    bool m_enterForm = false;
    bool m_searching = false; // a search waits for the server
    std::unique_ptr<KindSums> m_kindSums;
    const TotalsTable m_totals;
    QVector<qint64> m_sums;
    QHash<QString, QString> m_bankNames;
};

template <class Row>
RequestResult NoticeListBase::sendRows(const BankItem &bank, const QString &day, const QList<int> &gaps,
                                       Row (*row)(const RequestHeader &, const NoticeBank &, const QString &, int))
{
    const RequestHeader header = RequestHeader::of(session);
    const NoticeBank to = noticeBank(bank);
    RequestSender sender(dm);
    return SendNoticeGapRequest<Row>(sender, m_params.kind, gaps,
                                     [&](int number) { return row(header, to, day, number); });
}
