#pragma once

#include <QObject>

class QSocketNotifier;

namespace corvel {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the main thread, so a logout or a kill
// ends the app through its normal quit path. One instance per process.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readSignal();
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace corvel
