// What one statement may cost on SQLite: the server's own versions of the
// library's searches and pattern matches answer as the library's do, joined
// texts are refused before they are built, and a statement's program is
// bounded.

#include "backend/SqliteDatabase.h"
#include "support/PeakMemory.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

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
    // Sets with reversed ranges ("[z-a]" holds the z alone) and searches that
    // meet a match inside a character, against the library itself.
    sqlite3 *library = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &library), SQLITE_OK);
    auto librarysOwn = [&](const QString &expression) {
        sqlite3_stmt *stmt = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(library, ("select " + expression).toUtf8().constData(), -1, &stmt, nullptr), SQLITE_OK);
        QString value = QStringLiteral("null");
        if (sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_type(stmt, 0) != SQLITE_NULL)
            value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        return value;
    };
    const QString setChars = QStringLiteral("abz-^]");
    QStringList sets{QString()};
    for (int length = 1; length <= 3; ++length)
        for (const QString &shorter : QStringList(sets))
            if (shorter.size() == length - 1)
                for (const QChar c : setChars)
                    sets << shorter + c;
    int compared = 0;
    for (const QString &set : sets) {
        for (const QChar ch : QStringLiteral("abmz-]^")) {
            const QString expression = QStringLiteral("glob('[%1]', '%2')").arg(set, ch);
            EXPECT_EQ(valueOf(*c, expression), librarysOwn(expression)) << expression.toStdString();
            ++compared;
        }
    }
    // Texts of up to three pieces: a letter, a lone continuation byte, a lead
    // byte, a whole two-byte character.
    QStringList hexes{QString()};
    for (int round = 0; round < 3; ++round)
        for (const QString &shorter : QStringList(hexes))
            for (const char *piece : {"41", "80", "c3", "c380"})
                if (!hexes.contains(shorter + QLatin1String(piece)))
                    hexes << shorter + QLatin1String(piece);
    for (const QString &haystack : hexes) {
        for (const QString &needle : hexes.mid(1, 12)) {
            for (const char *form : {"instr(cast(x'%1' as text), cast(x'%2' as text))", "instr(x'%1', x'%2')"}) {
                const QString expression = QString::fromLatin1(form).arg(haystack, needle);
                EXPECT_EQ(valueOf(*c, expression), librarysOwn(expression)) << expression.toStdString();
                ++compared;
            }
        }
    }
    sqlite3_close(library);
    EXPECT_GT(compared, 2000);
    // A pattern longer than any the programs use is refused rather than matched.
    EXPECT_EQ(valueOf(*c, QStringLiteral("'a' like '%1'").arg(QString(1001, QLatin1Char('_')))),
              QStringLiteral("LIKE or GLOB pattern too complex"));
}

// Twelve texts of 66 MB joined took 3.42 GB. Values are now far shorter, and
// joined texts are measured before they are built: 126 of the longest
// accepted ones are refused without the 15 MB text and its copies.
TEST(SqliteBounds, JoinedTextsAreMeasuredBeforeTheyAreBuilt)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("m.sqlite"));
    const QString longText = QStringLiteral("replace(hex(zeroblob(60000)), '0', 'a')");
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
        EXPECT_LT(peak.growth, 48LL << 20) << sql.left(60).toStdString();
    }
}

// Many long values in one row: the engine looks at the time limit only where
// a program loops, so the steps of a program that read or compute a value are
// bounded, and one row of values each within the cap cannot run (or take
// memory) without end.
TEST(SqliteBounds, AStatementsProgramIsBounded)
{
    QTemporaryDir dir;
    QStringList columns;
    for (int i = 0; i < 1900; ++i)
        columns << QStringLiteral("v || '%1' || 'x'").arg(i);
    qvx::SqliteDatabase db(dir.filePath(QStringLiteral("h.sqlite")));
    const auto c = db.connect();
    try {
        c->query(QStringLiteral("select %1 from (select replace(hex(zeroblob(60000)), '0', 'a') as v)").arg(columns.join(',')));
        ADD_FAILURE() << "a row of 1900 long values was answered";
    } catch (const qvx::DbError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Refused: the statement is too long for this server (more than 5000 steps "
                                              "of the database engine that read or compute a value)"));
    }
}

// The bound lets every statement a program or a person writes run: a liquor
// insert of 110 rows was refused "more than 5000 steps" at about 2,700.
// A multi-row insert of 5000 rows into a table as wide as the widest request
// table, a list of 5000 message numbers and a statement of some 4,000 steps
// on values run; the refusals name the figure that was passed.
TEST(SqliteBounds, OrdinaryLongStatementsRunAndRefusalsNameTheirBound)
{
    QTemporaryDir dir;
    qvx::SqliteDatabase db(dir.filePath(QStringLiteral("w.sqlite")));
    const auto c = db.connect();
    QStringList names, values;
    for (int i = 0; i < 36; ++i) {
        names << QStringLiteral("c%1").arg(i);
        values << (i == 3 ? QStringLiteral("%1") : QStringLiteral("'v%1'").arg(i));
    }
    c->exec(QStringLiteral("create table wide(%1)").arg(names.join(',')));
    const QString row = QLatin1Char('(') + values.join(',') + QLatin1Char(')');
    QStringList rows, numbers;
    for (int r = 0; r < 5000; ++r) {
        rows << row.arg(r);
        numbers << QString::number(r);
    }
    const QString insert = QStringLiteral("insert into wide(%1) values%2").arg(names.join(','));
    EXPECT_EQ(c->exec(insert.arg(rows.join(','))), 5000);
    EXPECT_EQ(c->query(QStringLiteral("select count(*) as n from wide where c3 in (%1)").arg(numbers.join(',')))
                  .value(0, QStringLiteral("n")),
              QStringLiteral("5000"));
    QStringList lengths;
    for (int i = 0; i < 1900; ++i)
        lengths << QStringLiteral("length(c%1) as n%2").arg(i % 36).arg(i);
    const qvx::ResultSet measured = c->query(QStringLiteral("select %1 from wide where c3 = 7").arg(lengths.join(',')));
    ASSERT_EQ(measured.recordCount(), 1);
    EXPECT_EQ(measured.value(0, QStringLiteral("n1899")), QStringLiteral("3"));
    try {
        for (int r = 5000; r < 7000; ++r)
            rows << row.arg(r);
        c->exec(insert.arg(rows.join(',')));
        ADD_FAILURE() << "a program of 7000 rows of 36 values was made";
    } catch (const qvx::DbError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Refused: the statement is too long for this server (more than 250000 "
                                              "steps of the database engine)"));
    }
    EXPECT_EQ(c->query(QStringLiteral("select count(*) as n from wide")).value(0, QStringLiteral("n")), QStringLiteral("5000"));
}

// A glob on a text column's beginning is looked up in the column's index, as
// the library's own glob is (the server's scanned every row: 186 ms against
// 0.26 ms on 1,000,000 names), and answers as the library's: texts, numbers
// kept as texts, blobs, a column of numbers, one compared without case.
TEST(SqliteFunctions, AGlobOnATextsBeginningIsLookedUpInTheIndex)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("g.sqlite"));
    qvx::SqliteDatabase db(file);
    const auto c = db.connect();
    c->exec(QStringLiteral("create table payee(name varchar(60), seq int, nick varchar(20) collate nocase)"));
    c->exec(QStringLiteral("create index payee_name on payee(name)"));
    c->exec(QStringLiteral("create index payee_seq on payee(seq)"));
    c->exec(QStringLiteral("insert into payee values ('김철수', 12, 'Ab'), ('김영희', 123, 'ab'), ('깁스', 2, 'AC'), "
                           "('AB', 1, 'aB'), ('ABC', 120, 'abc'), ('AC', 3, 'b'), ('ab', 12, 'Z'), ('120', 4, '['), "
                           "(x'41428080', 5, 'A'), (cast(x'eab98080' as text), 6, 'a'), (null, null, null)"));
    for (const char *plan : {"select * from payee where name glob '김*'", "select name from payee where name glob 'AB*'",
                             "explain query plan select * from payee p where p.name glob 'AB?*' and seq > 0"}) {
        const QString sql = QString::fromLatin1("explain query plan ") + QString::fromUtf8(plan).remove(QLatin1String("explain query plan "));
        const qvx::ResultSet rs = c->query(sql);
        ASSERT_EQ(rs.recordCount(), 1) << plan;
        EXPECT_TRUE(rs.value(0, QStringLiteral("detail")).contains(QLatin1String("INDEX payee_name (name>? AND name<?)")))
            << plan << ": " << rs.value(0, QStringLiteral("detail")).toStdString();
    }
    sqlite3 *library = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &library), SQLITE_OK);
    auto librarysOwn = [&](const QString &sql) {
        sqlite3_stmt *stmt = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(library, sql.toUtf8().constData(), -1, &stmt, nullptr), SQLITE_OK);
        QStringList values;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            values << QString::number(sqlite3_column_int64(stmt, 0));
        sqlite3_finalize(stmt);
        return values.join(',');
    };
    auto servers = [&](const QString &sql) {
        const qvx::ResultSet rs = c->query(sql);
        QStringList values;
        for (int r = 0; r < rs.recordCount(); ++r)
            values << rs.value(r, QStringLiteral("rowid"));
        return values.join(',');
    };
    for (const char *where :
         {"name glob '김*'", "name glob '김영*'", "name glob 'AB*'", "name glob 'AB'", "name glob 'A*C'", "name glob '1*'",
          "not name glob 'AB*'", "seq glob '12*'", "nick glob 'a*'", "nick glob '[*'", "name glob 'AB*' or seq = 3",
          "payee.name glob 'A*' and seq < 100", "(name glob 'ab*')", "name glob '깁*' and name glob '*스'"}) {
        const QString sql = QStringLiteral("select rowid from payee where %1 order by rowid").arg(QString::fromUtf8(where));
        EXPECT_EQ(servers(sql), librarysOwn(sql)) << where;
    }
    // The list of columns keeps its texts, by which the answer names them.
    EXPECT_EQ(c->query(QStringLiteral("select (name glob 'AB*') from payee where rowid = 4")).columnNames(),
              QStringList{QStringLiteral("(name glob 'AB*')")});
    sqlite3_close(library);
}
