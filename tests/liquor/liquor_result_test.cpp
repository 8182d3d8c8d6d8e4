// The liquor result screens' logic: the statements by their filters, the
// list's cells made from a result row, the two text exports of a list row and
// the result-inquiry requests split by each transfer's kind.
#include "core/ListColumns.h"
#include "core/RequestSql.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "liquor/LiquorResultList.h"
#include "liquor/LiquorResultRequest.h"
#include "liquor/LiquorResultSql.h"
#include "platform/Cp949.h"

#include <gtest/gtest.h>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

using namespace LiquorResultSql;

TEST(LiquorResultSql, RangeListsTodayOfBothTablesForTheUser)
{
    const QString sql = InquiryByRange(11, 14, S("JURU'1"), S("20261209"));
    EXPECT_TRUE(sql.contains(S(" and cmsjiche102.seqno >= 11 and cmsjiche102.seqno <= 14 and cmsjiche102.userid = "
                               "'JURU''1' and cmsjiche102.senddate = '20261209' union all ")));
    EXPECT_TRUE(sql.contains(S("cmsjiche103.moBANKNO AS MAINBANKNO")));
    EXPECT_TRUE(sql.endsWith(S("cmsjiche103.senddate = '20261209' order by senddate, seqno")));
}

TEST(LiquorResultSql, StatusFragmentsOfTheThreeBoxes)
{
    struct Case { bool r, w, e; const char *fragment; };
    const Case cases[] = {
        {true, true, false, " and cmsjiche102.sr_flag = '4' and cmsjiche102.senddate"},
        {false, true, true, " and cmsjiche102.sr_flag in ('2', '3', '4') and cmsjiche102.errcode <> '0000' and"},
        {true, false, true, " and cmsjiche102.sr_flag in ('2', '3', '4') and cmsjiche102.errcode in ('', '0000')  and"},
        {true, false, false, " and cmsjiche102.errcode = '0000' and cmsjiche102.sr_flag = '4' and"},
        {false, true, false, " and cmsjiche102.errcode <> '0000' and cmsjiche102.sr_flag = '4' and"},
        {false, false, true, " and cmsjiche102.sr_flag <> '4' and cmsjiche102.senddate"},
    };
    for (const Case &c : cases) {
        InquiryFilter f{S("JURU1"), true, c.r, c.w, c.e, S("20261201"), S("20261209")};
        Refusal refusal;
        const QString sql = InquiryByFilter(f, &refusal);
        EXPECT_EQ(refusal, Refusal::None);
        EXPECT_TRUE(sql.contains(S(c.fragment))) << c.fragment << "\n" << sql.toStdString();
    }
    InquiryFilter all{S("JURU1"), false};
    all.dateFrom = all.dateTo = S("20261209");
    all.bankCode = S("21");
    all.sendName = S("O'Kim");
    all.seqFrom = 3;
    all.seqTo = 9;
    Refusal refusal;
    const QString sql = InquiryByFilter(all, &refusal);
    EXPECT_TRUE(sql.contains(S("cmsjiche103.ERRCODE) AS ERRCONTENTS from allbank, bank, cmsjiche103 left join error")));
    EXPECT_TRUE(sql.endsWith(S(" and cmsjiche103.senddate >= '20261209' and cmsjiche103.senddate <= '20261209'  and "
                               "cmsjiche103.seqno >= 3 and cmsjiche103.seqno <= 9 and cmsjiche103.bankid = '21' and "
                               "cmsjiche103.userid = 'JURU1' and cmsjiche103.name like '%O''Kim%'  order by "
                               "cmsjiche103.senddate, cmsjiche103.seqno")))
        << sql.toStdString();

    InquiryFilter none{S("JURU1"), true, false, false, false};
    EXPECT_TRUE(InquiryByFilter(none, &refusal).isEmpty());
    EXPECT_EQ(refusal, Refusal::NoStateOption);
    InquiryFilter reversed{S("JURU1")};
    reversed.seqFrom = 5;
    EXPECT_TRUE(InquiryByFilter(reversed, &refusal).isEmpty());
    EXPECT_EQ(refusal, Refusal::SeqRangeReversed);
}

TEST(LiquorResultSql, ViewReadsEveryUserByAccountStateAndResult)
{
    ViewFilter f;
    f.collection = false;
    f.state = ViewFilter::State::NotSent;
    f.right = false;
    f.dateFrom = f.dateTo = S("20261209");
    f.bankCode = S("21");
    f.accountNo = S("1002003004");
    Refusal refusal;
    const QString sql = View(f, &refusal);
    EXPECT_TRUE(sql.contains(S("bank.SENDNAME AS ACTOWNER")));
    EXPECT_FALSE(sql.contains(S("userid =")));
    EXPECT_TRUE(sql.contains(S(" and cmsjiche103.bankid = '21' and cmsjiche103.mobankno = '1002003004'  and "
                               "cmsjiche103.sr_flag > '0' and cmsjiche103.sr_flag < '4' and cmsjiche103.errcode <> "
                               "'0000'  and cmsjiche103.senddate >= '20261209'")))
        << sql.toStdString();
    f.wrong = false;
    EXPECT_TRUE(View(f, &refusal).isEmpty());
    EXPECT_EQ(refusal, Refusal::NoStateOption);
}

// One answered collection and one payment row as the base select names them.
qvx::ResultSet TwoRows()
{
    return qvx::ResultSet(
        {S("senddate"), S("seqno"), S("mobankname"), S("bankid"), S("mainbankno"), S("bankno"), S("gubun"),
         S("sr_flag"), S("errcontents"), S("name"), S("price"), S("remain"), S("sign"), S("transbankname"),
         S("trans_bankid"), S("receivedate"), S("receivetime"), S("fee"), S("residentno"), S("jumoney"),
         S("nonjumoney"), S("common_dummy"), S("errcode"), S("sendid"), S("recvid"), S("firmid"), S("passwd"),
         S("boki"), S("actowner")},
        {{S("20261209"), S("101"), S("농협은행"), S("11"), S("3010001234567"), S("3021112223331"), S("20"), S("4"),
          S("정상처리"), S("가나주류상사"), S("1500000"), S("2500"), S("-"), S("농협은행"), S("11"), S("20261209"),
          S("093015"), S("500"), S("1234567890123"), S("1000000"), S("500000"), S(" 메모 "), S("0000"), S("NETID1"),
          S("RECV01"), S("FIRM0001"), S("PW1"), S("B1"), S("대한주류")},
         {S("20261209"), S("102"), S("농협은행"), S("11"), S("3021112223331"), S("3010001234567"), S("30"), S("1"),
          S(""), S("다라"), S("20"), S("x"), S(""), S("농협은행"), S("11"), S(""), S(""), S(""), S(""), S("0"),
          S("20"), S(""), S(""), S("NETID1"), S("RECV01"), S("FIRM0001"), S("PW1"), S(""), S("대한주류")}});
}

QStringList CellsOf(const ListColumns &cols, const qvx::ResultSet &rs, int row)
{
    QStringList cells;
    for (const ListColumn &c : cols)
        cells << CellText(c, rs, row);
    return cells;
}

TEST(LiquorResultList, CellsTakeTheMotherAccountByEachRowsKind)
{
    const ListColumns cols = LiquorResultColumns(true);
    ASSERT_EQ(cols.size(), LiquorResultColumnCount);
    const qvx::ResultSet rs = TwoRows();
    const QStringList a = CellsOf(cols, rs, 0);
    const QStringList b = CellsOf(cols, rs, 1);
    // The collection's mother account is its BANKNO, the payment's its MAINBANKNO.
    EXPECT_EQ(DelChar(a[lrMoBankNo], u'-'), S("3021112223331"));
    EXPECT_EQ(DelChar(b[lrMoBankNo], u'-'), S("3021112223331"));
    EXPECT_EQ(DelChar(a[lrTransBankNo], u'-'), S("3010001234567"));
    EXPECT_EQ(DelChar(b[lrTransBankNo], u'-'), S("3010001234567"));
    EXPECT_EQ(a[lrSendDate], S("2026-12-09"));
    EXPECT_EQ(a[lrRecvTime], S("09:30:15"));
    EXPECT_EQ(a[lrKind], S("수납"));
    EXPECT_EQ(b[lrKind], S("지급"));
    EXPECT_EQ(a[lrRemain], S("-2,500"));
    EXPECT_EQ(b[lrRemain], S("0"));
    EXPECT_EQ(a[lrPrice], S("1,500,000"));
    EXPECT_EQ(a[lrSendFlag], S("수신"));
    EXPECT_EQ(a[lrDummy], S("메모"));
    EXPECT_EQ(a[lrBoki], S("B1"));
    // The view's owner name replaces column 4 only; the account stays carried.
    const QStringList owner = CellsOf(LiquorResultColumns(false, true), rs, 0);
    EXPECT_EQ(owner[lrMoBankNo], S("대한주류"));
    EXPECT_EQ(owner[lrMoAccount], a[lrMoBankNo]);
}

TEST(LiquorResultList, ExportsOfAListRow)
{
    const qvx::ResultSet rs = TwoRows();
    QStringList cells = CellsOf(LiquorResultColumns(false, true), rs, 0);
    EXPECT_EQ(LiquorSemicolonLine(cells),
              S("20261209;101;농협은행;3021112223331;수납;수신;정상처리;가나주류상사;1500000;-2500;농협은행;"
                "3010001234567;20261209;093015;500;1234567890123;1000000;500000;메모;0000"));
    const LiquorReprocessLine encoded = EncodeLiquorReprocessRecord(cells, S("JURU1"), S("1"));
    ASSERT_TRUE(encoded.ok());
    const QString record = encoded.line;
    const QByteArray bytes = qvx::Cp949::encode(record);
    ASSERT_EQ(bytes.size(), 241);
    auto field = [&bytes](int from, int width) { return qvx::Cp949::decode(bytes.mid(from - 1, width)); };
    EXPECT_EQ(field(1, 4), S("수납"));
    EXPECT_EQ(field(5, 20), S("농협은행            "));
    EXPECT_EQ(field(25, 15), S("3021112223331  "));
    EXPECT_EQ(field(40, 13), S("1000000      "));
    EXPECT_EQ(field(66, 13), S("1500000      "));
    EXPECT_EQ(field(79, 12), S("가나주류상사"));
    EXPECT_EQ(field(126, 6), S("주류  "));
    EXPECT_EQ(field(187, 3), S("DY2"));
    EXPECT_EQ(field(190, 2), S("11"));
    EXPECT_EQ(field(192, 10), S("JURU1     "));
    EXPECT_EQ(field(221, 2), S("20"));
    EXPECT_EQ(field(223, 5), S("1111 "));
    EXPECT_EQ(field(230, 12), S("202612090000"));
}

TEST(LiquorResultList, ReprocessingRecordCutsTheNameAndRefusesOtherValuesThatDoNotFit)
{
    QStringList cells = CellsOf(LiquorResultColumns(false, true), TwoRows(), 0);
    // A longer name is cut to its 12 bytes, never shifting what follows.
    cells[lrName] = S("가나다라마a바사");
    LiquorReprocessLine record = EncodeLiquorReprocessRecord(cells, S("JURU1"), S("1"));
    ASSERT_TRUE(record.ok());
    const QByteArray bytes = qvx::Cp949::encode(record.line);
    ASSERT_EQ(bytes.size(), 241);
    EXPECT_EQ(bytes.mid(78, 12), qvx::Cp949::encode(S("가나다라마a ")));
    EXPECT_EQ(bytes.mid(186, 3), QByteArray("DY2"));

    // A name with a character CP949 lacks is refused by that character, not
    // written with a '?' in its place.
    cells[lrName] = S("😀가나다라마바");
    record = EncodeLiquorReprocessRecord(cells, S("JURU1"), S("1"));
    EXPECT_FALSE(record.ok());
    EXPECT_EQ(LiquorReprocessRefusalMessage(2, record),
              S("2번째 자료의 '도매상명' 값의 문자 \"😀\"(U+1F600)는 CP949로 저장할 수 없습니다.\r\n"
                "값을 수정한 후 다시 저장하시기 바랍니다."));

    // Any other value too long for its field refuses the record.
    cells[lrName] = S("가나주류상사");
    cells[lrDummy] = S("열네바이트넘는기타정보");
    record = EncodeLiquorReprocessRecord(cells, S("JURU1"), S("1"));
    EXPECT_FALSE(record.ok());
    EXPECT_EQ(LiquorReprocessRefusalMessage(1, record),
              S("1번째 자료의 '기타' 값이 저장 길이(14바이트)를 초과합니다.\r\n값을 수정한 후 다시 저장하시기 바랍니다."));
}

TEST(LiquorResultRequest, WholeInquirySplitsByEachTransfersKind)
{
    Session session;
    session.LoginUserId = S("JURU1");
    session.ServiceDiv = S("S1");
    const qvx::ResultSet rs = TwoRows();
    const ListColumns cols = LiquorResultColumns(true);
    const LiquorInquiryRows rows =
        LiquorWholeInquiry({CellsOf(cols, rs, 0), CellsOf(cols, rs, 1)}, session, S("20261209"), S("101500"));
    ASSERT_EQ(rows.collections.size(), 1);
    ASSERT_EQ(rows.payments.size(), 1);
    const IcheResult102Row &c = rows.collections[0];
    EXPECT_EQ(c.ORG_SEQNO, S("101"));
    EXPECT_EQ(c.ICHE_SendDate, S("20261209"));
    EXPECT_EQ(c.SendID + c.RecvID + c.FirmID + c.BankID, S("NETID1RECV01FIRM000111"));
    EXPECT_EQ(c.up_gubuncode, S("0601100"));
    EXPECT_EQ(rows.payments[0].ORG_SEQNO, S("102"));
    EXPECT_EQ(rows.payments[0].up_gubuncode, S("0602100"));
    EXPECT_EQ(rows.payments[0].Service, S("S1"));
    EXPECT_EQ(rows.payments[0].USERID, S("JURU1"));
}

} // namespace
