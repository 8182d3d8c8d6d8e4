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

    // Captions beside the pickers ("부터" after the first and "까지" after the
    // second, or "~" between them), each as wide as its text; the second
    // picker moves right to make room (without captions nothing changes).
    // Returns the x just right of the last control.
    int SetCaptions(const QString &afterFrom, const QString &afterTo = QString());

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
