#pragma once
// "SMS 현황": the SMS requests of a period of send dates, listed and saved.

#include "core/screens/DateRange.h"
#include "core/screens/ListFrame.h"
#include "core/screens/ScreenForm.h"

#include <memory>

class TDDButton;
class TListGrid;
class QDateEdit;

class TFrm_SMSView : public ScreenForm
{
    Q_OBJECT
public:
    explicit TFrm_SMSView(const ScreenContext &context, QWidget *owner = nullptr);
    ~TFrm_SMSView() override;

    QDateEdit *dt_from = nullptr;
    QDateEdit *dt_to = nullptr;
    TDDButton *btn_search = nullptr;
    TDDButton *btn_filesave = nullptr;
    TDDButton *btn_close = nullptr;
    TListGrid *grd_SMSlist = nullptr;

    void FormActivate();
    void btn_searchClick();
    void btn_filesaveClick();

private:
    static ListDecl Declaration(TFrm_SMSView *self);
    std::unique_ptr<ListFrame> m_frame;
    std::unique_ptr<DateRange> m_dates;
};

void registerSmsViewScreen();
