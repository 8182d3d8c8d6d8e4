#pragma once
// The texts the list screens show for stored values: dates with dashes,
// times with colons, money with ',' groups (read exactly, never through a
// double) and the Korean date of the reports.

#include <QDate>
#include <QString>

// "yyyymmdd" -> "yyyy-mm-dd"; an empty text stays empty.
QString DashedDate(const QString &yyyymmdd);
// "hhmmss" -> "hh:mm:ss"; an empty text stays empty.
QString ColonTime(const QString &hhmmss);
// A stored amount as a list shows it: blanks around it ignored, ',' every
// three digits; a text that is no amount shows "0".
QString MoneyCellText(const QString &amount);
// "yyyy년 MM월 dd일" (months and days with a zero in front).
QString KoreanDateText(const QDate &date);
