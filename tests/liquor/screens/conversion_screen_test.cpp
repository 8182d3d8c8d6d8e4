// The liquor conversions as the JURU user runs them: a fixed-width file
// through the convertj layout dialog into the entry list, with a line
// refused by the real-name rule listed in log/ErrorList.Txt and shown; the send
// module's layout editor, one window at a time, whose save is in force at
// once and whose faulty cells send nothing.
#include "ListScreenFixture.h"

#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/Session.h"
#include "core/screens/TextFileViewer.h"
#include "core/TextUtils.h"
#include "liquor/LiquorConversion.h"
#include "liquor/screens/CatchIcheEx.h"
#include "liquor/screens/CatchIcheJ.h"
#include "liquor/screens/IcheMakeJuruUnit.h"
#include "liquor/screens/LiquorConvertRun.h"
#include "liquor/screens/LiquorScreens.h"
#include "platform/Clock.h"
#include "platform/FileChooser.h"
#include "platform/Spreadsheet.h"
#include "platform/TListGrid.h"
#include "platform/Cp949.h"
#include "platform/TextFile.h"
#include "support/CountingLink.h"
#include "support/CraftedZip.h"
#include "support/Eventually.h"
#include "support/PeakMemory.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QListWidget>

#include <algorithm>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

// Records the files the desktop is asked to open instead of opening them.
struct OpenedFiles
{
    OpenedFiles() { SetLiquorErrorListOpener([this](const QString &path) { files.append(path); }); }
    ~OpenedFiles() { SetLiquorErrorListOpener(nullptr); }
    QStringList files;
};

// A line of the demo layout "주류 고정길이": bank 1/2, account 3/15, liquor
// 18/13, non-liquor 31/13, transfer 44/13, other 57/20, name 77/20, real-name 97/13.
QString fixedLine(const char *bank, const char *account, const char *liquor, const char *transfer,
                  const char *info, const char *name, const char *realName)
{
    auto pad = [](const char *text, int width) {
        const QString t = S(text);
        return t + QString(width - Cp949Length(t), QLatin1Char(' '));
    };
    return pad(bank, 2) + pad(account, 15) + pad(liquor, 13) + pad("0", 13) + pad(transfer, 13) + pad(info, 20) +
           pad(name, 20) + pad(realName, 13);
}

void typeCell(TListGrid *grid, int col, int row, const QString &text)
{
    ClickGridCell(grid, col, row, true);
    QLineEdit *editor = nullptr;
    for (QLineEdit *e : grid->viewport()->findChildren<QLineEdit *>())
        if (e->isVisible())
            editor = e;
    ASSERT_NE(editor, nullptr) << "no editor opened at " << col << "," << row;
    editor->selectAll();
    if (text.isEmpty())
        QTest::keyClick(editor, Qt::Key_Delete);
    else
        QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(ClientFixture::waitFor([&] { return grid->Cells(col, row) == text; }));
}

class LiquorConversionScreens : public ListScreenFixture
{
protected:
    void registerScreens() override { registerLiquorScreens(); }
    QString userId() const override { return S("JURU"); }
    QString password() const override { return S("4444"); }
    ClientFixture::Options options() const override
    {
        ClientFixture::Options o = ListScreenFixture::options();
        o.general = false;
        return o;
    }
    int count(const QString &sql) { return client->server().query(sql).value(0, 0).toInt(); }

    // Converts the file by the fixed-width liquor layout, as a person picks it.
    void convertFixedWidth(Tqv_IcheMakeJuru_frm *s, const QString &file)
    {
        qvx::ScriptedFileChooser chooser;
        chooser.enqueue(file);
        OnNextModal([&](QDialog *d) {
            auto *dialog = qobject_cast<TFrmCatchJ *>(d);
            if (!dialog)
                return d->reject();
            const auto found = dialog->edTitleList->findItems(S("주류 고정길이"), Qt::MatchExactly);
            if (found.isEmpty())
                return d->reject();
            QTest::mouseClick(dialog->edTitleList->viewport(), Qt::LeftButton, {},
                              dialog->edTitleList->visualItemRect(found.first()).center());
            ClickControl(dialog->BtnOpenDlg);
            ClickControl(dialog->BtnConvert);
        });
        ClickControl(s->btn_dataconvert);
    }

    // The Excel dialog loads the file in a forked child: its peak, and what
    // `outcome` tells of the dialog then (0: as it should be). The button's
    // handler is called, not clicked: a forked child that painted would wait
    // for the painter's threads.
    testing_support::PeakMemory loadInChild(TFrmCatchEx *dialog, qvx::ScriptedFileChooser &chooser,
                                            const QString &file, const std::function<int()> &outcome)
    {
        return testing_support::MeasurePeakMemory([&] {
            chooser.enqueue(file);
            client->prompt().clear();
            dialog->BtnOpenDlgClick();
            return outcome();
        });
    }
};

// The liquor client as the send/receive module.
class LiquorSendModule : public LiquorConversionScreens
{
protected:
    ClientFixture::Options options() const override
    {
        ClientFixture::Options o = LiquorConversionScreens::options();
        o.sendModule = true;
        return o;
    }
};

class LiquorSendModuleMaximised : public LiquorSendModule
{
protected:
    ClientFixture::Options options() const override
    {
        ClientFixture::Options o = LiquorSendModule::options();
        o.displayMax = true;
        return o;
    }
};

} // namespace

// With [DISPLAY] MAX=1 the liquor layout editor opens maximised like the
// other liquor screens; the menu brings an open one back to the front.
TEST_F(LiquorSendModuleMaximised, TheLayoutEditorOpensMaximisedAndAnOpenOneComesToTheFront)
{
    ASSERT_TRUE(TriggerMenuItem(main, S("qv_a6")));
    auto *editor = main->findChild<TFrmCatchJA *>(S("FrmCatchJA"));
    ASSERT_NE(editor, nullptr);
    auto *sub = qobject_cast<QMdiSubWindow *>(editor->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->isMaximized());
    ASSERT_TRUE(TriggerMenuItem(main, S("qv_d1")));
    ASSERT_NE(FindScreen(main, S("qv_j_ichesearch_frm")), nullptr);
    ASSERT_NE(main->mdiArea()->activeSubWindow(), sub);
    ASSERT_TRUE(TriggerMenuItem(main, S("qv_a6")));
    EXPECT_EQ(main->findChildren<TFrmCatchJA *>().size(), 1);
    EXPECT_EQ(main->mdiArea()->activeSubWindow(), sub);
}

// A megabyte of random bytes named .txt is no text, also with its zero bytes
// taken out: one message, nothing in the list, no error list, one line in the
// day's log.
TEST_F(LiquorConversionScreens, AFileThatIsNoTextIsRefusedOnceWithNothingInTheList)
{
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b2", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    OpenedFiles opened;
    QByteArray noise(1 << 20, Qt::Uninitialized);
    QRandomGenerator(42).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    const QString withNul = client->home() + S("/noise.txt");
    ASSERT_TRUE(qvx::TextFile::writeBytes(withNul, noise));
    const QString noNul = client->home() + S("/noise-without-nul.txt");
    ASSERT_TRUE(qvx::TextFile::writeBytes(noNul, QByteArray(noise).replace('\0', QByteArray())));
    for (const QString &file : {withNul, noNul}) {
        const qsizetype logged = qvx::TextFile::readLines(DayLogFileName()).size();
        client->prompt().clear();
        convertFixedWidth(s, file);
        EXPECT_EQ(client->prompt().texts(), QStringList{S("읽을 수 있는 텍스트 파일이 아닙니다.\r\r") + file});
        EXPECT_EQ(s->grd_ichelist->RowCount(), 2);
        EXPECT_TRUE(s->grd_ichelist->Cells(0, 1).isEmpty());
        EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 0);
        EXPECT_TRUE(opened.files.isEmpty());
        // What the conversion logged (the relay's frames are logged alongside).
        QStringList log = qvx::TextFile::readLines(DayLogFileName()).mid(logged);
        log.removeIf([](const QString &line) { return line.contains(S("<STX>")); });
        ASSERT_EQ(log.size(), 1) << qPrintable(log.join(QLatin1Char('\n')));
        EXPECT_TRUE(log[0].endsWith(S("자료변환 파일 거부 : ") + file + S(" : 읽을 수 있는 텍스트 파일이 아닙니다.")))
            << qPrintable(log[0]);
        EXPECT_TRUE(s->btn_dataconvert->isEnabled());
    }
}

// A fixed-width file written in UTF-8, with or without its byte-order mark,
// is read as UTF-8 and cut at the layout's CP949 byte positions: every line
// taken, its names as written.
TEST_F(LiquorConversionScreens, AUtf8FileIsReadAsUtf8AndCutAtCp949Widths)
{
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b2", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    const char *names[] = {"강건", "한빛주류", "다온상사(주)", "김민준"};
    constexpr int Lines = 3000;
    int expected = 0;
    for (const bool mark : {false, true}) {
        QByteArray bytes = mark ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        for (int i = 0; i < Lines; ++i) {
            const QByteArray amount = QByteArray::number(1000 + i + (mark ? Lines : 0));
            bytes += fixedLine("21", "56012345678", amount.constData(), amount.constData(), "급여", names[i % 4],
                               "1234567890")
                         .toUtf8()
                     + "\r\n";
        }
        const QString file = client->home() + (mark ? S("/utf8-mark.txt") : S("/utf8.txt"));
        ASSERT_TRUE(qvx::TextFile::writeBytes(file, bytes));
        client->prompt().clear();
        convertFixedWidth(s, file);
        expected += Lines;
        EXPECT_EQ(client->prompt().lastText(), S("자료변환 처리가 완료 되었습니다.")) << mark;
        EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 0) << mark;
        ASSERT_EQ(s->grd_ichelist->RowCount(), expected + 1) << mark;
    }
    for (int row : {1, 2, 3, Lines + 1, Lines + 4}) {
        EXPECT_EQ(s->grd_ichelist->Cells(lcName, row), S(names[(row - 1) % Lines % 4])) << row;
        EXPECT_EQ(s->grd_ichelist->Cells(lcInfo, row), S("급여")) << row;
    }
}

// A refused line holding a byte that is no CP949 text still reaches the
// error list: the character is written there as '?', and the list is saved.
TEST_F(LiquorConversionScreens, AnErrorListWithACharacterCp949CannotHoldIsSaved)
{
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b2", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    OpenedFiles opened;
    const QString file = client->home() + S("/깨진문자.txt");
    QByteArray bytes = qvx::Cp949::encode(
        fixedLine("21", "56012345678", "1000", "1000", "", "한빛주류", "1234567890") + S("\r\n"));
    QByteArray broken = qvx::Cp949::encode(fixedLine("21", "56012345678", "700", "700", "", "다온X", "1234567890"));
    broken.replace('X', '\x80');
    ASSERT_TRUE(qvx::TextFile::writeBytes(file, bytes + broken + "\r\n"));
    client->prompt().clear();
    convertFixedWidth(s, file);
    EXPECT_EQ(client->prompt().lastText(), S("자료변환 처리가 완료 되었습니다."));
    EXPECT_FALSE(client->prompt().contains(S("오류 목록을 저장할 수 없습니다")));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 2);
    EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 1);
    const QStringList listed = qvx::TextFile::readLines(client->home() + S("/log/ErrorList.Txt"));
    ASSERT_EQ(listed.size(), 1);
    EXPECT_TRUE(listed[0].contains(S("다온?"))) << qPrintable(listed[0]);
    EXPECT_TRUE(listed[0].endsWith(S(" : 문자 오류(읽을 수 없는 문자가 있습니다.)"))) << qPrintable(listed[0]);
    EXPECT_EQ(opened.files.size(), 1);
}

TEST_F(LiquorConversionScreens, AFixedWidthFileFillsTheListAndRefusedLinesGoToTheErrorList)
{
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b2", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    const QString file = client->home() + S("/주류.txt");
    ASSERT_TRUE(qvx::TextFile::writeLines(
        file, {fixedLine("21", "56012345678", "1000000", "1000000", "3월분", "한빛주류", "1234567890"),
               fixedLine("88", "110123456789", "500", "500", "", "다온상사", "2208112345"),
               fixedLine("21", "56012345678", "700", "700", "", "주민번호상사", "8001011234567"),
               fixedLine("21", "123", "700", "700", "", "계좌오류상사", "1")}));
    qvx::ScriptedFileChooser chooser;
    chooser.enqueue(file);

    OnNextModal([&](QDialog *d) {
        auto *dialog = qobject_cast<TFrmCatchJ *>(d);
        if (!dialog)
            return d->reject();
        EXPECT_EQ(dialog->Title(), S(" ◎ 지급이체 자료 목록"));
        const auto found = dialog->edTitleList->findItems(S("주류 고정길이"), Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1);
        if (found.isEmpty())
            return d->reject();
        QTest::mouseClick(dialog->edTitleList->viewport(), Qt::LeftButton, {},
                          dialog->edTitleList->visualItemRect(found.first()).center());
        ClickControl(dialog->BtnOpenDlg);
        EXPECT_EQ(dialog->Grid->Cells(3, 1), S("21"));
        EXPECT_EQ(dialog->Grid->Cells(3, 7).trimmed(), S("한빛주류"));
        SavePicture(dialog, "FrmCatchJ");
        ClickControl(dialog->BtnConvert);
    });
    ClickControl(s->btn_dataconvert);

    EXPECT_EQ(client->prompt().lastText(), S("자료변환 처리가 완료 되었습니다."));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 3);
    EXPECT_EQ(s->grd_ichelist->Cells(lcName, 1), S("한빛주류"));
    EXPECT_EQ(s->grd_ichelist->Cells(lcMoney, 1), S("1,000,000"));
    EXPECT_EQ(s->grd_ichelist->Cells(lcMoBankName, 2), S("조흥은행")); // bank 88 paid from bank 21
    EXPECT_EQ(s->grd_ichelist->Cells(lcGubun, 2), S("30"));
    EXPECT_EQ(s->grd_ichelist->Cells(lcNo, 1), S("1"));
    EXPECT_EQ(s->grd_ichelist->Cells(lcNo, 2), S("2"));
    EXPECT_EQ(s->grd_ichelist->Cells(lcFlag25, 2), S("1"));
    EXPECT_EQ(s->curredt_gunR->Value().toInt64(), 2);
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 1000500);
    EXPECT_EQ(s->curredt_tgun->Value().toInt64(), 4);
    EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 2);
    EXPECT_EQ(s->curredt_gun->Value().toInt64(), 2);
    EXPECT_TRUE(s->btn_dataconvert->isEnabled());
    EXPECT_TRUE(s->grd_ichelist->isEnabled());
    EXPECT_EQ(client->session().ConvLayout[cvJumin].start, 97);

    // The error list lies beside the day's log and is shown in a window the
    // user can read (the file is CP949).
    const QString errorList = client->home() + S("/log/ErrorList.Txt");
    EXPECT_EQ(QFileInfo(errorList).absolutePath(), QFileInfo(DayLogFileName()).absolutePath());
    const QStringList listed = qvx::TextFile::readLines(errorList);
    ASSERT_EQ(listed.size(), 1);
    EXPECT_TRUE(listed[0].startsWith(S("21 56012345678  ")));
    EXPECT_TRUE(listed[0].endsWith(S(" : 실명번호 오류(실명번호의 주민등록번호는 생년월일로 대체 되었습니다.)")));
    auto *viewer = s->findChild<TTextFileViewer *>();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->memo_text->toPlainText(), listed[0]);
    EXPECT_TRUE(viewer->memo_text->isReadOnly());
    SavePicture(viewer, "ErrorListViewer");
    viewer->close();
    SavePicture(s, "qv_ichemakeJuru_frm-converted");
}

TEST_F(LiquorConversionScreens, AFileOfMoreLinesThanABatchHoldsIsRefused)
{
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b2", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    const QString file = client->home() + S("/줄끝.txt");
    const QByteArray first = qvx::Cp949::encode(fixedLine("21", "56012345678", "1000000", "1000000", "3월분", "한빛주류", "1234567890"));
    ASSERT_TRUE(qvx::TextFile::writeBytes(file, first + QByteArray(1'000'001, '\n')));
    convertFixedWidth(s, file);
    EXPECT_EQ(client->prompt().lastText(), S("파일의 줄이 너무 많아 읽을 수 없습니다 (한 번에 최대 1,000,000줄)."));
    EXPECT_FALSE(client->prompt().contains(S("자료변환 처리가 완료 되었습니다.")));
    EXPECT_TRUE(s->btn_dataconvert->isEnabled());
}

// The real-name rule goes by the client's day (the server's), not the
// computer's: on 2014-08-05 a resident number still passes at bank 21.
TEST_F(LiquorConversionScreens, TheLayoutDialogWithoutLayoutsAndItsDelimitedPreview)
{
    client->server().exec(S("delete from ConvertJ"));
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b2", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    // Eight tokens: the eighth is no type, so it is the real-name number.
    const QString file = client->home() + S("/주류8.txt");
    ASSERT_TRUE(qvx::TextFile::writeLines(file, {S("21,56012345678,100,0,100,3월분,가나상사,800101-1234567")}));
    qvx::ScriptedFileChooser chooser;
    chooser.enqueue(file);
    client->prompt().clear();

    OnNextModal([&](QDialog *d) {
        auto *dialog = qobject_cast<TFrmCatchJ *>(d);
        if (!dialog)
            return d->reject();
        EXPECT_EQ(client->prompt().texts(),
                  QStringList{S("자료변환을 위한 자료가 등록되어 있지 않습니다. 자료를 등록하시기 바랍니다.")});
        EXPECT_EQ(dialog->edTitleList->count(), 0);

        // A new ','-delimited layout: Enter in the format list goes on to 저 장.
        ClickControl(dialog->btnInsert);
        TypeText(dialog->edTitle, S("쉼표"));
        Pick(dialog->cmb_dataparsing, 1);
        dialog->activateWindow();
        dialog->cmb_dataparsing->setFocus();
        QTest::keyClick(dialog->cmb_dataparsing, Qt::Key_Return);
        EXPECT_TRUE(ClientFixture::waitFor([&] { return dialog->btnSave->hasFocus(); }));
        ClickControl(dialog->btnSave);
        EXPECT_EQ(dialog->edTitleList->count(), 1);
        EXPECT_EQ(dialog->edTitleList->item(0)->text(), S("1-쉼표"));

        // The sample: row 8 (거래구분) stays empty, row 9 gets the number.
        EXPECT_FALSE(dialog->Grid->isEnabled());
        ClickControl(dialog->BtnOpenDlg);
        EXPECT_EQ(dialog->Grid->Cells(3, 7), S("가나상사"));
        EXPECT_EQ(dialog->Grid->Cells(3, 8), QString());
        EXPECT_EQ(dialog->Grid->Cells(3, 9), S("800101-1234567"));
        // The positions rest until 입 력 or 수 정 opens them.
        EXPECT_FALSE(dialog->Grid->isEnabled());
        SavePicture(dialog, "FrmCatchJ-delimited");
        ClickControl(dialog->btnEdit);
        EXPECT_TRUE(dialog->Grid->isEnabled());
        ClickControl(dialog->btnCancel);
        dialog->reject();
    });
    ClickControl(s->btn_dataconvert);
    EXPECT_EQ(count(S("select count(*) from ConvertJ where Title = '1-쉼표'")), 1);
}

// The layout dialog lists each mother account as "[" + code + "] " + the
// account padded to 15 + "   " + the bank name, sends its layout statements
// worded as they always have been, and closes the positions and the format
// list at every save.
TEST_F(LiquorConversionScreens, TheLayoutDialogsStatementsGoOutAsWordedAndASaveClosesThePositions)
{
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b2", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    qvx::test::CountingLink link(client->dm()->tcpLink);
    client->dm()->setAppServer(&link);
    struct Restore
    {
        Tdm *dm;
        ~Restore() { dm->setAppServer(nullptr); }
    } restore{client->dm()};
    auto selectTitle = [](TFrmCatchJ *dialog, const QString &title) {
        const auto found = dialog->edTitleList->findItems(title, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << title.toStdString();
        QTest::mouseClick(dialog->edTitleList->viewport(), Qt::LeftButton, {},
                          dialog->edTitleList->visualItemRect(found.first()).center());
    };
    auto lastStatement = [&] {
        // The statement before its "commit".
        for (auto it = link.statements.rbegin(); it != link.statements.rend(); ++it)
            if (*it != S("commit"))
                return *it;
        return QString();
    };

    OnNextModal([&](QDialog *d) {
        auto *dialog = qobject_cast<TFrmCatchJ *>(d);
        if (!dialog)
            return d->reject();
        EXPECT_NE(std::find(link.selects.begin(), link.selects.end(), S("Select * from convertJ")), link.selects.end());
        EXPECT_NE(std::find(link.selects.begin(), link.selects.end(),
                            S("SELECT      Distinct MoBankNo,    bankid,    bankname,    firmid,    sendname,    "
                              "tr_gubuncode,    recvid,    passwd,    dblpasswd FROM Bank order by bankid")),
                  link.selects.end());
        ASSERT_GE(dialog->edMoBankNo->Items().Count(), 2);
        EXPECT_EQ(dialog->edMoBankNo->Items()[0], S("당행"));
        EXPECT_EQ(dialog->edMoBankNo->Items()[1], S("[03] 12301234567890    기업은행"));

        // A new fixed-width layout; a letter in a size cell is stored as 0.
        ClickControl(dialog->btnInsert);
        TypeText(dialog->edTitle, S("고정"));
        typeCell(dialog->Grid, 1, 1, S("1"));
        typeCell(dialog->Grid, 2, 1, S("2"));
        typeCell(dialog->Grid, 1, 2, S("3"));
        typeCell(dialog->Grid, 2, 2, S("x"));
        ClickControl(dialog->btnSave);
        EXPECT_EQ(lastStatement(),
                  S("INSERT INTO ConVertJ ( Title     ,BankIdS   ,BankIdN   ,BankNoS   ,BankNoN   ,JuMoneyS  ,JuMoneyN  "
                    ",BJuMoneyS ,BJuMoneyN ,MoneyS    ,MoneyN    ,CInfoS    ,CInfoN    ,SNameS    ,SNameN    ,GubunS    "
                    ",GubunN    ,JuminS    ,JuminN)   Values(    '고정',1,2,3,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0)"));
        EXPECT_FALSE(dialog->Grid->isEnabled());
        EXPECT_FALSE(dialog->cmb_dataparsing->isEnabled());
        SavePicture(dialog, "FrmCatchJ-saved");

        // Changed to ','-delimited: every position 0, the title prefixed.
        selectTitle(dialog, S("고정"));
        EXPECT_EQ(link.selects.back(), S("select * from convertj where Title = '고정'"));
        ClickControl(dialog->btnEdit);
        EXPECT_TRUE(dialog->Grid->isEnabled());
        EXPECT_TRUE(Pick(dialog->cmb_dataparsing, 1));
        ClickControl(dialog->btnSave);
        EXPECT_EQ(lastStatement(),
                  S("Update ConvertJ Set Title = '1-고정',BankIdS   = 0, BankIdN   = 0, BankNoS   = 0, BankNoN   = 0, "
                    "JuMoneyS  = 0, JuMoneyN  = 0, BJuMoneyS = 0, BJuMoneyN = 0, MoneyS    = 0, MoneyN    = 0, "
                    "SNameS    = 0, SNameN    = 0, GubunS    = 0, GubunN    = 0, JuminS    = 0, JuminN    = 0, "
                    "CInfoS    = 0, CInfoN    = 0   WHERE Title = '고정'"));
        EXPECT_FALSE(dialog->Grid->isEnabled());
        EXPECT_FALSE(dialog->cmb_dataparsing->isEnabled());

        // Back to fixed width: the prefix goes.
        selectTitle(dialog, S("1-고정"));
        ClickControl(dialog->btnEdit);
        EXPECT_TRUE(Pick(dialog->cmb_dataparsing, 0));
        ClickControl(dialog->btnSave);
        EXPECT_EQ(lastStatement(),
                  S("Update ConvertJ Set Title = '고정',BankIdS   =  0, BankIdN   =  0, BankNoS   =  0, BankNoN   =  0, "
                    "JuMoneyS  =  0, JuMoneyN  =  0, BJuMoneyS =  0, BJuMoneyN =  0, MoneyS    =  0, MoneyN    =  0, "
                    "CInfoS    =  0, CInfoN    =  0, SNameS    =  0, SNameN    =  0, GubunS    =  0, GubunN    =  0, "
                    "JuminS    =  0, JuminN    =  0 WHERE Title = '1-고정'"));

        // A save without a title is refused with the positions closed.
        selectTitle(dialog, S("고정"));
        ClickControl(dialog->btnEdit);
        TypeText(dialog->edTitle, QString());
        client->prompt().clear();
        ClickControl(dialog->btnSave);
        EXPECT_EQ(client->prompt().texts(), QStringList{S("자료 명칭을 기입하시기 바랍니다.")});
        EXPECT_FALSE(dialog->Grid->isEnabled());
        EXPECT_FALSE(dialog->cmb_dataparsing->isEnabled());
        EXPECT_TRUE(dialog->btnCancel->isEnabled());
        ClickControl(dialog->btnCancel);

        selectTitle(dialog, S("고정"));
        client->prompt().enqueueAnswer(true);
        ClickControl(dialog->btnDelete);
        EXPECT_EQ(lastStatement(), S("DELETE from convertj WHERE title = '고정'"));
        dialog->reject();
    });
    ClickControl(s->btn_dataconvert);
    EXPECT_EQ(count(S("select count(*) from ConvertJ where Title like '%고정'")), 0);
}

TEST_F(LiquorConversionScreens, TheRealNameRuleGoesByTheClientsDay)
{
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b2", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    const QString file = client->home() + S("/주류.txt");
    ASSERT_TRUE(qvx::TextFile::writeLines(
        file, {fixedLine("21", "56012345678", "700", "700", "", "주민번호상사", "8001011234567")}));
    OpenedFiles opened;
    qvx::Clock::setFixed(QDateTime(QDate(2014, 8, 5), QTime(10, 0)));
    convertFixedWidth(s, file);
    qvx::Clock::reset();

    EXPECT_EQ(client->prompt().lastText(), S("자료변환 처리가 완료 되었습니다."));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 2);
    EXPECT_EQ(s->grd_ichelist->Cells(lcName, 1), S("주민번호상사"));
    EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 0);
    EXPECT_TRUE(opened.files.isEmpty());
}

TEST_F(LiquorConversionScreens, ASecondFileGoesOnAfterTheListedRowsAndAsksAboutTheirDuplicates)
{
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b2", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    OpenedFiles opened;
    auto convert = [&](const QStringList &lines) {
        const QString file = client->home() + S("/주류.txt");
        ASSERT_TRUE(qvx::TextFile::writeLines(file, lines));
        convertFixedWidth(s, file);
    };
    convert({fixedLine("21", "56012345678", "1000000", "1000000", "3월분", "한빛주류", "1234567890"),
             fixedLine("88", "110123456789", "500", "500", "", "다온상사", "2208112345")});
    ASSERT_EQ(s->grd_ichelist->RowCount(), 3);

    // The listed 한빛주류 again, declined, and a new row.
    client->prompt().enqueueAnswer(false);
    convert({fixedLine("21", "56012345678", "1000000", "1000000", "4월분", "한빛주류", "1234567890"),
             fixedLine("21", "56012345678", "700", "700", "", "새상사", "1")});
    EXPECT_EQ(client->prompt().lastText(), S("자료변환 처리가 완료 되었습니다."));
    const QStringList shown = client->prompt().texts();
    EXPECT_TRUE(std::any_of(shown.cbegin(), shown.cend(), [](const QString &t) {
        return t.startsWith(S("중복이체자료를 발견하였습니다.\r\r거래처명 : 한빛주류"));
    }));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 4);
    EXPECT_EQ(s->grd_ichelist->Cells(lcNo, 3), S("3"));
    EXPECT_EQ(s->grd_ichelist->Cells(lcName, 3), S("새상사"));
    EXPECT_EQ(s->grd_ichelist->Cells(lcName, 1), S("한빛주류"));
    EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 1);
    EXPECT_EQ(s->curredt_gunR->Value().toInt64(), 3);
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 1001200);
}

TEST_F(LiquorConversionScreens, ASheetFillsTheListWithBank26PaidFromBank21)
{
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b1", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    const QString file = client->home() + S("/주류.xlsx");
    const qvx::Spreadsheet::Rows rows{
        {S("주류 이체 자료")},
        {S("NO"), S("은행코드"), S("은행명"), S("거래계좌"), S("주류금액"), S("비주류금액"), S("이체금액"), S("기타"),
         S("거래처명"), S("거래구분"), S("실명번호")},
        {S("1"), S("26"), S("신한"), S("560-12-345678"), S("1,000"), S("0"), S("1,000"), S(""), S("한빛주류"), S(""),
         S("1234567890")},
        {},
        {S("2"), S("21"), S("조흥"), S("56012345679"), S("2,000"), S("0"), S("2,000"), S(""), S("다온상사"), S("30"),
         S("1234567890")}};
    QString error;
    ASSERT_TRUE(qvx::Spreadsheet::write(file, rows, &error)) << qPrintable(error);
    qvx::ScriptedFileChooser chooser;
    chooser.enqueue(file);

    OnNextModal([&](QDialog *d) {
        auto *dialog = qobject_cast<TFrmCatchEx *>(d);
        if (!dialog)
            return d->reject();
        EXPECT_EQ(dialog->Title(), S(" ◎ 수납이체 자료 목록"));
        ClickControl(dialog->BtnOpenDlg);
        EXPECT_EQ(dialog->Grid->Cells(0, 0), S("NO"));
        EXPECT_EQ(dialog->Grid->Cells(8, 1), S("한빛주류"));
        EXPECT_EQ(dialog->Grid->Cells(6, 2), S("2,000")); // a text cell: its groups go in the run
        SavePicture(dialog, "FrmCatchEx");
        ClickControl(dialog->BtnConvert);
    });
    ClickControl(s->btn_excel);

    EXPECT_EQ(client->prompt().texts().mid(client->prompt().texts().size() - 2),
              (QStringList{S("수납이체자료가 아닙니다."), S("자료변환 처리가 완료 되었습니다.")}));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 2);
    EXPECT_EQ(s->grd_ichelist->Cells(lcName, 1), S("한빛주류"));
    EXPECT_EQ(s->grd_ichelist->Cells(lcMoBankName, 1), S("조흥은행"));
    EXPECT_EQ(s->grd_ichelist->Cells(lcMoney, 1), S("1,000"));
    EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 1);
    EXPECT_TRUE(s->btn_excel->isEnabled());
}

TEST_F(LiquorConversionScreens, AWorkbookThatCannotBeOpenedSaysSoInKoreanAndTheSheetStays)
{
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b1", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    const QString good = client->home() + S("/주류.xls");
    QString error;
    ASSERT_TRUE(qvx::Spreadsheet::write(good,
                                        {{S("NO"), S("은행코드"), S("은행명"), S("거래계좌"), S("주류금액"), S("비주류금액"),
                                          S("이체금액"), S("기타"), S("거래처명"), S("거래구분"), S("실명번호")},
                                         {S("1"), S("21"), S("조흥"), S("56012345679"), S("1,000"), S("0"), S("1,000"),
                                          S(""), S("한빛주류"), S(""), S("1234567890")}},
                                        &error))
        << qPrintable(error);
    // A folder of a workbook's name and a workbook gone since it was chosen.
    const QString folder = client->home() + S("/폴더.xlsx");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString missing = client->home() + S("/없는파일.xlsx");
    qvx::ScriptedFileChooser chooser;
    chooser.enqueue(good);
    chooser.enqueue(folder);
    chooser.enqueue(missing);

    OnNextModal([&](QDialog *d) {
        auto *dialog = qobject_cast<TFrmCatchEx *>(d);
        if (!dialog)
            return d->reject();
        ClickControl(dialog->BtnOpenDlg);
        ASSERT_EQ(dialog->Grid->Cells(8, 1), S("한빛주류"));
        for (const QString &file : {folder, missing}) {
            ClickControl(dialog->BtnOpenDlg);
            EXPECT_EQ(client->prompt().lastText(),
                      S("엑셀 파일을 열 수 없습니다.\r\r") + QDir::toNativeSeparators(file));
            EXPECT_EQ(dialog->Grid->Cells(8, 1), S("한빛주류"));
        }
        ClickControl(dialog->btnExit);
    });
    ClickControl(s->btn_excel);
    EXPECT_TRUE(s->btn_excel->isEnabled());
}

// A workbook whose eleven columns all show one 32,767-character shared
// string: a few such rows load whole, while a sheet of many, which its reader
// holds in some kilobytes but whose rows would hold a copy per cell, is
// refused by the dialog in Korean in the memory its reading takes, .xlsx and
// .xls alike, and the grid keeps what it showed.
TEST_F(LiquorConversionScreens, ASheetOfOneLongSharedTextLoadsAFewRowsAndRefusesManyInBoundedMemory)
{
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b1", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    const QString longText = S("가") + QString(32766, QLatin1Char('x'));
    auto sheet = [&](int rows) {
        qvx::Spreadsheet::Rows out{LiquorSheetHeaders()};
        for (int r = 0; r < rows; ++r)
            out.append(QStringList(11, longText));
        return out;
    };
    QString error;
    const QString few = client->home() + S("/few.xlsx");
    ASSERT_TRUE(qvx::Spreadsheet::write(few, sheet(3), &error)) << qPrintable(error);
    QStringList many;
    for (const char *name : {"/many.xlsx", "/many.xls"}) {
        many << client->home() + S(name);
        ASSERT_TRUE(qvx::Spreadsheet::write(many.last(), sheet(2000), &error)) << qPrintable(error);
    }
    qvx::ScriptedFileChooser chooser;
    chooser.enqueue(few);

    OnNextModal([&](QDialog *d) {
        auto *dialog = qobject_cast<TFrmCatchEx *>(d);
        if (!dialog)
            return d->reject();
        ClickControl(dialog->BtnOpenDlg);
        ASSERT_EQ(dialog->Grid->RowCount(), 4);
        EXPECT_EQ(dialog->Grid->Cells(10, 3), longText);
        for (const QString &file : many) {
            constexpr qint64 MB = 1024 * 1024;
            const qint64 size = QFileInfo(file).size();
            EXPECT_LT(size, 512 * 1024) << file.toStdString();
            // 0: refused as it should be; 2: another text shown; 3: the grid changed.
            const testing_support::PeakMemory peak = loadInChild(dialog, chooser, file, [&] {
                if (client->prompt().lastText()
                    != S("엑셀 파일을 읽을 수 없습니다.\r\r시트의 자료가 너무 많거나 길어 읽을 수 없습니다 (최대 128MB)."))
                    return 2;
                return dialog->Grid->RowCount() == 4 && dialog->Grid->Cells(10, 3) == longText ? 0 : 3;
            });
            ASSERT_TRUE(peak.ended) << file.toStdString() << ": signal " << peak.signal;
            EXPECT_EQ(peak.result, 0) << file.toStdString();
            EXPECT_LT(peak.growth, 10 * size + 40 * MB) << file.toStdString() << ": " << peak.growth;
        }
        ClickControl(dialog->btnExit);
    });
    ClickControl(s->btn_excel);
    EXPECT_TRUE(s->btn_excel->isEnabled());
}

// Two million number cells of the smallest double, in a workbook of some
// hundred kilobytes: each reads as "5E-324", and the import takes the memory
// such a sheet of ones takes, not gigabytes for the cells it does not take.
TEST_F(LiquorConversionScreens, ASheetOfTinyNumbersLoadsInTheMemoryOfASheetOfOnes)
{
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b1", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    constexpr qint64 MB = 1024 * 1024;
    const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet "
                            "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    // Rows of a hundred cells: the eleven the import takes, and more.
    const QByteArray row = "<row>" + QByteArray("<c><v>5e-324</v></c>").repeated(100) + "</row>";
    const QString file = client->home() + S("/tiny.xlsx");
    ASSERT_TRUE(testing_support::writeZip(
        file, {testing_support::repeated("xl/worksheets/sheet1.xml", head, row, 19'500LL * row.size() - MB,
                                         "</sheetData></worksheet>")}));
    EXPECT_LT(QFileInfo(file).size(), 400 * 1024);
    qvx::ScriptedFileChooser chooser;
    OnNextModal([&](QDialog *d) {
        auto *dialog = qobject_cast<TFrmCatchEx *>(d);
        if (!dialog)
            return d->reject();
        // 0: loaded as it should be; 2: a message shown; 3: the grid wrong.
        const testing_support::PeakMemory peak = loadInChild(dialog, chooser, file, [&] {
            if (client->prompt().count() != 0)
                return 2;
            return dialog->Grid->RowCount() > 19'000 && dialog->Grid->Cells(6, 1) == S("5E-324") ? 0 : 3;
        });
        ASSERT_TRUE(peak.ended) << "signal " << peak.signal;
        EXPECT_EQ(peak.result, 0);
        EXPECT_LT(peak.growth, 200 * MB) << peak.growth;
        ClickControl(dialog->btnExit);
    });
    ClickControl(s->btn_excel);
    EXPECT_TRUE(s->btn_excel->isEnabled());
}

// A sheet of rows whose every cell shows one 32,767-character text passes
// the rows' cost check; each refused row logs its values cut short, not
// hundreds of kilobytes a row.
TEST_F(LiquorConversionScreens, ARefusedRowOfLongTextsLogsItsValuesCutShort)
{
    auto *s = open<Tqv_IcheMakeJuru_frm>("qv_b1", "qv_ichemakeJuru_frm");
    ASSERT_NE(s, nullptr);
    const QString longText = S("가") + QString(32766, QLatin1Char('x'));
    qvx::Spreadsheet::Rows rows{LiquorSheetHeaders()};
    for (int r = 0; r < 150; ++r)
        rows.append(QStringList(11, longText));
    QString error;
    const QString file = client->home() + S("/long.xlsx");
    ASSERT_TRUE(qvx::Spreadsheet::write(file, rows, &error)) << qPrintable(error);
    EXPECT_LT(QFileInfo(file).size(), 64 * 1024);
    const qint64 logBefore = QFileInfo(DayLogFileName()).size();
    qvx::ScriptedFileChooser chooser;
    chooser.enqueue(file);
    OnNextModal([&](QDialog *d) {
        auto *dialog = qobject_cast<TFrmCatchEx *>(d);
        if (!dialog)
            return d->reject();
        ClickControl(dialog->BtnOpenDlg);
        EXPECT_EQ(dialog->Grid->RowCount(), 151);
        ClickControl(dialog->BtnConvert);
    });
    ClickControl(s->btn_excel);
    EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 150);
    const qint64 logged = QFileInfo(DayLogFileName()).size() - logBefore;
    EXPECT_LT(logged, 256 * 1024) << logged;
    const QStringList log = qvx::TextFile::readLines(DayLogFileName()).filter(S("자료변환 Error -> "));
    ASSERT_FALSE(log.isEmpty());
    EXPECT_TRUE(log.last().contains(S(" 가") + QString(63, QLatin1Char('x')) + S("… "))) << qPrintable(log.last());
    EXPECT_LT(log.last().size(), 1000);
}

// The entry list filled from a run's rows by text number, its rows' own
// columns side by side: every cell reads back as the row holds it, with the
// header untouched and the running numbers going on over a second fill.
TEST(LiquorListFill, EveryCellReadsBackAsTheRowHoldsItAndTheNumbersGoOn)
{
    Session session;
    session.PaymentMode = 1;
    session.NetworkId = S("QVX0000001");
    session.ServiceDiv = S("DY1");
    session.LoginUserId = S("JURU");
    session.SendFlagInit = S("1");
    LiquorConvertContext context;
    context.session = &session;
    auto bank = [](const char *id, const char *no, const char *name) {
        MotherAccount a;
        a.bankid = S(id);
        a.mobankno = S(no);
        a.bankname = S(name);
        a.recvid = S("R") + a.bankid;
        a.firmid = S("F") + a.bankid;
        a.passwd = S("P") + a.bankid;
        return a;
    };
    context.banks = {bank("20", "1005123456789", "우리은행"), bank("21", "56011122233", "조흥은행")};
    context.today = S("20260101");
    auto convert = [&](int from, int count, LiquorConvertedRows *rows) {
        QStringList lines;
        for (int i = from; i < from + count; ++i)
            lines << (i % 3 == 0 ? S("20,1002%1").arg(i, 9, 10, QLatin1Char('0'))
                                 : S("21,560%1").arg(i, 8, 10, QLatin1Char('0')))
                         + S(",%1,%2,%3,%4월분,상사%5,30,%6")
                               .arg(1000 + i)
                               .arg(i % 7)
                               .arg(1000 + i + i % 7)
                               .arg(1 + i % 12)
                               .arg(i)
                               .arg(1000000000 + i);
        const QList<QStringView> views(lines.cbegin(), lines.cend());
        LiquorConversion conversion(context);
        const LiquorConvertCounters c = conversion.run(
            LiquorTextLines(views, LiquorLineCutter(DataForm::Comma, LiquorDelimitedLayout(), S("30"))),
            LiquorConvertHooks(), rows);
        ASSERT_EQ(c.accepted, count);
    };

    TListGrid grid;
    grid.SetColCount(LiquorColumnCount);
    grid.SetRowCount(2);
    grid.SetCells(lcName, 0, S("거래처명"));
    // Enough rows for the columns to be filled side by side.
    LiquorConvertedRows many, few;
    convert(0, 5000, &many);
    convert(5000, 3, &few);
    AppendLiquorRows(&grid, many);
    AppendLiquorRows(&grid, few);

    ASSERT_EQ(grid.RowCount(), 1 + 5000 + 3);
    EXPECT_EQ(grid.Cells(lcName, 0), S("거래처명"));
    auto expectRows = [&](const LiquorConvertedRows &rows, int firstRow) {
        for (int i = 0; i < rows.size(); ++i) {
            const LiquorRow made = rows.row(i);
            const int r = firstRow + i;
            ASSERT_EQ(grid.Cells(lcNo, r), QString::number(r));
            for (int col = lcTransDiv; col < LiquorColumnCount; ++col)
                ASSERT_EQ(grid.Cells(col, r), made.value(LiquorColumn(col))) << r << ' ' << col;
        }
    };
    expectRows(many, 1);
    expectRows(few, 5001);
    EXPECT_EQ(grid.Cells(lcMoBankName, 1), S("우리은행"));
    EXPECT_EQ(grid.Cells(lcPassWd, 2), S("P21"));
    EXPECT_EQ(grid.Cells(lcName, 5003), S("상사5002"));
    EXPECT_FALSE(grid.Cells(lcBoki, 1).isEmpty());
}

TEST_F(LiquorSendModule, TheLayoutEditorSavesIntoForceAndRefusesFaultyCells)
{
    ASSERT_TRUE(TriggerMenuItem(main, S("qv_a6")));
    auto *editor = main->findChild<TFrmCatchJA *>(S("FrmCatchJA"));
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
    // A child window inside the main window's work area, not a window of its own.
    EXPECT_FALSE(editor->isWindow());
    EXPECT_TRUE(main->mdiArea()->isAncestorOf(editor));
    const QRect inArea(editor->mapTo(main->mdiArea(), QPoint(0, 0)), editor->size());
    EXPECT_TRUE(main->mdiArea()->rect().contains(inArea)) << inArea.x() << ',' << inArea.y();
    EXPECT_GE(editor->width(), 803);
    EXPECT_GE(editor->height(), 547);
    SavePicture(main, "FrmCatchJA-in-main");
    EXPECT_EQ(editor->edTitle->text(), S("주류 자동송신 표준"));
    EXPECT_EQ(editor->Grid->Cells(0, 1), S("모은행코드"));
    EXPECT_EQ(editor->Grid->Cells(0, 11), S("기타"));

    ClickControl(editor->btnEdit);
    typeCell(editor->Grid, 1, 8, S("64"));
    ClickControl(editor->btnSave);
    EXPECT_EQ(count(S("select MoneyS from ConvertJ_s where Title = '주류 자동송신 표준'")), 64);
    EXPECT_EQ(client->session().ConvLayout[cvMoney].start, 64);
    SavePicture(editor, "FrmCatchJA");

    // An empty cell: refused, nothing sent, the layout in force unchanged.
    ClickControl(editor->btnEdit);
    typeCell(editor->Grid, 2, 8, QString());
    ClickControl(editor->btnSave);
    EXPECT_EQ(client->prompt().lastText(), S("해당 자료를 수정할수 없습니다."));
    EXPECT_EQ(count(S("select MoneyN from ConvertJ_s where Title = '주류 자동송신 표준'")), 13);
    EXPECT_EQ(client->session().ConvLayout[cvMoney].length, 13);
    ClickControl(editor->btnCancel);

    // One editor at a time: the menu brings the open one forward.
    ASSERT_TRUE(TriggerMenuItem(main, S("qv_a6")));
    EXPECT_EQ(main->findChildren<TFrmCatchJA *>().size(), 1);
    editor->close();
    EXPECT_EVENTUALLY(main->findChild<TFrmCatchJA *>(S("FrmCatchJA")) == nullptr);

    // With no layout stored the editor says so and opens with an empty list.
    client->server().exec(S("delete from ConvertJ_s"));
    client->prompt().clear();
    ASSERT_TRUE(TriggerMenuItem(main, S("qv_a6")));
    editor = main->findChild<TFrmCatchJA *>(S("FrmCatchJA"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(client->prompt().texts(),
              QStringList{S("자료변환을 위한 자료가 등록되어 있지 않습니다. 자료를 등록하시기 바랍니다.")});
    EXPECT_EQ(editor->edTitleList->count(), 0);
    editor->close();
}
