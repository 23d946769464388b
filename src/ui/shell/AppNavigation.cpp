#include "ui/shell/AppNavigation.h"

#include "session/AppNotifications.h"
#include "session/AppStore.h"
#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/BrandMark.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/shell/NavigationTab.h"
#include "ui/shell/ShellTexts.h"

#include <QHBoxLayout>

namespace corvel {

namespace {

QWidget* brand(QWidget* parent) {
    auto* brand = new QWidget(parent);
    auto* row = new QHBoxLayout(brand);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(11);
    const QFont font = tracked(appFont(21, QFont::DemiBold), -0.7);
    const QString wordmark = QStringLiteral("corvel interview");
    auto* mark = new BrandMark(28, false, brand);
    auto* name = new PlainLabel(wordmark, font, Palette::ink(), brand);
    row->addWidget(mark);
    row->addWidget(name);
    // One element for assistive technology: the name, once.
    brand->setAccessibleName(wordmark);
    hideFromAccessibility(mark);
    hideFromAccessibility(name);
    return brand;
}

LinkButton* iconButton(const QString& title, const QString& symbol, QWidget* parent) {
    auto* button =
        new LinkButton(title, symbol, appFont(12, QFont::Normal), Palette::secondary(), parent);
    button->setSymbolSize(13);
    return button;
}

} // namespace

AppNavigation::Look AppNavigation::lookFor(AppSection section, bool sessionActive) {
    return {section == AppSection::profile || section == AppSection::overview,
            section == AppSection::session,
            sessionActive,
            sessionActive,
            !sessionActive,
            sessionActive ? QStringLiteral("Finish your session before reopening setup")
                          : shell::setupGuideHelp(),
            section == AppSection::history,
            section == AppSection::settings};
}

AppNavigation::AppNavigation(const AppEnvironment& environment, QWidget* parent)
    : QWidget(parent), m_environment(environment),
      m_prepare(new NavigationTab(QStringLiteral("Prepare"), Palette::pink(), this)),
      m_session(new NavigationTab(QStringLiteral("Session"), Palette::green(), this)),
      m_setupGuide(
          iconButton(QStringLiteral("Setup guide"), QStringLiteral("questionmark.circle"), this)),
      m_history(
          iconButton(QStringLiteral("History"), QStringLiteral("clock.arrow.circlepath"), this)),
      m_settings(
          iconButton(QStringLiteral("Settings"), QStringLiteral("slider.horizontal.3"), this)) {
    setFixedHeight(86);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(36, 14, 36, 0);
    row->setSpacing(24);
    row->addWidget(brand(this));
    row->addStretch(1);
    auto* tabs = new QHBoxLayout;
    tabs->setSpacing(24);
    tabs->addWidget(m_prepare);
    tabs->addWidget(m_session);
    row->addLayout(tabs);
    row->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(20);
    buttons->addWidget(m_setupGuide);
    buttons->addWidget(m_history);
    buttons->addWidget(m_settings);
    row->addLayout(buttons);

    AppStore& store = m_environment.store;
    connect(m_prepare, &NavigationTab::clicked, &store,
            [&store] { store.setSection(AppSection::profile); });
    connect(m_session, &NavigationTab::clicked, &store,
            [&store] { store.setSection(AppSection::session); });
    connect(m_setupGuide, &LinkButton::clicked, &m_environment.notifications,
            &AppNotifications::postShowSetupGuide);
    connect(m_history, &LinkButton::clicked, &store,
            [&store] { store.setSection(AppSection::history); });
    connect(m_settings, &LinkButton::clicked, &store,
            [&store] { store.setSection(AppSection::settings); });
    connect(&store, &AppStore::sectionChanged, this, &AppNavigation::refresh);
    connect(&store, &AppStore::isSessionActiveChanged, this, &AppNavigation::refresh);
    refresh();
}

void AppNavigation::refresh() {
    const Look look = lookFor(m_environment.store.section(), m_environment.store.isSessionActive());
    m_prepare->setCurrent(look.prepareCurrent);
    m_session->setCurrent(look.sessionCurrent);
    m_session->setEnabled(look.sessionEnabled);
    m_session->setLiveBadge(look.liveBadge);
    m_setupGuide->setEnabled(look.setupGuideEnabled);
    m_setupGuide->setToolTip(look.setupGuideHelp);
    m_history->setColor(look.historyCurrent ? Palette::ink() : Palette::secondary());
    m_settings->setColor(look.settingsCurrent ? Palette::ink() : Palette::secondary());
}

} // namespace corvel
