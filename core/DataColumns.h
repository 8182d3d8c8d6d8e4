#pragma once
// The hidden columns a list's column table ends with: each only carries a
// field of the result set for later use (requests, saves, totals), in the
// order given.
//
//   const ListColumns columns = ListColumns{...shown columns...} + DataColumns({"sendid", "recvid", "firmid"});

#include "core/ListColumns.h"

#include <initializer_list>

inline ListColumns DataColumns(std::initializer_list<const char *> fields, CellFormat format = CellFormat::Text)
{
    ListColumns columns;
    for (const char *field : fields)
        columns.append(ListColumn::data(field, format));
    return columns;
}
