#pragma once
// "은행개시상태보기": the firm's banks with their opening state, polled every
// second, and the opening message sent to all banks or to one.
// Tqv_AlertMsg_Frm: the operating company's notice, stamped with its time.

#include "core/screens/ScreenForm.h"

class QLabel;
class QPlainTextEdit;
class QTimer;
class TDDButton;
class TListGrid;

class Tqv_start_frm : public ScreenForm
{
    Q_OBJECT
public:
    explicit Tqv_start_frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_start_frm() override;

    TListGrid *grd_allbank = nullptr;
    TDDButton *btn_add = nullptr;
    TDDButton *btn_per = nullptr;
    TDDButton *btn_close = nullptr;
    QTimer *SendTimer = nullptr;

    void FormCreate();
    void SendTimerTimer();
    void btn_addClick();
    void btn_perClick();
    void btn_closeClick();

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    bool m_closing = false;
};

class Tqv_AlertMsg_Frm : public ScreenDialog
{
    Q_OBJECT
public:
    explicit Tqv_AlertMsg_Frm(const ScreenContext &context, QWidget *owner = nullptr);

    QLabel *lbl_Time = nullptr;
    QPlainTextEdit *me_Msg = nullptr;
    TDDButton *BitBtn1 = nullptr;
};

void registerStartScreens();
