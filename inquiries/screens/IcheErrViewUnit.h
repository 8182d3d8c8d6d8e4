#pragma once
// "타행이체 불능현황 보기": the failure notices of other-bank transfers by
// mother account and notice date, read only, with a printed report.

#include "inquiries/screens/FailedNoticeList.h"

class Tqv_icheerrview_frm : public FailedNoticeList
{
    Q_OBJECT
public:
    explicit Tqv_icheerrview_frm(const ScreenContext &context, QWidget *owner = nullptr);

    void btn_searchClick();
};

void registerIcheErrViewScreen();
