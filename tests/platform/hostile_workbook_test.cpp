// Crafted workbooks against the spreadsheet readers: each is refused with a
// reason, in bounded memory, or read in bounded time, and never crashes the
// program.
#include "platform/SheetCells.h"
#include "platform/Spreadsheet.h"
#include "support/CraftedZip.h"
#include "support/PeakMemory.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using qvx::Spreadsheet;
using testing_support::MeasurePeakMemory;
using testing_support::member;
using testing_support::repeated;
using testing_support::writeZip;

namespace {

constexpr qint64 MB = 1024 * 1024;

const QByteArray SheetHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                             "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
const QByteArray SheetTail = "</sheetData></worksheet>";

QByteArray nested(const QByteArray &name, int depth, const QByteArray &inner = "x")
{
    return QByteArray("<" + name + ">").repeated(depth) + inner + QByteArray("</" + name + ">").repeated(depth);
}

// Reads the workbook in a child: 1 when read, 0 when refused; the reason in *error.
struct Outcome
{
    testing_support::PeakMemory peak;
    QString error;
};

Outcome readInChild(const QString &file)
{
    QTemporaryDir dir;
    const QString reasonFile = dir.filePath(QStringLiteral("reason"));
    Outcome out;
    out.peak = MeasurePeakMemory([&] {
        qvx::SheetCells cells;
        QString error;
        const bool read = Spreadsheet::read(file, &cells, &error);
        QFile f(reasonFile);
        if (f.open(QIODevice::WriteOnly))
            f.write(error.toUtf8());
        return read ? 1 : 0;
    });
    QFile f(reasonFile);
    if (f.open(QIODevice::ReadOnly))
        out.error = QString::fromUtf8(f.readAll());
    return out;
}

} // namespace

TEST(HostileWorkbook, DeeplyNestedCellTextsAreRefusedNotFollowedDownTheStack)
{
    QTemporaryDir dir;
    const QString inCell = dir.filePath(QStringLiteral("cell.xlsx"));
    ASSERT_TRUE(writeZip(inCell, {member("xl/worksheets/sheet1.xml",
                                         SheetHead + "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is>" + nested("r", 100000)
                                             + "</is></c><c r=\"B1\"><v>" + nested("v", 100000, "1") + "</v></c></row>"
                                             + SheetTail)}));
    EXPECT_LT(QFileInfo(inCell).size(), 4000);
    const QString inStrings = dir.filePath(QStringLiteral("strings.xlsx"));
    ASSERT_TRUE(writeZip(inStrings, {member("xl/sharedStrings.xml", "<sst><si><t>" + nested("t", 100000) + "</t></si></sst>"),
                                     member("xl/worksheets/sheet1.xml", SheetHead
                                                + "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>" + SheetTail)}));
    for (const QString &file : {inCell, inStrings}) {
        const Outcome o = readInChild(file);
        ASSERT_TRUE(o.peak.ended) << "signal " << o.peak.signal;
        EXPECT_EQ(o.peak.result, 0);
        EXPECT_EQ(o.error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (요소가 32단계보다 깊이 겹쳐 있습니다)."));
    }

    // Rich text a few elements deep reads as before.
    const QString rich = dir.filePath(QStringLiteral("rich.xlsx"));
    ASSERT_TRUE(writeZip(rich, {member("xl/sharedStrings.xml",
                                       "<sst><si><r><t>가</t></r><r><t>나</t></r><rPh><t>x</t></rPh></si></sst>"),
                                member("xl/worksheets/sheet1.xml",
                                       SheetHead + "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"inlineStr\">"
                                                   "<is><r><t>다</t></r><r><t>라</t></r></is></c></row>" + SheetTail)}));
    Spreadsheet::Rows rows;
    QString error;
    ASSERT_TRUE(Spreadsheet::read(rich, &rows, &error)) << error.toStdString();
    EXPECT_EQ(rows, (Spreadsheet::Rows{{QStringLiteral("가나"), QStringLiteral("다라")}}));
}

TEST(HostileWorkbook, XlsxThatUnpacksToMoreThanASheetHoldsIsRefusedInBoundedMemory)
{
    QTemporaryDir dir;
    // Empty rows past the budget of all parts together, in a file of a few
    // hundred kilobytes.
    const QString rowsBomb = dir.filePath(QStringLiteral("rows.xlsx"));
    ASSERT_TRUE(writeZip(rowsBomb, {repeated("xl/worksheets/sheet1.xml", SheetHead, "<row/>", 200 * MB, SheetTail)}));
    // One cell value of a hundred megabytes.
    const QString valueBomb = dir.filePath(QStringLiteral("value.xlsx"));
    ASSERT_TRUE(writeZip(valueBomb, {repeated("xl/worksheets/sheet1.xml", SheetHead + "<row r=\"1\"><c r=\"A1\"><v>",
                                              "1111111111", 50 * MB, "</v></c></row>" + SheetTail)}));
    // Shared strings, each within a cell's size, more of them than cells.
    const QString stringsBomb = dir.filePath(QStringLiteral("strings.xlsx"));
    ASSERT_TRUE(writeZip(stringsBomb, {repeated("xl/sharedStrings.xml", "<sst>", "<si><t>a</t></si>", 40 * MB, "</sst>"),
                                       member("xl/worksheets/sheet1.xml", SheetHead + SheetTail)}));
    // The workbook part, read once, of empty elements past the budget.
    const QString bookBomb = dir.filePath(QStringLiteral("book.xlsx"));
    ASSERT_TRUE(writeZip(bookBomb, {repeated("xl/workbook.xml", "<workbook>", "<x/>", 100 * MB, "</workbook>"),
                                    member("xl/worksheets/sheet1.xml", SheetHead + SheetTail)}));

    const QString tooLarge = QStringLiteral("엑셀 파일의 압축을 풀면 너무 커서 읽을 수 없습니다 (최대 64MB).");
    const struct
    {
        QString file;
        QString reason;
    } cases[] = {
        {rowsBomb, tooLarge},
        {valueBomb, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (글자가 셀 하나에 들어가는 32767자보다 깁니다).")},
        {stringsBomb, QStringLiteral("시트의 셀이 너무 많아 읽을 수 없습니다 (최대 2,000,000개).")},
        {bookBomb, tooLarge},
    };
    for (const auto &c : cases) {
        const qint64 size = QFileInfo(c.file).size();
        EXPECT_LT(size, 600 * 1024) << c.file.toStdString();
        const Outcome o = readInChild(c.file);
        ASSERT_TRUE(o.peak.ended) << c.file.toStdString() << ": signal " << o.peak.signal;
        EXPECT_EQ(o.peak.result, 0) << c.file.toStdString();
        EXPECT_EQ(o.error, c.reason) << c.file.toStdString();
        // Ten times the file and a few tens of megabytes at most.
        EXPECT_LT(o.peak.growth, 10 * size + 40 * MB) << c.file.toStdString() << ": " << o.peak.growth;
    }
}

TEST(HostileWorkbook, SixtyFiveThousandStylesOfOneHugeNumberFormatAreReadWithoutReadingItAgainPerStyle)
{
    // One 900,000-character format named by 65,535 styles, a date format by
    // the last one: a file of some kilobytes.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("styles.xlsx"));
    const QByteArray styles = "<styleSheet><numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy-mm-dd"
                              + QByteArray(900000, '0')
                              + "\"/><numFmt numFmtId=\"165\" formatCode=\"yyyy-mm-dd\"/></numFmts><cellXfs>"
                              + QByteArray("<xf numFmtId=\"164\"/>").repeated(65535) + "<xf numFmtId=\"165\"/></cellXfs></styleSheet>";
    ASSERT_TRUE(writeZip(file, {member("xl/styles.xml", styles),
                                member("xl/worksheets/sheet1.xml",
                                       SheetHead + "<row r=\"1\"><c r=\"A1\" s=\"0\"><v>45000</v></c>"
                                                   "<c r=\"B1\" s=\"65534\"><v>45000</v></c>"
                                                   "<c r=\"C1\" s=\"65535\"><v>45000</v></c></row>"
                                           + SheetTail)}));
    EXPECT_LT(QFileInfo(file).size(), 20000);
    qvx::SheetCells cells;
    QString error;
    ASSERT_TRUE(Spreadsheet::read(file, &cells, &error)) << error.toStdString();
    EXPECT_EQ(cells.row(0, 3), (QStringList{QStringLiteral("45000"), QStringLiteral("45000"), QStringLiteral("2023-03-15")}));
}

// Two million number cells of a few bytes each: the smallest and the largest
// double take as few characters as a 1 does, not the hundreds their digits
// would.
TEST(HostileWorkbook, NumberCellsOfAnyValueTakeAFewCharactersEach)
{
    QTemporaryDir dir;
    for (const char *value : {"5e-324", "1e308"}) {
        const QString file = dir.filePath(QString::fromLatin1(value) + QStringLiteral(".xlsx"));
        const QByteArray row = "<row>" + QByteArray("<c><v>" + QByteArray(value) + "</v></c>").repeated(10) + "</row>";
        ASSERT_TRUE(writeZip(file, {repeated("xl/worksheets/sheet1.xml", SheetHead, row, 200'000LL * row.size() - MB,
                                             SheetTail)}));
        EXPECT_LT(QFileInfo(file).size(), 400 * 1024) << value;
        const Outcome o = readInChild(file);
        ASSERT_TRUE(o.peak.ended) << value << ": signal " << o.peak.signal;
        EXPECT_EQ(o.peak.result, 1) << value << ": " << o.error.toStdString();
        EXPECT_LT(o.peak.growth, 120 * MB) << value << ": " << o.peak.growth;
    }
    qvx::SheetCells cells;
    QString error;
    ASSERT_TRUE(Spreadsheet::read(dir.filePath(QStringLiteral("5e-324.xlsx")), &cells, &error));
    EXPECT_EQ(cells.cell(0, 0), QStringLiteral("5E-324"));
    ASSERT_TRUE(Spreadsheet::read(dir.filePath(QStringLiteral("1e308.xlsx")), &cells, &error));
    EXPECT_EQ(cells.cell(0, 9), QStringLiteral("1E+308"));
}

// Texts that together hold more than a sheet may are refused while the sheet
// is read, before they are all kept.
TEST(HostileWorkbook, TextsPastWhatASheetHoldsAreRefusedWhileItIsRead)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("texts.xlsx"));
    const QByteArray cell = "<c t=\"inlineStr\"><is><t>" + QByteArray(32767, 'a') + "</t></is></c>";
    ASSERT_TRUE(writeZip(file, {repeated("xl/worksheets/sheet1.xml", SheetHead + "<row>", cell, 60 * MB,
                                         "</row>" + SheetTail)}));
    const Outcome o = readInChild(file);
    ASSERT_TRUE(o.peak.ended) << "signal " << o.peak.signal;
    EXPECT_EQ(o.peak.result, 0);
    EXPECT_EQ(o.error, QStringLiteral("시트의 자료가 너무 많거나 길어 읽을 수 없습니다 (최대 64MB)."));
    EXPECT_LT(o.peak.growth, 200 * MB) << o.peak.growth;
}
