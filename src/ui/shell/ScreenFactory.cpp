#include "ui/shell/ScreenFactory.h"

#include "ui/session/SessionView.h"
#include "ui/shell/PlaceholderScreen.h"

namespace corvel {

QWidget* makeSectionScreen(AppSection section, const AppEnvironment& environment) {
    switch (section) {
    case AppSection::overview:
    case AppSection::profile:
        return new PlaceholderScreen(QStringLiteral("Prepare"), environment);
    case AppSection::session:
        return new SessionView(environment);
    case AppSection::history:
        return new PlaceholderScreen(QStringLiteral("History"), environment);
    case AppSection::settings:
        return new PlaceholderScreen(QStringLiteral("Settings"), environment);
    }
    return nullptr;
}

QWidget* makeGuide(const AppEnvironment& environment, std::function<void()> onFinish) {
    return new PlaceholderScreen(QStringLiteral("Setup guide"), environment, std::move(onFinish));
}

} // namespace corvel
