#include "ui/foundation/RedrawSchedule.h"

#include <QPointer>

namespace corvel {

RedrawSchedule::RedrawSchedule(UptimeClock& clock, double minimumInterval,
                               std::function<void()> redraw, QObject* parent)
    : QObject(parent), m_clock(clock), m_interval(minimumInterval), m_redraw(std::move(redraw)) {}

RedrawSchedule::~RedrawSchedule() {
    setRunning(false);
}

void RedrawSchedule::setRunning(bool running) {
    if (running == isRunning())
        return;
    if (!running) {
        m_source->cancel();
        m_source.reset();
        return;
    }
    m_source.emplace();
    run(m_source->token());
}

QCoro::Task<> RedrawSchedule::run(CancelToken token) {
    QPointer<RedrawSchedule> self(this);
    try {
        while (true) {
            co_await m_clock.sleep(m_interval, token);
            if (!self)
                co_return;
            m_redraw();
        }
    } catch (const CancellationError&) {
    }
}

} // namespace corvel
