#pragma once
// "pnl_gauge": the progress of a batch over an entry screen's list (hidden
// until the batch starts): the gauge, the total, error and done counts and a
// status text. The transfer and liquor-trade entry screens show it while they
// send or convert.

class QLabel;
class QProgressBar;
class QWidget;
class TCurrencyEdit;
class TKitSimplePanel;

struct ProgressPanel
{
    TKitSimplePanel *panel = nullptr;  // pnl_gauge
    QProgressBar *gauge = nullptr;     // Gauge1
    TCurrencyEdit *total = nullptr;    // curredt_tgun ("총 건 수")
    TCurrencyEdit *errors = nullptr;   // curredt_errgun ("오류건수")
    TCurrencyEdit *done = nullptr;     // curredt_gun ("처리 건수")
    QLabel *message = nullptr;         // lbl_message

    // Hands the parts to a screen's own members.
    void assignTo(TKitSimplePanel *&panelOut, QProgressBar *&gaugeOut, TCurrencyEdit *&totalOut,
                  TCurrencyEdit *&errorsOut, TCurrencyEdit *&doneOut, QLabel *&messageOut) const
    {
        panelOut = panel;
        gaugeOut = gauge;
        totalOut = total;
        errorsOut = errors;
        doneOut = done;
        messageOut = message;
    }
};

ProgressPanel MakeProgressPanel(QWidget *form);
