#pragma once

#include "ui/foundation/AppEnvironment.h"

#include <QPointer>
#include <QWidget>

class QVBoxLayout;

namespace corvel {

class AppNavigation;
class MessageBanner;

// The main interface: the top bar, the message banner while there is a message, and the screen
// of the store's section, built afresh at every change of section (its local state starts over).
class RootView final : public QWidget {
    Q_OBJECT

public:
    explicit RootView(const AppEnvironment& environment, QWidget* parent = nullptr);

    AppNavigation* navigation() const { return m_navigation; }
    MessageBanner* banner() const { return m_banner; }
    QWidget* screen() const { return m_screen; }

private:
    void showSection();

    AppEnvironment m_environment;
    AppNavigation* m_navigation;
    MessageBanner* m_banner;
    QVBoxLayout* m_layout;
    QPointer<QWidget> m_screen;
};

} // namespace corvel
