#pragma once
// The rows of the last answer the tool received, for its grid: one column per
// result column titled with its name, one row per result row. Read-only: the
// grid only shows what the server answered; changes go through the memo.

#include "platform/ResultSet.h"

#include <QAbstractTableModel>

namespace tool {

class ResultGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ResultGridModel(QObject *parent = nullptr);

    // Shows another answer in place of the current one.
    void setResult(const qvx::ResultSet &result);
    const qvx::ResultSet &result() const { return m_result; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    qvx::ResultSet m_result;
};

} // namespace tool
