#include "platform/TextFile.h"
#include "platform/Cp949.h"
#include "support/PeakMemory.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using qvx::TextFile;

namespace {

constexpr qint64 MB = 1024 * 1024;

QString writeBytes(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    const QString file = dir.filePath(QString::fromUtf8(name));
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return file;
}

} // namespace

TEST(TextFile, LinesAreCountedAsTheReadersSplitThem)
{
    const struct
    {
        QByteArray bytes;
        qsizetype lines;
    } cases[] = {
        {"", 0},           {"a", 1},           {"a\n", 1},          {"a\r\n", 1},    {"a\r", 1},
        {"\n\n\n", 3},     {"\r\r\r", 3},      {"\r\n\r\n", 2},     {"\n\r", 2},     {"a\r\nb\rc\nd", 4},
        {"a\r\r\nb", 3},   {"\r\n\n\r", 3},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        EXPECT_EQ(TextFile::lineCount(c.bytes, 100), c.lines) << c.bytes.toHex().toStdString();
        QList<QByteArray> lines;
        ASSERT_EQ(TextFile::readByteLines(writeBytes(dir, "t.txt", c.bytes), 100, &lines), TextFile::Read::Read);
        EXPECT_EQ(lines.size(), c.lines) << c.bytes.toHex().toStdString();
    }
    // Counting stops one past the bound.
    EXPECT_EQ(TextFile::lineCount(QByteArray(1000, '\n'), 10), 11);
    EXPECT_EQ(TextFile::lineCount(QByteArray(1000, '\r'), 10), 11);
}

TEST(TextFile, AFileOfMoreLinesThanAllowedIsRefusedBeforeItIsSplit)
{
    QTemporaryDir dir;
    // Ten megabytes of line ends alone, of each kind.
    for (const QByteArray &end : {QByteArray("\n"), QByteArray("\r"), QByteArray("\r\n")}) {
        const QString file = writeBytes(dir, "ends.txt", end.repeated(10 * MB / end.size()));
        QString refusal;
        const testing_support::PeakMemory peak = testing_support::MeasurePeakMemory([&] {
            QList<QByteArray> lines;
            return int(TextFile::readByteLines(file, 1'000'000, &lines, &refusal));
        });
        ASSERT_TRUE(peak.ended) << "signal " << peak.signal;
        EXPECT_EQ(peak.result, int(TextFile::Read::Refused));
        EXPECT_LT(peak.growth, 10 * 10 * MB + 40 * MB) << peak.growth;
        QList<QByteArray> lines{"kept"};
        EXPECT_EQ(TextFile::readByteLines(file, 1'000'000, &lines, &refusal), TextFile::Read::Refused);
        EXPECT_EQ(refusal, QStringLiteral("파일의 줄이 너무 많아 읽을 수 없습니다 (한 번에 최대 1,000,000줄)."));
        EXPECT_TRUE(lines.isEmpty());
    }
    // As many lines as allowed are read, in memory that grows with them only.
    const QString full = writeBytes(dir, "full.txt", QByteArray(1'000'000, '\n'));
    const testing_support::PeakMemory peak = testing_support::MeasurePeakMemory([&] {
        QList<QByteArray> lines;
        return TextFile::readByteLines(full, 1'000'000, &lines) == TextFile::Read::Read ? int(lines.size()) : -1;
    });
    ASSERT_TRUE(peak.ended);
    EXPECT_EQ(peak.result, 1'000'000);
    EXPECT_LT(peak.growth, 10 * MB + 40 * MB) << peak.growth;
    QList<QByteArray> lines;
    EXPECT_EQ(TextFile::readByteLines(dir.filePath(QStringLiteral("missing.txt")), 10, &lines), TextFile::Read::Unreadable);
}

// Lines read for byte positions: a UTF-8 file gives its lines in CP949, a
// file that is no text or a UTF-8 one CP949 cannot write is refused once.
TEST(TextFile, Cp949LinesOfAUtf8FileAreItsCp949Bytes)
{
    QTemporaryDir dir;
    const QString text = QStringLiteral("04강건      00025000\r\n21한빛상사  00001000\r\n");
    QList<QByteArray> lines;
    QString refusal;
    for (const QByteArray &bytes : {qvx::Cp949::encode(text), text.toUtf8(), "\xEF\xBB\xBF" + text.toUtf8()}) {
        ASSERT_EQ(TextFile::readCp949Lines(writeBytes(dir, "t.txt", bytes), 100, &lines, &refusal),
                  TextFile::Read::Read);
        ASSERT_EQ(lines.size(), 2);
        EXPECT_EQ(lines[0], qvx::Cp949::encode(QStringLiteral("04강건      00025000")));
        EXPECT_EQ(lines[1].size(), 20);
    }
    const QString emoji = QStringLiteral("04가\r\n21😀\r\n");
    EXPECT_EQ(TextFile::readCp949Lines(writeBytes(dir, "e.txt", emoji.toUtf8()), 100, &lines, &refusal),
              TextFile::Read::Refused);
    EXPECT_EQ(refusal, QStringLiteral("UTF-8 파일의 2번째 줄에 CP949로 나타낼 수 없는 문자가 있어 파일을 읽을 수 없습니다."));
    EXPECT_EQ(TextFile::readCp949Lines(writeBytes(dir, "n.txt", QByteArray(300, '\x07')), 100, &lines, &refusal),
              TextFile::Read::Refused);
    EXPECT_EQ(refusal, QStringLiteral("읽을 수 있는 텍스트 파일이 아닙니다."));
}

// An error list is never lost for a character CP949 cannot hold.
TEST(TextFile, LinesWrittenReplacingKeepEveryLine)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("list.txt"));
    ASSERT_TRUE(TextFile::writeLinesReplacing(file, {QStringLiteral("가\uFFFD나"), QStringLiteral("😀")}));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\xB0\xA1?\xB3\xAA\r\n?\r\n"));
}
