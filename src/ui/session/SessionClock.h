#pragma once

#include "platform/UptimeClock.h"

#include <QDateTime>
#include <QWidget>

#include <functional>

namespace corvel {

class AppStore;
class RedrawSchedule;

// The session's running time, "mm:ss" with minutes that keep counting past an hour, redrawn
// every second while it is shown. Digits take equal widths so the text does not jitter.
class SessionClock final : public QWidget {
    Q_OBJECT

public:
    using Now = std::function<QDateTime()>;

    SessionClock(AppStore& store, UptimeClock& clock = systemUptimeClock(), Now now = {},
                 QWidget* parent = nullptr);

    QString text() const;
    bool isTicking() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    qreal digitWidth() const;
    qreal textWidth(const QString& text) const;

    AppStore& m_store;
    Now m_now;
    RedrawSchedule* m_ticks;
};

} // namespace corvel
