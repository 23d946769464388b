#pragma once

#include "platform/UptimeClock.h"
#include "ui/foundation/AppEnvironment.h"
#include "ui/session/SessionClock.h"

#include <QPointer>
#include <QWidget>

namespace corvel {

class SessionContentView;

// The "Session" section: a short empty state that leads to the preparation, or, while a session
// is open, the live screen, built afresh for each session.
class SessionView final : public QWidget {
    Q_OBJECT

public:
    explicit SessionView(const AppEnvironment& environment, QWidget* parent = nullptr);
    // With the clock the session clock ticks on and the wall time it shows.
    SessionView(const AppEnvironment& environment, UptimeClock& clock, SessionClock::Now now,
                QWidget* parent = nullptr);

    QWidget* emptyState() const { return m_empty; }
    SessionContentView* content() const;

private:
    void refresh();

    AppEnvironment m_environment;
    UptimeClock& m_clock;
    SessionClock::Now m_now;
    QWidget* m_empty;
    QPointer<SessionContentView> m_content;
};

} // namespace corvel
