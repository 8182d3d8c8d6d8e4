#pragma once

#include <QString>

#include <functional>

namespace qvx {

// Whether a table's column holds texts compared byte by byte (text affinity,
// binary collation): only there is a glob on a text's beginning a range.
using BinaryTextColumn = std::function<bool(const QString &table, const QString &column)>;

// The library looks a glob on a column's beginning ("name glob '김*'") up in
// the column's index only with its own glob; the server's glob is its own.
// In a statement on one table, each such condition of a column that holds
// texts compared byte by byte gets the range of texts with that beginning
// beside it, which the index answers:
//   name glob '김?*' ->  (name glob '김?*' and name >= '김' and name < '깁')
//   name glob '김*'  ->  (name >= '김' and name < '깁')
// (the bounds written as bytes; a beginning and one '*' after it is the
// range itself, as the library reads it). Anything else is given back
// unchanged.
QString withGlobPrefixRanges(const QString &sql, const BinaryTextColumn &binaryTextColumn);

} // namespace qvx
