#include "platform/Cp949.h"
#include "platform/Spreadsheet.h"
#include "platform/TListGrid.h"
#include "platform/TextFile.h"
#include "support/Eventually.h"

#include <QFile>
#include <QTest>
#include <QTemporaryDir>
#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace {

void fill(TListGrid &g, int rows)
{
    g.SetColCount(4);
    g.SetRowCount(rows + 1);
    g.SetCells(0, 0, QStringLiteral("순번"));
    g.SetCells(1, 0, QStringLiteral("이름"));
    g.SetCells(2, 0, QStringLiteral("금액"));
    g.SetCells(3, 0, QStringLiteral("비고"));
    for (int r = 1; r <= rows; ++r) {
        g.SetCells(0, r, QString::number(r));
        g.SetCells(1, r, QStringLiteral("업체%1").arg(r));
        g.SetCells(2, r, QStringLiteral("1,000"));
    }
}

} // namespace

TEST(ListGrid, CellsBeyondTheShownColumnsKeepTheirData)
{
    TListGrid g;
    fill(g, 2);
    g.SetCells(30, 1, QStringLiteral("raw"));
    g.HideColumn(3);
    g.SetCells(3, 2, QStringLiteral("hidden"));
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.Cells(30, 1), QStringLiteral("raw"));
    EXPECT_EQ(g.Cells(3, 2), QStringLiteral("hidden"));
    EXPECT_TRUE(g.IsColumnHidden(3));
    EXPECT_EQ(g.Cells(40, 40), QString());      // never written: empty, no crash
    g.SetRowCount(2);                            // shrinking drops rows
    EXPECT_EQ(g.Cells(0, 2), QString());
    EXPECT_EQ(g.Cells(30, 1), QStringLiteral("raw"));
}

TEST(ListGrid, RewrittenCellsKeepTheirLatestTextsAndNullApartFromEmpty)
{
    TListGrid g;
    g.SetColCount(3);
    g.SetRowCount(11);
    // Many rounds of new texts over the same ten rows (an edited list, a
    // list filled again and again): every cell reads its latest text.
    for (int round = 0; round < 200; ++round)
        for (int r = 1; r <= 10; ++r) {
            g.SetCells(0, r, QStringLiteral("업체%1-%2").arg(round).arg(r));
            g.SetCells(1, r, r % 2 ? QStringLiteral("같은 값") : QString::number(round));
        }
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(g.Cells(0, r), QStringLiteral("업체199-%1").arg(r));
        EXPECT_EQ(g.Cells(1, r), r % 2 ? QStringLiteral("같은 값") : QStringLiteral("199"));
    }
    g.SetCells(2, 1, QString(QLatin1String("")));
    EXPECT_FALSE(g.Cells(2, 1).isNull());
    EXPECT_TRUE(g.Cells(2, 2).isNull());
    g.SetCells(0, 1, QString());
    EXPECT_TRUE(g.Cells(0, 1).isNull());
    // A box on a cell never written, and a cell written after its box.
    g.AddCheckBox(2, 5, true);
    g.SetCells(2, 5, QStringLiteral("x"));
    EXPECT_TRUE(g.IsChecked(2, 5));
    EXPECT_EQ(g.Cells(2, 5), QStringLiteral("x"));
    g.ClearRows(5, 5);
    EXPECT_FALSE(g.HasCheckBox(2, 5));
    EXPECT_TRUE(g.Cells(2, 5).isEmpty());
    EXPECT_EQ(g.Cells(1, 5), QString()); // cleared with its row
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("같은 값"));
}

TEST(ListGrid, ARowSetAtOnceKeepsItsOtherCellsAndCheckBoxes)
{
    TListGrid g;
    fill(g, 2);
    g.AddCheckBox(0, 1, true);
    g.SetCells(5, 1, QStringLiteral("beyond"));
    g.SetRowCells(1, 3, [](int col) { return QStringLiteral("c%1").arg(col); });
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("c0"));
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("c2"));
    EXPECT_EQ(g.Cells(5, 1), QStringLiteral("beyond"));
    EXPECT_TRUE(g.IsChecked(0, 1));
    // A row past the last grows the list, wider than its shown columns.
    g.SetRowCells(4, 6, [](int col) { return QString::number(col * 10); });
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Cells(5, 4), QStringLiteral("50"));
    EXPECT_EQ(g.Cells(1, 3), QString());
    // Shown at once outside an update, as a cell set alone is.
    EXPECT_EQ(g.gridModel()->data(g.gridModel()->index(1, 1), Qt::DisplayRole).toString(), QStringLiteral("c1"));
    // From views: the grid keeps its own copy; a null view writes no text.
    QString source = QStringLiteral("abcdef");
    g.SetRowCellViews(2, 3, [&source](int col) { return col == 1 ? QStringView() : QStringView(source).mid(col, 2); });
    source.fill(QLatin1Char('x'));
    EXPECT_EQ(g.Cells(0, 2), QStringLiteral("ab"));
    EXPECT_TRUE(g.Cells(1, 2).isEmpty());
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("cd"));
}

namespace {

// A filled list of `rows` data rows and 4 shown columns, every text its own,
// a ticked box in column 0 of every third row.
void fillUnique(TListGrid &g, int rows)
{
    g.SetColCount(4);
    g.BeginUpdate();
    g.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        const QString texts[] = {QString::number(r), QStringLiteral("업체%1").arg(r), QStringLiteral("%1,000").arg(r),
                                 QStringLiteral("비고%1").arg(r)};
        g.SetRowCellViews(r, 4, [&texts](int col) { return QStringView(texts[col]); });
        if (r % 3 == 0)
            g.AddCheckBox(0, r, true);
    }
    g.EndUpdate();
}

// Row `r` as fillUnique wrote it; a row number of 0 expects a row without texts.
void expectFilledRow(const TListGrid &g, int row, int r)
{
    if (r == 0) {
        for (int c = 0; c < 4; ++c)
            EXPECT_TRUE(g.Cells(c, row).isNull()) << row << "," << c;
        EXPECT_FALSE(g.HasCheckBox(0, row)) << row;
        return;
    }
    EXPECT_EQ(g.Cells(0, row), QString::number(r)) << row;
    EXPECT_EQ(g.Cells(1, row), QStringLiteral("업체%1").arg(r)) << row;
    EXPECT_EQ(g.Cells(3, row), QStringLiteral("비고%1").arg(r)) << row;
    EXPECT_EQ(g.IsChecked(0, row), r % 3 == 0) << row;
}

} // namespace

TEST(ListGridStorage, RowsWiderThanAnyBeforeKeepEveryTextAndBoxOfTheFilledList)
{
    TListGrid g;
    fillUnique(g, 300);
    // One cell far out, then a whole row wider still, after the fill.
    g.SetCells(40, 150, QStringLiteral("먼 칸"));
    g.AddCheckBox(41, 151, false);
    g.SetRowCellViews(200, 70, [](int col) { return col == 69 ? QStringView(u"끝") : QStringView(); });
    for (int r = 1; r <= 300; ++r)
        if (r != 200)
            expectFilledRow(g, r, r);
    EXPECT_EQ(g.Cells(40, 150), QStringLiteral("먼 칸"));
    EXPECT_TRUE(g.HasCheckBox(41, 151));
    EXPECT_FALSE(g.IsChecked(41, 151));
    EXPECT_EQ(g.Cells(69, 200), QStringLiteral("끝"));
    EXPECT_TRUE(g.Cells(0, 200).isNull());        // the row set at once: its null views wrote no text
    EXPECT_TRUE(g.IsChecked(0, 201));
    EXPECT_TRUE(g.Cells(40, 151).isNull());       // other rows grew no text out there
    EXPECT_TRUE(g.Cells(100, 150).isNull());
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.RowCount(), 301);
    // A cell written past the last row grows the list by as many rows.
    g.SetCells(50, 310, QStringLiteral("x"));
    EXPECT_EQ(g.RowCount(), 311);
    expectFilledRow(g, 300, 300);
    expectFilledRow(g, 305, 0);
}

TEST(ListGridStorage, RowsInsertedAndDeletedInAFilledListTakeTheirCellsAlong)
{
    TListGrid g;
    fillUnique(g, 120);
    g.SetCells(30, 60, QStringLiteral("carried"));
    g.InsertRow(50);
    g.InsertRow(0);
    g.DeleteRow(10);
    // Rows: 0 new, 1..9 the old 0..8, 10..49 the old 10..49, 50 new, 51.. the old 50..
    EXPECT_EQ(g.RowCount(), 122);
    expectFilledRow(g, 0, 0);
    expectFilledRow(g, 1, 0); // the old header row, which fillUnique left without texts
    expectFilledRow(g, 9, 8);
    expectFilledRow(g, 10, 10);
    expectFilledRow(g, 49, 49);
    expectFilledRow(g, 50, 0);
    expectFilledRow(g, 51, 50);
    expectFilledRow(g, 121, 120);
    EXPECT_EQ(g.Cells(30, 61), QStringLiteral("carried"));
    EXPECT_TRUE(g.Cells(30, 60).isNull());
    g.DeleteRow(500);                             // none such: nothing happens
    g.InsertRow(500);                             // past the end: a new last row
    EXPECT_EQ(g.RowCount(), 123);
    expectFilledRow(g, 122, 0);
    expectFilledRow(g, 121, 120);
}

TEST(ListGridStorage, TextsOverwrittenManyTimesAndListsFilledAgainReadTheirLatestTexts)
{
    // Cells copied within their own column from views into the grid itself,
    // over and over: the column's unused texts are dropped meanwhile, while
    // a view being copied points into them.
    TListGrid g;
    g.SetColCount(2);
    g.SetRowCount(11);
    QStringList expected(11);
    for (int round = 0; round < 60; ++round) {
        for (int r = 1; r <= 10; ++r) {
            expected[r] = QStringLiteral("값%1-%2").arg(round).arg(r);
            g.SetCells(0, r, expected[r]);
        }
        for (int r = 1; r <= 10; ++r) {
            const int from = 11 - r;
            expected[r] = expected[from];
            g.SetRowCellViews(r, 1, [&g, from](int) { return g.CellView(0, from); });
            g.SetCells(1, r, g.CellView(0, from).toString());
        }
    }
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(g.Cells(0, r), expected[r]) << r;
        EXPECT_EQ(g.Cells(1, r), expected[r]) << r;
    }

    // A list emptied and filled again holds the new texts only; its boxes go with its rows.
    TListGrid list;
    fillUnique(list, 2000);
    list.SetRowCount(1);
    list.SetRowCount(501);
    for (int r = 1; r <= 500; ++r)
        expectFilledRow(list, r, 0);
    EXPECT_EQ(list.Cells(1, 0), QString()); // fillUnique wrote no header
    fillUnique(list, 500);
    for (int r = 1; r <= 500; ++r)
        expectFilledRow(list, r, r);

    // Rows taking turns between a few texts (mother accounts) beside a text
    // of their own, written again over rows that held others.
    const QString mothers[] = {QStringLiteral("우리은행"), QStringLiteral("기업은행"), QStringLiteral("국민은행")};
    for (int pass = 0; pass < 3; ++pass)
        for (int r = 1; r <= 500; ++r) {
            const QString own = QString::number(r * 7 + pass);
            list.SetRowCellViews(r, 2, [&](int col) { return col == 0 ? QStringView(mothers[(r + pass) % 3]) : QStringView(own); });
        }
    for (int r = 1; r <= 500; ++r) {
        EXPECT_EQ(list.Cells(0, r), mothers[(r + 2) % 3]) << r;
        EXPECT_EQ(list.Cells(1, r), QString::number(r * 7 + 2)) << r;
    }
}

TEST(ListGridStorage, NullAndEmptyTextsStayApartThroughEveryWayOfWriting)
{
    TListGrid g;
    g.SetColCount(3);
    g.SetRowCount(7);
    // One column, consecutive rows: empty after empty, null between them,
    // as the shortcut for a repeated text must not mix them up.
    g.SetCells(0, 1, QString(QLatin1String("")));
    g.SetCells(0, 2, QString());
    g.SetCells(0, 3, QString(QLatin1String("")));
    g.SetRowCells(4, 2, [](int col) { return col == 0 ? QString(QLatin1String("")) : QString(); });
    g.SetRowCellViews(5, 2, [](int col) { return col == 0 ? QStringView() : QStringView(u""); });
    g.SetRowCellViews(6, 2, [](int col) { return col == 0 ? QStringView(u"") : QStringView(u"b"); });
    const bool nullAt[][2] = {{true, true}, {false, true}, {true, true}, {false, true}, {false, true}, {true, false}, {false, false}};
    for (int r = 1; r <= 6; ++r)
        for (int c = 0; c < 2; ++c) {
            EXPECT_EQ(g.Cells(c, r).isNull(), nullAt[r][c]) << c << "," << r;
            EXPECT_EQ(g.CellView(c, r).isNull(), nullAt[r][c]) << c << "," << r;
            EXPECT_EQ(g.Cells(c, r).isEmpty(), c == 0 || r != 6) << c << "," << r;
        }
    // A view reads what Cells() reads, and nothing outside the list.
    EXPECT_EQ(g.CellView(1, 6), QStringLiteral("b"));
    EXPECT_TRUE(g.CellView(1, 60).isNull());
    EXPECT_TRUE(g.CellView(-1, 1).isNull());
    EXPECT_TRUE(g.CellView(1, -1).isNull());
    // Cleared cells are without a text, not empty.
    g.ClearRows(6, 6);
    EXPECT_TRUE(g.Cells(1, 6).isNull());
}

// A long fill by text numbers: own texts added a column at a time, the
// columns side by side, shared texts added once; every cell reads back its
// text, null and empty apart, check boxes kept, and later writes (which may
// renumber a column) keep every other cell's text.
TEST(ListGridStorage, AFillByTextNumbersReadsBackEveryCellAndSurvivesLaterWrites)
{
    constexpr int Rows = 9000;
    TListGrid g;
    g.SetColCount(5);
    g.SetRowCount(Rows + 1);
    g.AddCheckBox(0, 7, true);
    auto own = [](int col, int i) -> QString {
        if (col == 1 && i % 5 == 0)
            return QString();                    // no text
        if (col == 3 && i % 7 == 0)
            return QString(QLatin1String(""));   // an empty one
        return QStringLiteral("%1열 %2번 행").arg(col).arg(i);
    };
    std::vector<std::vector<quint32>> numbers;
    g.AddCellTexts({0, 1, 3, 4}, Rows, [&](int col, int i) -> QStringView {
        thread_local QString held;
        held = own(col, i);
        return held.isNull() ? QStringView() : QStringView(held);
    }, &numbers);
    const quint32 bank[2] = {g.AddCellText(2, u"국민은행"), g.AddCellText(2, u"신한은행")};
    g.BeginUpdate();
    for (int i = 0; i < Rows; ++i) {
        const quint32 row[5] = {numbers[0][i], numbers[1][i], bank[i % 2], numbers[2][i], numbers[3][i]};
        g.SetRowCellNumbers(i + 1, 5, row);
    }
    g.EndUpdate();
    for (int i = 0; i < Rows; ++i)
        for (int col : {0, 1, 3, 4}) {
            const QString expected = own(col, i);
            ASSERT_EQ(g.CellView(col, i + 1).isNull(), expected.isNull()) << col << "," << i;
            ASSERT_EQ(g.Cells(col, i + 1), expected) << col << "," << i;
        }
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("국민은행"));
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("신한은행"));
    EXPECT_TRUE(g.IsChecked(0, 7));
    // Many rewrites of one column renumber its texts; the others stay.
    for (int n = 0; n < 3 * Rows; ++n)
        g.SetCells(4, 1 + n % 10, QStringLiteral("새 값 %1").arg(n));
    EXPECT_EQ(g.Cells(4, 11), own(4, 10));
    EXPECT_EQ(g.Cells(4, 1), QStringLiteral("새 값 %1").arg(3 * Rows - 10));
    EXPECT_EQ(g.Cells(0, Rows), own(0, Rows - 1));
}

TEST(ListGrid, CheckBoxesAndUpdateBracketing)
{
    TListGrid g;
    fill(g, 3);
    g.BeginUpdate();
    for (int r = 1; r <= 3; ++r)
        g.AddCheckBox(0, r, r == 2);
    g.EndUpdate();
    EXPECT_FALSE(g.IsChecked(0, 1));
    EXPECT_TRUE(g.IsChecked(0, 2));
    EXPECT_FALSE(g.HasCheckBox(1, 1));
    g.SetChecked(1, 1, true);                    // no box there: nothing happens
    EXPECT_FALSE(g.IsChecked(1, 1));

    // A click through the model (as the view does) reaches the hook.
    int seen = -1;
    g.SetEditing(true);
    g.OnCheckBoxClick = [&](int, int row, bool on) { seen = on ? row : -row; };
    g.gridModel()->setData(g.gridModel()->index(3, 0), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(seen, 3);
    EXPECT_TRUE(g.IsChecked(0, 3));
}

TEST(ListGrid, EditingFollowsTheHookAndFixedRowsStayReadOnly)
{
    TListGrid g;
    fill(g, 2);
    g.AddCheckBox(0, 1);
    const auto flags = [&](int c, int r) { return g.gridModel()->flags(g.gridModel()->index(r, c)); };
    EXPECT_FALSE(flags(1, 1) & Qt::ItemIsEditable);          // editing off
    g.SetEditing(true);
    g.OnCanEditCell = [](int col, int) { return col == 0; };
    EXPECT_TRUE(flags(0, 1) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(flags(1, 1) & Qt::ItemIsEditable);
    EXPECT_FALSE(flags(0, 0) & Qt::ItemIsUserCheckable);     // header row
}

TEST(ListGrid, AlignmentAndColourHooksReachTheView)
{
    TListGrid g;
    fill(g, 1);
    g.OnGetAlignment = [](int col, int row) { return row == 0 ? Qt::AlignHCenter : (col == 2 ? Qt::AlignRight : Qt::AlignLeft); };
    g.OnGetCellColor = [](int, int row, QColor &brush, QColor &fontColor, QFont &) {
        if (row == 1) {
            brush = QColor(0x7B, 0x98, 0xE3);
            fontColor = Qt::white;
        }
    };
    const QModelIndex money = g.gridModel()->index(1, 2);
    EXPECT_TRUE(g.gridModel()->data(money, Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    EXPECT_EQ(g.gridModel()->data(money, Qt::BackgroundRole).value<QColor>(), QColor(0x7B, 0x98, 0xE3));
    EXPECT_EQ(g.gridModel()->data(money, Qt::ForegroundRole).value<QColor>(), QColor(Qt::white));
}

TEST(ListGrid, ClearingABlockAndRows)
{
    TListGrid g;
    fill(g, 3);
    g.SetCells(35, 2, QStringLiteral("x"));
    g.ClearBlock(1, 1, 1, 2);
    EXPECT_EQ(g.Cells(1, 1), QString());
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("업체3"));
    g.ClearRows(1, 3);
    EXPECT_EQ(g.Cells(0, 1), QString());
    EXPECT_EQ(g.Cells(35, 2), QString());
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("이름"));     // header kept
}

TEST(ListGrid, SearchGoesForwardAndWrapsOnlyWhenAsked)
{
    TListGrid g;
    fill(g, 12);
    EXPECT_EQ(g.FindRow(QStringLiteral("업체1"), -1, 1), 1);
    EXPECT_EQ(g.FindRow(QStringLiteral("업체1"), -1, 2), 10);   // 업체10
    EXPECT_EQ(g.FindRow(QStringLiteral("업체1"), 1, 13), -1);
    EXPECT_EQ(g.FindRow(QStringLiteral("업체2"), 1, 3, true), 2);
    EXPECT_EQ(g.FindRow(QString(), -1, 1), -1);                // empty word matches nothing
    EXPECT_EQ(g.FindRow(QStringLiteral("순번"), -1, 0), -1);   // header never matches
    EXPECT_EQ(g.FindRow(QStringLiteral("업체"), 2, 1), -1);    // column 2 only holds amounts
}

TEST(ListGrid, TextExportIsCp949WithCrLfAndLeavesHiddenColumnsOut)
{
    QTemporaryDir dir;
    TListGrid g;
    fill(g, 1);
    g.HideColumn(3);
    const QString file = dir.filePath(QStringLiteral("out.txt"));
    ASSERT_TRUE(g.SaveToText(file, QStringLiteral(";")));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray expected = qvx::Cp949::encode(QStringLiteral("순번;이름;금액\r\n1;업체1;1,000\r\n"));
    EXPECT_EQ(f.readAll(), expected);
}

TEST(ListGrid, TextExportRefusesACharacterCp949CannotHoldAndNamesTheRow)
{
    QTemporaryDir dir;
    TListGrid g;
    fill(g, 3);
    g.SetCells(1, 2, QStringLiteral("업체2 \u00E9")); // an accented letter has no CP949 code
    const QString file = dir.filePath(QStringLiteral("out.txt"));
    QString error;
    EXPECT_FALSE(g.SaveToText(file, QStringLiteral(";"), false, &error));
    EXPECT_EQ(error, QStringLiteral("3번째 줄의 문자 \"\u00E9\"(U+00E9)는 CP949로 저장할 수 없습니다."));
    EXPECT_FALSE(QFile::exists(file)); // no file with a "?" in its place
    // A character beyond the basic plane is named whole.
    error.clear();
    EXPECT_FALSE(qvx::TextFile::writeLines(file, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("x\U0001F600")}, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("3번째 줄의 문자 \"\U0001F600\"(U+1F600)"))) << error.toStdString();
}

TEST(ListGrid, SpreadsheetExportReadsBackThroughOurReader)
{
    QTemporaryDir dir;
    TListGrid g;
    fill(g, 2);
    g.SetCells(3, 1, QStringLiteral("0012345"));
    const QString file = dir.filePath(QStringLiteral("out.xls"));
    ASSERT_TRUE(g.SaveToXLS(file));
    qvx::Spreadsheet::Rows rows;
    QString error;
    ASSERT_TRUE(qvx::Spreadsheet::read(file, &rows, &error)) << error.toStdString();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], (QStringList{QStringLiteral("순번"), QStringLiteral("이름"), QStringLiteral("금액"), QStringLiteral("비고")}));
    EXPECT_EQ(rows[1].value(3), QStringLiteral("0012345"));     // text keeps its zeros
    EXPECT_EQ(rows[2].value(2), QStringLiteral("1000"));        // amounts are numbers in the sheet
}

TEST(ListGrid, TheCurrentRowIsNeverTheTitleRow)
{
    TListGrid g;
    fill(g, 3);
    g.resize(400, 200);
    g.show();
    g.SetCurrent(1, 2);
    // A click on a title cell keeps the current row.
    const QRect title = g.visualRect(g.gridModel()->index(0, 1));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, title.center());
    EXPECT_EQ(g.Row(), 2);
    // Moving up stops at the first data row.
    g.SetCurrent(1, 1);
    g.setFocus();
    QTest::keyClick(&g, Qt::Key_Up);
    EXPECT_EQ(g.Row(), 1);
    // Even set by hand, the title row reads as the first data row.
    g.setCurrentIndex(g.gridModel()->index(0, 1));
    EXPECT_EQ(g.Row(), 1);
    // A grid of only a title row answers with the row past it.
    TListGrid empty;
    empty.SetRowCount(1);
    EXPECT_EQ(empty.Row(), 1);
}

TEST(ListGrid, ColumnsWidenToTheirWidestTextAndHeaderInTheGridsFont)
{
    TListGrid g;
    fill(g, 3);
    g.SetCells(1, 0, QStringLiteral("타행미처리누계금액"));
    g.SetColWidths(0, 40);
    g.SetColWidths(1, 40);
    g.SetColWidths(2, 40);
    g.SetColWidths(3, 0); // kept out of sight
    g.SetColWidths(3, 0);
    const QFontMetrics metrics(g.font());
    // A 13-digit amount written after the widths were set.
    g.SetCells(2, 2, QStringLiteral("9,999,999,999,999"));
    EXPECT_EVENTUALLY(g.ColWidths(2) > metrics.horizontalAdvance(QStringLiteral("9,999,999,999,999")));
    EXPECT_GT(g.ColWidths(1), metrics.horizontalAdvance(QStringLiteral("타행미처리누계금액")));
    EXPECT_EQ(g.ColWidths(0), 40); // wide enough already: the screen's width stays
    EXPECT_EQ(g.ColWidths(3), 0);
    // A shorter text of Korean letters is wider than a longer one of Latin
    // letters and digits, whatever their place in the text.
    g.SetColWidths(3, 40);
    g.SetCells(3, 1, QStringLiteral("abcdefgh1"));
    g.SetCells(3, 2, QStringLiteral("가나다라마바사아"));
    g.SetCells(3, 3, QStringLiteral("Z"));
    g.FitColumns();
    // Every text is drawn whole in its cell.
    g.resize(900, 200);
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row <= 3; ++row)
            EXPECT_LE(metrics.horizontalAdvance(g.Cells(col, row)), g.ColWidths(col)) << col << "," << row;
    // A larger font widens them again.
    const int before = g.ColWidths(2);
    QFont big = g.font();
    big.setPointSize(big.pointSize() * 2);
    g.setFont(big);
    EXPECT_EVENTUALLY(g.ColWidths(2) > before);
}

namespace {

QStringList g_modelFaults;
QtMessageHandler g_previous = nullptr;
void CollectModelFaults(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && QLatin1String(context.category) == QLatin1String("qt.modeltest") && type >= QtWarningMsg)
        g_modelFaults << message;
    else if (g_previous)
        g_previous(type, context, message);
}

} // namespace

// Every list relies on the grid model's row and column bookkeeping: Qt's
// item-model tester watches it through the changes screens make.
TEST(ListGridModel, KeepsTheItemModelRulesThroughFillsClearsAndTicks)
{
    g_modelFaults.clear();
    g_previous = qInstallMessageHandler(CollectModelFaults);
    {
        TListGrid grid;
        QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::Warning);
        grid.SetColCount(4);
        grid.SetRowCount(2);
        grid.SetCells(0, 0, QStringLiteral("순번"));
        grid.BeginUpdate();
        grid.SetRowCount(101);
        for (int r = 1; r <= 100; ++r) {
            grid.SetCells(6, r, QStringLiteral("숨김"));  // beyond the shown columns
            grid.SetCells(0, r, QString::number(r));
            grid.AddCheckBox(0, r, r % 2 == 0);
        }
        grid.EndUpdate();
        grid.SetChecked(0, 3, true);
        grid.model()->setData(grid.model()->index(5, 0), Qt::Checked, Qt::CheckStateRole);
        grid.InsertRow(2);
        grid.DeleteRow(4);
        grid.HideColumn(2);
        grid.ClearBlock(0, 1, 3, 10);
        grid.SetColCount(6);
        grid.SetColCount(3);
        grid.SetRowCount(2);
        grid.MergeCells(1, 0, 2, 1);
    }
    qInstallMessageHandler(g_previous);
    EXPECT_TRUE(g_modelFaults.isEmpty()) << qPrintable(g_modelFaults.join(u'\n'));
}
