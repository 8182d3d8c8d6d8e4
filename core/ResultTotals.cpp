#include "core/ResultTotals.h"


namespace {

bool IsCollection(const QString &gubun) { return gubun.trimmed() == QLatin1String("20"); }
bool IsNormal(const QString &srFlag, const QString &errCode)
{
    return srFlag.trimmed() == QLatin1String("4") && errCode.trimmed() == QLatin1String("0000");
}

} // namespace

ResultTotals::ResultTotals() : m_table(emptyTable()) {}

TotalsTable ResultTotals::emptyTable()
{
    return TotalsTable::inColumns({QStringLiteral("all.sunab"), QStringLiteral("all.jigub"), QStringLiteral("all"),
                            QStringLiteral("ok.sunab"), QStringLiteral("ok.jigub"), QStringLiteral("ok"),
                            QStringLiteral("err.sunab"), QStringLiteral("err.jigub"), QStringLiteral("err")});
}

QSet<QString> ResultTotals::codes(const QString &gubun, const QString &srFlag, const QString &errCode)
{
    const QString kind = IsCollection(gubun) ? QStringLiteral("sunab") : QStringLiteral("jigub");
    const QString outcome = IsNormal(srFlag, errCode) ? QStringLiteral("ok") : QStringLiteral("err");
    return {QStringLiteral("all"), QStringLiteral("all.") + kind, outcome, outcome + QStringLiteral(".") + kind};
}

void ResultTotals::add(const QString &gubun, const QString &srFlag, const QString &errCode, Currency price)
{
    TotalsTable::Hits &hits = m_hits[IsCollection(gubun)][IsNormal(srFlag, errCode)];
    if (hits.isEmpty())
        hits = m_table.hitsOf(codes(gubun, srFlag, errCode));
    m_table.add(hits, price);
}
