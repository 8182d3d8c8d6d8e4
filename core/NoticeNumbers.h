#pragma once
// The walk over a day's notice numbers: the numbers missing from the series
// and the highest one received. Numbers come as the list or the database
// shows them (six-digit texts); a duplicate is counted once and a text that
// is no number is left out instead of ending the walk.

#include <QList>
#include <QStringList>

// The numbers 1..bound that are not among the received ones, ascending. A
// negative bound: up to the highest received number.
QList<int> MissingNumbers(const QStringList &received, int bound = -1);
// The highest received number (0 when none is a number).
int HighestNoticeNumber(const QStringList &receivedNumbers);
