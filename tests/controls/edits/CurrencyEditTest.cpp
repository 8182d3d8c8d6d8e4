// The amount field as the screens use it: value and text, clamping, the key
// filter, focus changes, paste, handler errors and the calculator pop-up.

#include "QStringPrint.h"
#include "controls/edits/CtlUtils.h"
#include "controls/edits/CurrEdit.h"
#include "controls/edits/ExCalc.h"
#include "controls/edits/NumFormat.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using qvx::Decimal;

namespace {

Decimal num(const char *text)
{
    return qvx::StrToFloat(QString::fromLatin1(text));
}

// A shown, active window with the field and a second field to move the focus to.
class EditFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMessageBeepHook([this] { ++beeps; });
        window.resize(300, 100);
        other = new QLineEdit(&window);
        other->setGeometry(10, 50, 100, 21);
    }
    void TearDown() override { SetMessageBeepHook(nullptr); }

    template <class Edit> Edit *place(Edit *edit)
    {
        edit->setParent(&window);
        edit->setGeometry(10, 10, 121, 21);
        edit->show();
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return edit;
    }
    void focus(QWidget *w)
    {
        w->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        ASSERT_TRUE(w->hasFocus());
    }
    // The form's amount field.
    TCurrencyEdit *amountField()
    {
        auto *e = place(new TCurrencyEdit);
        e->setObjectName(QStringLiteral("curredt_amt"));
        e->SetDisplayFormat(QStringLiteral(",0.;-\\,0."));
        return e;
    }

    QWidget window;
    QLineEdit *other = nullptr;
    int beeps = 0;
};

} // namespace

TEST(CurrencyEdit, FormSettingsAndDefaults)
{
    TCurrencyEdit e;
    EXPECT_EQ(e.DisplayFormat(), "\\,0.;-\\,0.");
    EXPECT_EQ(TCurrencyEdit::CurrencyDisplayFormat(), "\\,0.;-\\,0.");
    EXPECT_EQ(e.ButtonWidth(), 0);
    EXPECT_FALSE(e.ButtonContainer()->isVisibleTo(&e));
    EXPECT_EQ(e.textMargins().right(), 2); // the text still ends 2 pixels before the edge
    EXPECT_EQ(e.DecimalPlaces(), 2u);
    EXPECT_EQ(e.Alignment(), taRightJustify);
    EXPECT_TRUE(e.ZeroEmpty());
    EXPECT_EQ(e.Text(), "");
    EXPECT_EQ(e.DisplayText(), "₩0"); // the format's won sign drawn as U+20A9

    TCustomNumEdit plain;
    EXPECT_EQ(plain.DisplayFormat(), ",0.##");
    EXPECT_EQ(plain.DecimalPlaces(), 2u);
    EXPECT_EQ(plain.ButtonWidth(), 20);
    EXPECT_EQ(plain.textMargins().right(), 22);
}

TEST(CurrencyEdit, EnabledIsTheOwnFlag)
{
    QWidget panel;
    auto *e = new TCurrencyEdit(&panel);
    panel.setEnabled(false); // a disabled panel blocks the field's input
    EXPECT_FALSE(e->isEnabled());
    EXPECT_TRUE(e->Enabled());
    e->SetEnabled(false);
    panel.setEnabled(true);
    EXPECT_FALSE(e->Enabled());
    e->SetEnabled(true);
    EXPECT_TRUE(e->isEnabled());
}

TEST(CurrencyEdit, ValueTextAndDisplay)
{
    TCurrencyEdit e;
    e.SetDecimalPlaces(0);
    e.SetDisplayFormat(QStringLiteral(",0.;-\\,0."));
    struct
    {
        const char *value;
        const char *text;
        const char *display;
    } cases[] = {
        {"1234567", "1234567", "1,234,567"},
        {"0", "", "0"},
        {"-5000", "-5000", "-₩5,000"},
        {"1000.5", "1001", "1,001"}, // whole-number field: rounded half away from zero
        {"-0.5", "-1", "-₩1"},
        {"9999999999999", "9999999999999", "9,999,999,999,999"},
    };
    for (const auto &c : cases) {
        e.SetValue(num(c.value));
        EXPECT_EQ(e.Text(), QString::fromLatin1(c.text)) << c.value;
        EXPECT_EQ(e.DisplayText(), QString::fromUtf8(c.display)) << c.value;
        EXPECT_EQ(e.Text().isEmpty() ? 0 : e.Text().toLongLong(), e.Value().toInt64()) << c.value;
    }

    static_cast<QLineEdit &>(e).setText(QStringLiteral("2500")); // written around the value
    EXPECT_EQ(e.DisplayText(), "2,500");

    TCurrencyEdit amount; // as the screens keep it: the fraction stays in the text
    amount.SetValue(num("1000.5"));
    EXPECT_EQ(amount.Text(), "1000.5");
    EXPECT_EQ(amount.Value(), num("1000.5"));

    TCurrencyEdit count;
    count.SetDisplayFormat(QStringLiteral("0"));
    count.SetValue(42);
    EXPECT_EQ(count.DisplayText(), "42");
    EXPECT_EQ(count.Text(), "42");

    TCustomNumEdit fraction; // two places, as the numeric edit keeps them
    fraction.SetValue(1234.567);
    EXPECT_EQ(fraction.Text(), "1234.57");
    EXPECT_EQ(fraction.Value(), num("1234.57"));
    fraction.SetDisplayFormat(QStringLiteral(",0.;-\\,0."));
    EXPECT_EQ(fraction.DisplayText(), "1,235");
    fraction.SetZeroEmpty(false);
    fraction.SetValue(0);
    EXPECT_EQ(fraction.Text(), "0");
}

TEST(CurrencyEdit, ReadingTextAndClearing)
{
    TCurrencyEdit e;
    e.SetText(QStringLiteral(" 1,500 "));
    EXPECT_EQ(e.Value(), Decimal(1500));
    EXPECT_EQ(e.Text(), "1500");
    EXPECT_THROW(e.SetText(QStringLiteral("abc")), qvx::ConvertError);
    EXPECT_EQ(e.Value(), Decimal(1500));

    e.Clear();
    EXPECT_EQ(e.Value(), Decimal(0));
    EXPECT_EQ(e.Text(), "");

    // a text that is not a number reads as MinValue
    e.SetMinValue(10);
    e.SetMaxValue(100);
    static_cast<QLineEdit &>(e).setText(QStringLiteral("x"));
    EXPECT_EQ(e.Value(), Decimal(10));
}

TEST(CurrencyEdit, ClampingByTheBounds)
{
    struct
    {
        int min, max;
        const char *x;
        const char *expected;
    } cases[] = {
        {0, 0, "-123456", "-123456"}, // every screen: open range
        {0, 0, "5000000000", "5000000000"},
        {0, 100, "150", "100"},
        {0, 100, "-1", "0"},
        {0, 100, "50", "50"},
        {10, 0, "5", "10"},        // MaxValue 0 below MinValue: the lower bound only
        {10, 0, "5000", "5000"},
        {10, 5, "1", "1"},         // both set and crossed: no bound
        {10, 5, "50", "50"},
        {0, -10, "5", "-10"},      // MinValue 0 above MaxValue: the upper bound only
        {0, -10, "-50", "-50"},
    };
    for (const auto &c : cases) {
        TCurrencyEdit e;
        e.SetMinValue(c.min);
        e.SetMaxValue(c.max);
        e.SetValue(num(c.x));
        EXPECT_EQ(e.Value(), num(c.expected)) << c.min << ".." << c.max << " " << c.x;
    }

    TCurrencyEdit e;
    e.SetValue(150);
    e.SetMaxValue(100); // a new bound re-applies the value
    EXPECT_EQ(e.Value(), Decimal(100));
    try {
        e.ClampValue(200, true);
        FAIL() << "no range error";
    } catch (const qvx::RangeError &err) {
        EXPECT_STREQ(err.what(), "0.00에서 100.00 사이의 값을 입력하시기 바랍니다.");
    }
    TCustomNumEdit places;
    places.SetMaxValue(num("99.5"));
    EXPECT_THROW(places.ClampValue(100, true), qvx::RangeError);
    try {
        places.ClampValue(100, true);
    } catch (const qvx::RangeError &err) {
        EXPECT_STREQ(err.what(), "0.00에서 99.50 사이의 값을 입력하시기 바랍니다.");
    }
    EXPECT_EQ(places.ClampValue(-1, false), Decimal(0));
}

TEST(CurrencyEdit, AcceptsKeyRules)
{
    TCustomNumEdit e; // two fraction places
    auto accepts = [&](const char *before, QChar key) {
        static_cast<QLineEdit &>(e).setText(QString::fromLatin1(before));
        e.setCursorPosition(int(e.text().size()));
        return e.AcceptsKey(key);
    };
    EXPECT_TRUE(accepts("12.3", '4'));
    EXPECT_FALSE(accepts("12.34", '5')); // a third fraction digit
    EXPECT_TRUE(accepts("", '-'));       // "-" alone becomes "-0"
    EXPECT_FALSE(accepts("", '+'));
    EXPECT_FALSE(accepts("12", 'x'));
    EXPECT_FALSE(accepts("1.5", '.'));
    EXPECT_TRUE(e.IsAcceptableText("1.5E3")); // the 'E' counts as one place: 2
    EXPECT_FALSE(e.IsAcceptableText("1.55E3"));
    EXPECT_FALSE(accepts("1.5", 'E'));        // "1.5E" does not convert
    EXPECT_TRUE(accepts("1,23", '4'));   // separators are dropped before the test

    e.SetMinValue(0);
    e.SetMaxValue(100);
    EXPECT_TRUE(accepts("", '-'));
    EXPECT_FALSE(accepts("-", '5'));     // no negatives in 0..100

    TCurrencyEdit whole;
    whole.SetDecimalPlaces(0);
    static_cast<QLineEdit &>(whole).setText(QStringLiteral("1000"));
    whole.setCursorPosition(4);
    EXPECT_TRUE(whole.AcceptsKey('.')); // kept, so that "2.5" never becomes 25
    EXPECT_FALSE(whole.AcceptsKey('E'));
    EXPECT_TRUE(whole.AcceptsKey('5'));
    EXPECT_FALSE(whole.AcceptsKey(' '));
    EXPECT_TRUE(whole.IsAcceptableText(QStringLiteral("-")));
    EXPECT_TRUE(whole.IsAcceptableText(QStringLiteral("1000.5")));
    EXPECT_FALSE(whole.IsAcceptableText(QStringLiteral("1e3")));
}

TEST_F(EditFixture, DisablingTheFocusedFieldLeavesTheFocusWithTheForm)
{
    TCurrencyEdit *e = amountField();
    focus(e);
    QTest::keyClicks(e, "500");
    e->SetEnabled(false);
    EXPECT_FALSE(e->hasFocus());
    EXPECT_FALSE(other->hasFocus()); // not moved on to the next control
    EXPECT_EQ(e->Value(), Decimal(500));
    EXPECT_EQ(e->DisplayText(), "500");
}

TEST_F(EditFixture, TypingOnlyValidCharacters)
{
    TCurrencyEdit *e = amountField();
    focus(e);
    QTest::keyClicks(e, "12a3.4,5");
    // The point is kept (never dropped to make 12345); 'a' and the second
    // point (',' becomes '.') are refused.
    EXPECT_EQ(e->Text(), "123.45");
    EXPECT_EQ(beeps, 2);
    e->selectAll();
    QTest::keyClicks(e, "1234");
    focus(other);
    EXPECT_EQ(e->Value(), Decimal(1234));
    EXPECT_EQ(e->Text(), "1234");
    EXPECT_EQ(e->DisplayText(), "1,234");

    // A whole-number field (message numbers, counts): "12.5" is kept as typed,
    // never read as 125, and the field is not left with it.
    qvx::ScriptedPrompt prompt;
    auto *whole = place(new TCurrencyEdit);
    whole->SetDecimalPlaces(0);
    whole->setGeometry(150, 40, 121, 21);
    focus(whole);
    beeps = 0;
    QTest::keyClicks(whole, "12.5");
    EXPECT_EQ(whole->Text(), "12.5");
    EXPECT_EQ(beeps, 0);
    QTest::keyClick(whole, Qt::Key_Tab);
    EXPECT_EQ(prompt.lastText(), "'12.5'은(는) 올바른 정수가 아닙니다.");
    EXPECT_TRUE(whole->hasFocus());
    EXPECT_EQ(whole->Text(), "12.5");
    QTest::keyClick(whole, Qt::Key_End);
    QTest::keyClick(whole, Qt::Key_Backspace);
    QTest::keyClick(whole, Qt::Key_Backspace);
    focus(other);
    EXPECT_EQ(whole->Value(), Decimal(12));

    auto *n = place(new TCustomNumEdit);
    n->setGeometry(150, 10, 121, 21);
    focus(n);
    beeps = 0;
    QTest::keyClicks(n, "7,255");
    EXPECT_EQ(n->Text(), "7.25"); // ',' becomes '.', the third place is refused
    EXPECT_EQ(beeps, 1);
    QTest::keyClick(n, Qt::Key_Home);
    QTest::keyClick(n, Qt::Key_Plus);
    EXPECT_EQ(n->Text(), "+7.25");
}

TEST_F(EditFixture, FocusShowsPlainTextAndEscapeRestores)
{
    TCurrencyEdit *e = amountField();
    e->SetValue(2500000);
    EXPECT_EQ(e->Text(), "2500000");
    int changes = 0;
    e->OnChange = [&](QObject *) { ++changes; };
    focus(e);
    EXPECT_EQ(e->selectedText(), "2500000"); // all selected on entry
    QTest::keyClicks(e, "31");
    EXPECT_EQ(e->Text(), "31");
    EXPECT_EQ(changes, 2);
    QTest::keyClick(e, Qt::Key_Escape);
    EXPECT_EQ(e->Text(), "2500000");
    EXPECT_EQ(e->selectedText(), "2500000");

    int exits = 0;
    e->OnExit = [&](QObject *) { ++exits; };
    QTest::keyClicks(e, "-");
    focus(other);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(e->Value(), Decimal(0)); // a lone '-' reads as 0
    EXPECT_EQ(e->Text(), "");
}

TEST_F(EditFixture, KeyPressHandlerMayChangeOrConsumeKeys)
{
    TCurrencyEdit *e = amountField();
    QString seen;
    e->OnKeyPress = [&](QObject *, QChar &key) {
        seen += key;
        if (key == QLatin1Char('9'))
            key = QLatin1Char('0');
        else if (key == QLatin1Char('5'))
            key = QChar();
    };
    focus(e);
    QTest::keyClicks(e, "1958");
    EXPECT_EQ(seen, "1958");
    EXPECT_EQ(e->Text(), "108");
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_EQ(seen.back(), QChar(13));
}

TEST_F(EditFixture, PasteKeepsAValidWholeNumber)
{
    TCurrencyEdit *e = amountField();
    focus(e);
    QTest::keyClicks(e, "77");
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e->Text(), "77");
    EXPECT_EQ(beeps, 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("1000.555"));
    e->selectAll();
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e->Text(), "77"); // a third fraction place refuses the paste
    EXPECT_EQ(beeps, 2);
    QGuiApplication::clipboard()->setText(QStringLiteral("1000.5"));
    e->selectAll();
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e->Text(), "1000.5"); // the point kept as pasted
    QGuiApplication::clipboard()->setText(QStringLiteral("1,234,000"));
    e->selectAll();
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e->Text(), "1234000");
    EXPECT_EQ(e->Text().toLongLong(), 1234000);
}

// A money field: ',' groups thousands whether typed or pasted, and a text
// that is no whole amount stays, and is shown, as typed.
TEST_F(EditFixture, WholeWonFieldTakesCommasAsThousandsAndKeepsWhatIsNoWholeAmount)
{
    TCurrencyEdit *e = amountField();
    e->SetWholeWon(true);
    auto typeAndLeave = [&](const char *keys) {
        focus(e);
        e->selectAll();
        QTest::keyClicks(e, keys);
        const QString typed = e->Text();
        focus(other);
        return typed;
    };
    EXPECT_EQ(typeAndLeave("5,000"), "5,000"); // the comma stays while typing
    EXPECT_EQ(e->Text(), "5000");
    EXPECT_EQ(e->Value(), Decimal(5000));
    EXPECT_EQ(e->DisplayText(), "5,000");
    typeAndLeave("1,234,567");
    EXPECT_EQ(e->Value(), Decimal(1234567));
    EXPECT_EQ(e->DisplayText(), "1,234,567");

    // Pasted, the same text gives the same amount.
    focus(e);
    e->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("5,000"));
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    focus(other);
    EXPECT_EQ(e->Text(), "5000");
    EXPECT_EQ(e->Value(), Decimal(5000));

    // Neither rounded nor re-read: the screen's amount rule refuses these.
    typeAndLeave("1000.5");
    EXPECT_EQ(e->Text(), "1000.5");
    EXPECT_EQ(e->DisplayText(), "1000.5");
    EXPECT_EQ(e->Value(), num("1000.5"));
    focus(e);
    EXPECT_EQ(e->Text(), "1000.5"); // coming back does not rewrite it either
    typeAndLeave("12,34");
    EXPECT_EQ(e->Text(), "12,34");
    EXPECT_EQ(e->DisplayText(), "12,34");
    EXPECT_EQ(e->Value(), Decimal(0)); // no number where its commas stand

    // A comma has no place in the fraction.
    beeps = 0;
    typeAndLeave("1.5,");
    EXPECT_EQ(e->Text(), "1.5");
    EXPECT_EQ(beeps, 1);
    // Escape gives back the amount last read.
    focus(e);
    e->selectAll();
    QTest::keyClicks(e, "7,000");
    QTest::keyClick(e, Qt::Key_Escape);
    EXPECT_EQ(e->Text(), "1.5");
}

TEST_F(EditFixture, InputMethodAndDroppedTextPassTheKeyFilter)
{
    TCurrencyEdit *e = amountField();
    QString seen;
    e->OnKeyPress = [&](QObject *, QChar &key) { seen += key; };
    focus(e);
    auto commit = [&](const QString &text) {
        QInputMethodEvent preedit(text, {});
        QApplication::sendEvent(e, &preedit);
        QInputMethodEvent done;
        done.setCommitString(text);
        QApplication::sendEvent(e, &done);
    };
    commit(QStringLiteral("가a"));
    EXPECT_EQ(e->Text(), "");
    EXPECT_EQ(e->Value(), Decimal(0));
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(seen, "가a"); // the form's key handler sees them as typed keys
    commit(QStringLiteral("12"));
    EXPECT_EQ(e->Text(), "12");

    auto drop = [&](const QString &text) {
        QMimeData data;
        data.setText(text);
        const QPoint at(e->width() - 5, e->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e, &move);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e, &dropped);
    };
    beeps = 0;
    drop(QStringLiteral("가a"));
    EXPECT_EQ(e->Text(), "12");
    EXPECT_EQ(beeps, 1);
    drop(QStringLiteral("3,000"));
    EXPECT_EQ(e->Text(), "123000");
    EXPECT_EQ(e->Value(), Decimal(123000));
}

TEST_F(EditFixture, HandlerErrorsAreShownNotThrown)
{
    qvx::ScriptedPrompt prompt;
    TCurrencyEdit *e = amountField();
    e->SetMaxValue(100);
    e->SetCheckOnExit(true);
    e->OnChange = [](QObject *) { throw std::runtime_error("handler failed"); };
    focus(e);
    QTest::keyClicks(e, "5");
    EXPECT_EQ(e->Text(), "5");
    EXPECT_TRUE(prompt.contains(QStringLiteral("handler failed")));
    e->OnChange = nullptr;

    // leaving with an out-of-range value under CheckOnExit keeps the focus
    int exits = 0;
    e->OnExit = [&](QObject *) { ++exits; };
    QTest::keyClicks(e, "00");
    prompt.clear();
    other->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(prompt.lastText(), "0.00에서 100.00 사이의 값을 입력하시기 바랍니다.");
    EXPECT_TRUE(e->hasFocus());
    EXPECT_EQ(e->selectedText(), "500");
    EXPECT_EQ(exits, 0);
}

TEST_F(EditFixture, CalculatorPopupOpensAndReturnsItsValue)
{
    TCurrencyEdit *e = amountField();
    e->SetCalculatorPopup(true);
    ASSERT_NE(e->Calculator(), nullptr);
    focus(e);
    QTest::keyClicks(e, "12");
    QTest::keyClick(e, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(e->PopupVisible()); // the click key needs a visible button
    e->SetButtonWidth(20);
    QTest::keyClick(e, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(e->PopupVisible());
    EXPECT_TRUE(e->Calculator()->isVisible());
    EXPECT_EQ(e->Calculator()->GetPopupText(), "12");
    QTest::keyClicks(e, "*3");
    EXPECT_EQ(e->Calculator()->GetPopupText(), "3");
    EXPECT_EQ(e->Text(), "12"); // the edit keeps its text until the result
    QTest::keyClick(e, Qt::Key_Equal);
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->Text(), "36");
    EXPECT_EQ(e->Value(), Decimal(36));

    // a fraction result is kept to the field's two places
    QTest::keyClick(e, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClicks(e, "/8");
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_EQ(e->Text(), "4.5");

    // Escape closes without taking the value; the button toggles it
    QTest::keyClick(e, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClicks(e, "99");
    QTest::keyClick(e, Qt::Key_Escape);
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->Text(), "4.5");
    QTest::mouseClick(e->Button(), Qt::LeftButton);
    EXPECT_TRUE(e->PopupVisible());
    QTest::mouseClick(e->Button(), Qt::LeftButton);
    EXPECT_FALSE(e->PopupVisible()); // closed, not opened again

    // the calculator's keys work by mouse too, and an error is not taken
    QTest::keyClick(e, Qt::Key_Down, Qt::AltModifier);
    TLocCalculator *calc = e->Calculator()->Calculator();
    QTest::mouseClick(calc->KeyButton(8), Qt::LeftButton);  // 7
    QTest::mouseClick(calc->KeyButton(13), Qt::LeftButton); // /
    QTest::mouseClick(calc->KeyButton(1), Qt::LeftButton);  // 0
    QTest::mouseClick(calc->KeyButton(20), Qt::LeftButton); // =
    EXPECT_TRUE(e->PopupVisible());
    EXPECT_EQ(e->Calculator()->GetPopupText(), "Error");
    focus(other);
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->Value(), num("4.5"));
}

TEST_F(EditFixture, SeparatorsWhileEditingAndReadOnlyTotals)
{
    auto *e = place(new TCustomNumEdit);
    e->SetDisplayFormat(QStringLiteral(",0.##"));
    e->SetFormatOnEditing(true);
    int changes = 0;
    e->OnChange = [&](QObject *) { ++changes; };
    focus(e);
    QTest::keyClicks(e, "1234567");
    EXPECT_EQ(e->Text(), "1,234,567");
    EXPECT_EQ(e->cursorPosition(), 9); // the caret keeps its distance from the end
    EXPECT_EQ(changes, 7);             // the rewrites themselves do not count
    EXPECT_EQ(e->Value(), Decimal(1234567));
    focus(other);
    EXPECT_EQ(e->Text(), "1234567");

    // a display-only total as the forms set it
    auto *total = new TCurrencyEdit;
    total->setParent(&window);
    total->setGeometry(150, 10, 121, 21);
    total->show();
    total->SetDisplayFormat(QStringLiteral(",0.;-\\,0."));
    total->SetReadOnly(true);
    total->SetColor(clInfoBk);
    total->SetValue(1500000);
    focus(total);
    QTest::keyClicks(total, "9");
    EXPECT_EQ(total->Text(), "1500000");
    EXPECT_EQ(total->Value(), Decimal(1500000));
    focus(other);
    // painting without and with the focus
    EXPECT_FALSE(total->grab().isNull());
    focus(total);
    EXPECT_FALSE(total->grab().isNull());
}

TEST_F(EditFixture, PopupDropsUpAboveWhenNoRoomBelow)
{
    TCurrencyEdit *e = amountField();
    e->SetCalculatorPopup(true);
    e->SetButtonWidth(20);
    const QRect screen = window.screen()->geometry();
    window.move(0, screen.bottom() - 60);
    QCoreApplication::processEvents();
    focus(e);
    QTest::keyClick(e, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(e->PopupVisible());
    const QPoint editTop = e->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(e->Calculator()->geometry().bottom() + 1, editTop.y());
    EXPECT_EQ(e->Calculator()->geometry().right() + 1, editTop.x() + e->width()); // right-aligned
    QTest::keyClick(e, Qt::Key_Escape);
    EXPECT_FALSE(e->PopupVisible());
}

// Typed key by key or pasted, an amount field ends with the same text: a key
// no amount holds is refused alone and what follows it is taken; a pasted
// text holding one is refused whole; white space at a paste's ends is dropped.
TEST_F(EditFixture, AmountFieldTypedOrPastedNeverDropsTheDigitsThatFollow)
{
    TCurrencyEdit *e = amountField();
    e->SetWholeWon(true);
    auto typedText = [&](const QString &text) {
        focus(e);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        beeps = 0;
        for (QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(e, char(c.unicode()));
            else // a full-width digit, as the input method gives it
                QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        const QString t = e->Text();
        focus(other);
        return t;
    };
    auto pasted = [&](const QString &text) {
        focus(e);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        beeps = 0;
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        const QString t = e->Text();
        focus(other);
        return t;
    };
    // The blank is refused alone: the three zeros after it stay.
    EXPECT_EQ(typedText(QStringLiteral("5 000")), "5000");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(e->Value(), Decimal(5000));
    EXPECT_EQ(pasted(QStringLiteral("5 000")), "");
    EXPECT_EQ(beeps, 1);
    // A full-width digit likewise.
    EXPECT_EQ(typedText(QStringLiteral("9\uFF18")), "9");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(pasted(QStringLiteral("9\uFF18")), "");
    // ".5" is kept as typed or pasted, for the amount rule to refuse.
    EXPECT_EQ(typedText(QStringLiteral(".5")), ".5");
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(e->Text(), ".5");
    EXPECT_EQ(pasted(QStringLiteral(".5")), ".5");
    EXPECT_EQ(typedText(QStringLiteral("5,00,0")), "5,00,0");
    EXPECT_EQ(pasted(QStringLiteral("5,00,0")), "5,00,0");
    // Cells copied from a spreadsheet.
    for (const QString &cell : {QStringLiteral("5,000\n"), QStringLiteral("5,000\r\n"), QStringLiteral("\t5,000"),
                                QStringLiteral("\u00A05,000"), QStringLiteral("5,000\u3000")}) {
        pasted(cell);
        EXPECT_EQ(beeps, 0) << cell.toStdString();
        EXPECT_EQ(e->Text(), "5000") << cell.toStdString();
        EXPECT_EQ(e->Value(), Decimal(5000)) << cell.toStdString();
    }
    EXPECT_EQ(pasted(QStringLiteral("abc-,x")), "");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(pasted(QStringLiteral("1e3")), "");

    // 19 digits and more stay as typed, never "1E19".
    typedText(QStringLiteral("1234567890123456789"));
    EXPECT_EQ(e->Text(), "1234567890123456789");
    EXPECT_EQ(e->DisplayText(), "1234567890123456789");
    focus(e);
    EXPECT_EQ(e->Text(), "1234567890123456789");
    typedText(QStringLiteral("10000000000000000000"));
    EXPECT_EQ(e->Text(), "10000000000000000000");
}

// The X11 middle-button paste goes through the same check as any paste.
TEST_F(EditFixture, MiddleButtonPasteOfTheSelectionIsCheckedAsAnyPaste)
{
    TCurrencyEdit *e = amountField();
    e->SetWholeWon(true);
    QClipboard *clipboard = QGuiApplication::clipboard();
    const bool platformSelection = clipboard->supportsSelection();
    QString selection;
    if (!platformSelection)
        SetSelectionTextSource([&] { return std::optional<QString>(selection); });
    auto middlePaste = [&](const QString &text) {
        focus(e);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        beeps = 0;
        selection = text;
        if (platformSelection)
            clipboard->setText(text, QClipboard::Selection);
        QTest::mouseClick(e, Qt::MiddleButton, Qt::NoModifier, QPoint(5, e->height() / 2));
        return e->Text();
    };
    EXPECT_EQ(middlePaste(QStringLiteral("abc-,x")), "");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(middlePaste(QStringLiteral("1e3")), "");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(middlePaste(QStringLiteral("5,000\n")), "5,000");
    EXPECT_EQ(beeps, 0);
    focus(other);
    EXPECT_EQ(e->Value(), Decimal(5000));

    // Read-only: nothing goes in.
    e->SetReadOnly(true);
    EXPECT_EQ(middlePaste(QStringLiteral("7")), "5000");
    e->SetReadOnly(false);
    SetSelectionTextSource(nullptr);
}

// A number field that is not money: a lone sign left by Backspace reads as 0
// and the field is left; no English text reaches the user.
TEST_F(EditFixture, ALoneSignInANumberFieldIsLeftWithoutAMessage)
{
    qvx::ScriptedPrompt prompt;
    auto *seq = place(new TCurrencyEdit);
    seq->SetDecimalPlaces(0);
    seq->SetDisplayFormat(QStringLiteral("0"));
    focus(seq);
    QTest::keyClick(seq, Qt::Key_5);
    QTest::keyClick(seq, Qt::Key_Home);
    QTest::keyClick(seq, Qt::Key_Plus);
    QTest::keyClick(seq, Qt::Key_End);
    QTest::keyClick(seq, Qt::Key_Backspace);
    EXPECT_EQ(seq->Text(), "+");
    QTest::keyClick(seq, Qt::Key_Tab);
    EXPECT_FALSE(seq->hasFocus());
    EXPECT_TRUE(prompt.texts().isEmpty()) << prompt.lastText().toStdString();
    EXPECT_EQ(seq->Value(), Decimal(0));
    try {
        seq->SetText(QStringLiteral("x"));
        FAIL() << "no conversion error";
    } catch (const qvx::ConvertError &err) {
        EXPECT_STREQ(err.what(), "'x'은(는) 올바른 숫자가 아닙니다.");
    }
}
