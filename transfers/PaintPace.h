#pragma once
// When a long run's progress is painted: at most every 40 ms, and the clock
// read only every 64th time a line asks, as a run asks after every line.

#include <QElapsedTimer>

class PaintPace
{
public:
    PaintPace() { m_painted.start(); }
    // True when the progress should be painted now; must: whatever the clock
    // says (the first or the last line). A true answer starts the next wait.
    bool due(bool must)
    {
        if (!must && (++m_asked % 64 != 0 || m_painted.elapsed() < 40))
            return false;
        m_painted.restart();
        return true;
    }

private:
    QElapsedTimer m_painted;
    int m_asked = 0;
};
