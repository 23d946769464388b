#pragma once

#include "platform/Cancellation.h"
#include "platform/UptimeClock.h"

#include <QObject>

#include <functional>
#include <optional>

namespace corvel {

// Calls `redraw` at most once per `minimumInterval` seconds of the uptime clock while running.
// Stopped, it holds no timer and no sleep, so a hidden or still view costs nothing.
class RedrawSchedule final : public QObject {
    Q_OBJECT

public:
    RedrawSchedule(UptimeClock& clock, double minimumInterval, std::function<void()> redraw,
                   QObject* parent = nullptr);
    ~RedrawSchedule() override;

    bool isRunning() const { return m_source.has_value(); }
    void setRunning(bool running);
    double minimumInterval() const { return m_interval; }

private:
    QCoro::Task<> run(CancelToken token);

    UptimeClock& m_clock;
    double m_interval;
    std::function<void()> m_redraw;
    std::optional<CancelSource> m_source;
};

} // namespace corvel
