#pragma once
// A control's text alignment as Qt's horizontal alignment flag; in a
// right-to-left layout left and right change places.

#include "controls/edits/ExButtonGlyph.h"

#include <Qt>

inline Qt::Alignment HorizontalAlignment(TAlignment a, Qt::LayoutDirection direction = Qt::LeftToRight)
{
    if (direction == Qt::RightToLeft && a != taCenter)
        a = a == taLeftJustify ? taRightJustify : taLeftJustify;
    return a == taLeftJustify ? Qt::AlignLeft : a == taRightJustify ? Qt::AlignRight : Qt::AlignHCenter;
}
