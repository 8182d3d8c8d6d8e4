#pragma once
// The from/to send-date pickers of the list screens, on the program's clock
// (the server's time, not the computer's).

#include <QString>

class QDateEdit;
class QWidget;

class DateRange
{
public:
    // Makes the two pickers (component names `fromName`, `toName`) at x, y.
    DateRange(QWidget *parent, const char *fromName, const char *toName, int x, int y);

    QDateEdit *from() const { return m_from; }
    QDateEdit *to() const { return m_to; }

    void SetToday();
    QString FromText() const;  // yyyymmdd
    QString ToText() const;
    bool SameDay() const;
    // Both dates are today.
    bool TodayOnly() const;
    bool FromIsToday() const;
    // "yyyy년 mm월 dd일  - yyyy년 mm월 dd일" for the reports.
    QString ReportText() const;

private:
    QDateEdit *m_from;
    QDateEdit *m_to;
};
