#include "controls/edits/CurrEdit.h"

#include "controls/edits/CtlUtils.h"
#include "platform/EditGuard.h"
#include "controls/edits/ExCalc.h"
#include "controls/edits/HorizontalAlignment.h"
#include "controls/edits/NumEditText.h"
#include "controls/edits/NumFormat.h"
#include "controls/edits/StrUtils.h"

#include <QDropEvent>
#include <QPainter>
#include <QStyleOptionFrame>

#include <algorithm>

using qvx::Decimal;
using qvx::NumLocale;

namespace {

constexpr QChar D = NumLocale::DecimalSeparator;

// The side button's default glyph: two 14x12 images (up, disabled) of a
// small calculator on the olive transparent colour.
QImage makeEditButtonGlyph()
{
    QImage img(28, 12, QImage::Format_RGB32);
    img.fill(qRgb(0x80, 0x80, 0x00));
    auto draw = [&](int ox, QRgb body, QRgb keys) {
        for (int y = 1; y < 11; ++y)
            for (int x = 3; x < 11; ++x)
                img.setPixel(ox + x, y, body);
        for (int x = 4; x < 10; ++x)
            img.setPixel(ox + x, 2, qRgb(255, 255, 255));
        for (int ky = 5; ky < 10; ky += 2)
            for (int kx = 4; kx < 10; kx += 2)
                img.setPixel(ox + kx, ky, keys);
    };
    draw(0, qRgb(0, 0, 0), qRgb(255, 255, 255));
    draw(14, qRgb(0x80, 0x80, 0x80), qRgb(0xC0, 0xC0, 0xC0));
    return img;
}

const QImage &editButtonGlyph()
{
    static const QImage glyph = makeEditButtonGlyph();
    return glyph;
}

} // namespace

TCustomNumEdit::TCustomNumEdit(QWidget *parent) : TCustomComboEdit(parent)
{
    setMaxLength(32767);
    FBeepOnError = true;
    FAlignment = taRightJustify;
    FDisplayFormat = NumEditDefaultFormat();
    FDecimalPlaces = 2;
    FZeroEmpty = true;
    QLineEdit::setText(QString());
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    UpdateEditText();
    FCreating = true;
    SetGlyphKind(gkDefault);
    SetButtonWidth(20);
    FCreating = false;
}

TCustomNumEdit::~TCustomNumEdit() = default;

// ---- properties ----

void TCustomNumEdit::SetAlignment(TAlignment a)
{
    if (FAlignment != a) {
        FAlignment = a;
        if (FFormatOnEditing)
            setAlignment(HorizontalAlignment(a) | Qt::AlignVCenter);
        update();
    }
}

void TCustomNumEdit::SetBeepOnError(bool v)
{
    if (KitTakeNew(FBeepOnError, v))
        UpdatePopupSettings();
}

void TCustomNumEdit::SetDecimalPlaces(unsigned v)
{
    if (FDecimalPlaces != v) {
        FDecimalPlaces = v;
        UpdateEditText();
        update();
    }
}

void TCustomNumEdit::SetDisplayFormat(const QString &f)
{
    if (FDisplayFormat != f) {
        FDisplayFormat = f;
        update();
        UpdateEditText();
    }
}

void TCustomNumEdit::SetFormatOnEditing(bool v)
{
    if (FFormatOnEditing == v)
        return;
    FFormatOnEditing = v;
    if (v)
        setAlignment(HorizontalAlignment(FAlignment) | Qt::AlignVCenter);
    else
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (v && FFocused) {
        ReformatWhileEditing();
    } else if (FFocused) {
        ReadValueFromText();
        UpdateEditText();
    }
}

void TCustomNumEdit::SetMaxValue(const Decimal &v)
{
    if (KitTakeNew(FMaxValue, v))
        SetValue(FValue);
}

void TCustomNumEdit::SetMinValue(const Decimal &v)
{
    if (KitTakeNew(FMinValue, v))
        SetValue(FValue);
}

void TCustomNumEdit::SetZeroEmpty(bool v)
{
    if (KitTakeNew(FZeroEmpty, v))
        UpdateEditText();
}

// ---- value and text ----

Decimal TCustomNumEdit::ClampValue(const Decimal &x, bool raise) const
{
    Decimal result = x;
    if (FMaxValue > FMinValue) {
        if (x < FMinValue)
            result = FMinValue;
        else if (x > FMaxValue)
            result = FMaxValue;
    } else if (FMaxValue < FMinValue) {
        if (FMaxValue.isZero()) {
            if (x < FMinValue)
                result = FMinValue;
        } else if (FMinValue.isZero()) {
            if (x > FMaxValue)
                result = FMaxValue;
        }
    }
    if (raise && result != x) {
        // Both bounds written with the field's decimal places.
        const QString pattern = FDecimalPlaces == 0 ? QStringLiteral("0") : QStringLiteral("0.") + RepeatChar('0', int(FDecimalPlaces));
        throw qvx::RangeError(QStringLiteral("%1에서 %2 사이의 값을 입력하시기 바랍니다.")
                                  .arg(qvx::FormatFloat(pattern, FMinValue), qvx::FormatFloat(pattern, FMaxValue)));
    }
    return result;
}

void TCustomNumEdit::WriteEditText(const QString &s)
{
    if (s != text())
        QLineEdit::setText(s);
}

void TCustomNumEdit::UpdateEditText()
{
    const QString pattern =
        FDecimalPlaces == 0 ? QStringLiteral("0") : QStringLiteral("0.") + RepeatChar('#', int(FDecimalPlaces));
    if (!FValue.isZero() || !FZeroEmpty)
        WriteEditText(qvx::FormatFloat(pattern, FValue));
    else
        WriteEditText(QString());
}

Decimal TCustomNumEdit::TextValue(const QString &t) const
{
    return Reading().value(t);
}

NumEditText TCustomNumEdit::Reading() const
{
    return NumEditText(FWholeWon, FDecimalPlaces, FMinValue >= Decimal(0) && FMaxValue > Decimal(0));
}

bool TCustomNumEdit::TextFollowsValue() const
{
    return Reading().followsValue(text());
}

void TCustomNumEdit::ReadValueFromText()
{
    FValue = ClampValue(TextValue(text()), false);
}

Decimal TCustomNumEdit::Value()
{
    try {
        ReadValueFromText();
    } catch (const qvx::ConvertError &) {
        FValue = FMinValue;
    }
    return FValue;
}

void TCustomNumEdit::SetValue(const Decimal &v)
{
    FValue = ClampValue(v, false);
    UpdateEditText();
    update();
}

void TCustomNumEdit::SetText(const QString &t)
{
    FValue = ClampValue(TextValue(t), false);
    UpdateEditText();
    update();
}

void TCustomNumEdit::Clear()
{
    SetText(QString());
}

void TCustomNumEdit::Reset()
{
    UpdateEditText();
    selectAll();
}

QString TCustomNumEdit::DisplayText() const
{
    // Without the focus the edit text is the plain value; it is read again so
    // that a text written past SetValue/SetText still shows what it holds.
    // A whole-won text that is no whole amount is shown as typed: a refused
    // amount never looks like another one.
    if (!TextFollowsValue())
        return text();
    Decimal v = FValue;
    if (!FFocused) {
        try {
            v = ClampValue(TextValue(text()), false);
        } catch (const qvx::ConvertError &) {
        }
    }
    if (FDisplayFormat.isEmpty())
        return qvx::FloatToStr(v);
    return qvx::WithWonSign(qvx::FormatFloat(FDisplayFormat, v));
}

// ---- keys ----

bool TCustomNumEdit::IsAcceptableText(const QString &text) const
{
    return Reading().acceptable(text);
}

bool TCustomNumEdit::AcceptsKey(QChar key) const
{
    // A number holds no blank: the blank alone is refused, and the digits
    // that follow it are taken as they come.
    if (key.isSpace())
        return false;
    QString s = text();
    int start = cursorPosition();
    if (hasSelectedText()) {
        start = selectionStart();
        s.remove(start, selectedText().size());
    }
    s.insert(start, key);
    return IsAcceptableText(s);
}

void TCustomNumEdit::KeyPress(QChar &Key)
{
    if (PopupVisible() && Popup()) {
        const QChar up = Key.toUpper();
        static const QString calcKeys = QStringLiteral("%*+,-./0123456789=CQR_");
        if (Key == QChar(8) || Key == QChar(13) || calcKeys.contains(up) || up == D) {
            Popup()->KeyPress(Key);
            Key = QChar();
            return;
        }
    }
    if (Key == QLatin1Char('.') || Key == QLatin1Char(','))
        Key = Reading().typedSeparator(Key);
    TCustomComboEdit::KeyPress(Key);
    if (Key.isNull())
        return;
    if (Key.unicode() >= 32 && !AcceptsKey(Key)) {
        if (FBeepOnError)
            MessageBeep();
        Key = QChar();
        return;
    }
    if (Key == QChar(27)) {
        Reset();
        Key = QChar();
    }
}

void TCustomNumEdit::PasteText(const QString &pasted)
{
    // A cell copied from a spreadsheet comes with a line end, a tab or a
    // wide blank at its ends.
    const QString before = text();
    TCustomComboEdit::PasteText(pasted.trimmed());
    CheckInsertedText(before);
}

void TCustomNumEdit::dropEvent(QDropEvent *e)
{
    if (!DirectInput() || ReadOnly()) {
        e->ignore();
        return;
    }
    const QString before = text();
    TCustomComboEdit::dropEvent(e);
    RunEditHandler(QStringLiteral("TCustomNumEdit.Drop"), [&] { CheckInsertedText(before); });
}

void TCustomNumEdit::CheckInsertedText(const QString &before)
{
    if (text() == before)
        return;
    const NumEditText reading = Reading();
    bool ok = reading.acceptable(text());
    // A whole-number field takes pasted text as it takes typed text: kept as
    // it stands, read when the field is left or read.
    if (ok && !reading.takesPasteAsTyped()) {
        try {
            ReadValueFromText();
        } catch (const qvx::ConvertError &) {
            ok = false;
        }
    }
    if (!ok) {
        QLineEdit::setText(before);
        selectAll();
        if (isEnabled() && isVisible())
            setFocus(Qt::OtherFocusReason);
        if (FBeepOnError)
            MessageBeep();
        return;
    }
    if (reading.dropsPastedSeparators() && !FFormatOnEditing && text().contains(NumLocale::ThousandSeparator)) {
        // pasted separators would leave a text the screens cannot read as a number
        const int fromEnd = int(text().size()) - cursorPosition();
        QLineEdit::setText(DeleteAllChar(text(), NumLocale::ThousandSeparator));
        setCursorPosition(qMax(0, int(text().size()) - fromEnd));
    }
}

// ---- change, focus ----

void TCustomNumEdit::ReformatWhileEditing()
{
    const bool old = FFormatting;
    FFormatting = true;
    QString s = text();
    const int oldLength = int(s.size());
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    if (!s.isEmpty() && s != QLatin1String("-"))
        s = NormalizeNumText(s);
    s = InsertThousands(s, FDisplayFormat.contains(QLatin1Char(',')));
    QLineEdit::setText(s);
    if (hasFocus())
        setCursorPosition(qBound(0, selStart + int(s.size()) - oldLength, int(s.size())));
    FFormatting = old;
}

void TCustomNumEdit::Change()
{
    if (FFormatting)
        return;
    if (FFormatOnEditing && FFocused)
        ReformatWhileEditing();
    TCustomComboEdit::Change();
}

void TCustomNumEdit::SetFocusedState(bool focused)
{
    FFocused = focused;
    update();
    if (!TextFollowsValue())
        return;
    const bool old = FFormatting;
    FFormatting = true;
    UpdateEditText();
    FFormatting = old;
}

void TCustomNumEdit::DoEnter()
{
    SetFocusedState(true);
    if (FFormatOnEditing)
        ReformatWhileEditing();
    TCustomComboEdit::DoEnter();
}

void TCustomNumEdit::ValidateExit()
{
    switch (Reading().onExit(text())) {
    case NumEditText::KeepAsTyped:
        FValue = FMinValue;
        return;
    case NumEditText::RefuseIt:
        throw qvx::ConvertError(text(), qvx::ConvertError::Whole);
    case NumEditText::ReadIt:
        break;
    }
    if (FCheckOnExit)
        ClampValue(TextValue(text()), true);
    ReadValueFromText();
}

void TCustomNumEdit::DoExit()
{
    SetFocusedState(false);
    setCursorPosition(0);
    TCustomComboEdit::DoExit();
}

// ---- painting ----

void TCustomNumEdit::paintEvent(QPaintEvent *e)
{
    if (FFocused && !PopupVisible()) {
        QLineEdit::paintEvent(e);
        return;
    }
    QPainter p(this);
    QStyleOptionFrame opt;
    initStyleOption(&opt);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &opt, &p, this);
    QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &opt, this);
    const QString s = PopupVisible() ? PopupDisplayText() : DisplayText();
    const int button = ButtonWidth() > 0 ? ButtonWidth() : 0;
    r.setRight(r.right() - button - (button > 0 ? 1 : 0) - 2);
    r.setLeft(r.left() + 2);
    const Qt::Alignment a = Qt::AlignVCenter | HorizontalAlignment(FAlignment, layoutDirection());
    p.setFont(font());
    // Greyed only when the edit itself is disabled: on a disabled panel (a
    // totals bar) it takes no input but shows its value as usual.
    const bool ownEnabled = !testAttribute(Qt::WA_ForceDisabled);
    p.setPen(ownEnabled ? palette().color(QPalette::Active, QPalette::Text) : ColorToQColor(clGrayText));
    p.setClipRect(r);
    p.drawText(r, int(a), s);
}

// ---- pop-up calculator ----

QImage TCustomNumEdit::DefaultGlyph() const
{
    return editButtonGlyph();
}

void TCustomNumEdit::SetCalculatorPopup(bool on)
{
    if (on == (Calculator() != nullptr))
        return;
    if (on) {
        auto *calc = new TPopupCalculator(this);
        SetPopup(calc);
        UpdatePopupSettings();
    } else {
        TPopupWindow *old = Popup();
        SetPopup(nullptr);
        delete old;
    }
}

TPopupCalculator *TCustomNumEdit::Calculator() const
{
    return qobject_cast<TPopupCalculator *>(Popup());
}

void TCustomNumEdit::UpdatePopupSettings()
{
    if (TPopupCalculator *calc = Calculator())
        calc->ConfigurePopupCalc(FBeepOnError, 15);
}

bool TCustomNumEdit::PopupValueAcceptable(const QVariant &value)
{
    return qvx::TryStrToFloat(value.toString()).has_value() || value.isNull();
}

void TCustomNumEdit::TakePopupValue(const QVariant &value)
{
    const QString before = text();
    const Decimal v = value.isNull() ? Decimal() : qvx::StrToFloat(value.toString());
    SetValue(v.roundedToPlaces(int(FDecimalPlaces)));
    if (text() != before)
        setModified(true);
}

// ---- TCurrencyEdit ----

TCurrencyEdit::TCurrencyEdit(QWidget *parent) : TCustomNumEdit(parent)
{
    SetDisplayFormat(CurrencyDisplayFormat());
    // Two fraction places, as every amount field keeps them: a typed decimal
    // point stays in the text, never dropped, and the screens' amount rules
    // refuse an amount that is not whole won.
    FCreating = true;
    SetButtonWidth(0);
    FCreating = false;
}

QString TCurrencyEdit::CurrencyDisplayFormat()
{
    QString n = QStringLiteral(",0.") + RepeatChar('0', NumLocale::CurrencyDecimals);
    QString c;
    for (QChar ch : NumLocale::currencyString()) {
        if (ch == QLatin1Char(',') || ch == QLatin1Char('.'))
            c += QLatin1Char('\'') + QString(ch) + QLatin1Char('\'');
        else
            c += ch;
    }
    if (!c.isEmpty()) {
        switch (NumLocale::CurrencyFormat) {
        case 0: n = c + n; break;
        case 1: n = n + c; break;
        case 2: n = c + QLatin1Char(' ') + n; break;
        case 3: n = n + QLatin1Char(' ') + c; break;
        default: break;
        }
    }
    return QStringLiteral("%1;-%2").arg(n, n);
}
