#include "ui/shell/ScreenFactory.h"

#include "ui/preparation/OnboardingView.h"
#include "ui/preparation/ProfileView.h"
#include "ui/session/SessionView.h"
#include "ui/settings/HistoryView.h"
#include "ui/settings/SettingsView.h"

namespace corvel {

QWidget* makeSectionScreen(AppSection section, const AppEnvironment& environment) {
    switch (section) {
    case AppSection::overview:
    case AppSection::profile:
        return new ProfileView(environment);
    case AppSection::session:
        return new SessionView(environment);
    case AppSection::history:
        return new HistoryView(environment);
    case AppSection::settings:
        return new SettingsView(environment);
    }
    return nullptr;
}

QWidget* makeGuide(const AppEnvironment& environment, std::function<void()> onFinish) {
    return new OnboardingView(environment, GuidedSetupStep::welcome, std::move(onFinish));
}

} // namespace corvel
