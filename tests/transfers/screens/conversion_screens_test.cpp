// The transfer file conversion as a maker runs it from the entry screen, the
// conversion layout dialog, the send/receive module's layout editor and the
// data file list, against the demo server.
#include "TransferScreenTest.h"

#include "core/AutoSend.h"
#include "core/DayLog.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/KitGroup.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/FileChooser.h"
#include "platform/IniFile.h"
#include "platform/Spreadsheet.h"
#include "platform/TextFile.h"
#include "transfers/TransferConversion.h"
#include "transfers/TransferLog.h"
#include "transfers/ConvertDemo.h"
#include "transfers/screens/DataConvertRun.h"
#include "transfers/conversion/CatchIcheG.h"
#include "transfers/conversion/CatchIcheGA.h"
#include "transfers/screens/DataFileUnit.h"
#include "transfers/screens/IcheMakeUnit.h"
#include "transfers/screens/TransferGrid.h"

#include <QLabel>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTextEdit>
#include <QTextBlock>

using namespace transfertest;

namespace {

void clickItem(QListWidget *list, const QString &text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << qPrintable(text);
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

// Selects characters [from, from + n) of the preview's first line (caret
// keys) and releases the mouse button over it with Ctrl held.
void ctrlSelect(QTextEdit *memo, int from, int n)
{
    memo->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < from; ++i)
        QTest::keyClick(memo, Qt::Key_Right);
    for (int i = 0; i < n; ++i)
        QTest::keyClick(memo, Qt::Key_Right, Qt::ShiftModifier);
    const QPoint at = memo->cursorRect().center();
    QTest::mouseRelease(memo->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
    QCoreApplication::processEvents();
}

// Types into a cell of the layout grid as a person does: a double click
// opens the editor, the text, Enter.
void typeCell(TListGrid *grid, int col, int row, const QString &text)
{
    ClickGridCell(grid, col, row, true);
    QLineEdit *editor = nullptr;
    for (QLineEdit *e : grid->viewport()->findChildren<QLineEdit *>())
        if (e->isVisible())
            editor = e;
    ASSERT_NE(editor, nullptr) << "no editor opened at " << col << "," << row;
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The list takes the text once the editor has closed.
    EXPECT_TRUE(ClientFixture::waitFor([&] { return grid->Cells(col, row) == text; }));
}

class ConversionScreens : public MakerOnEntryScreen
{
protected:
    QString writeFile(const char *name, const QStringList &lines)
    {
        const QString file = client.home() + QLatin1Char('/') + QString::fromUtf8(name);
        EXPECT_TRUE(qvx::TextFile::writeLines(file, lines));
        return file;
    }

    QStringList dayLog() const { return qvx::TextFile::readLines(DayLogFileName()); }

    int count(const QString &sql) { return client.server().query(sql).value(0, 0).toInt(); }

    // Converts the chosen file by "1-쉼표 구분" from mother bank [04], as a
    // person picks them.
    void convertComma(Tqv_IcheMake_frm *s)
    {
        OnNextModal([&](QDialog *d) {
            auto *dialog = qobject_cast<TFrmCatchG *>(d);
            if (!dialog)
                return d->reject();
            clickItem(dialog->edTitleList, QStringLiteral("1-쉼표 구분"));
            ClickControl(dialog->BtnOpenDlg);
            Pick(dialog->edMoBankNo, ItemWith(dialog->edMoBankNo, QStringLiteral("[04]")));
            ClickControl(dialog->BtnConvert);
        });
        ClickControl(s->btn_dataconvert);
    }
};

const QStringList CommaFile = {
    QStringLiteral("04,1234-0123-4567,150000,3월 급여,김민준"),
    QStringLiteral("88,110123456789,1,000,000,상여,이서연"), // thousands separator: refused
    QStringLiteral("77,110123456789,5000,,박도윤"),          // no such bank: refused
    QStringLiteral("04,123401234567,25000,,한빛상사(주)"),
};

} // namespace

TEST_F(ConversionScreens, ACommaFileBecomesRowsWithRefusedLinesLoggedAndControlsLockedMeanwhile)
{
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    const QString file = writeFile("급여.csv", CommaFile);
    qvx::ScriptedFileChooser chooser;
    chooser.enqueue(file);

    QString title;
    OnNextModal([&](QDialog *d) {
        auto *dialog = qobject_cast<TFrmCatchG *>(d);
        if (!dialog)
            return d->reject();
        title = dialog->Title();
        clickItem(dialog->edTitleList, QStringLiteral("1-쉼표 구분"));
        ClickControl(dialog->BtnOpenDlg);
        // The comma layout previews the first line's tokens.
        EXPECT_EQ(dialog->Grid->Cells(3, 1), QStringLiteral("04"));
        EXPECT_EQ(dialog->Grid->Cells(3, 5), QStringLiteral("김민준"));
        Pick(dialog->edMoBankNo, ItemWith(dialog->edMoBankNo, QStringLiteral("[04]")));
        SavePicture(dialog, "FrmCatchG");
        ClickControl(dialog->BtnConvert);
    });
    bool lockedAtTheEnd = false;
    client.prompt().setCallback([&](const qvx::ScriptedPrompt::Entry &e) {
        if (e.text == QStringLiteral("자료변환 처리가 완료되었습니다"))
            lockedAtTheEnd = !s->btn_dataconvert->isEnabled() && !s->btn_accept->isEnabled() &&
                             !s->grd_ichelist->isEnabled() && !s->KitButton1->isEnabled();
    });
    ClickControl(s->btn_dataconvert);
    client.prompt().setCallback({});

    EXPECT_EQ(title, QStringLiteral(" ◎ 지급이체 자료 목록"));
    EXPECT_TRUE(lockedAtTheEnd);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("자료변환 처리가 완료되었습니다"));
    EXPECT_TRUE(s->btn_dataconvert->isEnabled());
    EXPECT_TRUE(s->grd_ichelist->isEnabled());

    ASSERT_EQ(TransferRowCount(s->grd_ichelist), 2);
    const TransferRow first = ReadTransferRow(s->grd_ichelist, 1);
    EXPECT_EQ(first.no, QStringLiteral("1"));
    EXPECT_EQ(first.name, QStringLiteral("김민준"));
    EXPECT_EQ(first.money, QStringLiteral("150,000"));
    EXPECT_EQ(first.bankNo, FormatAcctNo(QStringLiteral("04"), QStringLiteral("123401234567")));
    EXPECT_EQ(first.moBankName, QStringLiteral("국민은행"));
    EXPECT_EQ(first.workDiv, QStringLiteral("당행"));
    EXPECT_EQ(first.gubun, QStringLiteral("30"));
    EXPECT_EQ(first.info, QStringLiteral("3월 급여"));
    EXPECT_EQ(ReadTransferRow(s->grd_ichelist, 2).name, QStringLiteral("한빛상사(주)"));
    EXPECT_EQ(s->curredt_tgun->Value().toInt64(), 4);
    EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 2);
    EXPECT_EQ(s->curredt_gun->Value().toInt64(), 2);
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 175000);
    EXPECT_EQ(client.session().ConvLayout[cvMoney].start, 18);
    EXPECT_EQ(client.session().ConvLayout[cvMoney].length, 13);

    const QStringList log = dayLog();
    const QString stamp = qvx::Clock::today();
    int errors = 0;
    for (const QString &line : log)
        if (line.startsWith(QStringLiteral("자료변환 Error -> ") + stamp))
            ++errors;
    EXPECT_EQ(errors, 2);
    // The thousands separator line shows its tokens as they were cut; it made no row.
    EXPECT_EQ(log.filter(QStringLiteral("      88 110123456789    1             000")).size(), 1);
    EXPECT_EQ(log.filter(QStringLiteral("      77 110123456789    5000          박도윤")).size(), 1);
    EXPECT_EQ(log.filter(QStringLiteral("자료변환 파일 선택 : ") + file).size(), 1);
    EXPECT_EQ(log.filter(QStringLiteral("자료변환  정상건수:    2 오류건수:    2 이체금액:         175000")).size(), 1);
    SavePicture(s, "qv_IcheMake_frm-converted");
    s->close();
}

TEST_F(ConversionScreens, DuplicatesAreAskedAndCancelDropsTheLine)
{
    Tqv_IcheMake_frm *s = openEntry(false);
    ASSERT_NE(s, nullptr);
    // The same payee and amount twice, and a fixed-width layout of the demo.
    const QString line = FixLenSpace(QStringLiteral("04"), 2, true) + FixLenSpace(QStringLiteral("123401234567"), 15, true) +
                         FixLenSpace(QStringLiteral("70000"), 13, false) + FixLenSpace(QStringLiteral("이서연"), 20, true) +
                         FixLenSpace(QStringLiteral("회비"), 20, true);
    const QString other = FixLenSpace(QStringLiteral("04"), 2, true) + FixLenSpace(QStringLiteral("123401234567"), 15, true) +
                          FixLenSpace(QStringLiteral("5000"), 13, false) + FixLenSpace(QStringLiteral("박도윤"), 20, true) +
                          FixLenSpace(QStringLiteral("회비"), 20, true);
    const QString file = writeFile("fixed.txt", {line, other, line});
    // While the question is open the counters show the lines handled so far.
    qint64 shownWhenAsked = -1;
    client.prompt().setCallback([&](const qvx::ScriptedPrompt::Entry &e) {
        if (e.text.startsWith(QStringLiteral("중복이체자료를 발견하였습니다.")))
            shownWhenAsked = s->curredt_gun->Value().toInt64();
    });
    qvx::ScriptedFileChooser chooser;
    chooser.enqueue(file);
    OnNextModal([&](QDialog *d) {
        auto *dialog = qobject_cast<TFrmCatchG *>(d);
        if (!dialog)
            return d->reject();
        clickItem(dialog->edTitleList, QStringLiteral("표준 고정길이"));
        EXPECT_EQ(dialog->cmb_dataparsing->ItemIndex(), 0);
        ClickControl(dialog->BtnConvert);
    });
    client.prompt().enqueueAnswer(true);  // go on without a mother account ("당행")
    client.prompt().enqueueAnswer(false); // the duplicate: Cancel
    ClickControl(s->btn_dataconvert);

    client.prompt().setCallback({});
    EXPECT_EQ(shownWhenAsked, 2);
    EXPECT_EQ(TransferRowCount(s->grd_ichelist), 2);
    EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 1);
    EXPECT_EQ(s->curredt_gun->Value().toInt64(), 2);
    EXPECT_TRUE(client.prompt().contains(
        QStringLiteral("모계좌번호를 선택하지 않았습니다.\r\r모계좌번호를 선택하지 않을 경우 변환 시\r\r"
                       "타은행계좌이체의 경우 오류건수로 처리됩니다.\r\r계속 진행하시겠습니까?")));
    EXPECT_TRUE(client.prompt().contains(DuplicateQuestion(QStringLiteral("이서연"), QStringLiteral("70,000"))));
    EXPECT_EQ(dayLog().filter(QStringLiteral("자료변환 중복이체건 삭제 -> 거래처명 : 이서연  이체금액 :        70,000 원")).size(), 1);
    s->close();
}

TEST_F(ConversionScreens, AnEmptyBankCodeTableStopsTheConversion)
{
    client.server().exec(QStringLiteral("delete from allbank"));
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    qvx::ScriptedFileChooser chooser;
    chooser.enqueue(writeFile("a.csv", CommaFile));
    OnNextModal([&](QDialog *d) {
        auto *dialog = qobject_cast<TFrmCatchG *>(d);
        if (!dialog)
            return d->reject();
        clickItem(dialog->edTitleList, QStringLiteral("1-쉼표 구분"));
        Pick(dialog->edMoBankNo, 1);
        ClickControl(dialog->BtnConvert);
    });
    ClickControl(s->btn_dataconvert);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("은행기본정보가 존재하지 않습니다."));
    EXPECT_FALSE(client.prompt().contains(QStringLiteral("자료변환 처리가 완료되었습니다")));
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));
    s->close();
}

TEST_F(ConversionScreens, AFileOfMoreLinesThanABatchHoldsIsRefusedAndTheListKept)
{
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    qvx::ScriptedFileChooser chooser;
    chooser.enqueue(writeFile("a.csv", CommaFile));
    auto convert = [&] {
        convertComma(s);
    };
    convert();
    ASSERT_EQ(TransferRowCount(s->grd_ichelist), 2);
    const QList<TransferRow> before = TransferRows(s->grd_ichelist);

    // One line and a million line ends after it.
    const QString huge = client.home() + QStringLiteral("/huge.csv");
    ASSERT_TRUE(qvx::TextFile::writeBytes(huge, qvx::Cp949::encode(CommaFile[0]) + QByteArray(1'000'001, '\n')));
    chooser.enqueue(huge);
    client.prompt().clear();
    convert();
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("파일의 줄이 너무 많아 읽을 수 없습니다 (한 번에 최대 1,000,000줄)."));
    EXPECT_FALSE(client.prompt().contains(QStringLiteral("자료변환 처리가 완료되었습니다")));
    EXPECT_EQ(TransferRows(s->grd_ichelist), before);
    s->close();
}

// A megabyte of random bytes named .txt (also with its zero bytes taken out)
// and a spreadsheet are no text: one message, nothing in the list, one line
// in the day's log.
TEST_F(ConversionScreens, AFileThatIsNoTextIsRefusedOnceWithNothingInTheList)
{
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    QByteArray noise(1 << 20, Qt::Uninitialized);
    QRandomGenerator(42).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    const QString binary = client.home() + QStringLiteral("/noise.txt");
    ASSERT_TRUE(qvx::TextFile::writeBytes(binary, noise));
    const QString noNul = client.home() + QStringLiteral("/noise-without-nul.txt");
    ASSERT_TRUE(qvx::TextFile::writeBytes(noNul, QByteArray(noise).replace('\0', QByteArray())));
    const QString sheet = client.home() + QStringLiteral("/a.xlsx");
    ASSERT_TRUE(qvx::Spreadsheet::write(sheet, {{QStringLiteral("04"), QStringLiteral("123401234567"),
                                                 QStringLiteral("25000"), QString(), QStringLiteral("한빛상사(주)")}}));
    qvx::ScriptedFileChooser chooser;
    for (const QString &file : {binary, noNul, sheet}) {
        chooser.enqueue(file);
        client.prompt().clear();
        const qsizetype logged = dayLog().size();
        convertComma(s);
        EXPECT_EQ(client.prompt().texts(), QStringList{QStringLiteral("읽을 수 있는 텍스트 파일이 아닙니다.\r\r") + file});
        EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));
        EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 0);
        // What the conversion logged (the relay's frames are logged alongside).
        QStringList log = dayLog().mid(logged);
        log.removeIf([](const QString &line) { return line.contains(QStringLiteral("<STX>")); });
        ASSERT_EQ(log.size(), 1) << qPrintable(log.join(QLatin1Char('\n')));
        EXPECT_TRUE(log[0].endsWith(QStringLiteral("자료변환 파일 거부 : ") + file
                                    + QStringLiteral(" : 읽을 수 있는 텍스트 파일이 아닙니다.")))
            << qPrintable(log[0]);
    }
    EXPECT_TRUE(s->btn_dataconvert->isEnabled());
    s->close();
}

// A UTF-8 transfer file, with or without its byte-order mark, is read as
// UTF-8: every line is taken, its names and memos as written.
TEST_F(ConversionScreens, AUtf8FileIsReadAsUtf8WithOrWithoutItsMark)
{
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    const QStringList names = {QStringLiteral("강건"), QStringLiteral("김민준"), QStringLiteral("이서연"),
                               QStringLiteral("한빛상사(주)"), QStringLiteral("박지훈")};
    constexpr int Lines = 3000;
    qvx::ScriptedFileChooser chooser;
    int expected = 0;
    for (const bool mark : {false, true}) {
        QByteArray bytes = mark ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        for (int i = 0; i < Lines; ++i)
            bytes += "04,123401234567," + QByteArray::number(1000 + i + (mark ? Lines : 0)) + ","
                     + QStringLiteral("급여,").toUtf8() + names[i % names.size()].toUtf8() + "\r\n";
        const QString file = client.home() + (mark ? QStringLiteral("/utf8-mark.csv") : QStringLiteral("/utf8.csv"));
        ASSERT_TRUE(qvx::TextFile::writeBytes(file, bytes));
        chooser.enqueue(file);
        convertComma(s);
        expected += Lines;
        EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 0) << mark;
        ASSERT_EQ(TransferRowCount(s->grd_ichelist), expected) << mark;
    }
    const QVector<TransferRow> rows = TransferRows(s->grd_ichelist);
    for (int i : {0, 1, 3, Lines, Lines + 2 * Lines / 3}) {
        EXPECT_EQ(rows[i].name, names[i % Lines % names.size()]) << i;
        EXPECT_EQ(rows[i].info, QStringLiteral("급여")) << i;
    }
    s->close();
}

TEST_F(ConversionScreens, LayoutsAreCreatedChangedAndDeletedWithTheirChecks)
{
    TFrmCatchG dialog(client.context(), main);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ExpectButtonsBound(&dialog);
    // The first layout is loaded on activation.
    EXPECT_EQ(dialog.edTitle->text(), QStringLiteral("표준 고정길이"));
    EXPECT_EQ(dialog.Grid->Cells(1, 5), QStringLiteral("31"));

    // A file with Korean text: fields are marked by selecting in the preview.
    qvx::ScriptedFileChooser chooser;
    chooser.enqueue(writeFile("k.txt", {QStringLiteral("04김민준    0000015000123401234567   급여")}));
    ClickControl(dialog.BtnOpenDlg);
    EXPECT_EQ(dialog.Memo->document()->firstBlock().text(), QStringLiteral("04김민준    0000015000123401234567   급여"));
    EXPECT_EQ(dialog.Memo->document()->blockCount(), 10);
    // Lines of Korean text in the preview and in the layout list stand apart.
    {
        const int glyphs = KoreanGlyphHeight(dialog.Memo->font());
        QTextCursor first(dialog.Memo->document()->findBlockByNumber(0));
        QTextCursor second(dialog.Memo->document()->findBlockByNumber(1));
        EXPECT_GE(dialog.Memo->cursorRect(second).top() - dialog.Memo->cursorRect(first).top(), glyphs + 2);
        ASSERT_GE(dialog.edTitleList->count(), 2);
        EXPECT_GE(dialog.edTitleList->visualItemRect(dialog.edTitleList->item(1)).top() -
                      dialog.edTitleList->visualItemRect(dialog.edTitleList->item(0)).top(),
                  KoreanGlyphHeight(dialog.edTitleList->font()) + 2);
        // All ten lines fit the box.
        QTextCursor last(dialog.Memo->document()->lastBlock());
        EXPECT_LE(dialog.Memo->cursorRect(last).bottom(), dialog.Memo->viewport()->height());
    }

    ClickControl(dialog.btnInsert);
    EXPECT_FALSE(dialog.btnInsert->isEnabled());
    EXPECT_TRUE(dialog.btnSave->isEnabled());
    EXPECT_FALSE(dialog.BtnConvert->isEnabled());
    TypeText(dialog.edTitle, QStringLiteral("급여 파일"));
    const struct
    {
        int row, from, n, start, length;
    } marks[] = {{1, 0, 2, 1, 2}, {5, 2, 3, 3, 6}, {3, 9, 10, 13, 10}, {2, 19, 12, 23, 12}, {4, 34, 2, 38, 4}};
    for (const auto &m : marks) {
        ClickGridCell(dialog.Grid, 3, m.row);
        ctrlSelect(dialog.Memo, m.from, m.n);
        EXPECT_EQ(dialog.Grid->Cells(1, m.row), QString::number(m.start)) << m.row;
        EXPECT_EQ(dialog.Grid->Cells(2, m.row), QString::number(m.length)) << m.row;
    }
    EXPECT_EQ(dialog.Grid->Cells(3, 5), QStringLiteral("김민준"));
    EXPECT_EQ(dialog.Grid->Cells(3, 4), QStringLiteral("급여"));

    // A cell that is no whole number stops the save.
    typeCell(dialog.Grid, 2, 3, QStringLiteral("1O"));
    EXPECT_EQ(dialog.Grid->Cells(2, 3), QStringLiteral("1O"));
    ClickControl(dialog.btnSave);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("이체금액의 시작과 크기를 숫자로 기입하시기 바랍니다."));
    // Cancel keeps what was typed; converting by it is refused the same way.
    ClickControl(dialog.btnCancel);
    client.prompt().clear();
    ClickControl(dialog.BtnConvert);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("이체금액의 시작과 크기를 숫자로 기입하시기 바랍니다."));
    EXPECT_TRUE(dialog.isVisible());
    ClickControl(dialog.btnInsert);
    TypeText(dialog.edTitle, QStringLiteral("급여 파일"));
    for (const auto &m : marks) {
        ClickGridCell(dialog.Grid, 3, m.row);
        ctrlSelect(dialog.Memo, m.from, m.n);
    }
    ClickControl(dialog.btnSave);
    EXPECT_EQ(count(QStringLiteral("select count(*) from convertg where Title = '급여 파일' and SNameS = 3 and "
                                   "SNameN = 6 and CInfoS = 38 and MoneyN = 10")),
              1);
    EXPECT_TRUE(dialog.btnInsert->isEnabled());
    SavePicture(&dialog, "FrmCatchG-layout");

    // The same title again is refused.
    ClickControl(dialog.btnInsert);
    TypeText(dialog.edTitle, QStringLiteral("급여 파일"));
    ClickControl(dialog.btnSave);
    EXPECT_EQ(client.prompt().lastText(), LayoutMessages::TitleTaken);
    ClickControl(dialog.btnCancel);
    EXPECT_EQ(count(QStringLiteral("select count(*) from convertg where Title = '급여 파일'")), 1);

    // Edit keeps a delimited layout delimited.
    clickItem(dialog.edTitleList, QStringLiteral("1-쉼표 구분"));
    ClickControl(dialog.btnEdit);
    EXPECT_EQ(dialog.cmb_dataparsing->ItemIndex(), 1);
    TypeText(dialog.edTitle, QStringLiteral("1-쉼표 파일"));
    ClickControl(dialog.btnSave);
    EXPECT_EQ(count(QStringLiteral("select count(*) from convertg where Title = '1-쉼표 파일'")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from convertg where Title like '1-쉼표 구분%'")), 0);

    // Delete asks first.
    clickItem(dialog.edTitleList, QStringLiteral("급여 파일"));
    client.prompt().enqueueAnswer(true);
    ClickControl(dialog.btnDelete);
    EXPECT_EQ(client.prompt().entries().last().text, QStringLiteral("저장된 자료를 삭제하시겠습니까?"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from convertg where Title = '급여 파일'")), 0);
    EXPECT_TRUE(dialog.edTitleList->findItems(QStringLiteral("급여 파일"), Qt::MatchExactly).isEmpty());
    dialog.close();
}

TEST_F(ConversionScreens, ThePreviewSitsUnderItsRulerAndACtrlDragNextToTheLastFieldMarksTheNewOne)
{
    TFrmCatchG dialog(client.context(), main);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    qvx::ScriptedFileChooser chooser;
    chooser.enqueue(writeFile("k.txt", {QStringLiteral("04김민준    0000015000123401234567   급여")}));
    ClickControl(dialog.BtnOpenDlg);
    QTextEdit *memo = dialog.Memo;
    const auto caretX = [memo, &dialog](int position) {
        QTextCursor c(memo->document());
        c.setPosition(position);
        return memo->viewport()->mapTo(&dialog, memo->cursorRect(c).topLeft()).x();
    };
    // Each character starts exactly under the ruler digit of its first byte.
    const QFontMetrics ruler(dialog.lblRuler->font());
    const QString digits = dialog.lblRuler->text();
    for (const auto &[position, byte] : {std::pair{0, 0}, std::pair{2, 2}, std::pair{5, 8}, std::pair{12, 15}}) {
        const int rulerX = dialog.lblRuler->mapTo(&dialog, QPoint(dialog.lblRuler->contentsRect().left()
                                                                       + ruler.horizontalAdvance(digits.left(byte)), 0)).x();
        EXPECT_EQ(caretX(position), rulerX) << "character " << position;
    }

    ClickControl(dialog.btnInsert);
    TypeText(dialog.edTitle, QStringLiteral("끌기 파일"));
    ClickGridCell(dialog.Grid, 3, 1);
    ctrlSelect(memo, 0, 2);
    EXPECT_EQ(dialog.Grid->Cells(1, 1), QStringLiteral("1"));
    // Ctrl+drag from inside the field just marked, over "4김민".
    const int y = memo->cursorRect().center().y();
    memo->setFocus(Qt::MouseFocusReason);
    QTest::mousePress(memo->viewport(), Qt::LeftButton, Qt::ControlModifier, QPoint(caretX(1) - memo->viewport()->mapTo(&dialog, QPoint()).x() + 1, y));
    for (int position : {2, 3, 4}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(caretX(position) - memo->viewport()->mapTo(&dialog, QPoint()).x(), y),
                         memo->viewport()->mapToGlobal(QPointF(caretX(position), y)), Qt::NoButton, Qt::LeftButton,
                         Qt::ControlModifier);
        QApplication::sendEvent(memo->viewport(), &move);
    }
    QTest::mouseRelease(memo->viewport(), Qt::LeftButton, Qt::ControlModifier,
                        QPoint(caretX(4) - memo->viewport()->mapTo(&dialog, QPoint()).x(), y));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.Grid->Cells(1, 1), QStringLiteral("2"));
    EXPECT_EQ(dialog.Grid->Cells(2, 1), QStringLiteral("5"));
    EXPECT_EQ(dialog.Grid->Cells(3, 1), QStringLiteral("4김민"));
    SavePicture(&dialog, "FrmCatchG-ruler");
    ClickControl(dialog.btnCancel);
    dialog.close();
}

TEST_F(ConversionScreens, NothingSelectedRefusesEditSaveAndDelete)
{
    client.server().exec(QStringLiteral("delete from convertg"));
    TFrmCatchG dialog(client.context(), main);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ClickControl(dialog.btnEdit);
    EXPECT_EQ(client.prompt().lastText(), LayoutMessages::NoneSelected);
    EXPECT_TRUE(dialog.btnEdit->isEnabled());
    ClickControl(dialog.btnDelete);
    EXPECT_EQ(client.prompt().lastText(), LayoutMessages::NoneSelected);
    ClickControl(dialog.btnInsert);
    ClickControl(dialog.btnSave);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("자료 명칭을 기입하시기 바랍니다."));
    // The name is what is missing: the caret waits in it.
    EXPECT_TRUE(dialog.edTitle->hasFocus());
    dialog.close();
}

// The send/receive module's own client: its layout editor is open to it.
class SendModuleLayout : public ::testing::Test
{
protected:
    static ClientFixture::Options sendModule()
    {
        ClientFixture::Options o;
        o.sendModule = true;
        return o;
    }
    void SetUp() override
    {
        registerTransferScreens();
        ASSERT_TRUE(moduleClient.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
        main = moduleClient.mainWindow();
        ShowActive(main);
    }
    int count(const QString &sql) { return moduleClient.server().query(sql).value(0, 0).toInt(); }
    ClientFixture moduleClient{sendModule()};
    Tqv_frm *main = nullptr;
};

TEST_F(SendModuleLayout, ALayoutSavedInTheAutomaticEditorChangesWhatTheSendModuleCutsAtOnce)
{
    TriggerMenuItem(main, QStringLiteral("qv_a6"));
    auto *editor = main->findChild<TFrmCatchGA *>(QStringLiteral("FrmCatchGA"));
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
    ExpectButtonsBound(editor);
    EXPECT_EQ(editor->edTitle->text(), QStringLiteral("자동송신 표준"));
    EXPECT_EQ(editor->Grid->Cells(0, 9), QStringLiteral("전문번호"));

    const auto &layout = moduleClient.session().ConvLayout;
    // Start-up put the first layout in force.
    EXPECT_EQ(layout[cvMoney].start, 37);
    EXPECT_EQ(layout[cvMoney].length, 13);
    AutoSendLine line;
    line.layout = &layout;
    line.raw = qvx::Cp949::encode(QStringLiteral("04123401234567   20041234012345670000000070000"));
    ClickControl(editor->btnEdit);
    typeCell(editor->Grid, 1, 6, QStringLiteral("40"));
    typeCell(editor->Grid, 2, 6, QStringLiteral("7"));
    ClickControl(editor->btnSave);
    EXPECT_EQ(count(QStringLiteral("select MoneyS from convertg_s where Title = '자동송신 표준'")), 40);
    EXPECT_EQ(layout[cvMoney].start, 40);
    EXPECT_EQ(layout[cvMoney].length, 7);
    EXPECT_EQ(line.field(cvMoney), QStringLiteral("0070000"));
    EXPECT_EQ(layout[cvMoBankNo].start, 3);
    EXPECT_EQ(layout[cvSeqNo].start, 90);
    SavePicture(editor, "FrmCatchGA");

    // The menu opens a second editor beside the first, on what is stored now.
    ASSERT_TRUE(TriggerMenuItem(main, QStringLiteral("qv_a6")));
    const QList<TFrmCatchGA *> editors = main->findChildren<TFrmCatchGA *>();
    ASSERT_EQ(editors.size(), 2);
    TFrmCatchGA *second = editors[0] == editor ? editors[1] : editors[0];
    ASSERT_TRUE(QTest::qWaitForWindowExposed(second));
    EXPECT_EQ(second->edTitle->text(), QStringLiteral("자동송신 표준"));
    EXPECT_EQ(second->Grid->Cells(1, 6), QStringLiteral("40"));
    second->close();
    editor->close();
}

TEST_F(ConversionScreens, DataFileListReadsAndWritesDataIni)
{
    auto make = [&] {
        return qobject_cast<Tqv_datafile_frm *>(ScreenRegistry::instance().create(QStringLiteral("qv_datafile_frm"), main, client.context()));
    };
    {
        Tqv_datafile_frm *missing = make();
        EXPECT_EQ(client.prompt().lastText(), QStringLiteral("DATA.INI 파일이 존재하지 않습니다. 관리자에게 문의하시기 바랍니다."));
        EXPECT_EQ(missing->cmb_dataname->Items().Count(), 0);
        missing->close();
    }
    qvx::IniFile ini(client.home() + QStringLiteral("/data.ini"));
    ini.writeString(QStringLiteral("DATAFILE"), QStringLiteral("SUNABICHE_USE"), QStringLiteral("1"));
    ini.writeString(QStringLiteral("DATAFILE"), QStringLiteral("DEPOSIT_USE"), QStringLiteral("0"));
    ini.writeString(QStringLiteral("DATAFILE"), QStringLiteral("TA_ICHE_ERR_USE"), QStringLiteral("1"));
    Tqv_datafile_frm *s = make();
    ASSERT_NE(s, nullptr);
    s->show();
    EXPECT_EQ(s->cmb_dataname->Items().Count(), 2);
    EXPECT_EQ(s->cmb_dataname->Text(), QStringLiteral("수납이체전문"));
    EXPECT_EQ(s->grd_datalist->Cells(1, 0), QStringLiteral("송신일자"));
    EXPECT_EQ(s->grd_datalist->Cells(23, 0), QStringLiteral("수신일자"));
    EXPECT_EQ(s->grd_datalist->ColCount(), 24);
    // Each kind shows as many columns as its record has fields.
    for (const auto &[kind, columns, last] :
         {std::tuple{"타행이체불능통지전문", 20, "수신일자"}, std::tuple{"수납이체전문", 24, "수신일자"}}) {
        Pick(s->cmb_dataname, ItemWith(s->cmb_dataname, QString::fromUtf8(kind)));
        EXPECT_EQ(s->grd_datalist->ColCount(), columns) << kind;
        EXPECT_EQ(s->grd_datalist->Cells(columns - 1, 0), QString::fromUtf8(last)) << kind;
    }
    EXPECT_TRUE(Checked(s->chk_sunabiche));
    EXPECT_TRUE(Checked(s->chk_taicheerr));

    ClickControl(s->btn_select);
    SavePicture(s, "qv_datafile_frm-select");
    QTest::mouseClick(s->chk_sunabiche, Qt::LeftButton);
    QTest::mouseClick(s->chk_taicheerr, Qt::LeftButton);
    client.prompt().enqueueAnswer(true);
    ClickControl(s->btn_selectsave);
    EXPECT_EQ(s->cmb_dataname->Text(), QStringLiteral("선택된 자료없음"));
    const qvx::IniFile saved(client.home() + QStringLiteral("/data.ini"));
    for (const char *key : {"SUNABICHE_USE", "JIGUBICHE_USE", "DRAFT_USE", "DEPOSIT_USE", "TA_ICHE_ERR_USE"})
        EXPECT_EQ(saved.readString(QStringLiteral("DATAFILE"), QString::fromLatin1(key)), QStringLiteral("0")) << key;
    EXPECT_FALSE(s->pnl_select->isVisible());
    s->close();
}

TEST(AppendConvertedRows, TheRowsFollowTheListsOwnWithTheirNumbersAndEveryCell)
{
    const ConvertContext context = DemoConvertContext();
    const QStringList lines = {QStringLiteral("04;1234-0123-4567;1,500,000;3월 급여;김민준"),
                               QStringLiteral("88;110123456789;25000;;이서연"),
                               QStringLiteral("03;12301234567890;7;회비;박")};
    TransferConversion conversion(context, DataForm::Semicolon, CanonicalPositions());
    ConvertedRows rows;
    conversion.run(QList<QStringView>(lines.begin(), lines.end()), {}, &rows);
    ASSERT_EQ(rows.size(), 3);

    TListGrid grid;
    grid.SetColCount(TransferColumnCount);
    grid.SetRowCount(2);
    // Into an empty list from row 1, then after the rows it holds.
    AppendConvertedRows(&grid, rows);
    AppendConvertedRows(&grid, rows);
    ASSERT_EQ(TransferRowCount(&grid), 6);
    for (int r = 1; r <= 6; ++r) {
        TransferRow expected = rows.row((r - 1) % 3);
        expected.no = QString::number(r);
        EXPECT_EQ(ReadTransferRow(&grid, r), expected) << r;
    }
    EXPECT_EQ(grid.Cells(tcBankNo, 4), FormatAcctNo(QStringLiteral("04"), QStringLiteral("123401234567")));
    EXPECT_EQ(grid.Cells(tcMoney, 4), QStringLiteral("1,500,000"));
    EXPECT_EQ(grid.Cells(tcMsgType, 5), QStringLiteral("0101100"));
    EXPECT_EQ(TransferTotal(&grid), 2 * 1525007);
}
