#include "ui/shell/AppEntryView.h"

#include "account/GoogleAuthStore.h"
#include "session/AppNotifications.h"
#include "session/AppStore.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/NativeAppBackdrop.h"
#include "ui/shell/AccountChange.h"
#include "ui/shell/RootView.h"
#include "ui/shell/ScreenFactory.h"
#include "ui/shell/ShellTexts.h"

#include <QSettings>
#include <QStackedLayout>

namespace corvel {

namespace {
constexpr qreal guideTint = 0.62;
constexpr qreal mainTint = 0.82;

std::optional<QString> subjectOf(const GoogleAuthStore& auth) {
    return auth.account() ? std::optional(auth.account()->subject) : std::nullopt;
}
} // namespace

AppEntryView::AppEntryView(const AppEnvironment& environment, QWidget* parent)
    : QWidget(parent), m_environment(environment),
      m_backdrop(new NativeAppBackdrop(guideTint, this)), m_stack(new QStackedLayout(this)),
      m_observedSubject(subjectOf(environment.auth)) {
    m_stack->setStackingMode(QStackedLayout::StackAll);
    m_stack->addWidget(m_backdrop);
    connect(&m_environment.notifications, &AppNotifications::showSetupGuide, this,
            &AppEntryView::showSetupGuide);
    connect(&m_environment.auth, &GoogleAuthStore::accountChanged, this,
            &AppEntryView::accountDidChange);
    showContent();
}

void AppEntryView::showContent() {
    const bool guide =
        !QSettings().value(completedGuidedSetupKey, false).toBool() || m_showingGuide;
    if (m_content && guide == m_guideShown)
        return;
    bool keyboard = false;
    if (m_content) {
        m_stack->removeWidget(m_content);
        keyboard = hideWithoutPassingFocus(m_content);
        // The finish action runs inside the guide's own click.
        m_content->deleteLater();
    }
    m_guideShown = guide;
    m_backdrop->setTintOpacity(guide ? guideTint : mainTint);
    RootView* root = guide ? nullptr : new RootView(m_environment);
    m_content = root ? root : makeGuide(m_environment, [this] { finishGuide(); });
    m_stack->addWidget(m_content);
    m_stack->setCurrentWidget(m_content);
    m_content->raise();
    // The keyboard user goes on in the new content; in the main interface that is its screen, not
    // the top bar's tabs.
    if (keyboard)
        focusFirstControl(root ? root->screen() : m_content.data());
}

void AppEntryView::finishGuide() {
    if (m_environment.auth.isBusy())
        m_environment.auth.cancel();
    QSettings settings;
    settings.setValue(completedGuidedSetupKey, true);
    settings.setValue(hasOpenedWorkspaceKey, true);
    m_showingGuide = false;
    showContent();
}

void AppEntryView::showSetupGuide() {
    if (m_environment.store.isSessionActive())
        return;
    m_showingGuide = true;
    showContent();
}

void AppEntryView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_appeared)
        return;
    m_appeared = true;
    m_observedSubject = subjectOf(m_environment.auth);
    if (!m_lastVerifiedAccountID)
        m_lastVerifiedAccountID = m_observedSubject;
}

void AppEntryView::accountDidChange() {
    const std::optional<QString> subject = subjectOf(m_environment.auth);
    // Only a change of subject counts, and only once the window has shown.
    if (subject == m_observedSubject)
        return;
    m_observedSubject = subject;
    if (!m_appeared)
        return;
    AppStore& store = m_environment.store;
    const AccountChange change =
        AccountChange::after(m_lastVerifiedAccountID, m_environment.auth.account(),
                             store.isSessionActive(), store.context().name);
    if (change.notice)
        store.setMessage(shell::differentAccountNotice());
    m_lastVerifiedAccountID = change.lastVerifiedAccountID;
    if (change.interviewName) {
        InterviewContext context = store.context();
        context.name = *change.interviewName;
        store.setContext(context);
    }
}

} // namespace corvel
