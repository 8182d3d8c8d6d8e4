// Conversion layouts without screens: the statements of both tables, the
// title prefix rule, the check of the grid's cells and the preview's byte
// positions under Korean text.
#include "transfers/ConvertLayout.h"
#include "transfers/LayoutPreview.h"
#include "transfers/DataFileKinds.h"

#include "platform/Cp949.h"
#include "support/PeakMemory.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ConversionLayout, GeneralStatementsStoreTheFiveFieldsAndQuoteTheTitle)
{
    const LayoutTable &t = GeneralLayoutTable();
    const LayoutValues v{{1, 2}, {3, 15}, {18, 13}, {51, 20}, {31, 20}}; // grid order: bank, account, amount, info, name
    EXPECT_EQ(t.insert(QStringLiteral("급여"), v),
              QStringLiteral("INSERT INTO convertg ( Title     ,BankIdS   ,BankIdN   ,BankNoS   ,BankNoN   ,MoneyS    ,"
                             "MoneyN    ,SNameS    ,SNameN    ,GubunS    ,GubunN    ,CInfoS    ,CInfoN)   Values(    "
                             "'급여',1,2,3,15,18,13,31,20,0,0,51,20)"));
    EXPECT_EQ(t.insertDelimited(QStringLiteral("1-쉼표")),
              QStringLiteral("INSERT INTO convertg ( Title     ,BankIdS   ,BankIdN   ,BankNoS   ,BankNoN   ,MoneyS    ,"
                             "MoneyN    ,SNameS    ,SNameN    ,GubunS    ,GubunN    ,CInfoS    ,CInfoN)   Values(    "
                             "'1-쉼표',0,0,0,0,0,0,0,0,0,0,0,0)"));
    EXPECT_EQ(t.update(QStringLiteral("새 이름"), v, QStringLiteral("김's 파일")),
              QStringLiteral("Update convertg Set Title = '새 이름',BankIdS = 1, BankIdN = 2, BankNoS = 3, BankNoN = 15, "
                             "MoneyS  = 18, MoneyN  = 13, SNameS  = 31, SNameN  = 20, GubunS  = 0, GubunN  = 0, "
                             "CInfoS  = 51, CInfoN  = 20 WHERE Title = '김''s 파일'"));
    EXPECT_EQ(t.remove(QStringLiteral("a'b")), QStringLiteral("DELETE from convertg WHERE title = 'a''b'"));
    EXPECT_EQ(t.selectOne(QStringLiteral("급여")), QStringLiteral("select * from convertg where Title = '급여'"));
}

TEST(ConversionLayout, AutomaticStatementsStoreNinePairsInTableOrder)
{
    const LayoutTable &t = AutoLayoutTable();
    LayoutValues v;
    for (int i = 0; i < 9; ++i)
        v.append(ConvField{10 * i + 1, i + 1});
    const QString insert = t.insert(QStringLiteral("자동"), v);
    EXPECT_TRUE(insert.startsWith(QStringLiteral("INSERT INTO convertg_s ( Title     ,moBankIdS   ,moBankIdN   ,")));
    EXPECT_TRUE(insert.endsWith(QStringLiteral("Values(    '자동',1,1,11,2,21,3,31,4,41,5,51,6,61,7,71,8,81,9)")));
    const QString update = t.update(QStringLiteral("자동"), v, QStringLiteral("옛"));
    EXPECT_TRUE(update.contains(QStringLiteral("moBankIdS = 1, moBankIdN = 1, moBankNoS = 11, moBankNoN = 2, "
                                               "GubunS  = 21, GubunN  = 3, BankIdS = 31,")));
    EXPECT_TRUE(update.endsWith(QStringLiteral("SeqNoS  = 81, SeqNoN  = 9 WHERE Title = '옛'")));
    EXPECT_EQ(t.fields[t.indexOf(cvSeqNo)].caption, QStringLiteral("전문번호"));
}

TEST(ConversionLayout, TitlePrefixAndCellChecks)
{
    EXPECT_EQ(DataFormOfTitle(QStringLiteral("1-쉼표")), DataForm::Comma);
    EXPECT_EQ(DataFormOfTitle(QStringLiteral("2-세미")), DataForm::Semicolon);
    EXPECT_EQ(DataFormOfTitle(QStringLiteral("3-고정")), DataForm::Fixed);
    EXPECT_EQ(TitleOfForm(TitleBody(QStringLiteral("1-급여")), DataForm::Semicolon), QStringLiteral("2-급여"));
    EXPECT_EQ(TitleOfForm(QStringLiteral("급여"), DataForm::Fixed), QStringLiteral("급여"));

    EXPECT_TRUE(TitleTaken({QStringLiteral("급여 "), QStringLiteral("Bonus")}, QStringLiteral(" bonus")));
    EXPECT_FALSE(TitleTaken({QStringLiteral("급여"), QStringLiteral("Bonus")}, QStringLiteral("bonus"), 1));

    const LayoutTable &t = GeneralLayoutTable();
    LayoutValues v;
    EXPECT_EQ(CheckLayoutCells(t, {"1", "3", "18", "0", "31"}, {"2", "15", "13", "0", " 20 "}, &v), QString());
    EXPECT_EQ(v[4].length, 20);
    EXPECT_EQ(CheckLayoutCells(t, {"1", "3", "18", "0", "31"}, {"2", "1a", "13", "0", "20"}, &v),
              QStringLiteral("계좌번호의 시작과 크기를 숫자로 기입하시기 바랍니다."));
    EXPECT_EQ(CheckLayoutCells(t, {"1", "3", "", "0", "31"}, {"2", "15", "13", "0", "20"}, &v),
              QStringLiteral("이체금액의 시작과 크기를 숫자로 기입하시기 바랍니다."));
    EXPECT_EQ(CheckLayoutCells(t, {"1", "3", "18", "0", "31"}, {"2", "15", "13", "5", "20"}, &v),
              QStringLiteral("업체정보의 시작은 1 이상이어야 합니다."));
    EXPECT_EQ(CheckLayoutCells(t, {"1", "3", "18", "-1", "31"}, {"2", "15", "13", "0", "20"}, &v),
              QStringLiteral("업체정보의 시작과 크기를 숫자로 기입하시기 바랍니다."));
}

TEST(ConversionLayout, PreviewMapsCharactersToBytesWithoutCuttingKorean)
{
    LayoutPreview preview(20);
    EXPECT_EQ(preview.ruler(), QStringLiteral("12345678901234567890"));
    EXPECT_EQ(preview.rulerTens(), QStringLiteral("         1         2"));

    // "04" then 김민준 (bytes 3-8), "1000" (9-12), then 한빛상사(주) past the ruler.
    preview.setLines({QStringLiteral("04김민준1000한빛상사(주)"), QStringLiteral("둘째")});
    EXPECT_EQ(preview.lines().size(), LayoutPreview::LineCount);
    EXPECT_EQ(preview.lines()[0], QStringLiteral("04김민준1000한빛상사")); // 20 bytes exactly
    EXPECT_EQ(preview.lines()[2], QString());

    const ConvField name = preview.fieldOfSelection(2, 3); // 김민준
    EXPECT_EQ(name.start, 3);
    EXPECT_EQ(name.length, 6);
    const ConvField amount = preview.fieldOfSelection(5, 4);
    EXPECT_EQ(amount.start, 9);
    EXPECT_EQ(amount.length, 4);

    EXPECT_EQ(preview.fieldText(3, 6), QStringLiteral("김민준"));
    EXPECT_EQ(preview.fieldText(4, 5), QStringLiteral("민준")); // starts inside 김, never half of it
    EXPECT_EQ(preview.fieldText(4, 6), QStringLiteral("민준1"));
    EXPECT_EQ(preview.fieldText(3, 5), QStringLiteral("김민"));
    EXPECT_EQ(preview.fieldText(19, 10), QStringLiteral("사"));
    EXPECT_EQ(preview.fieldText(30, 5), QString());
    EXPECT_EQ(preview.selectionOfField(4, 5), (std::pair<int, int>(3, 2)));

    LayoutPreview wide(100);
    wide.setLines({QString(150, QLatin1Char('x'))});
    EXPECT_EQ(wide.firstLine().size(), 100);
    EXPECT_EQ(wide.fieldText(95, 10), QString(6, QLatin1Char('x')));
}

TEST(ConversionLayout, PreviewReadsLinesEndedByABareCr)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("sample.txt"));
    // Enough lines that the reader needs more than one piece of the file, with
    // a CR LF split across two pieces.
    QByteArray bytes = qvx::Cp949::encode(QStringLiteral("가나\r")) + QByteArray(64 * 1024 - 6, 'x') + "\r\nb\rc\nd";
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QStringList lines;
    ASSERT_TRUE(ReadPreviewLines(name, 10, &lines));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("가나"));
    EXPECT_EQ(lines[1].size(), 64 * 1024 - 6);
    EXPECT_EQ(lines.mid(2), (QStringList{QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}));
    ASSERT_TRUE(ReadPreviewLines(name, 2, &lines));
    EXPECT_EQ(lines.size(), 2);
}

// A UTF-8 sample shows its names as written, as the conversion reads them.
TEST(ConversionLayout, PreviewOfAUtf8FileShowsItsTextAsWritten)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("utf8.txt"));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" + QStringLiteral("04,123401234567,1000,급여,강건\r\n21,56012345678,2000,상여,한빛").toUtf8());
    file.close();
    QStringList lines;
    ASSERT_TRUE(ReadPreviewLines(name, 10, &lines));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("04,123401234567,1000,급여,강건"),
                                  QStringLiteral("21,56012345678,2000,상여,한빛")}));
}

TEST(ConversionLayout, PreviewOfAFileWithoutLineEndsReadsAMegabyteOfIt)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("one-line.txt"));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray block(1024 * 1024, 'x');
    for (int i = 0; i < 64; ++i)
        file.write(block);
    file.close();
    const testing_support::PeakMemory peak = testing_support::MeasurePeakMemory([&] {
        QStringList lines;
        return ReadPreviewLines(name, 10, &lines) && lines.size() == 1 ? int(lines[0].size()) : -1;
    });
    ASSERT_TRUE(peak.ended) << "signal " << peak.signal;
    EXPECT_EQ(peak.result, 1024 * 1024);
    EXPECT_LT(peak.growth, 40 * 1024 * 1024) << peak.growth;
}

TEST(DataFileKinds, EachKindHasTheFieldsOfItsRecord)
{
    // Column 0 plus the fields: 24, 21, 19 and 20 columns.
    EXPECT_EQ(DataFileFields(QStringLiteral("지급이체전문"), 1).size(), 23);
    EXPECT_EQ(DataFileFields(QStringLiteral("수납이체전문"), 2).size(), 23);
    EXPECT_EQ(DataFileFields(QStringLiteral("수납이체전문"), 2).value(18), QStringLiteral("주류금액"));
    EXPECT_EQ(DataFileFields(QStringLiteral("보관어음통지전문"), 1).size(), 20);
    EXPECT_EQ(DataFileFields(QStringLiteral("예금거래명세통지전문"), 1).size(), 18);
    EXPECT_EQ(DataFileFields(QStringLiteral("타행이체불능통지전문"), 1).size(), 19);
    EXPECT_TRUE(DataFileFields(NoDataFileKind, 1).isEmpty());
}
