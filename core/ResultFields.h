#pragma once
// Reading one row of a result set into a typed row: a table names, for each
// member, the field it takes (names without regard to case), so that a notice
// or result list reads its rows in one loop instead of a line per member.
//
//   ReadResultFields(notice, rs, row, {{"org_seqno", &Notice::orgSeqNo}, {"price", &Notice::price}});

#include "platform/ResultSet.h"

#include <QString>

#include <initializer_list>
#include <utility>

template <class Row>
using ResultFields = std::initializer_list<std::pair<const char *, QString Row::*>>;

// How a value is taken from its field.
enum class FieldText { AsStored, Trimmed };

// Sets each member of the table from its field of result row `row`; a field
// the result set lacks throws as ResultSet::value does.
template <class Row>
void ReadResultFields(Row &out, const qvx::ResultSet &rs, int row, ResultFields<Row> fields,
                      FieldText text = FieldText::AsStored)
{
    for (const auto &[field, member] : fields) {
        const QString value = rs.value(row, QString::fromLatin1(field));
        out.*member = text == FieldText::Trimmed ? value.trimmed() : value;
    }
}
