#pragma once
// The declared column table of a list screen: what each grid column is
// titled, how wide and how aligned it is, which field of the result set it
// shows and in which form. The grid, its alignment, the hidden columns, the
// fill from a result set and the report all read this one table.
//
//   const ListColumns columns = {
//       ListColumn{"순번", 40, AlignLeft, "", CellFormat::RowNo}.withCheckBox(),
//       {"전송일자", 80, AlignCenter, "senddate", CellFormat::Date},
//       {"이체금액", 90, AlignRight, "price", CellFormat::Money},
//       {"모계좌번호", 120, AlignCenter, "mobankno", CellFormat::Account, "bankid"},
//       ListColumn::data("errcode"),   // hidden: holds the value, not shown
//   };
//
// Cell texts are made by CellText(); ListCellTexts keeps each column's last
// conversion while its input repeats row after row (a long list repeats its
// accounts, dates and fees), which is what makes a 100,000-row fill fast.

#include "platform/ResultSet.h"

#include <QList>
#include <QString>
#include <QVector>

#include <functional>
#include <vector>

enum class CellFormat {
    RowNo,       // the list row number (1, 2, ...)
    Text,        // the field as it stands
    Trimmed,     // the field without blanks around it
    Money,       // ',' groups, read exactly; no amount: "0"
    Date,        // "yyyy-mm-dd" from "yyyymmdd"
    Time,        // "hh:mm:ss" from "hhmmss"
    Account,     // the account in `field` hyphenated for the bank in `bankField`
    NameAccount, // `field` + "[" + account `numberField` of bank `bankField` + "]"
    SendFlag,    // "작성", "송신대기", ... from the send flag number
    Computed     // made by the column's compute function (or left to the row hook); with a
                 // field, the function depends on that field only and runs once per run of equal values
};

inline constexpr Qt::Alignment AlignLeft = Qt::AlignLeft | Qt::AlignVCenter;
inline constexpr Qt::Alignment AlignRight = Qt::AlignRight | Qt::AlignVCenter;
inline constexpr Qt::Alignment AlignCenter = Qt::AlignCenter;

struct ListColumn
{
    QString title;
    int width = 80;                     // design width in pixels
    Qt::Alignment align = AlignCenter;  // of the data rows (titles are centred)
    const char *field = "";             // result-set field (names without regard to case)
    CellFormat format = CellFormat::Text;
    const char *bankField = nullptr;    // Account, NameAccount: the bank code's field
    const char *numberField = nullptr;  // NameAccount: the account number's field
    bool hidden = false;                // holds its value without being shown
    // Computed: the text of result row `row`.
    std::function<QString(const qvx::ResultSet &rs, int row)> compute = {};
    bool checkBox = false;              // each data row has a box here that a person can tick

    // A hidden column that only carries a field for later use.
    static ListColumn data(const char *field, CellFormat format = CellFormat::Text);
    // The same column with a check box in each data row.
    ListColumn withCheckBox() const
    {
        ListColumn c = *this;
        c.checkBox = true;
        return c;
    }
};

using ListColumns = QList<ListColumn>;

// The transfer kind of a row: "수납" when `field` holds "20", else "지급".
ListColumn TransferKindColumn(const QString &title, int width, const char *field = "gubun");

// The text of one cell: result row `row` in the form of the column.
QString CellText(const ListColumn &column, const qvx::ResultSet &rs, int row);

// The cell texts of a result set column by column, with each column's
// field positions found once and its last conversion kept while the input
// repeats.
class ListCellTexts
{
public:
    ListCellTexts(const ListColumns &columns, const qvx::ResultSet &rs);
    // The text of column `col` for result row `row`, valid until the next call.
    const QString &text(int col, int row);

private:
    // The input of a column's last conversion.
    struct Key
    {
        bool known = false;
        qvx::ResultSet::TextId id = 0;
        QString text;
        // Whether result row `row` holds the same text here; the key takes it.
        bool same(const qvx::ResultSet &rs, int row, int column);
    };
    struct Slot
    {
        int field = -1;
        int bank = -1;
        int number = -1;
        bool has = false;
        Key a;
        Key b;
        Key c;
        QString out;
    };
    const ListColumns &m_columns;
    const qvx::ResultSet &m_rs;
    std::vector<Slot> m_slots; // read on every cell: no copy-on-write check
    const QString m_none;
};
