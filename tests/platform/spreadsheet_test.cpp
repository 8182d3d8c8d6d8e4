#include "platform/CompoundFile.h"
#include "platform/Spreadsheet.h"
#include "support/PeakMemory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <freexl.h>
#include <xlsxwriter.h>

#include <cstring>

using qvx::Spreadsheet;


TEST(Spreadsheet, NumbersReadAsTheirPlainDigits)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("numbers.xlsx"));
    lxw_workbook *book = workbook_new(QFile::encodeName(file).constData());
    lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
    lxw_format *money = workbook_add_format(book);
    format_set_num_format(money, "#,##0");
    worksheet_write_string(sheet, 0, 0, "NO", nullptr);
    worksheet_write_number(sheet, 1, 0, 1000, money);
    worksheet_write_number(sheet, 1, 1, 1234567890123.0, nullptr);
    worksheet_write_number(sheet, 1, 2, 12.25, nullptr);
    worksheet_write_number(sheet, 1, 4, -5, nullptr);             // a gap at column 3
    worksheet_write_string(sheet, 3, 0, "국민은행", nullptr);     // an empty row 2
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);

    Spreadsheet::Rows rows;
    QString error;
    ASSERT_TRUE(Spreadsheet::read(file, &rows, &error)) << error.toStdString();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[1], (QStringList{QStringLiteral("1000"), QStringLiteral("1234567890123"), QStringLiteral("12.25"),
                                    QString(), QStringLiteral("-5")}));
    EXPECT_TRUE(rows[2].isEmpty());
    EXPECT_EQ(rows[3].value(0), QStringLiteral("국민은행"));
}

TEST(Spreadsheet, DamagedOrForeignFilesAreRefusedWithAReason)
{
    QTemporaryDir dir;
    Spreadsheet::Rows rows;
    QString error;
    EXPECT_FALSE(Spreadsheet::read(dir.filePath(QStringLiteral("missing.xlsx")), &rows, &error));

    const QString text = dir.filePath(QStringLiteral("plain.xls"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("NO,bank\r\n1,2\r\n");
    f.close();
    error.clear();
    EXPECT_FALSE(Spreadsheet::read(text, &rows, &error));
    EXPECT_FALSE(error.isEmpty());

    const QString zip = dir.filePath(QStringLiteral("broken.xlsx"));
    QFile z(zip);
    ASSERT_TRUE(z.open(QIODevice::WriteOnly));
    z.write("PK\x03\x04garbage that is no zip at all");
    z.close();
    EXPECT_FALSE(Spreadsheet::read(zip, &rows, &error));
}

TEST(Spreadsheet, AFailedWriteLeavesTheOldFileAlone)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("keep.xlsx"));
    ASSERT_TRUE(Spreadsheet::write(file, {{QStringLiteral("a")}}));
    // A sheet name that the format refuses makes the write fail.
    QString error;
    EXPECT_FALSE(Spreadsheet::write(file, {{QStringLiteral("b")}}, &error, QStringLiteral("bad[name]")));
    Spreadsheet::Rows rows;
    ASSERT_TRUE(Spreadsheet::read(file, &rows));
    EXPECT_EQ(rows.value(0).value(0), QStringLiteral("a"));
}

TEST(Spreadsheet, AWriteThatCannotReplaceTheTargetReportsFailure)
{
    QTemporaryDir dir;
    // The target is a folder: the write fails and the folder stays.
    const QString target = dir.filePath(QStringLiteral("busy.xlsx"));
    ASSERT_TRUE(QDir().mkpath(target));
    QString error;
    EXPECT_FALSE(Spreadsheet::write(target, {{QStringLiteral("a")}}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_FALSE(QFile::exists(target + QStringLiteral(".part")));
}

TEST(Spreadsheet, AWorkbookThatCannotBeWrittenSaysSoInKorean)
{
    QTemporaryDir dir;
    // A file stands where the folder of the workbook should be.
    QFile blocker(dir.filePath(QStringLiteral("data")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const Spreadsheet::Rows rows{{QStringLiteral("NO"), QStringLiteral("금액")}, {QStringLiteral("1"), QStringLiteral("1,000")}};
    for (const char *name : {"data/list.xlsx", "data/list.xls"}) {
        const QString file = dir.filePath(QString::fromLatin1(name));
        QString error;
        EXPECT_FALSE(Spreadsheet::write(file, rows, &error)) << name;
        EXPECT_TRUE(error.startsWith(QStringLiteral("파일을 저장할 수 없습니다"))) << error.toStdString();
        // Beside the names of file and folder the reason is Korean, not the system's English.
        EXPECT_FALSE(QString(error).remove(file).remove(dir.filePath(QStringLiteral("data"))).contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}"))))
            << error.toStdString();
    }
}

namespace {

QByteArray fileBytes(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One BIFF8 record.
QByteArray rec(quint16 id, const QByteArray &data)
{
    QByteArray out(4, '\0');
    qToLittleEndian<quint16>(id, out.data());
    qToLittleEndian<quint16>(quint16(data.size()), out.data() + 2);
    return out + data;
}

QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian<quint16>(v, b.data());
    return b;
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}

QByteArray le64(double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, 8);
    QByteArray b(8, '\0');
    qToLittleEndian<quint64>(bits, b.data());
    return b;
}

QByteArray cellHead(int row, int col, int xf)
{
    return le16(quint16(row)) + le16(quint16(col)) + le16(quint16(xf));
}

QByteArray boundSheet(quint32 offset, const char *name)
{
    return le32(offset) + QByteArray(2, '\0') + char(std::strlen(name)) + char(0) + QByteArray(name);
}

// A workbook as another program saves it: two sheets with the second one
// active, dates, formulas with saved results, booleans, RK numbers.
QByteArray foreignWorkbook()
{
    const QByteArray bofGlobals = rec(0x0809, le16(0x0600) + le16(0x0005) + QByteArray(12, '\0'));
    const QByteArray bofSheet = rec(0x0809, le16(0x0600) + le16(0x0010) + QByteArray(12, '\0'));
    QByteArray xfs;
    for (int i = 0; i < 16; ++i)
        xfs += rec(0x00E0, le16(0) + le16(0) + QByteArray(16, '\0'));
    xfs += rec(0x00E0, le16(0) + le16(14) + QByteArray(16, '\0'));   // 16: built-in date
    xfs += rec(0x00E0, le16(0) + le16(164) + QByteArray(16, '\0'));  // 17: "yyyy-mm-dd hh:mm"
    const QString code = QStringLiteral("yyyy-mm-dd hh:mm");
    QByteArray format = le16(164) + le16(quint16(code.size())) + char(0) + code.toLatin1();
    const QByteArray sst = le32(1) + le32(1) + le16(3) + char(1) + QByteArray(reinterpret_cast<const char *>(u"두번째"), 6);

    QByteArray first = bofSheet + rec(0x00FD, cellHead(0, 0, 15) + le32(0)) + rec(0x000A, {});

    QByteArray second = bofSheet;
    second += rec(0x0204, cellHead(0, 0, 15) + le16(2) + char(0) + QByteArray("NO"));           // LABEL
    second += rec(0x0203, cellHead(1, 0, 16) + le64(45352));                                      // 2024-03-01
    second += rec(0x0203, cellHead(1, 1, 17) + le64(45352.5));                                    // at noon
    second += rec(0x0203, cellHead(1, 2, 15) + le64(12345678901234567890.0));                     // an account number
    second += rec(0x027E, cellHead(1, 3, 15) + le32((1234u << 2) | 0x02));                        // RK 1234
    second += rec(0x00BD, le16(2) + le16(0) + le16(15) + le32((7u << 2) | 0x03) + le16(15) + le32((5u << 2) | 0x02) + le16(1));
    // Formulas: a number, a text (in the STRING record after it), a boolean, an error.
    const QByteArray tail = le16(0) + le32(0) + le16(3) + QByteArray("\x1E\x01\x00", 3);
    second += rec(0x0006, cellHead(3, 0, 15) + le64(42) + tail);
    second += rec(0x0006, cellHead(3, 1, 15) + QByteArray("\x00\x00\x00\x00\x00\x00\xFF\xFF", 8) + tail);
    second += rec(0x0207, le16(3) + char(0) + QByteArray("abc"));
    second += rec(0x0006, cellHead(3, 2, 15) + QByteArray("\x01\x00\x01\x00\x00\x00\xFF\xFF", 8) + tail);
    second += rec(0x0006, cellHead(3, 3, 15) + QByteArray("\x02\x00\x07\x00\x00\x00\xFF\xFF", 8) + tail);
    second += rec(0x0205, cellHead(4, 0, 15) + QByteArray("\x01\x00", 2));                       // TRUE
    second += rec(0x0205, cellHead(4, 1, 15) + QByteArray("\x00\x00", 2));                       // FALSE
    second += rec(0x00FD, cellHead(4, 2, 15) + le32(0));
    second += rec(0x000A, {});

    QByteArray window1 = le16(0) + le16(0) + le16(0x3A5C) + le16(0x23BE) + le16(0x38) + le16(1) + le16(0) + le16(1) + le16(0x258);
    auto globalsWith = [&](quint32 firstAt, quint32 secondAt) {
        return bofGlobals + rec(0x0042, le16(1200)) + rec(0x003D, window1) + rec(0x041E, format) + xfs
               + rec(0x0085, boundSheet(firstAt, "One")) + rec(0x0085, boundSheet(secondAt, "Two")) + rec(0x00FC, sst)
               + rec(0x000A, {});
    };
    const qsizetype globalsSize = globalsWith(0, 0).size();
    const QByteArray stream = globalsWith(quint32(globalsSize), quint32(globalsSize + first.size())) + first + second;
    return qvx::CompoundFile::build(QStringLiteral("Workbook"), stream);
}

} // namespace

TEST(Spreadsheet, AListSavedAsXlsIsAnExcel97WorkbookThatOtherReadersOpen)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("list.xls"));
    const Spreadsheet::Rows rows{
        {QStringLiteral("순번"), QStringLiteral("예금주"), QStringLiteral("계좌번호"), QStringLiteral("금액")},
        {QStringLiteral("1"), QStringLiteral("한빛상사(주)"), QStringLiteral("0012345"), QStringLiteral("1,000")},
        {QStringLiteral("2"), QStringLiteral("Hanbit"), QStringLiteral("110-123-456789"), QStringLiteral("-25,000")},
        {},
        {QStringLiteral("3"), QString(), QStringLiteral("0012345"), QStringLiteral("0")}};
    QString error;
    ASSERT_TRUE(Spreadsheet::write(file, rows, &error)) << error.toStdString();
    EXPECT_TRUE(fileBytes(file).startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1")));

    // An independent reader.
    const void *handle = nullptr;
    ASSERT_EQ(freexl_open(QFile::encodeName(file).constData(), &handle), FREEXL_OK);
    unsigned int info = 0;
    ASSERT_EQ(freexl_get_info(handle, FREEXL_BIFF_VERSION, &info), FREEXL_OK);
    EXPECT_EQ(info, 8u);
    ASSERT_EQ(freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &info), FREEXL_OK);
    EXPECT_EQ(info, 1u);
    const char *sheetName = nullptr;
    ASSERT_EQ(freexl_get_worksheet_name(handle, 0, &sheetName), FREEXL_OK);
    EXPECT_STREQ(sheetName, "Sheet1");
    ASSERT_EQ(freexl_select_active_worksheet(handle, 0), FREEXL_OK);
    unsigned int nRows = 0;
    unsigned short nCols = 0;
    ASSERT_EQ(freexl_worksheet_dimensions(handle, &nRows, &nCols), FREEXL_OK);
    EXPECT_EQ(nRows, 5u);
    EXPECT_EQ(nCols, 4);
    auto text = [&](int r, int c) {
        FreeXL_CellValue v;
        EXPECT_EQ(freexl_get_cell_value(handle, r, c, &v), FREEXL_OK);
        return v.type == FREEXL_CELL_SST_TEXT || v.type == FREEXL_CELL_TEXT ? QString::fromUtf8(v.value.text_value) : QString();
    };
    auto number = [&](int r, int c) {
        FreeXL_CellValue v;
        EXPECT_EQ(freexl_get_cell_value(handle, r, c, &v), FREEXL_OK);
        return v.type == FREEXL_CELL_INT ? double(v.value.int_value) : v.type == FREEXL_CELL_DOUBLE ? v.value.double_value : -1e300;
    };
    EXPECT_EQ(text(0, 1), QStringLiteral("예금주"));
    EXPECT_EQ(text(1, 1), QStringLiteral("한빛상사(주)"));
    EXPECT_EQ(text(1, 2), QStringLiteral("0012345"));   // a code stays a text
    EXPECT_EQ(text(1, 0), QStringLiteral("1"));         // so does a serial number
    EXPECT_EQ(number(1, 3), 1000.0);                    // an amount is a number
    EXPECT_EQ(number(2, 3), -25000.0);
    EXPECT_EQ(number(4, 3), 0.0);
    freexl_close(handle);

    // And ours.
    Spreadsheet::Rows back;
    ASSERT_TRUE(Spreadsheet::read(file, &back, &error)) << error.toStdString();
    ASSERT_EQ(back.size(), 5);
    EXPECT_EQ(back[0], rows[0]);
    EXPECT_EQ(back[1], (QStringList{QStringLiteral("1"), QStringLiteral("한빛상사(주)"), QStringLiteral("0012345"), QStringLiteral("1000")}));
    EXPECT_TRUE(back[3].isEmpty());
    EXPECT_EQ(back[4], (QStringList{QStringLiteral("3"), QString(), QStringLiteral("0012345"), QStringLiteral("0")}));
}

TEST(Spreadsheet, ManyAndLongTextsRunAcrossContinuationRecords)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("many.xls"));
    Spreadsheet::Rows rows;
    for (int r = 0; r < 3000; ++r)
        rows << QStringList{QStringLiteral("업체명%1 가나다라마바사").arg(r), QStringLiteral("%1").arg(r % 7)};
    QString error;
    ASSERT_TRUE(Spreadsheet::write(file, rows, &error)) << error.toStdString();
    const void *handle = nullptr;
    ASSERT_EQ(freexl_open(QFile::encodeName(file).constData(), &handle), FREEXL_OK);
    ASSERT_EQ(freexl_select_active_worksheet(handle, 0), FREEXL_OK);
    for (int r : {0, 1234, 2999}) {
        FreeXL_CellValue v;
        ASSERT_EQ(freexl_get_cell_value(handle, r, 0, &v), FREEXL_OK);
        EXPECT_EQ(QString::fromUtf8(v.value.text_value), rows[r][0]);
    }
    freexl_close(handle);
    Spreadsheet::Rows back;
    ASSERT_TRUE(Spreadsheet::read(file, &back, &error)) << error.toStdString();
    EXPECT_EQ(back, rows);

    // A text longer than a record is cut and goes on in the next one.
    rows << QStringList{QString(9000, QChar(u'한')) + QStringLiteral("끝"), QStringLiteral("x")};
    ASSERT_TRUE(Spreadsheet::write(file, rows, &error)) << error.toStdString();
    ASSERT_TRUE(Spreadsheet::read(file, &back, &error)) << error.toStdString();
    EXPECT_EQ(back, rows);
}

TEST(Spreadsheet, AWorkbookBeyondSevenMegabytesKeepsItsAllocationTableWhole)
{
    // Past 109 allocation-table sectors the compound file lists the rest in
    // extra sectors; both readers must still find every byte.
    QByteArray stream(9 * 1024 * 1024 + 77, '\0');
    for (qsizetype i = 0; i < stream.size(); ++i)
        stream[i] = char((i * 131) >> 3);
    const QByteArray file = qvx::CompoundFile::build(QStringLiteral("Workbook"), stream);
    QByteArray back;
    QString error;
    ASSERT_TRUE(qvx::CompoundFile::readStream(file, QStringLiteral("workbook"), &back, &error)) << error.toStdString();
    EXPECT_TRUE(back == stream);
}

TEST(Spreadsheet, ASheetTooLargeForXlsIsRefusedAndTheOldFileStays)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("keep.xls"));
    ASSERT_TRUE(Spreadsheet::write(file, {{QStringLiteral("a")}}));
    Spreadsheet::Rows rows(65537, QStringList{QStringLiteral("x")});
    QString error;
    EXPECT_FALSE(Spreadsheet::write(file, rows, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("65536"))) << error.toStdString();
    Spreadsheet::Rows back;
    ASSERT_TRUE(Spreadsheet::read(file, &back));
    EXPECT_EQ(back.value(0).value(0), QStringLiteral("a"));
}

TEST(Spreadsheet, XlsFromAnotherProgramReadsItsActiveSheetWithSavedResultsAndDates)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("foreign.xls"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(foreignWorkbook());
    f.close();
    Spreadsheet::Rows rows;
    QString error;
    ASSERT_TRUE(Spreadsheet::read(file, &rows, &error)) << error.toStdString();
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0], QStringList{QStringLiteral("NO")}); // the second, active sheet
    EXPECT_EQ(rows[1], (QStringList{QStringLiteral("2024-03-01"), QStringLiteral("2024-03-01 12:00:00"),
                                    QStringLiteral("12345678901234567000"), QStringLiteral("1234")}));
    EXPECT_EQ(rows[2], (QStringList{QStringLiteral("0.07"), QStringLiteral("5")}));
    EXPECT_EQ(rows[3], (QStringList{QStringLiteral("42"), QStringLiteral("abc"), QStringLiteral("TRUE"), QStringLiteral("#DIV/0!")}));
    EXPECT_EQ(rows[4], (QStringList{QStringLiteral("TRUE"), QStringLiteral("FALSE"), QStringLiteral("두번째")}));
}

namespace {

// BIFF5 records of older workbooks.
QByteArray olderLabel(int row, int col, const QByteArray &text)
{
    return rec(0x0204, cellHead(row, col, 15) + le16(quint16(text.size())) + text);
}

QByteArray olderDimensions(int rows, int columns)
{
    return rec(0x0200, le16(0) + le16(quint16(rows)) + le16(0) + le16(quint16(columns)) + le16(0));
}

// An Excel 5.0/95 workbook (a "Book" stream of BIFF5 records) of two sheets
// with the given records, saved showing the second.
QByteArray olderWorkbook(const QByteArray &firstSheet, const QByteArray &secondSheet)
{
    const QByteArray bof = le16(0x0500) + le16(0x0005) + le16(0x0DBB) + le16(0x07CC);
    const QByteArray sheetBof = rec(0x0809, le16(0x0500) + le16(0x0010) + le16(0x0DBB) + le16(0x07CC));
    QByteArray xfs;
    for (int i = 0; i < 16; ++i)
        xfs += rec(0x00E0, le16(0) + le16(0) + QByteArray(12, '\0'));
    const QByteArray first = sheetBof + firstSheet + rec(0x000A, {});
    const QByteArray second = sheetBof + secondSheet + rec(0x000A, {});
    const QByteArray window1 = le16(0) + le16(0) + le16(0x3A5C) + le16(0x23BE) + le16(0x38) + le16(1) + le16(0) + le16(1) + le16(0x258);
    auto globalsWith = [&](quint32 a, quint32 b) {
        return rec(0x0809, bof) + rec(0x0042, le16(1252)) + rec(0x003D, window1) + rec(0x0031, le16(200) + QByteArray(8, '\0') + char(5) + QByteArray("Arial"))
               + xfs + rec(0x0085, le32(a) + QByteArray(2, '\0') + char(3) + QByteArray("One"))
               + rec(0x0085, le32(b) + QByteArray(2, '\0') + char(3) + QByteArray("Two")) + rec(0x000A, {});
    };
    const qsizetype size = globalsWith(0, 0).size();
    const QByteArray stream = globalsWith(quint32(size), quint32(size + first.size())) + first + second;
    return qvx::CompoundFile::build(QStringLiteral("Book"), stream);
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(Spreadsheet, AnOlderXlsAlsoOpensAtItsActiveSheet)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("old.xls"));
    writeFile(file, olderWorkbook(olderDimensions(1, 1) + olderLabel(0, 0, "one"),
                                  olderDimensions(2, 1) + olderLabel(0, 0, "two") + rec(0x0203, cellHead(1, 0, 15) + le64(5))));
    Spreadsheet::Rows rows;
    QString error;
    ASSERT_TRUE(Spreadsheet::read(file, &rows, &error)) << error.toStdString();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0], QStringList{QStringLiteral("two")});
    EXPECT_EQ(rows[1], QStringList{QStringLiteral("5")});
}

TEST(Spreadsheet, DatesAndLargeNumbersReadAlikeFromXlsx)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("dates.xlsx"));
    lxw_workbook *book = workbook_new(QFile::encodeName(file).constData());
    lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
    lxw_format *date = workbook_add_format(book);
    format_set_num_format(date, "yyyy\\-mm\\-dd");
    lxw_format *stamp = workbook_add_format(book);
    format_set_num_format(stamp, "[$-412]yyyy\"년\" m\"월\" d\"일\" hh:mm");
    lxw_format *builtin = workbook_add_format(book);
    format_set_num_format_index(builtin, 14);
    worksheet_write_number(sheet, 0, 0, 45352, date);
    worksheet_write_number(sheet, 0, 1, 45352.5, stamp);
    worksheet_write_number(sheet, 0, 2, 45352, builtin);
    worksheet_write_number(sheet, 0, 3, 98765432109876540000.0, nullptr);
    worksheet_write_number(sheet, 0, 4, 0.1 + 0.2, nullptr);
    worksheet_write_boolean(sheet, 0, 5, 1, nullptr);
    worksheet_write_formula_num(sheet, 0, 6, "=1+1", nullptr, 2);
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);

    Spreadsheet::Rows rows;
    QString error;
    ASSERT_TRUE(Spreadsheet::read(file, &rows, &error)) << error.toStdString();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].join(u'|').toStdString(), "2024-03-01|2024-03-01 12:00:00|2024-03-01|98765432109876540000|0.3|TRUE|2");
}

// Numbers as spreadsheet programs show them: positional between 10^-6 and
// 10^21, in exponent form beyond, and never longer than 25 characters.
TEST(Spreadsheet, NumberTextsArePositionalWithinTwentyOneDigitsAndShortBeyond)
{
    EXPECT_EQ(Spreadsheet::numberText(12345678901234567890.0), QStringLiteral("12345678901234567000"));
    EXPECT_EQ(Spreadsheet::numberText(1234567890123456.0), QStringLiteral("1234567890123456"));
    EXPECT_EQ(Spreadsheet::numberText(-1e20), QStringLiteral("-100000000000000000000"));
    EXPECT_EQ(Spreadsheet::numberText(0.000001), QStringLiteral("0.000001"));
    EXPECT_EQ(Spreadsheet::numberText(12.25), QStringLiteral("12.25"));
    EXPECT_EQ(Spreadsheet::numberText(-5), QStringLiteral("-5"));
    EXPECT_EQ(Spreadsheet::numberText(0), QStringLiteral("0"));
    EXPECT_EQ(Spreadsheet::numberText(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(Spreadsheet::numberText(5e-324), QStringLiteral("5E-324"));
    EXPECT_EQ(Spreadsheet::numberText(1e308), QStringLiteral("1E+308"));
    EXPECT_EQ(Spreadsheet::numberText(-1.7976931348623157e308), QStringLiteral("-1.7976931348623157E+308"));
    EXPECT_EQ(Spreadsheet::numberText(1e21), QStringLiteral("1E+21"));
    EXPECT_EQ(Spreadsheet::numberText(0.0000001), QStringLiteral("1E-7"));
    EXPECT_EQ(Spreadsheet::numberText(1.0 / 3e10), QStringLiteral("3.33333333333333E-11"));
    for (const double v : {5e-324, 2.2250738585072014e-308, 1.7976931348623157e308, -1.2345678901234567e-7,
                           0.12345678901234567, 123456789012345678.0, 1.0 / 3})
        EXPECT_LE(Spreadsheet::numberText(v).size(), 25) << v;
}

namespace {

QByteArray withU32(QByteArray file, qsizetype at, quint32 v)
{
    qToLittleEndian<quint32>(v, file.data() + at);
    return file;
}

// A workbook of one sheet holding the given cell records.
QByteArray workbookWithCells(const QByteArray &cellRecords)
{
    const QByteArray bof = rec(0x0809, le16(0x0600) + le16(0x0005) + QByteArray(12, '\0'));
    const QByteArray sheet = rec(0x0809, le16(0x0600) + le16(0x0010) + QByteArray(12, '\0')) + cellRecords + rec(0x000A, {});
    const qsizetype globalsSize = (bof + rec(0x0085, boundSheet(0, "S")) + rec(0x000A, {})).size();
    const QByteArray globals = bof + rec(0x0085, boundSheet(quint32(globalsSize), "S")) + rec(0x000A, {});
    return qvx::CompoundFile::build(QStringLiteral("Workbook"), globals + sheet);
}

} // namespace

TEST(Spreadsheet, CraftedCompoundFilesAreRefusedBeforeAnythingIsAllocatedForThem)
{
    // A 4096-byte stream: sectors 0-7 the stream, 8 the directory, 9 the
    // allocation table; sector 10 is appended as a list of table sectors.
    const QByteArray good = qvx::CompoundFile::build(QStringLiteral("Workbook"), QByteArray(4096, 'w'));
    ASSERT_EQ(good.size(), 512 + 10 * 512);
    QByteArray back;
    QString error;
    ASSERT_TRUE(qvx::CompoundFile::readStream(good, QStringLiteral("Workbook"), &back, &error));

    // A list that names the table sector again and again and links to itself.
    QByteArray repeating = good;
    for (int i = 0; i < 127; ++i)
        repeating += le32(9);
    repeating += le32(10);
    repeating = withU32(withU32(withU32(repeating, 44, 5), 68, 10), 72, 1000);
    EXPECT_FALSE(qvx::CompoundFile::readStream(repeating, QStringLiteral("Workbook"), &back, &error));
    EXPECT_EQ(error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (섹터 연결이 같은 섹터로 되돌아옵니다)."));

    // A list sector that only links to itself.
    QByteArray selfLinked = good + QByteArray(127 * 4, '\xFF') + le32(10);
    selfLinked = withU32(withU32(selfLinked, 44, 5), 68, 10);
    error.clear();
    EXPECT_FALSE(qvx::CompoundFile::readStream(selfLinked, QStringLiteral("Workbook"), &back, &error));
    EXPECT_EQ(error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (섹터 연결이 같은 섹터로 되돌아옵니다)."));

    // Sizes beyond the file's own length: the table, and the stream.
    error.clear();
    EXPECT_FALSE(qvx::CompoundFile::readStream(withU32(good, 44, 0x00FFFFFF), QStringLiteral("Workbook"), &back, &error));
    EXPECT_EQ(error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (할당표의 크기가 파일 길이를 넘습니다)."));
    const qsizetype streamSize = 512 + 8 * 512 + 128 + 120;
    error.clear();
    EXPECT_FALSE(qvx::CompoundFile::readStream(withU32(good, streamSize, 0x7FFFFFFF), QStringLiteral("Workbook"), &back, &error));
    EXPECT_EQ(error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (Workbook 자료의 크기가 파일 길이를 넘습니다)."));

    // The stream's chain running back on itself.
    QByteArray looped = withU32(good, 512 + 9 * 512 + 3 * 4, 1);
    error.clear();
    EXPECT_FALSE(qvx::CompoundFile::readStream(looped, QStringLiteral("Workbook"), &back, &error));
    EXPECT_EQ(error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (Workbook: 섹터 연결이 되풀이됩니다)."));
}

TEST(Spreadsheet, FarCellsAreHeldSparselyOrRefusedPastTheFormatsLimits)
{
    QTemporaryDir dir;
    // .xlsx: a cell in the sheet's last column on every row costs one cell.
    const QString wide = dir.filePath(QStringLiteral("wide.xlsx"));
    lxw_workbook *book = workbook_new(QFile::encodeName(wide).constData());
    lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
    for (int r = 0; r < 500; ++r) {
        worksheet_write_string(sheet, lxw_row_t(r), 0, "NO", nullptr);
        worksheet_write_string(sheet, lxw_row_t(r), 16383, "far", nullptr);
    }
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);
    qvx::SheetCells cells;
    QString error;
    ASSERT_TRUE(Spreadsheet::read(wide, &cells, &error)) << error.toStdString();
    EXPECT_EQ(cells.cellCount(), 1000);
    EXPECT_EQ(cells.rowCount(), 500);
    EXPECT_EQ(cells.columnCount(499), 16384);
    EXPECT_EQ(cells.cell(499, 16383), QStringLiteral("far"));
    EXPECT_EQ(cells.row(499, 11), QStringList{QStringLiteral("NO")});
    // As dense rows the same sheet would hold 8 million cells: refused.
    Spreadsheet::Rows dense;
    EXPECT_FALSE(Spreadsheet::read(wide, &dense, &error));
    EXPECT_EQ(error, QStringLiteral("시트가 너무 넓거나 길어 읽을 수 없습니다 (빈 칸을 포함해 최대 4,000,000칸)."));
    EXPECT_TRUE(dense.isEmpty());

    // .xls holds 256 columns: a cell record beyond them is a damaged file.
    const QString xls = dir.filePath(QStringLiteral("far.xls"));
    QFile f(xls);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QByteArray records;
    for (int r = 0; r < 300; ++r)
        records += rec(0x0203, cellHead(r, 16383, 15) + le64(r));
    f.write(workbookWithCells(rec(0x0203, cellHead(0, 0, 15) + le64(7)) + records));
    f.close();
    EXPECT_FALSE(Spreadsheet::read(xls, &cells, &error));
    EXPECT_EQ(error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (1행의 셀이 .xls 시트의 256열을 넘습니다)."));
    EXPECT_TRUE(cells.isEmpty());

    // An older workbook whose sheet declares more rows than its format has
    // is refused before the older format's reader sizes its tables by it.
    const QString older = dir.filePath(QStringLiteral("older.xls"));
    writeFile(older, olderWorkbook(olderDimensions(1, 1) + olderLabel(0, 0, "one"),
                                   olderDimensions(65535, 256) + olderLabel(0, 0, "two")));
    error.clear();
    EXPECT_FALSE(Spreadsheet::read(older, &cells, &error));
    EXPECT_EQ(error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (시트의 크기가 16384행, 256열을 넘습니다)."));
}

TEST(Spreadsheet, AmountsBeyondWhatANumberCellHoldsAreWrittenAsText)
{
    QTemporaryDir dir;
    const Spreadsheet::Rows rows{{QStringLiteral("금액")},
                                 {QStringLiteral("12,345,678,901,234,567")},
                                 {QStringLiteral("9,007,199,254,740,992")},
                                 {QStringLiteral("1,234,567,890,123.456")},
                                 {QStringLiteral("-2,500.50")}};
    for (const QString &name : {QStringLiteral("big.xls"), QStringLiteral("big.xlsx")}) {
        SCOPED_TRACE(name.toStdString());
        const QString file = dir.filePath(name);
        QString error;
        ASSERT_TRUE(Spreadsheet::write(file, rows, &error)) << error.toStdString();
        Spreadsheet::Rows back;
        ASSERT_TRUE(Spreadsheet::read(file, &back, &error)) << error.toStdString();
        ASSERT_EQ(back.size(), 5);
        EXPECT_EQ(back[1].value(0), QStringLiteral("12,345,678,901,234,567")); // a text, every digit kept
        EXPECT_EQ(back[2].value(0), QStringLiteral("9007199254740992"));       // 2^53 itself is a number
        EXPECT_EQ(back[3].value(0), QStringLiteral("1,234,567,890,123.456"));  // 16 significant digits
        EXPECT_EQ(back[4].value(0), QStringLiteral("-2500.5"));
    }
}

TEST(Spreadsheet, ATextLongerThanACellHoldsIsRefusedNamingItsCell)
{
    QTemporaryDir dir;
    Spreadsheet::Rows rows{{QStringLiteral("이름"), QStringLiteral("비고")},
                           {QStringLiteral("가"), QString(32767, u'가')},
                           {QStringLiteral("나"), QString(32768, u'x')}};
    for (const QString &name : {QStringLiteral("long.xls"), QStringLiteral("long.xlsx")}) {
        SCOPED_TRACE(name.toStdString());
        const QString file = dir.filePath(name);
        QString error;
        EXPECT_FALSE(Spreadsheet::write(file, rows, &error));
        EXPECT_EQ(error, QStringLiteral("3행 B열의 글자(32,768자)가 엑셀 셀에 담을 수 있는 32,767자를 넘습니다."));
        EXPECT_FALSE(QFile::exists(file));
    }
    rows.removeLast();
    const QString file = dir.filePath(QStringLiteral("fits.xls"));
    ASSERT_TRUE(Spreadsheet::write(file, rows));
    Spreadsheet::Rows back;
    ASSERT_TRUE(Spreadsheet::read(file, &back));
    EXPECT_EQ(back[1].value(1).size(), 32767);
}

namespace {

// A one-sheet BIFF8 workbook in a stream of the given name: the globals'
// records, then the sheet's.
QByteArray biff8Workbook(const QString &streamName, const QByteArray &globalRecords, const QByteArray &cellRecords)
{
    const QByteArray bof = rec(0x0809, le16(0x0600) + le16(0x0005) + QByteArray(12, '\0'));
    const QByteArray sheet = rec(0x0809, le16(0x0600) + le16(0x0010) + QByteArray(12, '\0')) + cellRecords + rec(0x000A, {});
    auto globals = [&](quint32 at) { return bof + globalRecords + rec(0x0085, boundSheet(at, "S")) + rec(0x000A, {}); };
    return qvx::CompoundFile::build(streamName, globals(quint32(globals(0).size())) + sheet);
}

struct XlsOutcome
{
    testing_support::PeakMemory peak;
    qvx::SheetCells cells;
    QString error;
};

// Reads the workbook in a forked child, measuring its peak; then again here
// for the cells (unless the child failed).
XlsOutcome readXlsMeasured(const QString &file)
{
    XlsOutcome out;
    out.peak = testing_support::MeasurePeakMemory([&] {
        qvx::SheetCells cells;
        return Spreadsheet::read(file, &cells) ? 1 : 0;
    });
    if (out.peak.ended)
        Spreadsheet::read(file, &out.cells, &out.error);
    return out;
}

constexpr qint64 MB = 1024 * 1024;

} // namespace

TEST(Spreadsheet, Biff8RecordsInAnOlderStreamAreReadByTheirOwnLayout)
{
    // The sheet declares 65536 rows by 256 columns in the BIFF8 layout (32-bit
    // rows) and holds one cell; its stream has the older format's name.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("book.xls"));
    const QByteArray dimensions = rec(0x0200, le32(0) + le32(65536) + le16(0) + le16(256) + le16(0));
    writeFile(file, biff8Workbook(QStringLiteral("Book"), {}, dimensions + rec(0x0203, cellHead(3, 2, 15) + le64(42))));
    const qint64 size = QFileInfo(file).size();
    EXPECT_LT(size, 6000);
    const XlsOutcome o = readXlsMeasured(file);
    ASSERT_TRUE(o.peak.ended) << "signal " << o.peak.signal;
    EXPECT_EQ(o.peak.result, 1) << o.error.toStdString();
    EXPECT_EQ(o.cells.cellCount(), 1);
    EXPECT_EQ(o.cells.cell(3, 2), QStringLiteral("42"));
    EXPECT_LT(o.peak.growth, 10 * size + 40 * MB);

    // An older workbook one of whose sheets names BIFF8 is refused before
    // the older format's reader sees it.
    const QString mixed = dir.filePath(QStringLiteral("mixed.xls"));
    writeFile(mixed, olderWorkbook(olderDimensions(1, 1) + olderLabel(0, 0, "one"), {}));
    QByteArray stream;
    ASSERT_TRUE(qvx::CompoundFile::readStream(fileBytes(mixed), QStringLiteral("Book"), &stream));
    const qsizetype secondSheet = stream.lastIndexOf(QByteArray::fromHex("0908080000051000"));
    ASSERT_GT(secondSheet, 0);
    stream.replace(secondSheet + 4, 2, le16(0x0600));
    writeFile(mixed, qvx::CompoundFile::build(QStringLiteral("Book"), stream));
    qvx::SheetCells cells;
    QString error;
    EXPECT_FALSE(Spreadsheet::read(mixed, &cells, &error));
    EXPECT_EQ(error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (시트마다 형식이 다릅니다)."));
}

TEST(Spreadsheet, RecordDenseXlsIsWalkedInPlaceAndItsSharedStringsBoundedByTheirBytes)
{
    QTemporaryDir dir;
    // Twenty megabytes of empty records among the cells.
    const QString dense = dir.filePath(QStringLiteral("dense.xls"));
    QByteArray records;
    records.reserve(21 * MB);
    const QByteArray empty = rec(0x0013, {});
    while (records.size() < 20 * MB)
        records += empty;
    writeFile(dense, biff8Workbook(QStringLiteral("Workbook"), records,
                                   records + rec(0x0203, cellHead(0, 0, 15) + le64(7))));
    records = QByteArray();

    // Shared strings of a single character each, in CONTINUE records.
    const QString strings = dir.filePath(QStringLiteral("strings.xls"));
    constexpr quint32 Count = 1'500'000;
    QByteArray sst = rec(0x00FC, le32(Count) + le32(Count));
    const QByteArray one = le16(1) + char(0) + char('a');
    QByteArray piece;
    for (quint32 k = 0; k < Count; ++k) {
        piece += one;
        if (piece.size() + one.size() > 8224 || k + 1 == Count) {
            sst += rec(0x003C, piece);
            piece.clear();
        }
    }
    writeFile(strings, biff8Workbook(QStringLiteral("Workbook"), sst, rec(0x00FD, cellHead(0, 1, 15) + le32(Count - 1))));

    for (const QString &file : {dense, strings}) {
        const qint64 size = QFileInfo(file).size();
        const XlsOutcome o = readXlsMeasured(file);
        ASSERT_TRUE(o.peak.ended) << file.toStdString() << ": signal " << o.peak.signal;
        EXPECT_EQ(o.peak.result, 1) << o.error.toStdString();
        EXPECT_EQ(o.cells.cellCount(), 1);
        EXPECT_LT(o.peak.growth, 10 * size + 40 * MB) << file.toStdString() << ": " << o.peak.growth;
    }
    qvx::SheetCells cells;
    ASSERT_TRUE(Spreadsheet::read(strings, &cells));
    EXPECT_EQ(cells.cell(0, 1), QStringLiteral("a"));

    // More shared strings than cells a sheet may hold.
    const QString tooMany = dir.filePath(QStringLiteral("too-many.xls"));
    QByteArray longSst = rec(0x00FC, le32(2'100'000) + le32(2'100'000));
    for (quint32 k = 0; k < 2'100'000; k += 2000)
        longSst += rec(0x003C, one.repeated(2000));
    writeFile(tooMany, biff8Workbook(QStringLiteral("Workbook"), longSst, {}));
    QString error;
    EXPECT_FALSE(Spreadsheet::read(tooMany, &cells, &error));
    EXPECT_EQ(error, QStringLiteral("시트의 셀이 너무 많아 읽을 수 없습니다 (최대 2,000,000개)."));
}

TEST(SheetCells, CellsWrittenInAnyOrderReadTheirLastTextAndAFullSheetStillTakesNewTextsForItsCells)
{
    qvx::SheetCells cells;
    cells.set(2, 3, QStringLiteral("c"));
    cells.set(0, 1, QStringLiteral("a"));
    cells.set(2, 0, QStringLiteral("b"));
    cells.set(2, 3, QStringLiteral("C"));
    cells.set(0, 1, QString());
    cells.set(0, 0, QStringLiteral("x"));
    const qvx::SheetCells::Text shared = cells.keep(QStringLiteral("공유"));
    cells.set(5, 1, shared);
    cells.set(4, 0, shared);
    EXPECT_EQ(cells.cellCount(), 5);
    EXPECT_EQ(cells.rowCount(), 6);
    EXPECT_EQ(cells.columnCount(0), 1);
    EXPECT_EQ(cells.columnCount(1), 0);
    EXPECT_EQ(cells.columnCount(2), 4);
    EXPECT_EQ(cells.paddedCellCount(), 1 + 4 + 1 + 2);
    EXPECT_EQ(cells.cell(2, 3), QStringLiteral("C"));
    EXPECT_EQ(cells.cell(0, 1), QString());
    EXPECT_EQ(cells.cell(4, 0), QStringLiteral("공유"));
    EXPECT_EQ(cells.row(2), (QStringList{QStringLiteral("b"), {}, {}, QStringLiteral("C")}));
    EXPECT_EQ(cells.row(2, 3), QStringList{QStringLiteral("b")});
    // Written after being looked at, before and after the rows already read.
    cells.set(1, 2, QStringLiteral("d"));
    cells.set(7, 0, QStringLiteral("e"));
    EXPECT_EQ(cells.cell(1, 2), QStringLiteral("d"));
    EXPECT_EQ(cells.rows(), (QVector<QStringList>{{QStringLiteral("x")},
                                                  {{}, {}, QStringLiteral("d")},
                                                  {QStringLiteral("b"), {}, {}, QStringLiteral("C")},
                                                  {},
                                                  {QStringLiteral("공유")},
                                                  {{}, QStringLiteral("공유")},
                                                  {},
                                                  {QStringLiteral("e")}}));

    // Full: a new cell is refused, one it holds still takes a text or is
    // cleared.
    cells.clear();
    for (int r = qvx::SheetCells::MaxCells / 100 - 1; r >= 0; --r)
        for (int c = 0; c < 100; ++c)
            ASSERT_TRUE(cells.set(r, c, QStringLiteral("v")));
    EXPECT_FALSE(cells.set(0, 100, QStringLiteral("new")));
    EXPECT_TRUE(cells.set(0, 0, QStringLiteral("again")));
    EXPECT_TRUE(cells.set(9, 9, QString()));
    EXPECT_EQ(cells.cellCount(), qvx::SheetCells::MaxCells - 1);
    EXPECT_EQ(cells.cell(0, 0), QStringLiteral("again"));
    EXPECT_EQ(cells.cell(9, 9), QString());
    EXPECT_EQ(cells.columnCount(9), 100);
    EXPECT_EQ(cells.cell(0, 100), QString());
}

TEST(Spreadsheet, NumberDenseXlsTakesAFewBytesPerCellInAnyOrderOfItsRecords)
{
    // Rows of 250 RK numbers, six bytes a cell, as many cells as a sheet may
    // hold; once in order and once from the last row up, with the first cell
    // written again at the very end.
    constexpr int Columns = 250;
    constexpr int Rows = int(qvx::SheetCells::MaxCells / Columns);
    auto rowOfNumbers = [](int row) {
        QByteArray data = le16(quint16(row)) + le16(0);
        for (int c = 0; c < Columns; ++c)
            data += le16(15) + le32((quint32(row * Columns + c) << 2) | 0x02);
        return rec(0x00BD, data + le16(Columns - 1));
    };
    QByteArray ordered, reversed;
    for (int r = 0; r < Rows; ++r) {
        ordered += rowOfNumbers(r);
        reversed += rowOfNumbers(Rows - 1 - r);
    }
    reversed += rec(0x027E, cellHead(0, 0, 15) + le32((42u << 2) | 0x02));
    QTemporaryDir dir;
    const QString inOrder = dir.filePath(QStringLiteral("ordered.xls"));
    const QString fromTheEnd = dir.filePath(QStringLiteral("reversed.xls"));
    writeFile(inOrder, biff8Workbook(QStringLiteral("Workbook"), {}, ordered));
    writeFile(fromTheEnd, biff8Workbook(QStringLiteral("Workbook"), {}, reversed));
    ordered = reversed = QByteArray();

    for (const QString &file : {inOrder, fromTheEnd}) {
        const qint64 size = QFileInfo(file).size();
        const XlsOutcome o = readXlsMeasured(file);
        ASSERT_TRUE(o.peak.ended) << file.toStdString() << ": signal " << o.peak.signal;
        EXPECT_EQ(o.peak.result, 1) << o.error.toStdString();
        EXPECT_EQ(o.cells.cellCount(), Rows * Columns) << o.error.toStdString();
        EXPECT_EQ(o.cells.rowCount(), Rows);
        EXPECT_EQ(o.cells.columnCount(Rows - 1), Columns);
        EXPECT_EQ(o.cells.cell(0, 0), file == inOrder ? QStringLiteral("0") : QStringLiteral("42"));
        EXPECT_EQ(o.cells.cell(0, 1), QStringLiteral("1"));
        EXPECT_EQ(o.cells.cell(Rows - 1, Columns - 1), QString::number(Rows * Columns - 1));
        EXPECT_LT(o.peak.growth, 10 * size + 40 * MB) << file.toStdString() << ": " << o.peak.growth;
    }
}

TEST(Spreadsheet, AnOlderSheetDeclaringFarMoreCellsThanItHoldsIsRefusedInBoundedMemory)
{
    QTemporaryDir dir;
    const QString older = dir.filePath(QStringLiteral("older.xls"));
    writeFile(older, olderWorkbook(olderDimensions(1, 1) + olderLabel(0, 0, "one"),
                                   olderDimensions(16384, 256) + olderLabel(0, 0, "two")));
    const qint64 size = QFileInfo(older).size();
    const XlsOutcome o = readXlsMeasured(older);
    ASSERT_TRUE(o.peak.ended) << "signal " << o.peak.signal;
    EXPECT_EQ(o.peak.result, 0);
    EXPECT_EQ(o.error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (시트가 담은 자료보다 훨씬 큰 크기를 밝힙니다)."));
    EXPECT_LT(o.peak.growth, 10 * size + 40 * MB) << o.peak.growth;
    // As many cells as a million are declared freely.
    writeFile(older, olderWorkbook(olderDimensions(1, 1) + olderLabel(0, 0, "one"),
                                   olderDimensions(16384, 61) + olderLabel(0, 0, "two")));
    qvx::SheetCells cells;
    QString error;
    ASSERT_TRUE(Spreadsheet::read(older, &cells, &error)) << error.toStdString();
    EXPECT_EQ(cells.cell(0, 0), QStringLiteral("two"));
}

TEST(Spreadsheet, NumberColumnsAreNumbersAlsoWhereNoAmountNeedsAGroup)
{
    QTemporaryDir dir;
    // Fees and counts below 1,000 carry no ','; a code column is no number column.
    const Spreadsheet::Rows rows{{QStringLiteral("수수료"), QStringLiteral("건수"), QStringLiteral("코드")},
                                 {QStringLiteral("500.50"), QStringLiteral("3"), QStringLiteral("20")},
                                 {QStringLiteral("0"), QString(), QStringLiteral("88")}};
    for (const QString &name : {QStringLiteral("fees.xls"), QStringLiteral("fees.xlsx")}) {
        SCOPED_TRACE(name.toStdString());
        const QString file = dir.filePath(name);
        QString error;
        ASSERT_TRUE(Spreadsheet::write(file, rows, &error, QStringLiteral("Sheet1"), {true, true, false}))
            << error.toStdString();
        EXPECT_EQ(Spreadsheet::amountColumns(rows, {true, true, false}), (QVector<int>{2, 0, -1}));
        EXPECT_EQ(Spreadsheet::amountColumns(rows), (QVector<int>{-1, -1, -1}));
        Spreadsheet::Rows back;
        ASSERT_TRUE(Spreadsheet::read(file, &back, &error)) << error.toStdString();
        ASSERT_EQ(back.size(), 3);
        EXPECT_EQ(back[1].value(0), QStringLiteral("500.5"));   // a number reads as its plain digits
        EXPECT_EQ(back[1].value(1), QStringLiteral("3"));
        EXPECT_EQ(back[2].value(2), QStringLiteral("88"));
    }
}

// A number format far longer than any a spreadsheet program writes, named by
// a hundred thousand cells: its kind is worked out once, without reading it
// through (it shows a plain number), and a short date format beside it still
// shows its dates.
TEST(Spreadsheet, ALongNumberFormatOfManyXlsCellsIsWorkedOutOnceAndReadsAsANumber)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("formats.xls"));
    const QByteArray longCode = "yyyy-mm-dd" + QByteArray(60000, '0');
    const QByteArray shortCode = "yyyy-mm-dd";
    auto format = [](quint16 id, const QByteArray &code) {
        return rec(0x041E, le16(id) + le16(quint16(code.size())) + char(0) + code);
    };
    auto xf = [](quint16 formatId) { return rec(0x00E0, le16(0) + le16(formatId) + QByteArray(16, '\0')); };
    // Cells of xf 0 (the long format), 256 to a record; one of xf 1.
    constexpr int Rows = 391;
    const quint32 days = (45000u << 2) | 0x02;
    QByteArray cells;
    for (int r = 0; r < Rows; ++r) {
        QByteArray mulrk = le16(quint16(r)) + le16(0);
        for (int c = 0; c < 256; ++c)
            mulrk += le16(0) + le32(days);
        cells += rec(0x00BD, mulrk + le16(255));
    }
    cells += rec(0x027E, cellHead(Rows, 0, 1) + le32(days));
    writeFile(file, biff8Workbook(QStringLiteral("Workbook"), format(164, longCode) + format(165, shortCode) + xf(164) + xf(165),
                                  cells));
    qvx::SheetCells read;
    QString error;
    ASSERT_TRUE(Spreadsheet::read(file, &read, &error)) << error.toStdString();
    EXPECT_EQ(read.cellCount(), Rows * 256 + 1);
    EXPECT_EQ(read.cell(0, 0), QStringLiteral("45000"));
    EXPECT_EQ(read.cell(Rows - 1, 255), QStringLiteral("45000"));
    EXPECT_EQ(read.cell(Rows, 0), QStringLiteral("2023-03-15"));
}

// Every cell of a sheet showing one 32,767-character shared string: the dense
// rows hold it once, as the sheet does, not a copy per cell.
TEST(Spreadsheet, DenseRowsShareTheStringTheirCellsShare)
{
    QTemporaryDir dir;
    const QString longText = QStringLiteral("가") + QString(32766, u'x');
    Spreadsheet::Rows rows;
    for (int r = 0; r < 2000; ++r)
        rows.append(QStringList(11, longText));
    for (const char *name : {"shared.xlsx", "shared.xls"}) {
        const QString file = dir.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(Spreadsheet::write(file, rows));
        const qint64 size = QFileInfo(file).size();
        const testing_support::PeakMemory peak = testing_support::MeasurePeakMemory([&] {
            Spreadsheet::Rows back;
            return Spreadsheet::read(file, &back) && back.size() == 2000 && back[1999].value(10) == longText ? 1 : 0;
        });
        ASSERT_TRUE(peak.ended) << name << ": signal " << peak.signal;
        EXPECT_EQ(peak.result, 1) << name;
        EXPECT_LT(peak.growth, 10 * size + 40 * MB) << name << ": " << peak.growth;
    }
}

// A .xls of MULRK records, each of 256 numbers near the largest double in six
// bytes a cell: each cell's text is some twenty characters, not 309 digits.
TEST(Spreadsheet, MulrkCellsNearTheLargestDoubleTakeAFewCharactersEach)
{
    double value = 1e308;
    quint64 bits = 0;
    std::memcpy(&bits, &value, 8);
    const quint32 rk = quint32(bits >> 32) & ~3u; // the double's high bits, not scaled
    QByteArray cells;
    for (int i = 0; i < 256; ++i)
        cells += le16(15) + le32(rk);
    QByteArray records;
    for (int row = 0; records.size() < 4'600'000; ++row)
        records += rec(0x00BD, le16(quint16(row)) + le16(0) + cells + le16(255));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("mulrk.xls"));
    writeFile(file, workbookWithCells(records));
    const XlsOutcome o = readXlsMeasured(file);
    ASSERT_TRUE(o.peak.ended) << "signal " << o.peak.signal;
    EXPECT_EQ(o.peak.result, 1) << o.error.toStdString();
    const qint64 size = QFileInfo(file).size();
    EXPECT_LT(o.peak.growth, 10 * size + 40 * MB) << o.peak.growth;
    std::memcpy(&value, &(bits = quint64(rk) << 32), 8);
    EXPECT_EQ(o.cells.cell(0, 0), Spreadsheet::numberText(value));
    EXPECT_LE(o.cells.cell(0, 255).size(), 25);
}
