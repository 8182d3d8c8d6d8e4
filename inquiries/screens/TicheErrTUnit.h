#pragma once
// "타행이체 불능통지": the notices by which the banks report inter-bank
// transfers that could not be completed, the gap request for the numbers
// missing from one bank's day, today's notices written to the day file, and
// the printed list.

#include "core/screens/ScreenInterfaces.h"
#include "inquiries/screens/FailedNoticeList.h"

class QStatusBar;

class Tqv_TicheerrT_frm : public FailedNoticeList, public ISearchScreen
{
    Q_OBJECT
public:
    explicit Tqv_TicheerrT_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TDDButton *btn_order = nullptr;
    TDDButton *btn_filesave = nullptr;
    QStatusBar *StatusBar1 = nullptr;

    void btn_searchClick(QObject *sender) override;
    void btn_orderClick();
    void btn_filesaveClick();

private:
    GapRequestDecl gapRequest();
};

void registerTicheErrTScreen();
