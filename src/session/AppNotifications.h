#pragma once

#include <QObject>

namespace corvel {

// Application-wide announcements that several screens post and one observes.
class AppNotifications final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Asks the entry gate to show the guided setup again (it refuses during a session).
    void postShowSetupGuide() { Q_EMIT showSetupGuide(); }

Q_SIGNALS:
    void showSetupGuide();
};

} // namespace corvel
