// What one statement may cost on SQLite: the server's own versions of the
// library's searches and pattern matches answer as the library's do, and a
// statement that asks for more memory than the engine may use is refused
// before it takes it.

#include "backend/SqliteDatabase.h"
#include "support/PeakMemory.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using testing_support::MeasurePeakMemory;

namespace {

// The one value of a one-row, one-column query; "null" for SQL NULL, the
// error's text when it fails.
QString valueOf(qvx::DbConnection &c, const QString &expression)
{
    try {
        const qvx::ResultSet rs = c.query(QStringLiteral("select ") + expression + QStringLiteral(" as v"));
        return rs.isNull(0, QStringLiteral("v")) ? QStringLiteral("null") : rs.value(0, QStringLiteral("v"));
    } catch (const qvx::DbError &e) {
        return e.message();
    }
}

} // namespace

// instr, replace, trim, like and glob are the server's own (they look at the
// statement's time limit as they go); the library's answers, NULLs, blobs,
// multi-byte characters and escapes included, are theirs too.
TEST(SqliteFunctions, TheServersSearchesAndMatchesAnswerAsTheLibrarysOwn)
{
    QTemporaryDir dir;
    qvx::SqliteDatabase db(dir.filePath(QStringLiteral("f.sqlite")));
    const auto c = db.connect();
    const struct
    {
        const char *expression;
        const char *value;
    } cases[] = {
        {"instr('한글abc', 'bc')", "4"}, {"instr(x'00410041', x'41')", "2"}, {"instr('abc', '')", "1"},
        {"instr(null, 'a')", "null"}, {"instr('aaab', 'aab')", "2"}, {"instr(123, 2)", "2"},
        {"replace('aaaa', 'aa', 'b')", "bb"}, {"replace('한a한', '한', 'xy')", "xyaxy"}, {"replace(123, '', 'x')", "123"},
        {"replace('abc', null, 'x')", "null"}, {"trim('xyaxy', 'yx')", "a"}, {"ltrim('한한a한', '한')", "a한"},
        {"rtrim('abcc', 'c')", "ab"}, {"trim('abc', '')", "abc"}, {"trim(' a ')", "a"},
        {"'ABc' like 'a_C'", "1"}, {"'한글' like '_글'", "1"}, {"'a%b' like 'a\\%b' escape '\\'", "1"},
        {"'axb' like 'a\\%b' escape '\\'", "0"}, {"'a_' like 'a%_' escape '%'", "1"}, {"'ab' like 'ab\\' escape '\\'", "0"},
        {"'aaa' like '%a%a%a%a'", "0"}, {"x'41' like 'A'", "0"}, {"'Abc' glob 'A*'", "1"}, {"'abc' glob 'A*'", "0"},
        {"'b' glob '[a-c]'", "1"}, {"'d' glob '[^a-c]'", "1"}, {"']' glob '[]]'", "1"}, {"'-' glob '[a-]'", "1"},
        {"'a' glob '[a'", "0"}, {"'aXbXc' glob '*X*X*'", "1"}, {"locate('B', 'abcb')", "2"}, {"locate('b', 'abcb', 3)", "4"},
        {"locate('z', 'abc')", "0"},
    };
    for (const auto &t : cases)
        EXPECT_EQ(valueOf(*c, QString::fromUtf8(t.expression)), QString::fromUtf8(t.value)) << t.expression;
    // A pattern longer than any the programs use is refused rather than matched.
    EXPECT_EQ(valueOf(*c, QStringLiteral("'a' like '%1'").arg(QString(1001, QLatin1Char('_')))),
              QStringLiteral("LIKE or GLOB pattern too complex"));
}

// Twelve texts of 66 MB joined took 3.42 GB; 127 of the longest accepted
// ones took half a gigabyte beyond the arguments themselves (126 MB). Joined
// texts are measured before they are built, and the statement is refused.
TEST(SqliteBounds, JoinedTextsAreMeasuredBeforeTheyAreBuilt)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("m.sqlite"));
    const QString longText = QStringLiteral("replace(hex(zeroblob(500000)), '0', 'a')");
    QStringList many; // as many as a function takes, the separator's place left
    for (int i = 0; i < 126; ++i)
        many << QStringLiteral("v");
    for (const QString &sql :
         {QStringLiteral("select length(concat(%1)) from (select %2 as v)").arg(many.join(','), longText),
          QStringLiteral("select length(concat_ws(',', %1)) from (select %2 as v)").arg(many.join(','), longText),
          QStringLiteral("select length(concat(v, v, v, v, v, v, v, v, v, v, v, v)) from "
                         "(select replace(hex(zeroblob(33000000)), '0', 'a') as v)")}) {
        const auto peak = MeasurePeakMemory(
            [&] {
                qvx::SqliteDatabase db(file);
                try {
                    db.connect()->query(sql);
                } catch (const qvx::DbError &e) {
                    return e.message().contains(QLatin1String("too big")) ? 1 : 0;
                }
                return 2;
            },
            2LL << 30);
        EXPECT_TRUE(peak.ended) << sql.left(60).toStdString() << " signal " << peak.signal;
        EXPECT_EQ(peak.result, 1) << sql.left(60).toStdString();
        EXPECT_LT(peak.growth, 200LL << 20) << sql.left(60).toStdString();
    }
}

// Values that each stay within the cap, but many of them in one row: the
// engine's heap limit refuses the statement, in words, near that limit.
TEST(SqliteBounds, OneStatementsMemoryStopsAtTheEnginesLimit)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("h.sqlite"));
    QStringList columns;
    for (int i = 0; i < 700; ++i)
        columns << QStringLiteral("v || '%1'").arg(i);
    const QString sql = QStringLiteral("select %1 from (select replace(hex(zeroblob(500000)), '0', 'a') as v)")
                            .arg(columns.join(','));
    const auto peak = MeasurePeakMemory(
        [&] {
            qvx::SqliteDatabase db(file);
            try {
                db.connect()->queryJson(sql);
            } catch (const qvx::DbError &e) {
                return e.message().contains(QLatin1String("more memory than the database may use")) ? 1 : 0;
            }
            return 2;
        },
        2LL << 30);
    EXPECT_TRUE(peak.ended) << "signal " << peak.signal;
    EXPECT_EQ(peak.result, 1);
    EXPECT_LT(peak.growth, 640LL << 20);

    // Long blobs that cost nothing until they are written out: refused as
    // they grow (by the engine's limit or the answer's, value by value), not
    // after a whole row of six times their length in the answer.
    columns.clear();
    for (int i = 0; i < 600; ++i)
        columns << QStringLiteral("zeroblob(1000000)");
    const QString blobs = QStringLiteral("select ") + columns.join(',');
    const auto answer = MeasurePeakMemory(
        [&] {
            qvx::SqliteDatabase db(file);
            try {
                db.connect()->queryJson(blobs);
            } catch (const qvx::DbError &e) {
                return e.message().contains(QLatin1String("Answer too large"))
                               || e.message().contains(QLatin1String("more memory than the database may use"))
                           ? 1
                           : 0;
            }
            return 2;
        },
        3LL << 30);
    EXPECT_TRUE(answer.ended) << "signal " << answer.signal;
    EXPECT_EQ(answer.result, 1);
    EXPECT_LT(answer.growth, 1200LL << 20);
}
