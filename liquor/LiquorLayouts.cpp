#include "liquor/LiquorLayouts.h"

#include "platform/SqlText.h"

namespace {

// The liquor layouts' captions.
const PairCaptions Captions = {"모은행코드", "모계좌번호", "은행코드", "계좌번호", "이체금액",  "기타",
                               nullptr,      "거래처",     "거래구분", "주류금액", "비주류금액", "실명번호"};

// The insert's column list, aligned as the statements have always been sent.
QString insertHead(const LayoutTable &t)
{
    QStringList names{QStringLiteral("Title")};
    for (const auto &column : t.columns)
        names << column.first;
    for (QString &n : names)
        n = n.leftJustified(10);
    return QStringLiteral("INSERT INTO ") + t.name + QStringLiteral(" ( ") + names.join(QLatin1Char(','))
           + QStringLiteral(")   Values(    ");
}

LayoutTable make(const char *name, std::initializer_list<ConvPair> pairs, bool delimited)
{
    LayoutTable t;
    t.name = QString::fromLatin1(name);
    t.delimitedForms = delimited;
    t.fields = PairFields(Captions, pairs);
    t.columns = ColumnsInFieldOrder(t.fields);
    t.insertHead = insertHead(t);
    return t;
}

} // namespace

const LayoutTable &LiquorLayoutTable()
{
    static const LayoutTable t = [] {
        LayoutTable named = make("ConvertJ", {cvBankId, cvBankNo, cvJuMoney, cvBJuMoney, cvMoney, cvCInfo, cvSName,
                                              cvGubun, cvJumin},
                                 true);
        named.insertHead = QStringLiteral(
            "INSERT INTO ConVertJ ( Title     ,BankIdS   ,BankIdN   ,BankNoS   ,BankNoN   ,JuMoneyS  ,JuMoneyN  ,"
            "BJuMoneyS ,BJuMoneyN ,MoneyS    ,MoneyN    ,CInfoS    ,CInfoN    ,SNameS    ,SNameN    ,GubunS    ,"
            "GubunN    ,JuminS    ,JuminN)   Values(    ");
        named.nameInSelectAll = QStringLiteral("convertJ");
        named.nameInSelectOne = QStringLiteral("convertj");
        named.nameInRemove = QStringLiteral("convertj");
        return named;
    }();
    return t;
}

const LayoutTable &LiquorAutoLayoutTable()
{
    static const LayoutTable t = make("ConvertJ_s",
                                      {cvMoBankId, cvMoBankNo, cvGubun, cvBankId, cvBankNo, cvJuMoney, cvBJuMoney,
                                       cvMoney, cvSName, cvJumin, cvCInfo},
                                      false);
    return t;
}

LiquorLayout LiquorLayoutOf(const LayoutValues &values)
{
    LiquorLayout out{};
    for (int f = 0; f < LiquorFieldCount && f < values.size(); ++f)
        out[f] = values[f];
    return out;
}

namespace LiquorLayoutSql {

namespace {

// The columns in the table's field order, start then size of each.
const char *const FixedColumns[18] = {"BankIdS",   "BankIdN",   "BankNoS",  "BankNoN", "JuMoneyS", "JuMoneyN",
                                      "BJuMoneyS", "BJuMoneyN", "MoneyS",   "MoneyN",  "CInfoS",   "CInfoN",
                                      "SNameS",    "SNameN",    "GubunS",   "GubunN",  "JuminS",   "JuminN"};
// A delimited layout names them with the other information last.
const char *const DelimitedColumns[18] = {"BankIdS", "BankIdN", "BankNoS", "BankNoN", "JuMoneyS", "JuMoneyN",
                                          "BJuMoneyS", "BJuMoneyN", "MoneyS", "MoneyN", "SNameS", "SNameN",
                                          "GubunS", "GubunN", "JuminS", "JuminN", "CInfoS", "CInfoN"};

QString value(const LayoutValues &values, int column)
{
    const int field = column / 2;
    if (field >= values.size())
        return QStringLiteral("0");
    return QString::number(column % 2 == 0 ? values[field].start : values[field].length);
}

// "INSERT INTO ConVertJ ( Title     ,BankIdS   ,...,CInfoN)   Values(    "
QString delimitedInsertHead()
{
    QStringList names{QStringLiteral("Title")};
    for (const char *c : DelimitedColumns)
        names << QString::fromLatin1(c);
    for (int i = 0; i + 1 < names.size(); ++i)
        names[i] = names[i].leftJustified(10);
    return QStringLiteral("INSERT INTO ConVertJ ( ") + names.join(QLatin1Char(','))
           + QStringLiteral(")   Values(    ");
}

QString updateHead(const QString &title)
{
    return QStringLiteral("Update ConvertJ Set Title = ") + qvx::sqlQuote(title) + QLatin1Char(',');
}

QString updateTail(const QString &oldTitle)
{
    return QStringLiteral(" WHERE Title = ") + qvx::sqlQuote(oldTitle);
}

} // namespace

QString insert(const QString &title, const LayoutValues &values)
{
    return LiquorLayoutTable().insert(title.trimmed(), values);
}

QString insertDelimited(const QString &title)
{
    return delimitedInsertHead() + qvx::sqlQuote(title.trimmed()) + QLatin1Char(',')
           + QStringLiteral("0,").repeated(17) + QStringLiteral("0)");
}

QString update(const QString &title, const LayoutValues &values, const QString &oldTitle)
{
    QStringList sets;
    for (int c = 0; c < 18; ++c)
        sets << QString::fromLatin1(FixedColumns[c]).leftJustified(10) + QStringLiteral("=  ") + value(values, c);
    return updateHead(title) + sets.join(QStringLiteral(", ")) + updateTail(oldTitle);
}

QString updateDelimited(const QString &title, const QString &oldTitle)
{
    QString sets;
    for (int c = 0; c < 18; ++c)
        sets += QString::fromLatin1(DelimitedColumns[c]).leftJustified(10)
                + (c < 17 ? QStringLiteral("= 0, ") : QStringLiteral("= 0  "));
    return updateHead(title) + sets + updateTail(oldTitle);
}

} // namespace LiquorLayoutSql
