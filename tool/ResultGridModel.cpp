#include "tool/ResultGridModel.h"

namespace tool {

ResultGridModel::ResultGridModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ResultGridModel::setResult(const qvx::ResultSet &result)
{
    beginResetModel();
    m_result = result;
    endResetModel();
}

int ResultGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_result.recordCount();
}

int ResultGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_result.columnCount();
}

QVariant ResultGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return m_result.value(index.row(), index.column());
}

QVariant ResultGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_result.columnCount() ? QVariant(m_result.columnNames().at(section))
                                                                : QVariant();
    return QString(); // the indicator column
}

Qt::ItemFlags ResultGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

} // namespace tool
