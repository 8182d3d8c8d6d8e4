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

ListColumn TransferKindColumn(const QString &title, int width, const char *field)
{
    ListColumn c{title, width, AlignCenter, field, CellFormat::Computed};
    const QString name = QString::fromLatin1(field);
    c.compute = [name](const qvx::ResultSet &rs, int row) {
        return rs.value(row, name) == QLatin1String("20") ? QStringLiteral("수납") : QStringLiteral("지급");
    };
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
        return GetSendFlagName(a.trimmed().toInt()); // no flag yet: 0, "작성"
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
    : m_columns(columns), m_rs(rs), m_slots(size_t(columns.size()))
{
    auto index = [&rs](const char *name) { return name && *name ? rs.columnIndex(QString::fromLatin1(name)) : -1; };
    for (int c = 0; c < columns.size(); ++c) {
        m_slots[c].field = index(columns[c].field);
        m_slots[c].bank = index(columns[c].bankField);
        m_slots[c].number = index(columns[c].numberField);
    }
}

const QString &ListCellTexts::text(int col, int row)
{
    const ListColumn &c = m_columns[col];
    Slot &s = m_slots[col];
    switch (c.format) {
    case CellFormat::RowNo:
        s.out = QString::number(row + 1);
        return s.out;
    case CellFormat::Computed:
        if (!c.compute)
            return m_none;
        if (s.field < 0) {
            s.out = c.compute(m_rs, row);
            return s.out;
        }
        // The key is taken on every row, the first included.
        if (const bool same = s.a.same(m_rs, row, s.field); !s.has || !same) {
            s.out = c.compute(m_rs, row);
            s.has = true;
        }
        return s.out;
    case CellFormat::Text:
        return m_rs.value(row, s.field);
    default:
        break;
    }
    // Each of the three inputs is compared, none skipped: a stale key would
    // make a later row look equal to an older one.
    const bool sameA = s.a.same(m_rs, row, s.field);
    const bool sameB = s.b.same(m_rs, row, s.bank);
    const bool sameC = s.c.same(m_rs, row, s.number);
    if (!s.has || !sameA || !sameB || !sameC) {
        s.out = Convert(c, m_rs.value(row, s.field), m_rs.value(row, s.bank), m_rs.value(row, s.number));
        s.has = true;
    }
    return s.out;
}

bool ListCellTexts::Key::same(const qvx::ResultSet &rs, int row, int column)
{
    // Equal numbers are equal texts; different numbers may still be equal texts.
    const qvx::ResultSet::TextId now = rs.textId(row, column);
    if (known && now == id)
        return true;
    const QString &value = rs.value(row, column);
    const bool equal = known && value == text && value.isNull() == text.isNull();
    known = true;
    id = now;
    text = value;
    return equal;
}
