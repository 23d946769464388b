#pragma once

#include "core/AppSection.h"
#include "ui/foundation/AppEnvironment.h"

#include <QWidget>

namespace corvel {

class LinkButton;
class NavigationTab;

// The top bar: the brand, the "Prepare" and "Session" tabs, and the "Setup guide", "History"
// and "Settings" buttons. Holds no state; everything follows the store.
class AppNavigation final : public QWidget {
    Q_OBJECT

public:
    // What the bar shows for a section and session state.
    struct Look {
        bool prepareCurrent;
        bool sessionCurrent;
        bool sessionEnabled;
        bool liveBadge;
        bool setupGuideEnabled;
        QString setupGuideHelp;
        bool historyCurrent;
        bool settingsCurrent;
        bool operator==(const Look&) const = default;
    };
    static Look lookFor(AppSection section, bool sessionActive);

    explicit AppNavigation(const AppEnvironment& environment, QWidget* parent = nullptr);

    NavigationTab* prepareTab() const { return m_prepare; }
    NavigationTab* sessionTab() const { return m_session; }
    LinkButton* setupGuideButton() const { return m_setupGuide; }
    LinkButton* historyButton() const { return m_history; }
    LinkButton* settingsButton() const { return m_settings; }

private:
    void refresh();

    AppEnvironment m_environment;
    NavigationTab* m_prepare;
    NavigationTab* m_session;
    LinkButton* m_setupGuide;
    LinkButton* m_history;
    LinkButton* m_settings;
};

} // namespace corvel
