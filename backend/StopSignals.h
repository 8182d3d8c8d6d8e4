#pragma once

#include <QObject>

class QSocketNotifier;

namespace qvx {

// Turns SIGTERM and SIGINT into a Qt signal on the thread that made the
// object, so the server leaves its event loop and closes its connections and
// its database in order instead of dying mid-write. One object per process.
class StopSignals : public QObject
{
    Q_OBJECT
public:
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override; // restores the default handling

    int lastSignal() const { return m_lastSignal; }

signals:
    void stopRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
    int m_lastSignal = 0;
};

} // namespace qvx
