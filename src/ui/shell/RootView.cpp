#include "ui/shell/RootView.h"

#include "session/AppStore.h"
#include "ui/foundation/FocusRing.h"
#include "ui/shell/AppNavigation.h"
#include "ui/shell/MessageBanner.h"
#include "ui/shell/ScreenFactory.h"

#include <QVBoxLayout>

namespace corvel {

RootView::RootView(const AppEnvironment& environment, QWidget* parent)
    : QWidget(parent), m_environment(environment),
      m_navigation(new AppNavigation(environment, this)),
      m_banner(new MessageBanner(environment.store, this)), m_layout(new QVBoxLayout(this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_navigation);
    m_layout->addWidget(m_banner);
    connect(&m_environment.store, &AppStore::sectionChanged, this, &RootView::showSection);
    showSection();
}

void RootView::showSection() {
    bool keyboard = false;
    if (m_screen) {
        m_layout->removeWidget(m_screen);
        keyboard = hideWithoutPassingFocus(m_screen);
        // The click that changed the section may come from inside the old screen.
        m_screen->deleteLater();
    }
    m_screen = makeSectionScreen(m_environment.store.section(), m_environment);
    m_screen->setParent(this);
    m_layout->addWidget(m_screen, 1);
    m_screen->show();
    // The keyboard user who left a screen from inside it goes on in the new one.
    if (keyboard)
        focusFirstControl(m_screen);
}

} // namespace corvel
