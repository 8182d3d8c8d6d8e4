// The liquor conversion layouts without screens: the grid rows of both
// tables and the statements that store a layout.
#include "liquor/LiquorLayouts.h"

#include <gtest/gtest.h>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

QStringList Captions(const LayoutTable &t)
{
    QStringList out;
    for (const LayoutField &f : t.fields)
        out << f.caption;
    return out;
}

} // namespace

TEST(LiquorLayouts, NamedLayoutsStoreNineFieldsInGridOrder)
{
    const LayoutTable &t = LiquorLayoutTable();
    EXPECT_TRUE(t.delimitedForms);
    EXPECT_EQ(Captions(t), QStringList({S("은행코드"), S("계좌번호"), S("주류금액"), S("비주류금액"), S("이체금액"),
                                        S("기타"), S("거래처"), S("거래구분"), S("실명번호")}));
    EXPECT_EQ(t.fields[t.indexOf(cvJumin)].lengthColumn, S("JuminN"));
    LayoutValues v;
    for (int i = 0; i < 9; ++i)
        v.append(ConvField{i + 1, 10 + i});
    EXPECT_EQ(LiquorLayoutSql::insert(S(" 주류 "), v),
              S("INSERT INTO ConVertJ ( Title     ,BankIdS   ,BankIdN   ,BankNoS   ,BankNoN   ,JuMoneyS  ,JuMoneyN  ,"
                "BJuMoneyS ,BJuMoneyN ,MoneyS    ,MoneyN    ,CInfoS    ,CInfoN    ,SNameS    ,SNameN    ,GubunS    ,"
                "GubunN    ,JuminS    ,JuminN)   Values(    '주류',1,10,2,11,3,12,4,13,5,14,6,15,7,16,8,17,9,18)"));
    EXPECT_EQ(LiquorLayoutSql::insertDelimited(S("2-abc")),
              S("INSERT INTO ConVertJ ( Title     ,BankIdS   ,BankIdN   ,BankNoS   ,BankNoN   ,JuMoneyS  ,JuMoneyN  ,"
                "BJuMoneyS ,BJuMoneyN ,MoneyS    ,MoneyN    ,SNameS    ,SNameN    ,GubunS    ,GubunN    ,JuminS    ,"
                "JuminN    ,CInfoS    ,CInfoN)   Values(    '2-abc',0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0)"));
    EXPECT_EQ(t.selectAll(), S("Select * from convertJ"));
    EXPECT_EQ(t.selectOne(S("abc")), S("select * from convertj where Title = 'abc'"));
    EXPECT_EQ(t.remove(S("abc")), S("DELETE from convertj WHERE title = 'abc'"));
}

TEST(LiquorLayouts, DropFileLayoutLeadsWithTheMotherAccount)
{
    const LayoutTable &t = LiquorAutoLayoutTable();
    EXPECT_FALSE(t.delimitedForms);
    EXPECT_EQ(Captions(t), QStringList({S("모은행코드"), S("모계좌번호"), S("거래구분"), S("은행코드"), S("계좌번호"),
                                        S("주류금액"), S("비주류금액"), S("이체금액"), S("거래처"), S("실명번호"),
                                        S("기타")}));
    EXPECT_EQ(t.insertDelimited(S("자동")),
              S("INSERT INTO ConvertJ_s ( Title     ,moBankIdS ,moBankIdN ,moBankNoS ,moBankNoN ,GubunS    ,GubunN    ,"
                "BankIdS   ,BankIdN   ,BankNoS   ,BankNoN   ,JuMoneyS  ,JuMoneyN  ,BJuMoneyS ,BJuMoneyN ,MoneyS    ,"
                "MoneyN    ,SNameS    ,SNameN    ,JuminS    ,JuminN    ,CInfoS    ,CInfoN    )   Values(    "
                "'자동',0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0)"));
}
