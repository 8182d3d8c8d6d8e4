#include "core/ListColumns.h"

#include "core/CellText.h"
#include "core/TextUtils.h"

ListColumn ListColumn::data(const char *field, CellFormat format)
{
    ListColumn c;
    c.field = field;
    c.format = format;
    c.width = 0;
    c.hidden = true;
    return c;
}

namespace {

QString Convert(const ListColumn &c, const QString &a, const QString &b, const QString &number)
{
    switch (c.format) {
    case CellFormat::Text:
        return a;
    case CellFormat::Trimmed:
        return a.trimmed();
    case CellFormat::Money:
        return MoneyCellText(a);
    case CellFormat::Date:
        return DashedDate(a);
    case CellFormat::Time:
        return ColonTime(a);
    case CellFormat::Account:
        return FormatAcctNo(b, a);
    case CellFormat::NameAccount:
        return a + u'[' + FormatAcctNo(b, number) + u']';
    case CellFormat::SendFlag:
        return a.isEmpty() ? QString() : GetSendFlagName(a.trimmed().toInt());
    case CellFormat::RowNo:
    case CellFormat::Computed:
        break;
    }
    return QString();
}

QString Field(const qvx::ResultSet &rs, int row, const char *name)
{
    const int col = name && *name ? rs.columnIndex(QString::fromLatin1(name)) : -1;
    return col >= 0 ? rs.value(row, col) : QString();
}

} // namespace

QString CellText(const ListColumn &c, const qvx::ResultSet &rs, int row)
{
    if (c.format == CellFormat::RowNo)
        return QString::number(row + 1);
    if (c.format == CellFormat::Computed)
        return c.compute ? c.compute(rs, row) : QString();
    return Convert(c, Field(rs, row, c.field), Field(rs, row, c.bankField), Field(rs, row, c.numberField));
}

ListCellTexts::ListCellTexts(const ListColumns &columns, const qvx::ResultSet &rs)
    : m_columns(columns), m_rs(rs), m_slots(columns.size())
{
    auto index = [&rs](const char *name) { return name && *name ? rs.columnIndex(QString::fromLatin1(name)) : -1; };
    for (int c = 0; c < columns.size(); ++c) {
        m_slots[c].field = index(columns[c].field);
        m_slots[c].bank = index(columns[c].bankField);
        m_slots[c].number = index(columns[c].numberField);
    }
}

QString ListCellTexts::text(int col, int row)
{
    const ListColumn &c = m_columns[col];
    Slot &s = m_slots[col];
    const QStringList &values = m_rs.row(row);
    auto value = [&values](int i) { return i >= 0 && i < values.size() ? values[i] : QString(); };
    switch (c.format) {
    case CellFormat::RowNo:
        return QString::number(row + 1);
    case CellFormat::Computed:
        if (!c.compute)
            return QString();
        if (s.field < 0)
            return c.compute(m_rs, row);
        if (!s.has || value(s.field) != s.keyA) {
            s.keyA = value(s.field);
            s.out = c.compute(m_rs, row);
            s.has = true;
        }
        return s.out;
    case CellFormat::Text:
        return value(s.field);
    default:
        break;
    }
    const QString a = value(s.field);
    const QString b = value(s.bank);
    const QString n = value(s.number);
    if (!s.has || a != s.keyA || b != s.keyB || n != s.keyC) {
        s.keyA = a;
        s.keyB = b;
        s.keyC = n;
        s.out = Convert(c, a, b, n);
        s.has = true;
    }
    return s.out;
}
