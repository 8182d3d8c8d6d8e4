#include "platform/ResultSet.h"

#include <limits>

namespace qvx {

ResultSetError::ResultSetError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

ResultSet::ResultSet(QStringList columnNames, QList<QStringList> rows)
    : m_columns(std::move(columnNames))
{
    m_rows.reserve(rows.size());
    for (QStringList &r : rows) {
        if (r.size() != m_columns.size())
            r.resize(m_columns.size());
        m_rows.append(std::move(r));
    }
}

int ResultSet::columnIndex(const QString &name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int ResultSet::requireColumn(const QString &name) const
{
    const int i = columnIndex(name);
    if (i < 0)
        throw ResultSetError(QStringLiteral("Field '%1' not found").arg(name));
    return i;
}

QString ResultSet::value(int row, const QString &name) const
{
    const int c = requireColumn(name);
    return value(row, c);
}

QString ResultSet::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns.size())
        return QString();
    return m_rows.at(row).at(column);
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
        throw ResultSetError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

int ResultSet::valueInt(int row, const QString &name) const
{
    const qint64 v = valueInt64(row, name);
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        throw ResultSetError(QStringLiteral("'%1' is not a valid integer value").arg(v));
    return int(v);
}

const QStringList &ResultSet::row(int row) const
{
    static const QStringList empty;
    if (row < 0 || row >= m_rows.size())
        return empty;
    return m_rows.at(row);
}

void ResultSet::appendRow(const QStringList &values)
{
    QStringList r = values;
    r.resize(m_columns.size());
    m_rows.append(r);
}

} // namespace qvx
