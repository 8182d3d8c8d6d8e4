// Query answers written and read without a JSON document: the same text and
// the same values as the document path, nulls and empty texts kept apart.
#include "platform/ResultSetJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using qvx::ResultSet;

namespace {

ResultSet Sample()
{
    ResultSet rs({QStringLiteral("name"), QStringLiteral("sum(price)"), QStringLiteral("memo")}, {});
    rs.appendRow({QStringLiteral("한빛\"상사\\"), QStringLiteral("1000"), QString()});
    rs.appendRow({QString(QLatin1String("")), QStringLiteral("1000"), QStringLiteral("줄\r\n바꿈\t\x01 😀")});
    rs.appendRow({QStringLiteral("한빛\"상사\\"), QStringLiteral("1000"), QString()});
    return rs;
}

QByteArray Answer(const QByteArray &result) { return "{\"id\":7,\"ok\":true,\"result\":" + result + "}"; }

} // namespace

TEST(ResultSetJson, WrittenTextIsTheDocumentsJson)
{
    const ResultSet rs = Sample();
    const QJsonDocument doc = QJsonDocument::fromJson(qvx::ResultSetJson(rs));
    ASSERT_TRUE(doc.isObject());
    const QJsonArray rows = doc.object().value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].toArray()[0].toString(), QStringLiteral("한빛\"상사\\"));
    EXPECT_TRUE(rows[0].toArray()[2].isNull());
    EXPECT_EQ(rows[1].toArray()[2].toString(), QStringLiteral("줄\r\n바꿈\t\x01 😀"));
    EXPECT_EQ(doc.object().value(QStringLiteral("columns")).toArray()[1].toString(), QStringLiteral("sum(price)"));
}

TEST(ResultSetJson, ReadBackKeepsEveryValueNullsAndRepeats)
{
    const ResultSet rs = Sample();
    qvx::QueryAnswer answer;
    ASSERT_TRUE(qvx::ReadQueryAnswer(Answer(qvx::ResultSetJson(rs)), &answer));
    EXPECT_TRUE(answer.ok);
    EXPECT_FALSE(answer.idNull);
    EXPECT_EQ(answer.id, 7);
    ASSERT_EQ(answer.rows.recordCount(), 3);
    EXPECT_EQ(answer.rows.columnNames(), rs.columnNames());
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(answer.rows.value(r, c), rs.value(r, c)) << r << c;
            EXPECT_EQ(answer.rows.row(r)[c].isNull(), rs.row(r)[c].isNull()) << r << c;
        }
    // Escapes the writer never makes are read too.
    ASSERT_TRUE(qvx::ReadQueryAnswer(
        R"({"ok":true,"id":1,"result":{"rows":[["\u00e9\/\ud83d\ude00", null]],"columns":["a","b"]}})", &answer));
    EXPECT_EQ(answer.rows.value(0, 0), QStringLiteral("é/😀"));
}

TEST(ResultSetJson, OtherShapesAreLeftToTheDocumentReader)
{
    qvx::QueryAnswer answer;
    ASSERT_TRUE(qvx::ReadQueryAnswer(R"({"id":3,"ok":false,"error":"no such table"})", &answer));
    EXPECT_FALSE(answer.ok);
    EXPECT_EQ(answer.error, QStringLiteral("no such table"));
    EXPECT_FALSE(qvx::ReadQueryAnswer(R"({"id":3,"ok":true,"result":5})", &answer));
    EXPECT_FALSE(qvx::ReadQueryAnswer(R"({"id":3,"ok":true,"result":{"columns":["a"],"rows":[[1]]}})", &answer));
    EXPECT_FALSE(qvx::ReadQueryAnswer(R"({"id":3,"ok":true,"result":{"columns":["a"],"rows":[["x"]]}} x)", &answer));
    EXPECT_FALSE(qvx::ReadQueryAnswer(R"({"id":3,"ok":true,"result":{"columns":["a"],"rows":[["x)", &answer));
}
