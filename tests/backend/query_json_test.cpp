// Query answers written straight from the database.
#include "backend/DemoDatabase.h"
#include "backend/SqliteDatabase.h"
#include "platform/ResultSetJson.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// A query's answer written straight from SQLite holds what the ResultSet of
// the same query holds: texts, numbers, reals, nulls and the column names.
TEST(QueryJson, SqliteWritesWhatItsResultSetHolds)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("q.sqlite"));
    qvx::createDemoDatabase(file);
    qvx::SqliteDatabase db(file);
    auto c = db.connect();
    c->exec(QStringLiteral("insert into giche (seqno, userid, name, price, sr_flag) values (9, 'MAKER', '따옴\"표', 1.5, null)"));
    for (const char *sql : {"select seqno, userid, name, price, sr_flag, sum(seqno) from giche group by seqno",
                            "select * from bank order by bankid", "show tables"}) {
        const QString text = QString::fromLatin1(sql);
        EXPECT_EQ(c->queryJson(text), qvx::ResultSetJson(c->query(text))) << sql;
    }
}
