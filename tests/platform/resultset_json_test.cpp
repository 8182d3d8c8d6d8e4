// Query answers written and read without a JSON document: the same text and
// the same values as the document path, nulls and empty texts kept apart.
#include "platform/JsonWriter.h"
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

TEST(ResultSetJson, EveryEscapeAndCharacterComesBackAsWritten)
{
    // Every control character, the quote and the backslash, Korean, a
    // character beyond 16 bits and a slash, in one text and one by one.
    QString all;
    for (ushort c = 0; c < 0x20; ++c)
        all += QChar(c);
    all += QStringLiteral("\"\\/ 한글 😀 é");
    ResultSet rs({QStringLiteral("t"), QStringLiteral("n")});
    rs.appendRow({all, QString()});
    for (const char32_t c : all.toUcs4())
        rs.appendRow({QString::fromUcs4(&c, 1), QString(QLatin1String(""))});
    rs.appendRow({all, QStringLiteral("끝")});
    const QByteArray json = qvx::ResultSetJson(rs);
    // Nothing below a blank is written as it is.
    for (const char c : json)
        EXPECT_GE(static_cast<unsigned char>(c), 0x20);
    EXPECT_TRUE(QJsonDocument::fromJson(json).isObject());
    qvx::QueryAnswer answer;
    ASSERT_TRUE(qvx::ReadQueryAnswer(Answer(json), &answer));
    ASSERT_EQ(answer.rows.recordCount(), rs.recordCount());
    for (int r = 0; r < rs.recordCount(); ++r) {
        EXPECT_EQ(answer.rows.value(r, 0), rs.value(r, 0)) << r;
        EXPECT_EQ(answer.rows.value(r, 1), rs.value(r, 1)) << r;
        EXPECT_EQ(answer.rows.value(r, 1).isNull(), rs.value(r, 1).isNull()) << r;
    }
    EXPECT_TRUE(answer.rows.value(0, 1).isNull());
    EXPECT_FALSE(answer.rows.value(1, 1).isNull());
    EXPECT_EQ(answer.rows.value(rs.recordCount() - 1, 1), QStringLiteral("끝"));
}

TEST(ResultSetJson, RowsShortOrLongAreFittedToTheColumns)
{
    qvx::QueryAnswer answer;
    ASSERT_TRUE(qvx::ReadQueryAnswer(
        R"({"id":1,"ok":true,"result":{"columns":["a","b"],"rows":[["x"],[],["y","z","beyond"], [ "y" , "z" ]]}})",
        &answer));
    ASSERT_EQ(answer.rows.recordCount(), 4);
    EXPECT_EQ(answer.rows.row(0), (QStringList{QStringLiteral("x"), QString()}));
    EXPECT_TRUE(answer.rows.value(0, 1).isNull());
    EXPECT_TRUE(answer.rows.value(1, 0).isNull());
    EXPECT_EQ(answer.rows.row(2), (QStringList{QStringLiteral("y"), QStringLiteral("z")}));
    EXPECT_EQ(answer.rows.row(3), (QStringList{QStringLiteral("y"), QStringLiteral("z")}));
}

TEST(ResultSetJson, TruncatedOrMalformedAnswersAreNeverRead)
{
    ResultSet rs({QStringLiteral("a"), QStringLiteral("b")});
    rs.appendRow({QStringLiteral("한빛\"1\\"), QString()});
    rs.appendRow({QStringLiteral("한빛\"1\\"), QStringLiteral("\n")});
    const QByteArray whole = Answer(qvx::ResultSetJson(rs));
    qvx::QueryAnswer answer;
    ASSERT_TRUE(qvx::ReadQueryAnswer(whole, &answer));
    // Every cut, also one inside a repeated text or a Korean character.
    for (qsizetype n = 0; n < whole.size(); ++n)
        EXPECT_FALSE(qvx::ReadQueryAnswer(whole.left(n), &answer)) << whole.left(n).constData();
    for (const char *bad : {
             R"({"id":1,"ok":true,"result":{"columns":["a"],"rows":[["\x"]]}})",
             R"({"id":1,"ok":true,"result":{"columns":["a"],"rows":[["\u12g4"]]}})",
             R"({"id":1,"ok":true,"result":{"columns":["a"],"rows":[["\ud83d"]]}})",
             R"({"id":1,"ok":true,"result":{"columns":["a"],"rows":[["\ud83d\u0041"]]}})",
             R"({"id":1,"ok":true,"result":{"columns":["a"],"rows":[["x" "y"]]}})",
             R"({"id":1,"ok":true,"result":{"columns":["a"],"rows":[[nul]]}})",
             R"({"id":1,"ok":true,"result":{"columns":["a"],"rows":["x"]}})",
             R"({"id":1,"ok":true,"result":{"columns":["a"],"rows":[["x"],]}})",
             R"({"id":1,"ok":true,"result":{"columns":["a"],"columns":["b"],"rows":[]}})",
             R"({"id":1,"ok":true,"result":{"rows":[["x"]]}})",
             R"({"id":1,"ok":true,"result":{"rows":[["x"],"columns":["a"]}})",
             R"({"id":1,"ok":true})",
         })
        EXPECT_FALSE(qvx::ReadQueryAnswer(bad, &answer)) << bad;
}

TEST(ResultSet, EachColumnKeepsItsTextsOnceAndNullApart)
{
    ResultSet rs({QStringLiteral("code"), QStringLiteral("memo")});
    rs.appendRow({QStringLiteral("04"), QString(QLatin1String(""))});
    rs.appendRow({QStringLiteral("04"), QString()});
    rs.appendRow({QStringLiteral("20"), QString(QLatin1String(""))});
    rs.appendRow({QStringLiteral("20")}); // padded with NULL
    ASSERT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(rs.textId(0, 0), rs.textId(1, 0));
    EXPECT_NE(rs.textId(1, 0), rs.textId(2, 0));
    EXPECT_EQ(rs.textId(1, 1), 0u);
    EXPECT_NE(rs.textId(0, 1), 0u);
    EXPECT_FALSE(rs.value(0, 1).isNull());
    EXPECT_TRUE(rs.value(1, 1).isNull());
    EXPECT_TRUE(rs.value(3, 1).isNull());
    EXPECT_EQ(rs.rows(), (QList<QStringList>{{QStringLiteral("04"), QString(QLatin1String(""))},
                                             {QStringLiteral("04"), QString()},
                                             {QStringLiteral("20"), QString(QLatin1String(""))},
                                             {QStringLiteral("20"), QString()}}));
    // Outside the result: an empty null text, number 0.
    EXPECT_TRUE(rs.value(4, 0).isNull());
    EXPECT_TRUE(rs.value(0, 2).isNull());
    EXPECT_EQ(rs.textId(-1, 0), 0u);
    EXPECT_TRUE(rs.row(9).isEmpty());
    // A number the column never gave is refused, not kept.
    EXPECT_THROW(rs.appendCell(99), qvx::ResultSetError);
}

TEST(JsonWriter, EachByteAtEachPlaceIsEscapedOnlyWhenItMustBe)
{
    // Texts short and long (the writer looks at eight bytes at a time): a
    // byte of each value at each place among plain letters.
    for (const int length : {1, 7, 8, 9, 16, 17, 23}) {
        for (int at = 0; at < length; ++at) {
            for (int b = 0; b < 256; ++b) {
                QByteArray text(length, 'a');
                text[at] = char(b);
                qvx::JsonWriter out;
                out.utf8String(text.constData(), text.size());
                const QByteArray written(out.data(), out.size());
                const bool escaped = b < 0x20 || b == '"' || b == '\\';
                if (b >= 0x80) {
                    // A lone byte from 0x80 up is no UTF-8: written as U+FFFD.
                    EXPECT_EQ(written, '"' + QString::fromUtf8(text).toUtf8() + '"') << length << ' ' << at << ' ' << b;
                    continue;
                }
                if (!escaped) {
                    EXPECT_EQ(written, '"' + text + '"') << length << ' ' << at << ' ' << b;
                    continue;
                }
                for (const char c : written)
                    ASSERT_GE(static_cast<unsigned char>(c), 0x20) << length << ' ' << at << ' ' << b;
                const QJsonDocument doc = QJsonDocument::fromJson("[" + written + "]");
                ASSERT_TRUE(doc.isArray()) << written.constData();
                EXPECT_EQ(doc.array()[0].toString().toLatin1(), text) << length << ' ' << at << ' ' << b;
            }
        }
    }
    // Korean and a character beyond 16 bits, plain and beside a quote.
    for (const QString &text : {QStringLiteral("한빛상사 거래처123 😀"), QStringLiteral("한빛\"상사😀\\")}) {
        qvx::JsonWriter out;
        out.string(text);
        const QJsonDocument doc = QJsonDocument::fromJson("[" + QByteArray(out.data(), out.size()) + "]");
        EXPECT_EQ(doc.array()[0].toString(), text);
    }
}

// Bytes that are no UTF-8 become U+FFFD exactly as QString::fromUtf8 makes
// them, in short and long texts, escaped or not: the answer stays valid.
TEST(ResultSetJson, BytesThatAreNoUtf8AreReplacedAsTheTextReaderDoes)
{
    const QByteArray cases[] = {
        QByteArray("\xff\x80\xc3", 3),                         // stray bytes, a sequence cut short
        QByteArray("\xed\xa0\x80", 3),                         // a surrogate
        QByteArray("\xc0\xaf", 2),                             // an overlong '/'
        QByteArray("\xf4\x90\x80\x80", 4),                     // past U+10FFFF
        QByteArray("한글") + QByteArray("\xed", 1),             // good text, then a cut sequence
        QByteArray(40, 'x') + QByteArray("\"\x01\xfe", 3),     // long, with escapes
        QByteArray("\xf0\x9f\x98\x80 \xea\xb0\x80", 8),        // valid four- and three-byte sequences
    };
    for (const QByteArray &bytes : cases) {
        qvx::JsonWriter out;
        out.utf8String(bytes.constData(), bytes.size());
        const QByteArray json = out.take();
        EXPECT_TRUE(qvx::JsonWriter::ValidUtf8(json.constData(), json.size())) << json.toStdString();
        const QJsonDocument doc = QJsonDocument::fromJson("[" + json + "]");
        ASSERT_TRUE(doc.isArray()) << json.toStdString();
        EXPECT_EQ(doc.array()[0].toString(), QString::fromUtf8(bytes)) << json.toStdString();
    }
    EXPECT_TRUE(qvx::JsonWriter::ValidUtf8("\xf0\x9f\x98\x80", 4));
    EXPECT_FALSE(qvx::JsonWriter::ValidUtf8("\xe0\x80\x80", 3));
    EXPECT_FALSE(qvx::JsonWriter::ValidUtf8("\xf8\x88\x80\x80\x80", 5));
}
