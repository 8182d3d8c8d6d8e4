#pragma once
// The numeric edit and the amount field of every screen.
//
// While it has the focus the field shows the plain number for editing (only
// keys that keep a valid number are accepted); without the focus it paints
// the value by DisplayFormat. A screen places an amount field as the forms do:
//
//     curredt_amt = new TCurrencyEdit(this);
//     curredt_amt->setObjectName("curredt_amt");
//     curredt_amt->setGeometry(96, 40, 121, 21);
//     curredt_amt->SetDisplayFormat(",0.;-\\,0.");   // counts: "0"
//     curredt_amt->OnKeyPress = [this](QObject *Sender, QChar &Key) { curredt_amtKeyPress(Sender, Key); };
//
// and reads it with Value() (a qvx::Decimal: .toInt64(), .toDouble()) or
// Text() (plain digits without separators, "" for 0, or what is being
// typed), writes it with SetValue(1500000). A field that holds money is set
// SetWholeWon(true): there ',' groups thousands, and a text that is no whole
// amount stays as typed for the screen's amount rule to refuse.

#include "controls/edits/ComboEdit.h"
#include "controls/edits/Decimal.h"
#include "controls/edits/NumEditText.h"


class TPopupCalculator;

class TCustomNumEdit : public TCustomComboEdit
{
    Q_OBJECT
public:
    explicit TCustomNumEdit(QWidget *parent = nullptr);
    ~TCustomNumEdit() override;

    // ---- properties ----
    // Alignment of the painted display text.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a);
    bool BeepOnError() const { return FBeepOnError; }
    void SetBeepOnError(bool v);
    // Refuse to leave the field with an out-of-range value.
    bool CheckOnExit() const { return FCheckOnExit; }
    void SetCheckOnExit(bool v) { FCheckOnExit = v; }
    unsigned DecimalPlaces() const { return FDecimalPlaces; }
    void SetDecimalPlaces(unsigned v);
    QString DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const QString &f);
    bool FormatOnEditing() const { return FFormatOnEditing; }
    void SetFormatOnEditing(bool v);
    qvx::Decimal MaxValue() const { return FMaxValue; }
    void SetMaxValue(const qvx::Decimal &v);
    qvx::Decimal MinValue() const { return FMinValue; }
    void SetMinValue(const qvx::Decimal &v);
    // The edit text of 0 is empty.
    bool ZeroEmpty() const { return FZeroEmpty; }
    void SetZeroEmpty(bool v);
    // The field holds whole won: a ',' typed or pasted groups thousands and is
    // never a decimal point, so typing and pasting "5,000" both give 5000. A
    // text that is no whole amount ("1000.5", "12,34") is neither rounded nor
    // rewritten: it stays and is shown as typed for the screen's amount rule
    // to refuse; one whose commas do not group thousands reads as MinValue.
    bool WholeWon() const { return FWholeWon; }
    void SetWholeWon(bool v) { FWholeWon = v; }

    // Reads the value back from the edit text first (a text that is not a
    // number gives MinValue).
    qvx::Decimal Value();
    // Clamped to the bounds; the edit text is rebuilt and OnChange fires.
    void SetValue(const qvx::Decimal &v);
    // The edit text: the plain number (no separators), or what is being typed.
    QString Text() const { return text(); }
    // Converted and clamped; a text that is not a number throws qvx::ConvertError.
    void SetText(const QString &t);
    // An empty text: Value 0 (clamped).
    void Clear();
    // The edit text rebuilt from Value and selected (also the Escape key).
    void Reset();

    // What is painted while the field has no focus.
    QString DisplayText() const;
    // x held within the bounds: equal bounds leave it free; MaxValue below
    // MinValue applies only the bound that is not 0. With raise, a changed
    // value throws qvx::RangeError.
    qvx::Decimal ClampValue(const qvx::Decimal &x, bool raise) const;
    // Whether typing key at the caret (over the selection) keeps a valid number.
    bool AcceptsKey(QChar key) const;
    // Whether a whole edit text is acceptable for this field.
    bool IsAcceptableText(const QString &text) const;

    // A calculator drops down from the side button or Alt+Down and gives
    // its result to the field.
    void SetCalculatorPopup(bool on);
    TPopupCalculator *Calculator() const;

    static QString NumEditDefaultFormat() { return QStringLiteral(",0.##"); }

protected:
    QImage DefaultGlyph() const override;
    int DefaultNumGlyphs() const override { return 2; }
    bool PopupValueAcceptable(const QVariant &value) override;
    void TakePopupValue(const QVariant &value) override;
    void KeyPress(QChar &Key) override;
    void Change() override;
    void DoEnter() override;
    void ValidateExit() override;
    void DoExit() override;
    // A pasted text, typed or middle-button, loses the white space at its
    // ends and is checked as a whole.
    void PasteText(const QString &text) override;
    // Text dropped on the field is checked as pasted text is.
    void dropEvent(QDropEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

    void UpdateEditText();
    void ReadValueFromText();
    void SetFocusedState(bool focused);
    void ReformatWhileEditing();
    void UpdatePopupSettings();
    void WriteEditText(const QString &s);
    // After text was put in from outside (paste, drop): a text that is no
    // number for this field goes back to before; separators are removed.
    void CheckInsertedText(const QString &before);
    // The number a text of this field holds; throws qvx::ConvertError when it
    // holds none.
    qvx::Decimal TextValue(const QString &text) const;
    // Whether the focus changes may rewrite the text from Value: never for a
    // whole-number text that is no whole amount, nor for one past 18 digits.
    bool TextFollowsValue() const;
    // How this field reads its text (whole won, whole number or decimal).
    NumEditText Reading() const;

private:
    TAlignment FAlignment = taRightJustify;
    qvx::Decimal FValue;
    qvx::Decimal FMinValue;
    qvx::Decimal FMaxValue;
    unsigned FDecimalPlaces = 2;
    bool FBeepOnError = true;
    bool FCheckOnExit = false;
    bool FZeroEmpty = true;
    bool FFormatOnEditing = false;
    bool FWholeWon = false;
    QString FDisplayFormat;
};

class TCurrencyEdit : public TCustomNumEdit
{
    Q_OBJECT
public:
    explicit TCurrencyEdit(QWidget *parent = nullptr);
    // The display format built from the currency conventions: "\,0.;-\,0.".
    static QString CurrencyDisplayFormat();
};
