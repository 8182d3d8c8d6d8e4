#include "liquor/LiquorLayouts.h"

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
    static const LayoutTable t = make(
        "ConvertJ", {cvBankId, cvBankNo, cvJuMoney, cvBJuMoney, cvMoney, cvCInfo, cvSName, cvGubun, cvJumin}, true);
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
