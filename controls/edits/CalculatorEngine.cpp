#include "controls/edits/CalculatorEngine.h"

#include "controls/edits/CtlUtils.h"
#include "controls/edits/NumFormat.h"
#include "controls/edits/StrUtils.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <cmath>

namespace qvx {

CalculatorEngine::CalculatorEngine()
{
    beep = [] { MessageBeep(); };
    clipboardText = []() -> QString {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return QString();
        return QGuiApplication::clipboard()->text();
    };
    setClipboardText = [](const QString &text) {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            QGuiApplication::clipboard()->setText(text);
    };
}

void CalculatorEngine::doBeep()
{
    if (m_beepOnError && beep)
        beep();
}

void CalculatorEngine::setText(const QString &text)
{
    if (m_text == text)
        return;
    m_text = text;
    if (onTextChange)
        onTextChange();
}

double CalculatorEngine::displayValue() const
{
    if (m_status == Error)
        return 0.0;
    const auto v = TryStrToFloat(m_text.trimmed());
    return v ? v->toDouble() : 0.0;
}

void CalculatorEngine::showValue(double value)
{
    const QString s = FloatToStrGeneral(Decimal(value), maxDigits());
    if (s != m_text) {
        setText(s);
        if (onDisplayChange)
            onDisplayChange();
    }
}

void CalculatorEngine::setValueText(const QString &text)
{
    const auto v = TryStrToFloat(text.trimmed());
    m_status = First;
    m_operator = QLatin1Char('=');
    showValue(v ? v->toDouble() : 0.0);
}

void CalculatorEngine::startEntry()
{
    if (m_status == First) {
        m_status = Editing;
        setText(QStringLiteral("0"));
    }
}

void CalculatorEngine::showError()
{
    m_status = Error;
    setText(QStringLiteral("Error"));
    doBeep();
    if (onError)
        onError();
}

void CalculatorEngine::clear()
{
    m_status = First;
    setText(QStringLiteral("0"));
    m_operator = QLatin1Char('=');
}

QChar CalculatorEngine::translateTypedKey(QChar key)
{
    if (key == QLatin1Char(',') || key == QLatin1Char('.') || key == NumLocale::DecimalSeparator)
        return QLatin1Char('.');
    if (key == Enter)
        return QLatin1Char('=');
    if (key == Escape)
        return QLatin1Char('C');
    return key.toUpper();
}

void CalculatorEngine::calculate(QChar key)
{
    if (m_status == Editing) {
        m_status = First;
        double r = displayValue();
        if (key == QLatin1Char('%')) {
            if (m_operator == QLatin1Char('*') || m_operator == QLatin1Char('/'))
                r = r / 100;
            else if (m_operator == QLatin1Char('+') || m_operator == QLatin1Char('-'))
                r = m_operand * r / 100;
        }
        switch (m_operator.unicode()) {
        case '+': showValue(m_operand + r); break;
        case '-': showValue(m_operand - r); break;
        case '*': showValue(m_operand * r); break;
        case '/':
            if (r == 0)
                showError();
            else
                showValue(m_operand / r);
            break;
        default: break;
        }
    }
    m_operator = key;
    m_operand = displayValue();
    if ((key == Enter || key == QLatin1Char('%') || key == QLatin1Char('=')) && onResult)
        onResult();
}

void CalculatorEngine::engineKey(QChar k)
{
    QChar key = k.toUpper();
    if (m_status == Error && key != QLatin1Char('C'))
        return;
    if (onKey) {
        onKey(key);
        if (key.isNull())
            return;
        key = key.toUpper();
    }
    const char16_t c = key.unicode();
    if (key == QLatin1Char(',') || key == QLatin1Char('.') || key == NumLocale::DecimalSeparator) {
        startEntry();
        if (!m_text.contains(NumLocale::DecimalSeparator))
            setText(m_text + NumLocale::DecimalSeparator);
    } else if (key == CopyKey) {
        if (setClipboardText)
            setClipboardText(m_text);
    } else if (key == PasteKey) {
        const QString clip = clipboardText ? clipboardText() : QString();
        if (!clip.isEmpty()) {
            const QString s = ReplaceAllText(clip, NumLocale::currencyString(), QString()).trimmed();
            if (const auto v = TryStrToFloat(s))
                showValue(v->toDouble());
            else
                setText(QStringLiteral("0"));
        }
    } else if (key == Backspace) {
        startEntry();
        if (m_text.size() == 1 || (m_text.size() == 2 && m_text.at(0) == QLatin1Char('-')))
            setText(QStringLiteral("0"));
        else
            setText(m_text.left(m_text.size() - 1));
    } else if (key == Enter || c == '%' || c == '*' || c == '+' || c == '-' || c == '/' || c == '=') {
        calculate(key);
    } else if (key == Escape || c == 'C') {
        clear();
    } else if (c >= '0' && c <= '9') {
        startEntry();
        if (m_text == QLatin1String("0"))
            setText(QString());
        if (m_text.contains(QLatin1Char('E')))
            return;
        const int limit = maxDigits() + (m_text.contains(QLatin1Char('-')) ? 1 : 0);
        if (m_text.size() < limit)
            setText(m_text + key);
        else
            doBeep();
    } else if (c == 'Q') {
        m_status = First;
        const double v = displayValue();
        if (v < 0)
            showError();
        else
            showValue(std::sqrt(v));
    } else if (c == 'R') {
        m_status = First;
        const double v = displayValue();
        if (v == 0)
            showError();
        else
            showValue(1.0 / v);
    } else if (c == '_') {
        showValue(-displayValue());
    }
}

void CalculatorEngine::memoryKey(MemoryKey key)
{
    switch (key) {
    case MemoryAdd:
    case MemoryStore:
        if (m_status == Error)
            return;
        m_memory = key == MemoryAdd ? m_memory + displayValue() : displayValue();
        m_status = First;
        break;
    case MemoryRecall:
        if (m_status == Error)
            return;
        showValue(m_memory);
        m_status = Editing;
        break;
    case MemoryClear:
        m_memory = 0;
        break;
    }
    if (onMemoryChange)
        onMemoryChange();
}

void CalculatorEngine::ok()
{
    if (m_status == Error) {
        doBeep();
        return;
    }
    showValue(displayValue());
    if (onOk)
        onOk();
}

void CalculatorEngine::cancel()
{
    if (onCancel)
        onCancel();
}

} // namespace qvx
