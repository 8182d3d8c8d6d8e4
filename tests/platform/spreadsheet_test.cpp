#include "platform/Spreadsheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <xlsxwriter.h>

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
