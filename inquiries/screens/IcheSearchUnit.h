#pragma once
// "이체처리 결과 조회": the user's general transfers with their send state and
// the bank's result, totals by kind and outcome, and result-inquiry requests
// to the bank for the listed rows (whole) or the focused row (individual).

#include "core/RequestRows.h"
#include "core/screens/ResultListScreen.h"
#include "core/screens/ScreenInterfaces.h"

class Tqv_ichesearch_frm : public ResultListScreen, public ISearchScreen, public IResultRangeScreen
{
    Q_OBJECT
public:
    explicit Tqv_ichesearch_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TDDButton *btn_send = nullptr;
    TDDButton *btn_close = nullptr;

    // ISearchScreen, IResultRangeScreen
    void btn_searchClick(QObject *sender) override;
    void setResultRange(int from, int to) override { setRange(from, to); }

    void FormCreate();
    void btn_sendClick();
    void btn_sendSClick();
    void btn_filesaveClick();

    // The fixed-width record of a list row (the text save).
    QString SaveLine(int row) const;

private:
    void buildFilters();
    // The statement of the search, or "" when the filters refuse it (said).
    QString statement() override;
    // The icheresult request of list row `row` (its SeqNo set by the sender).
    IcheResultRow requestRow(int row) const;
};

void registerIcheSearchScreen();
