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
    // Columns 1 to 9: all, normal and failed rows, each as collections,
    // payments and both ("all.sunab", "all.jigub", "all", "ok.sunab", ...).
    QList<TotalsTable::Cell> cells;
    for (const char *outcome : {"all", "ok", "err"})
        for (const char *kind : {".sunab", ".jigub", ""})
            cells.append({int(cells.size()) + 1, QLatin1String(outcome) + QLatin1String(kind)});
    return TotalsTable(cells);
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
