#include "liquor/LiquorLayouts.h"

namespace {

LayoutField field(const char *caption, ConvPair pair, const char *column)
{
    const QString c = QString::fromLatin1(column);
    return {QString::fromUtf8(caption), pair, c + QLatin1Char('S'), c + QLatin1Char('N')};
}

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

LayoutTable make(const char *name, QList<LayoutField> fields, bool delimited)
{
    LayoutTable t;
    t.name = QString::fromLatin1(name);
    t.delimitedForms = delimited;
    t.fields = std::move(fields);
    for (int i = 0; i < t.fields.size(); ++i) {
        t.columns.append({t.fields[i].startColumn, i});
        t.columns.append({t.fields[i].lengthColumn, i});
    }
    t.insertHead = insertHead(t);
    return t;
}

} // namespace

const LayoutTable &LiquorLayoutTable()
{
    static const LayoutTable t = make("ConvertJ",
                                      {field("은행코드", cvBankId, "BankId"), field("계좌번호", cvBankNo, "BankNo"),
                                       field("주류금액", cvJuMoney, "JuMoney"), field("비주류금액", cvBJuMoney, "BJuMoney"),
                                       field("이체금액", cvMoney, "Money"), field("기타", cvCInfo, "CInfo"),
                                       field("거래처", cvSName, "SName"), field("거래구분", cvGubun, "Gubun"),
                                       field("실명번호", cvJumin, "Jumin")},
                                      true);
    return t;
}

const LayoutTable &LiquorAutoLayoutTable()
{
    static const LayoutTable t = make("ConvertJ_s",
                                      {field("모은행코드", cvMoBankId, "moBankId"), field("모계좌번호", cvMoBankNo, "moBankNo"),
                                       field("거래구분", cvGubun, "Gubun"), field("은행코드", cvBankId, "BankId"),
                                       field("계좌번호", cvBankNo, "BankNo"), field("주류금액", cvJuMoney, "JuMoney"),
                                       field("비주류금액", cvBJuMoney, "BJuMoney"), field("이체금액", cvMoney, "Money"),
                                       field("거래처", cvSName, "SName"), field("실명번호", cvJumin, "Jumin"),
                                       field("기타", cvCInfo, "CInfo")},
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
