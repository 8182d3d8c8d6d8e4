#pragma once
// Small interfaces that screens of the other libraries implement so that the
// core can drive them without linking them. The core reaches them with
// dynamic_cast on the screen widget it found by name.

#include <QObject>

// A screen whose search button the core (menu, data module) can run as if
// clicked; the sender is the data module or the main window.
class ISearchScreen
{
public:
    virtual ~ISearchScreen();
    virtual void btn_searchClick(QObject *sender) = 0;
};

// The result inquiry screens: the message-number range their next search
// lists (0 and 0 mean no range).
class IResultRangeScreen
{
public:
    virtual ~IResultRangeScreen();
    virtual void setResultRange(int from, int to) = 0;
};
