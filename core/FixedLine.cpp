#include "core/FixedLine.h"

#include "core/TextUtils.h"

FixedLine &FixedLine::add(const QString &value, int width, bool leftJustify, QChar pad)
{
    if (m_fields++ > 0)
        m_text += m_separator;
    if (m_overflow == Overflow::Keep && Cp949Length(value) > width)
        m_text += value;
    else if (pad == u'0')
        m_text += FixLenZero(value, width, leftJustify);
    else
        m_text += FixLenSpace(value, width, leftJustify);
    return *this;
}

FixedLine &FixedLine::left(const QString &value, int width) { return add(value, width, true, u' '); }
FixedLine &FixedLine::right(const QString &value, int width) { return add(value, width, false, u' '); }
FixedLine &FixedLine::zeroLeft(const QString &value, int width) { return add(value, width, false, u'0'); }

int FixedLine::bytes() const { return Cp949Length(m_text); }
