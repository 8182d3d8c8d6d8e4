// The calculator engine without any widget: keys in, display text out.

#include "controls/edits/CalculatorEngine.h"

#include "QStringPrint.h"

#include <gtest/gtest.h>

using qvx::CalculatorEngine;

namespace {

struct Calc : CalculatorEngine
{
    int beeps = 0, results = 0, errors = 0;
    QString clipboard;
    Calc()
    {
        beep = [this] { ++beeps; };
        onResult = [this] { ++results; };
        onError = [this] { ++errors; };
        clipboardText = [this] { return clipboard; };
        setClipboardText = [this](const QString &t) { clipboard = t; };
    }
    Calc &type(const char *keys)
    {
        for (const char *p = keys; *p; ++p)
            engineKey(QLatin1Char(*p));
        return *this;
    }
};

} // namespace

TEST(CalculatorEngine, FourOperationsAndPercent)
{
    struct
    {
        const char *keys;
        const char *display;
    } cases[] = {
        {"2+3=", "5"},
        {"50+10%", "55"},
        {"50-10%", "45"},
        {"200*5%", "10"},
        {"7-10=", "-3"},
        {"6*7=", "42"},
        {"1/3=", "0.333333333333333"},
        {"2+3*4=", "20"},        // left to right, no precedence
        {"1.5+1.25=", "2.75"},
        {"1,5+1=", "2.5"},       // ',' is the decimal key too
        {".1+.2=", "0.3"},       // shown with 15 digits
        {"5+=", "5"},            // nothing typed after the operator: nothing to compute
        {"9Q", "3"},
        {"4R", "0.25"},
        {"5_", "-5"},
        {"5_3", "-53"},
        {"12c", "0"},
        {"99999999*99999999=", "9.9999998E15"},
    };
    for (const auto &c : cases) {
        Calc calc;
        calc.type(c.keys);
        EXPECT_EQ(calc.text(), QString::fromLatin1(c.display)) << c.keys;
    }
}

TEST(CalculatorEngine, ErrorStateOnlyClearedByC)
{
    Calc calc;
    calc.type("8/0=");
    EXPECT_EQ(calc.text(), "Error");
    EXPECT_EQ(calc.status(), CalculatorEngine::Error);
    EXPECT_EQ(calc.errors, 1);
    EXPECT_EQ(calc.beeps, 1);
    calc.type("5+3=").engineKey(CalculatorEngine::Escape);
    EXPECT_EQ(calc.text(), "Error");
    EXPECT_EQ(calc.displayValue(), 0.0);
    calc.ok(); // OK while in error only beeps
    EXPECT_EQ(calc.beeps, 2);
    calc.type("C");
    EXPECT_EQ(calc.text(), "0");
    calc.type("2+3=");
    EXPECT_EQ(calc.text(), "5");

    Calc roots;
    roots.type("4_Q");
    EXPECT_EQ(roots.text(), "Error");
    Calc inverse;
    inverse.type("0R");
    EXPECT_EQ(inverse.text(), "Error");
}

TEST(CalculatorEngine, DigitLimitByPrecision)
{
    Calc calc;
    calc.type("123456789012345");
    EXPECT_EQ(calc.beeps, 0);
    calc.type("6");
    EXPECT_EQ(calc.beeps, 1);
    EXPECT_EQ(calc.text(), "123456789012345");

    Calc negative; // a leading '-' allows one more character
    negative.type("1_23456789012345");
    EXPECT_EQ(negative.text(), "-123456789012345");
    negative.type("6");
    EXPECT_EQ(negative.beeps, 1);

    Calc small;
    small.setPrecision(1); // at least two places are used
    small.type("123");
    EXPECT_EQ(small.text(), "12");
    EXPECT_EQ(small.beeps, 1);
}

TEST(CalculatorEngine, BackspaceAndDecimalPoint)
{
    Calc calc;
    calc.type("5_");
    calc.engineKey(CalculatorEngine::Backspace);
    EXPECT_EQ(calc.text(), "0");
    calc.type("123");
    calc.engineKey(CalculatorEngine::Backspace);
    EXPECT_EQ(calc.text(), "12");
    calc.type("..5.");
    EXPECT_EQ(calc.text(), "12.5");
    calc.type("+");
    calc.engineKey(CalculatorEngine::Backspace); // after an operator: a new entry
    EXPECT_EQ(calc.text(), "0");
}

TEST(CalculatorEngine, MemoryKeys)
{
    Calc calc;
    int changes = 0;
    calc.onMemoryChange = [&] { ++changes; };
    calc.type("7");
    calc.memoryKey(CalculatorEngine::MemoryStore);
    calc.type("3");
    calc.memoryKey(CalculatorEngine::MemoryAdd);
    EXPECT_EQ(calc.memory(), 10.0);
    calc.type("C");
    calc.memoryKey(CalculatorEngine::MemoryRecall);
    EXPECT_EQ(calc.text(), "10");
    EXPECT_EQ(calc.status(), CalculatorEngine::Editing);
    calc.memoryKey(CalculatorEngine::MemoryClear);
    EXPECT_EQ(calc.memory(), 0.0);
    EXPECT_EQ(changes, 4);
}

TEST(CalculatorEngine, EventsClipboardAndValueExchange)
{
    Calc calc;
    calc.type("2+3");
    EXPECT_EQ(calc.results, 0);
    calc.engineKey(CalculatorEngine::Enter);
    EXPECT_EQ(calc.results, 1);
    EXPECT_EQ(calc.text(), "5");

    calc.onKey = [](QChar &k) {
        if (k == QLatin1Char('9'))
            k = QChar(); // cancelled
        else if (k == QLatin1Char('1'))
            k = QLatin1Char('4');
    };
    calc.type("C91");
    EXPECT_EQ(calc.text(), "4");
    calc.onKey = nullptr;

    calc.engineKey(CalculatorEngine::CopyKey);
    EXPECT_EQ(calc.clipboard, "4");
    calc.clipboard = " \\1234.5 ";
    calc.engineKey(CalculatorEngine::PasteKey);
    EXPECT_EQ(calc.text(), "1234.5");
    calc.clipboard = "abc";
    calc.engineKey(CalculatorEngine::PasteKey);
    EXPECT_EQ(calc.text(), "0");

    calc.setValueText("1500");
    EXPECT_EQ(calc.text(), "1500");
    EXPECT_EQ(calc.status(), CalculatorEngine::First);
    calc.type("7"); // a new number starts
    EXPECT_EQ(calc.text(), "7");
    calc.setValueText("");
    EXPECT_EQ(calc.text(), "0");

    EXPECT_EQ(CalculatorEngine::translateTypedKey(','), QLatin1Char('.'));
    EXPECT_EQ(CalculatorEngine::translateTypedKey(CalculatorEngine::Enter), QLatin1Char('='));
    EXPECT_EQ(CalculatorEngine::translateTypedKey(CalculatorEngine::Escape), QLatin1Char('C'));
    EXPECT_EQ(CalculatorEngine::translateTypedKey('q'), QLatin1Char('Q'));
}
