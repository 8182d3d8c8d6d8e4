#pragma once
// The calculator panel with its keys, in a full layout (with memory, OK and
// Cancel) or the compact pop-up layout, and the pop-up calculator a numeric
// edit drops down (TCustomNumEdit::SetCalculatorPopup).

#include "controls/edits/CalculatorEngine.h"
#include "controls/edits/ComboEdit.h"
#include "controls/edits/ExSpeedButton.h"

#include <QList>
#include <QWidget>

class QLabel;

enum TCalcPanelLayout { clDialog, clPopup };

// One key; Kind 1..28 (digits 1-10, sign 11, decimal point 12, / * - + 13-16,
// sqrt 17, % 18, 1/x 19, = 20, backspace 21, C 22, MP MS MR MC 23-26, OK 27,
// Cancel 28). Tag is Kind - 1 for 1..22, else -1.
class TCalcButton : public TExSpeedButton
{
    Q_OBJECT
public:
    TCalcButton(QWidget *parent, int kind);
    int Kind() const { return FKind; }
    // The character a key sends to the engine (0 for memory, OK, Cancel).
    static QChar KeyChar(int kind);
    static QString KeyCaption(int kind);
    static TColor KeyColor(int kind);

private:
    int FKind;
};

class TCalculatorPanel : public QWidget
{
    Q_OBJECT
public:
    TCalculatorPanel(QWidget *parent, TCalcPanelLayout layout = clDialog);

    qvx::CalculatorEngine &Engine() { return FEngine; }
    TCalcPanelLayout PanelLayout() const { return FLayout; }
    QString DisplayText() const { return FEngine.text(); }
    TCalcButton *KeyButton(int kind) const;
    QList<TCalcButton *> KeyButtons() const { return FButtons; }
    // The label showing "M" while memory is not 0 (full layout only).
    QLabel *MemoryLabel() const { return FMemoryLabel; }
    QLabel *DisplayLabel() const { return FDisplayLabel; }

    // A typed key: separators become '.', Enter '=', Escape 'C'; a key with
    // a button is clicked, any other goes to the engine.
    void CalcKeyPress(QChar key);
    void SetCtl3D(bool on);

    // A key's click (what the buttons run).
    void KeyClick(int kind);

    TNotifyEvent OnResult;
    TNotifyEvent OnError;
    TNotifyEvent OnOk;
    TNotifyEvent OnCancel;
    TNotifyEvent OnDisplayChange;
    TNotifyEvent OnTextChange;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    void TextChanged();
    void MemoryChanged();

    qvx::CalculatorEngine FEngine;
    TCalcPanelLayout FLayout;
    QList<TCalcButton *> FButtons;
    QWidget *FDisplayPanel = nullptr;
    QLabel *FDisplayLabel = nullptr;
    QLabel *FMemoryLabel = nullptr;
};

// The compact panel inside the pop-up: never takes the focus.
class TLocCalculator : public TCalculatorPanel
{
    Q_OBJECT
public:
    explicit TLocCalculator(QWidget *parent);
};

class TPopupCalculator : public TPopupWindow
{
    Q_OBJECT
public:
    explicit TPopupCalculator(TCustomComboEdit *editor);

    TLocCalculator *Calculator() const { return FCalc; }
    void ConfigurePopupCalc(bool beepOnError, int precision);

    // The displayed value as text ("0" with a beep in the error state).
    QVariant GetValue() override;
    // Shows the number (0 for a null, empty or unconvertible value), ready
    // for a new entry.
    void SetValue(const QVariant &value) override;
    QString GetPopupText() const override;
    void KeyPress(QChar &key) override;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    TLocCalculator *FCalc;
};
