#pragma once
// The amounts of a listed result summed by kind: a long list holds a few
// kinds, so its totals are added kind by kind instead of row by row. Each
// kind is handed over in the order of its last row, so whatever a screen
// keeps of the last row of a kind comes out as adding row by row leaves it.

#include "platform/ResultSet.h"

#include <functional>
#include <optional>
#include <vector>

class KindSums
{
public:
    // The kind in column `kindColumn`, the amount in `amountColumn` (read
    // exactly; blanks around ignored, no amount 0). A column of -1 holds no text.
    KindSums(const qvx::ResultSet &rs, int kindColumn, int amountColumn);

    void add(int row);
    // Each kind's text and sum, in the order of each kind's last added row.
    void forEach(const std::function<void(const QString &kind, qint64 sum)> &take) const;

private:
    struct Kind
    {
        qint64 sum = 0;
        int lastRow = -1;
    };
    const qvx::ResultSet &m_rs;
    int m_kindColumn;
    int m_amountColumn;
    std::vector<Kind> m_kinds;                   // by the kind's text number
    std::vector<std::optional<qint64>> m_amounts; // by the amount's text number
};
