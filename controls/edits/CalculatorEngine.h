#pragma once
// The four-function calculator with memory behind the calculator panel and
// its pop-up: every key works on the display text, so the engine runs and is
// tested without any widget.

#include <QChar>
#include <QString>
#include <functional>

namespace qvx {

class CalculatorEngine
{
public:
    enum Status { First, Editing, Error }; // First: the next digit starts a new number
    enum MemoryKey { MemoryAdd, MemoryStore, MemoryRecall, MemoryClear };

    // Control characters the engine understands besides the printable keys.
    static constexpr QChar Backspace = QChar(8);
    static constexpr QChar Enter = QChar(13);
    static constexpr QChar Escape = QChar(27);
    static constexpr QChar CopyKey = QChar(3);   // Ctrl+C
    static constexpr QChar PasteKey = QChar(22); // Ctrl+V

    CalculatorEngine();

    int precision() const { return m_precision; }
    void setPrecision(int digits) { m_precision = digits; }
    bool beepOnError() const { return m_beepOnError; }
    void setBeepOnError(bool on) { m_beepOnError = on; }

    QString text() const { return m_text; }
    Status status() const { return m_status; }
    double operand() const { return m_operand; }
    double memory() const { return m_memory; }
    QChar pendingOperator() const { return m_operator; }

    // One key: digits, the decimal separator ('.', ','), '+', '-', '*', '/',
    // '=', '%', Enter, 'Q' (square root), 'R' (1/x), '_' (sign), Backspace,
    // 'C' or Escape (clear), Ctrl+C, Ctrl+V. Lower case counts as upper case.
    void engineKey(QChar key);
    // Keys typed on the panel: separators become '.', Enter '=', Escape 'C'.
    static QChar translateTypedKey(QChar key);
    void memoryKey(MemoryKey key);
    void ok();
    void cancel();
    void clear();

    // 0 in the error state, else the display text as a number.
    double displayValue() const;
    // Shows value in general format with max(2, precision) significant digits.
    void showValue(double value);
    // Shows value (0 for an empty or unconvertible text) ready for a new number
    // with no pending operation; what an edit hands to its pop-up.
    void setValueText(const QString &text);
    void setText(const QString &text);

    // Events. onKey may change the key or cancel it (set it to a null QChar).
    std::function<void(QChar &key)> onKey;
    std::function<void()> onResult, onError, onOk, onCancel, onDisplayChange, onTextChange, onMemoryChange;
    // Hooks with working defaults (system beep, application clipboard).
    std::function<void()> beep;
    std::function<QString()> clipboardText;
    std::function<void(const QString &)> setClipboardText;

private:
    int maxDigits() const { return m_precision < 2 ? 2 : m_precision; }
    void startEntry();
    void showError();
    void doBeep();
    void calculate(QChar key);

    QString m_text = QStringLiteral("0");
    Status m_status = First;
    double m_operand = 0;
    double m_memory = 0;
    int m_precision = 15;
    bool m_beepOnError = true;
    QChar m_operator = QLatin1Char('=');
};

} // namespace qvx
