#include "platform/Cp949.h"

#include <QStringList>
#include <gtest/gtest.h>

using qvx::Cp949;

TEST(Cp949, KoreanRoundTripsByteExact)
{
    // "갂" is 0x81 0x41: its second byte is the ASCII letter 'A'.
    bool ok = false;
    const QByteArray b = Cp949::encode(QStringLiteral("갂"), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(b, QByteArray("\x81\x41"));
    EXPECT_EQ(Cp949::decode(b, &ok), QStringLiteral("갂"));
    EXPECT_TRUE(ok);

    const QString mixed = QStringLiteral("가A갂a 한글123똠");
    const QByteArray enc = Cp949::encode(mixed, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(enc.size(), 5 * 2 + 6);
    EXPECT_EQ(Cp949::decode(enc), mixed);
    // "가" is 0xB0 0xA1 in the KS X 1001 range.
    EXPECT_EQ(Cp949::encode(QStringLiteral("가")), QByteArray("\xB0\xA1"));
}

TEST(Cp949, EveryValidPairRoundTrips)
{
    // Every byte pair that decodes cleanly encodes back to the same bytes.
    int checked = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x41; trail <= 0xFE; ++trail) {
            QByteArray pair;
            pair.append(char(lead));
            pair.append(char(trail));
            bool ok = false;
            const QString s = Cp949::decode(pair, &ok);
            if (!ok)
                continue;
            ASSERT_EQ(s.size(), 1) << lead << " " << trail;
            ASSERT_EQ(Cp949::encode(s), pair) << lead << " " << trail;
            ++checked;
        }
    }
    EXPECT_GT(checked, 17000); // 11172 syllables plus symbols and hanja
}

TEST(Cp949, UnmappableBecomesQuestionMark)
{
    bool ok = true;
    EXPECT_EQ(Cp949::encode(QStringLiteral("a\u00E9b"), &ok), QByteArray("a?b")); // é is not in CP949
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(Cp949::encode(QString::fromUtf8("가\xF0\x9F\x98\x80나"), &ok), QByteArray("\xB0\xA1?\xB3\xAA"));
    EXPECT_FALSE(ok);
}

TEST(Cp949, InvalidBytesBecomeReplacementNotDropped)
{
    bool ok = true;
    // 0xFF never starts a character; 0x80 neither.
    EXPECT_EQ(Cp949::decode(QByteArray("a\xFF" "b"), &ok), QStringLiteral("a\uFFFDb"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(Cp949::decode(QByteArray("\x80")), QStringLiteral("\uFFFD"));
    // A lead byte followed by a byte that cannot end it: the lead is replaced,
    // the following byte survives.
    EXPECT_EQ(Cp949::decode(QByteArray("\xB0 x")), QStringLiteral("\uFFFD x"));
    // An unassigned pair at the very end (iconv consumes it before it complains).
    EXPECT_EQ(Cp949::decode(QByteArray("a\xA2\xE8"), &ok), QStringLiteral("a\uFFFD"));
    EXPECT_EQ(Cp949::decode(QByteArray("\xA2\xE8z")), QStringLiteral("\uFFFDz"));
    // Bad characters between runs of good text, each replaced where it
    // stands, also the unassigned pair iconv counts as read.
    const QByteArray text = Cp949::encode(QStringLiteral("가나")) + "\xA2\xE8" + Cp949::encode(QStringLiteral("다"))
                            + "\xFF\xB0 " + Cp949::encode(QStringLiteral("라\r\n마")) + "\x80";
    ok = true;
    EXPECT_EQ(Cp949::decode(text, &ok), QStringLiteral("가나\uFFFD다\uFFFD\uFFFD 라\r\n마\uFFFD"));
    EXPECT_FALSE(ok);
}

TEST(Cp949, TruncatedLeadByteAtEnd)
{
    bool ok = true;
    const QString s = Cp949::decode(QByteArray("AB\xB0"), &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(s, QStringLiteral("AB\uFFFD"));
    ok = false;
    EXPECT_EQ(Cp949::decode(QByteArray(), &ok), QString());
    EXPECT_TRUE(ok);
}

TEST(Cp949, LeadBytes)
{
    EXPECT_FALSE(Cp949::isLeadByte(0x41));
    EXPECT_FALSE(Cp949::isLeadByte(0x80));
    EXPECT_TRUE(Cp949::isLeadByte(0x81));
    EXPECT_TRUE(Cp949::isLeadByte(0xFE));
    EXPECT_FALSE(Cp949::isLeadByte(0xFF));
}

TEST(Cp949, LongAsciiRunsAroundKoreanAndBadBytesKeepEveryCharacterInPlace)
{
    // ASCII runs of every length up to 40 between characters of both
    // widths, so that runs read many bytes at a time end at every offset.
    QString text;
    for (int run = 0; run <= 40; ++run) {
        for (int i = 0; i < run; ++i)
            text += QChar(u'0' + (run + i) % 10);
        text += run % 3 == 0 ? QStringLiteral("갂") : QStringLiteral("한글");
    }
    bool ok = false;
    const QByteArray bytes = Cp949::encode(text, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(Cp949::decode(bytes, &ok), text);
    EXPECT_TRUE(ok);
    // A bad byte at every place of a long ASCII run.
    const QByteArray ascii(40, 'x');
    for (int at = 0; at < ascii.size(); ++at) {
        QByteArray bad = ascii + Cp949::encode(QStringLiteral("가")) + ascii;
        bad[at] = '\x80';
        QString expected = QString(40, QLatin1Char('x')) + QStringLiteral("가") + QString(40, QLatin1Char('x'));
        expected[at] = QChar(0xFFFD);
        ok = true;
        ASSERT_EQ(Cp949::decode(bad, &ok), expected) << at;
        EXPECT_FALSE(ok);
    }
}

TEST(Cp949, ATextAppendedInPiecesGivesTheBytesOfTheWhole)
{
    // Pieces of every kind, cut at every place between them: ASCII runs
    // long and short, Korean, characters CP949 lacks (one outside the BMP,
    // halves of one cut apart by blanks), the replacement character.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QStringList pieces = {QStringLiteral("자료변환 Error -> "), QStringLiteral("20240105 093000"),
                                QStringLiteral(" "), QStringLiteral("가나다") + emoji.first(1),
                                QStringLiteral(" "), emoji.last(1) + QStringLiteral("x"),
                                QStringLiteral("caf\u00E9 ") + emoji + QStringLiteral("갂"),
                                QStringLiteral("\uFFFD"), QString(37, QLatin1Char('y')), QString(),
                                QStringLiteral("똠\r\n")};
    const QString whole = pieces.join(QString());
    bool wholeOk = true;
    const QByteArray expected = Cp949::encode(whole, &wholeOk);
    EXPECT_FALSE(wholeOk);
    QByteArray out("before");
    bool allOk = true;
    for (const QString &piece : pieces) {
        bool ok = false;
        Cp949::append(out, piece, &ok);
        EXPECT_EQ(ok, Cp949::firstUnencodable(piece).isEmpty()) << qPrintable(piece);
        allOk = allOk && ok;
    }
    EXPECT_FALSE(allOk);
    EXPECT_EQ(out, "before" + expected);
    EXPECT_TRUE(expected.contains("\x81\x41") && expected.contains("caf? ?"));
}

// What a file's bytes are told to be: UTF-8 by its mark or its sequences,
// CP949 otherwise, and no text when a NUL, or more than a few undecodable or
// control bytes, show it is none.
TEST(Cp949, AFileIsToldUtf8Cp949OrNoText)
{
    using E = Cp949::Encoding;
    const QString korean = QStringLiteral("04,123401234567,25000,급여,강건\r\n").repeated(50);
    EXPECT_EQ(Cp949::encodingOf(Cp949::encode(korean)), E::Cp949);
    EXPECT_EQ(Cp949::encodingOf(korean.toUtf8()), E::Utf8);
    EXPECT_EQ(Cp949::encodingOf("\xEF\xBB\xBF" + korean.toUtf8()), E::Utf8);
    EXPECT_EQ(Cp949::encodingOf("\xEF\xBB\xBF" "04,1,2\r\n"), E::Utf8);
    EXPECT_EQ(Cp949::encodingOf("plain ascii\tline\r\n\f\x1A"), E::Cp949);
    // CP949 syllables whose bytes happen to be two-byte UTF-8 stay CP949.
    EXPECT_EQ(Cp949::encodingOf(Cp949::encode(QStringLiteral("04,1,2,짜짝,징\r\n"))), E::Cp949);
    EXPECT_EQ(Cp949::encodingOf(""), E::Cp949);
    // A CP949 file with a few broken characters is still text, its lines refused one by one.
    EXPECT_EQ(Cp949::encodingOf(Cp949::encode(korean) + "\x80\xFF\x80"), E::Cp949);
    // A UTF-8 file cut inside its last character stays UTF-8.
    const QByteArray utf8 = korean.toUtf8();
    EXPECT_EQ(Cp949::encodingOf(utf8.left(utf8.size() - 3) + "\xEA\xB0"), E::Utf8);
    EXPECT_EQ(Cp949::encodingOf(QByteArray("abc\0def", 7)), E::NotText);
    EXPECT_EQ(Cp949::encodingOf(QByteArray(200, '\x1B')), E::NotText);
    // Random bytes without a NUL, short and long.
    QByteArray noise;
    for (int i = 0; noise.size() < 1 << 16; ++i)
        if (const char c = char((i * 2654435761u) >> 24))
            noise += c;
    EXPECT_EQ(Cp949::encodingOf(noise), E::NotText);
    EXPECT_EQ(Cp949::encodingOf(noise.left(200)), E::NotText);
}

// A UTF-8 text decodes to what the program can store: the mark left out, a
// byte that begins no sequence and a character CP949 cannot hold are U+FFFD.
TEST(Cp949, Utf8DecodesToTextCp949Holds)
{
    bool ok = false;
    EXPECT_EQ(Cp949::decodeUtf8("\xEF\xBB\xBF" + QStringLiteral("강건 급여").toUtf8(), &ok), QStringLiteral("강건 급여"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(Cp949::decodeUtf8(QStringLiteral("가😀나").toUtf8(), &ok), QStringLiteral("가\uFFFD나"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(Cp949::decodeUtf8("a\xFF" "b", &ok), QStringLiteral("a\uFFFDb"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(Cp949::decode(QByteArrayView("\xB0\xA1"), Cp949::Encoding::Cp949), QStringLiteral("가"));
}
