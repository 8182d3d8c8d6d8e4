#include "core/screens/DateRange.h"

#include "core/CellText.h"
#include "platform/Clock.h"

#include <QDateEdit>
#include <QLabel>

DateRange::DateRange(QWidget *parent, const char *fromName, const char *toName, int x, int y)
{
    auto make = [parent, y](const char *name, int at) {
        auto *edit = new QDateEdit(parent);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit->setCalendarPopup(true);
        edit->setGeometry(at, y, 110, 22);
        return edit;
    };
    m_from = make(fromName, x);
    m_to = make(toName, x + 124);
}

int DateRange::SetCaptions(const QString &afterFrom, const QString &afterTo)
{
    if (afterFrom.isEmpty() && afterTo.isEmpty())
        return m_to->geometry().right() + 1;
    QWidget *parent = m_from->parentWidget();
    auto caption = [parent, this](const QString &text, int x) {
        auto *label = new QLabel(text, parent);
        label->setAlignment(Qt::AlignCenter);
        const int width = label->fontMetrics().horizontalAdvance(text) + 8;
        label->setGeometry(x, m_from->y(), width, m_from->height());
        return x + width;
    };
    int x = m_from->geometry().right() + 1;
    if (!afterFrom.isEmpty())
        x = caption(afterFrom, x);
    m_to->move(x + 2, m_to->y());
    x = m_to->geometry().right() + 1;
    if (!afterTo.isEmpty())
        x = caption(afterTo, x);
    return x;
}

void DateRange::SetToday()
{
    m_from->setDate(qvx::Clock::date());
    m_to->setDate(qvx::Clock::date());
}

QString DateRange::FromText() const { return m_from->date().toString(QStringLiteral("yyyyMMdd")); }
QString DateRange::ToText() const { return m_to->date().toString(QStringLiteral("yyyyMMdd")); }
bool DateRange::SameDay() const { return m_from->date() == m_to->date(); }
bool DateRange::FromIsToday() const { return m_from->date() == qvx::Clock::date(); }
bool DateRange::TodayOnly() const { return SameDay() && FromIsToday(); }

QString DateRange::ReportText() const
{
    return KoreanDateText(m_from->date()) + QStringLiteral("  - ") + KoreanDateText(m_to->date());
}
