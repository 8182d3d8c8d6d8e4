#include "platform/ResultSet.h"

#include <limits>

namespace qvx {

namespace {
const QString NoText;
}

ResultSet::ResultSet(QStringList columnNames)
    : m_columns(std::move(columnNames)), m_texts(m_columns.size(), QStringList{QString()})
{
}

ResultSet::ResultSet(QStringList columnNames, const QList<QStringList> &rows)
    : ResultSet(std::move(columnNames))
{
    m_cells.reserve(rows.size() * m_columns.size());
    for (const QStringList &r : rows)
        appendRow(r);
}

int ResultSet::columnIndex(const QString &name) const
{
    // Names are folded character by character: names of different lengths
    // never match, and most are told apart by their length alone.
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).size() == name.size() && m_columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int ResultSet::requireColumn(const QString &name) const
{
    const int i = columnIndex(name);
    if (i < 0)
        throw ResultSetError(QStringLiteral("'%1' 항목을 찾을 수 없습니다.").arg(name));
    return i;
}

QString ResultSet::value(int row, const QString &name) const
{
    const int c = requireColumn(name);
    return value(row, c);
}

const QString &ResultSet::value(int row, int column) const
{
    if (row < 0 || row >= m_rowCount || column < 0 || column >= m_columns.size())
        return NoText;
    return m_texts[column][m_cells[qsizetype(row) * m_columns.size() + column]];
}

ResultSet::TextId ResultSet::textId(int row, int column) const
{
    if (row < 0 || row >= m_rowCount || column < 0 || column >= m_columns.size())
        return 0;
    return m_cells[qsizetype(row) * m_columns.size() + column];
}

bool ResultSet::isNull(int row, const QString &name) const
{
    return value(row, name).isNull();
}

qint64 ResultSet::valueInt64(int row, const QString &name) const
{
    const QString text = value(row, name).trimmed();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    if (!ok)
        throw ResultSetError(QStringLiteral("'%1'은(는) 올바른 정수가 아닙니다.").arg(text));
    return v;
}

int ResultSet::valueInt(int row, const QString &name) const
{
    const qint64 v = valueInt64(row, name);
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        throw ResultSetError(QStringLiteral("'%1'은(는) 올바른 정수가 아닙니다.").arg(v));
    return int(v);
}

QStringList ResultSet::row(int row) const
{
    if (row < 0 || row >= m_rowCount)
        return {};
    QStringList values;
    values.reserve(m_columns.size());
    for (int c = 0; c < m_columns.size(); ++c)
        values.append(value(row, c));
    return values;
}

QList<QStringList> ResultSet::rows() const
{
    QList<QStringList> all;
    all.reserve(m_rowCount);
    for (int r = 0; r < m_rowCount; ++r)
        all.append(row(r));
    return all;
}

QStringList ResultSet::columnValues(const QString &name) const
{
    if (m_rowCount == 0)
        return {};
    const int column = requireColumn(name);
    QStringList values;
    values.reserve(m_rowCount);
    for (int r = 0; r < m_rowCount; ++r)
        values.append(value(r, column));
    return values;
}

void ResultSet::appendRow(const QStringList &values)
{
    const int columns = columnCount();
    if (columns == 0) {
        ++m_rowCount;
        return;
    }
    const qsizetype above = qsizetype(m_rowCount - 1) * columns;
    for (int c = 0; c < columns; ++c) {
        const QString &text = c < values.size() ? values[c] : NoText;
        TextId id = 0;
        if (!text.isNull()) {
            // A text equal to the one above it takes that one's number.
            const TextId up = m_rowCount > 0 ? m_cells[above + c] : 0;
            id = up != 0 && m_texts[c][up] == text ? up : addText(c, text);
        }
        appendCell(id);
    }
}

ResultSet::TextId ResultSet::addText(int column, const QString &text)
{
    if (text.isNull())
        return 0;
    QStringList &texts = m_texts[column];
    if (texts.size() >= qsizetype(std::numeric_limits<TextId>::max()))
        throw ResultSetError(QStringLiteral("한 열의 값이 너무 많습니다."));
    texts.append(text);
    return TextId(texts.size() - 1);
}

void ResultSet::appendCell(TextId id)
{
    if (m_columns.isEmpty())
        return;
    if (id >= TextId(m_texts[m_nextColumn].size()))
        throw ResultSetError(QStringLiteral("%2번째 열에 %1번 값이 없습니다.").arg(id).arg(m_nextColumn));
    m_cells.append(id);
    if (++m_nextColumn == m_columns.size()) {
        m_nextColumn = 0;
        ++m_rowCount;
    }
}

} // namespace qvx
