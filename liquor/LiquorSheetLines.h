#pragma once
// The rows of a liquor transfer sheet as a run's lines, with what they would
// cost in memory measured before any is made.

#include "liquor/LiquorTextLines.h"
#include "platform/SheetCells.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The data rows of a sheet: after the row whose first cell reads "NO"
// (blanks and case ignored; none: from the sheet's first row), every row
// whose first cell holds a text, one after the other. Columns: NO, 은행코드,
// 은행명, 거래계좌, 주류금액, 비주류금액, 이체금액, 기타, 거래처명, 거래구분,
// 실명번호. A sheet whose rows would hold more than LiquorSheetMaxBytes is
// refused: no rows, and the reason in Korean in *refusal.
constexpr qint64 LiquorSheetMaxBytes = 128LL * 1024 * 1024;
QVector<QStringList> LiquorSheetRows(const qvx::SheetCells &cells, QString *refusal = nullptr);
// The fields of one sheet row: trimmed, a one-digit bank code padded to two
// digits, the account without '-', the amounts without ','. The fields view
// the row's texts.
LiquorLine LiquorSheetLine(const QStringList &row);
void LiquorSheetLine(const QStringList &row, LiquorLine *out);

// The data rows of a sheet as a run's lines.
class LiquorSheetLines : public LiquorLineSource
{
public:
    explicit LiquorSheetLines(QVector<QStringList> rows) : m_rows(std::move(rows)) {}
    int count() const override { return int(m_rows.size()); }
    void read(int i, LiquorLine *line) const override { LiquorSheetLine(m_rows[i], line); }

private:
    QVector<QStringList> m_rows;
};

// The headers of the sheet grid.
QStringList LiquorSheetHeaders();
