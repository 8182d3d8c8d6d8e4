#pragma once
// The missing numbers of a day's notices: every number from 1 to the highest
// received one that was not received. Numbers come as the list shows them
// (six-digit texts); a duplicate is counted once and a text that is no number
// is left out instead of ending the walk.

#include <QList>
#include <QStringList>

QList<int> FindNoticeGaps(const QStringList &receivedNumbers);
// The highest received number (0 when none is a number).
int HighestNoticeNumber(const QStringList &receivedNumbers);
