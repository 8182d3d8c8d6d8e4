#pragma once
// The totals of the transfer result lists (the result inquiry, the status
// view and their liquor twins): counts and amounts under 전 체, 정상이체 and
// 비정상처리, each split into 수 납, 지 급 and 합 계 (columns 1 to 9 of the
// totals grid). A row is normal when its send state is "4" (received) and
// the bank answered "0000"; every other row counts as 비정상처리.

#include "core/TextUtils.h"
#include "core/TotalsTable.h"

#include <QSet>
#include <QString>

class ResultTotals
{
public:
    ResultTotals();

    void clear() { m_table.clear(); }
    // One list row: its kind ("20" collection, else payment), send state and answer code.
    void add(const QString &gubun, const QString &srFlag, const QString &errCode, Currency price);
    const TotalsTable &table() const { return m_table; }

    // The codes a row carries (the table's cells it counts in).
    static QSet<QString> codes(const QString &gubun, const QString &srFlag, const QString &errCode);
    static TotalsTable emptyTable();

private:
    TotalsTable m_table;
    TotalsTable::Hits m_hits[2][2]; // [collection][normal], found once
};
