#pragma once
// How an amount is written: the one rule for thousands groups that the
// conversions, the entry rules and the amount edits share.

#include <QStringView>

namespace qvx {

// True for digits grouped by ',' in threes after a first group of one to three
// digits ("1,234,567"); false for plain digits and for any other comma.
bool IsThousandsGrouped(QStringView text);

} // namespace qvx
