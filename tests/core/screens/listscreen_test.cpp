// The list screens' shared behaviour: column visibility from config.ini, the
// save convention and the report rows.
#include "core/screens/ListKit.h"
#include "platform/Cp949.h"
#include "platform/FileChooser.h"
#include "platform/IniFile.h"
#include "platform/ProgramDir.h"
#include "platform/Prompt.h"
#include "platform/Report.h"
#include "platform/Spreadsheet.h"
#include "platform/TListGrid.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ListFixture : ::testing::Test
{
    QTemporaryDir home;
    qvx::ScriptedPrompt prompt;
    qvx::ScriptedFileChooser files;
    TListGrid grid;

    void SetUp() override
    {
        qvx::ProgramDir::setOverride(home.path());
        grid.SetColCount(4);
        grid.SetRowCount(3);
        for (int c = 0; c < 4; ++c)
            grid.SetCells(c, 0, QStringLiteral("열%1").arg(c));
        grid.SetCells(0, 1, QStringLiteral("1"));
        grid.SetCells(1, 1, QStringLiteral("가나"));
        grid.SetCells(0, 2, QStringLiteral("2"));
        grid.SetCells(1, 2, QStringLiteral("다라"));
    }
    void TearDown() override { qvx::ProgramDir::setOverride(QString()); }
};

} // namespace

TEST_F(ListFixture, ColumnSectionHidesColumnsMarkedZero)
{
    qvx::IniFile ini(home.filePath(QStringLiteral("config.ini")));
    ini.writeString(QStringLiteral("qv_ichesearch_frm"), QStringLiteral("0"), QStringLiteral("0x"));
    ini.writeString(QStringLiteral("QV_ICHESEARCH_FRM"), QStringLiteral("2"), QStringLiteral("0이름"));
    ini.writeString(QStringLiteral("QV_ICHESEARCH_FRM"), QStringLiteral("3"), QStringLiteral("1금액"));
    ApplyColumnVisibility(&grid, QStringLiteral("qv_ichesearch_frm"), 0, 19);
    EXPECT_FALSE(grid.IsColumnHidden(0));   // key "0" names no column
    EXPECT_TRUE(grid.IsColumnHidden(1));
    EXPECT_FALSE(grid.IsColumnHidden(2));
    EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("가나"));

    // A key beyond the grid's four columns names none of them.
    ini.writeString(QStringLiteral("qv_ichesearch_frm"), QStringLiteral("9"), QStringLiteral("0넘침"));
    ApplyColumnVisibility(&grid, QStringLiteral("qv_ichesearch_frm"), 0, 19);
    EXPECT_EQ(grid.ColCount(), 4);
    for (int c = 4; c < 10; ++c)
        EXPECT_FALSE(grid.IsColumnHidden(c)) << c;
}

TEST_F(ListFixture, SaveWritesTextOrSpreadsheetAndRefusesEmptyOrUnselected)
{
    const QString base = home.filePath(QStringLiteral("out/수납_재처리"));
    files.enqueue(base + QStringLiteral(".txt"), 1);
    const QString written = SaveListFile(nullptr, &grid, QStringLiteral("수납_재처리"), [] {
        return QStringList{QStringLiteral("가나  001"), QStringLiteral("다라  002")};
    });
    EXPECT_EQ(written, base + QStringLiteral(".txt"));
    EXPECT_EQ(prompt.lastText(), base + QStringLiteral(".txt 를 저장하였습니다."));
    QFile f(written);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), qvx::Cp949::encode(QStringLiteral("가나  001\r\n다라  002\r\n")));
    ASSERT_EQ(files.asked.size(), 1);
    EXPECT_EQ(files.asked[0].title, QStringLiteral("파일 저장"));
    EXPECT_TRUE(files.asked[0].directory.endsWith(QStringLiteral("/data/")));

    files.enqueue(base, 1);
    EXPECT_TRUE(SaveListFile(nullptr, &grid, QString(), [] { return QStringList(); }).isEmpty());
    EXPECT_EQ(prompt.lastText(), QStringLiteral("저장할 자료가 선택되지 않았습니다."));

    files.enqueue(base, 2);
    const QString sheet = SaveListFile(nullptr, &grid, QString(), [] { return QStringList(); });
    EXPECT_EQ(prompt.lastText(), base + QStringLiteral(".xls 를 저장하였습니다."));
    qvx::Spreadsheet::Rows rows;
    ASSERT_TRUE(qvx::Spreadsheet::read(sheet, &rows));
    EXPECT_EQ(rows.value(2).value(1), QStringLiteral("다라"));

    const int before = prompt.count();
    EXPECT_TRUE(SaveListFile(nullptr, &grid, QString(), [] { return QStringList{QStringLiteral("x")}; }).isEmpty());
    EXPECT_EQ(prompt.count(), before);           // cancelled: nothing said, nothing written

    ClearGridRows(&grid);
    EXPECT_TRUE(GridIsEmpty(&grid));
    EXPECT_EQ(grid.RowCount(), 2);
    SaveListFile(nullptr, &grid, QString(), [] { return QStringList{QStringLiteral("x")}; });
    EXPECT_EQ(prompt.lastText(), QStringLiteral("저장할 자료가 존재하지 않습니다."));
}

TEST(ListReportRowsTest, FillsTheLastPageWithEmptyLines)
{
    qvx::Report report;
    report.columnHeader.height = 8;
    report.pageFooter.height = 8;
    report.detail.add(qvx::ReportItem::Label, QStringLiteral("no"), QRectF(0, 0, 10, 5));
    ListReportRows rows(31, 37);
    rows.fitPage(report);
    EXPECT_EQ(report.detailCapacity(true), 31);
    EXPECT_EQ(report.detailCapacity(false), 37);
    QStringList printed;
    rows.attach(report, [] { return 35; }, [&](int row) {
        printed << (row > 0 ? QString::number(row) : QString());
    });
    const auto pages = report.layout();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[1].detailCount(), 37);
    EXPECT_EQ(printed.size(), 31 + 37);
    EXPECT_EQ(printed[34], QStringLiteral("35"));
    EXPECT_TRUE(printed[35].isEmpty());
    // A second print starts over.
    printed.clear();
    EXPECT_EQ(report.layout().size(), 2);
    EXPECT_EQ(printed.first(), QStringLiteral("1"));
}

TEST(ListReportRowsTest, ScreenParametersGiveOrientationAndAnUnfilledLastPage)
{
    qvx::Report report;
    report.columnHeader.height = 8;
    report.pageFooter.height = 8;
    ReportParams params;
    params.orientation = ReportParams::Landscape;
    params.firstPageLines = 5;
    params.laterPageLines = 7;
    params.fillLastPage = false;
    ListReportRows rows(params);
    rows.fitPage(report);
    EXPECT_EQ(report.orientation, QPageLayout::Landscape);
    rows.attach(report, [] { return 8; }, [](int) {});
    const auto pages = report.layout();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].detailCount(), 5);
    EXPECT_EQ(pages[1].detailCount(), 3);
    EXPECT_EQ(rows.linesPerPage(8), (QList<int>{5, 3}));
}

TEST(ListReportRowsTest, PagesOf31And37Lines)
{
    const ListReportRows rows{ReportParams{}};
    EXPECT_EQ(rows.linesPerPage(0), (QList<int>{}));
    EXPECT_EQ(rows.linesPerPage(1), (QList<int>{31}));
    EXPECT_EQ(rows.linesPerPage(31), (QList<int>{31}));
    EXPECT_EQ(rows.linesPerPage(37), (QList<int>{31, 37}));
    EXPECT_EQ(rows.linesPerPage(38), (QList<int>{31, 37}));
    EXPECT_EQ(rows.linesPerPage(69), (QList<int>{31, 37, 37}));
    ReportParams unfilled;
    unfilled.fillLastPage = false;
    EXPECT_EQ(ListReportRows(unfilled).linesPerPage(38), (QList<int>{31, 7}));
}

TEST(ListScreenFocus, EnterSkipsLabelsAndHiddenControlsAndTheFormFocusesItsFirstControl)
{
    QWidget form;
    auto *first = new QLineEdit(&form);
    new QLabel(QStringLiteral("이중비밀번호"), &form);
    auto *hidden = new QComboBox(&form);
    hidden->hide();
    auto *disabled = new QLineEdit(&form);
    disabled->setEnabled(false);
    auto *second = new QLineEdit(&form);
    auto *button = new QPushButton(&form);
    EnterMovesFocus(first);
    EnterMovesFocus(second, button);
    FocusOnShow(&form, second);
    EXPECT_EQ(NextTabControl(first), second);

    form.show();
    EXPECT_EQ(form.focusWidget(), second);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(form.focusWidget(), second);
    QTest::keyClick(second, Qt::Key_Enter);
    EXPECT_EQ(form.focusWidget(), button);
}
