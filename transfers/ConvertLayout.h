#pragma once
// Conversion layouts: where the fields of a transfer-file line lie. Table
// convertg holds the layouts of the files a maker converts on the entry
// screen (fixed-width, or ','- / ';'-delimited by the title's "1-" / "2-"),
// table convertg_s those of the send/receive module's drop files.
//
// This file holds what the two layout editors and the conversion share
// without widgets: the rows of each table's grid, the title prefix rule, the
// check of the grid's cells and the statements that list, store and delete a
// layout.

#include "core/Session.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <initializer_list>
#include <utility>

enum class DataForm { Fixed = 0, Comma = 1, Semicolon = 2 };

// ',' for Comma, ';' otherwise.
QChar DelimiterOf(DataForm form);
// "1-..." Comma, "2-..." Semicolon, anything else Fixed.
DataForm DataFormOfTitle(const QString &title);
// The title without its "1-" / "2-".
QString TitleBody(const QString &title);
// The body with the prefix of the form ("1-" / "2-"; none for Fixed).
QString TitleOfForm(const QString &body, DataForm form);

// One field of a layout: its grid row caption, the pair of ConvLayout it
// feeds and its two columns in the table.
struct LayoutField
{
    QString caption;
    ConvPair pair;
    QString startColumn;
    QString lengthColumn;
};

// Start/length of each field, in the order of LayoutTable::fields.
using LayoutValues = QVector<ConvField>;

class LayoutTable
{
public:
    QString name;                // "convertg" / "convertg_s"
    // The name as the list, one-layout and delete statements spell it, where
    // a family's statements spell it otherwise (empty: `name`).
    QString nameInSelectAll;
    QString nameInSelectOne;
    QString nameInRemove;
    QList<LayoutField> fields;   // grid rows 1..n
    bool delimitedForms = false; // titles may carry "1-" / "2-"

    QString selectAll() const;
    QString selectOne(const QString &title) const;
    QString insert(const QString &title, const LayoutValues &values) const;
    QString update(const QString &title, const LayoutValues &values, const QString &oldTitle) const;
    // A delimited layout: the prefixed title and every number 0.
    QString insertDelimited(const QString &title) const;
    QString updateDelimited(const QString &title, const QString &oldTitle) const;
    QString remove(const QString &title) const;

    // The grid row (0-based field index) of a pair; -1 when the table has none.
    int indexOf(ConvPair pair) const;

    // Column names of the insert, in the table's order, with the grid row each
    // value comes from (-1: always 0).
    QList<std::pair<QString, int>> columns;
    QString insertHead; // "INSERT INTO ... Values(    "
};

// The caption each pair shows on the grids of one family of layouts (the
// general and the liquor ones), in ConvPair order; nullptr for a pair the
// family never holds.
using PairCaptions = std::array<const char *, cvPairCount>;
// The fields of `pairs` in that order, captioned from `captions`; a field's
// columns are its pair's stem with 'S' (start) and 'N' (length): "BankIdS",
// "BankIdN".
QList<LayoutField> PairFields(const PairCaptions &captions, std::initializer_list<ConvPair> pairs);
// The insert's columns of `fields` in their order, start then length of each.
QList<std::pair<QString, int>> ColumnsInFieldOrder(const QList<LayoutField> &fields);

// convertg: 은행코드, 계좌번호, 이체금액, 업체정보, 송금인.
const LayoutTable &GeneralLayoutTable();
// convertg_s: 모은행코드, 모계좌번호, 거래구분, 은행코드, 계좌번호, 이체금액,
// 송금인, 업체정보, 전문번호.
const LayoutTable &AutoLayoutTable();

// Reads the start and size cells of each field (trimmed). Every cell must be
// a whole number of at most four digits, and a field with a size starts at 1
// or later. Returns the message that names the first faulty field, or an
// empty text with *values filled.
QString CheckLayoutCells(const LayoutTable &table, const QStringList &starts, const QStringList &lengths,
                         LayoutValues *values);

// True when titles names the same layout as title (blanks around them and
// case do not count, as the databases compare them). skip: an index of
// titles not to compare (the entry being edited), -1 for none.
bool TitleTaken(const QStringList &titles, const QString &title, int skip = -1);

// Messages of the layout editors.
namespace LayoutMessages {
inline const QString NoTitle = QStringLiteral("자료 명칭을 기입하시기 바랍니다.");
inline const QString TitleTaken = QStringLiteral("이미 등록된 자료 명칭입니다. 다른 명칭을 기입하시기 바랍니다.");
inline const QString SaveFailed = QStringLiteral("해당 자료를 수정할수 없습니다.");
inline const QString DeleteAsk = QStringLiteral("저장된 자료를 삭제하시겠습니까?");
inline const QString DeleteFailed = QStringLiteral("자료를 삭제할 수 없습니다.");
inline const QString NoneSelected = QStringLiteral("선택된 자료가 없습니다. 목록에서 자료를 선택하시기 바랍니다.");
} // namespace LayoutMessages
