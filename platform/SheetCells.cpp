#include "platform/SheetCells.h"

#include <QLocale>

namespace qvx {

QString SheetCells::tooManyCellsMessage()
{
    return QStringLiteral("시트의 셀이 너무 많아 읽을 수 없습니다 (최대 %1개).")
        .arg(QLocale(QLocale::Korean, QLocale::SouthKorea).toString(qlonglong(MaxCells)));
}

void SheetCells::set(int row, int column, const QString &text)
{
    if (text.isEmpty()) {
        auto r = m_rows.find(row);
        if (r != m_rows.end() && r->second.erase(column)) {
            --m_count;
            if (r->second.empty())
                m_rows.erase(r);
        }
        return;
    }
    auto &cells = m_rows[row];
    auto [it, added] = cells.insert_or_assign(column, text);
    if (added)
        ++m_count;
}

QString SheetCells::cell(int row, int column) const
{
    const auto r = m_rows.find(row);
    if (r == m_rows.end())
        return QString();
    const auto c = r->second.find(column);
    return c == r->second.end() ? QString() : c->second;
}

int SheetCells::columnCount(int row) const
{
    const auto r = m_rows.find(row);
    return r == m_rows.end() || r->second.empty() ? 0 : r->second.rbegin()->first + 1;
}

qsizetype SheetCells::paddedCellCount() const
{
    qsizetype total = 0;
    for (const auto &entry : m_rows)
        total += entry.second.empty() ? 0 : entry.second.rbegin()->first + 1;
    return total;
}

QStringList SheetCells::row(int row, int columns) const
{
    QStringList out;
    const auto r = m_rows.find(row);
    if (r == m_rows.end())
        return out;
    for (const auto &[column, text] : r->second) {
        if (column >= columns)
            break;
        while (out.size() < column)
            out << QString();
        out << text;
    }
    return out;
}

QVector<QStringList> SheetCells::rows(int columns) const
{
    QVector<QStringList> out(rowCount());
    for (const auto &entry : m_rows)
        out[entry.first] = row(entry.first, columns);
    return out;
}

} // namespace qvx
