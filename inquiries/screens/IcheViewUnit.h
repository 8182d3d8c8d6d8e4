#pragma once
// "이체자료 현황 보기": the general transfers of every user of the client by
// bank, period, kind, send state and outcome, with the result lists' column
// table and totals grid. It sends no request.

#include "core/screens/ResultListScreen.h"

class TKitRadioButton;

class Tqv_Icheview_frm : public ResultListScreen
{
    Q_OBJECT
public:
    explicit Tqv_Icheview_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TKitRadioButton *rd_recv = nullptr;
    TKitRadioButton *rd_notsend = nullptr;
    TKitRadioButton *rd_entire = nullptr;
    TDDButton *btn_close = nullptr;

    void btn_searchClick();
    void btn_filesaveClick();

private:
    void buildFilters();
    // The statement of the search, or "" when the filters refuse it (said).
    QString statement() override;
};

void registerIcheViewScreen();
