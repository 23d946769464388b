#include "Screen.h"

#include "ui/foundation/NativeAppBackdrop.h"
#include "ui/shell/AppEntryView.h"
#include "ui/shell/RootView.h"
#include "ui/shell/ScreenFactory.h"

#include <QSettings>
#include <QStackedLayout>

namespace corvel::gallery {

QWidget* onBackdrop(QWidget* content) {
    auto* host = new QWidget;
    auto* stack = new QStackedLayout(host);
    stack->setStackingMode(QStackedLayout::StackAll);
    stack->addWidget(new NativeAppBackdrop(1.0));
    stack->addWidget(content);
    stack->setCurrentWidget(content);
    return host;
}

// To add a screen: append one entry with its name, a line of summary, the --set keys it reads
// itself ("name: help"), and a function that builds it over the fixture (which has already
// applied the common keys such as section, message, session and account).
void addShellScreens(ScreenList& screens) {
    screens.append({QStringLiteral("entry"),
                    QStringLiteral("the main window's content: the guide or the main interface"),
                    {QStringLiteral("guide: fresh|completed (default fresh)")},
                    [](fixture::ScreenFixture& fixture, const ScreenOptions& options) -> QWidget* {
                        const bool completed =
                            options.value(QStringLiteral("guide")) == QLatin1String("completed");
                        QSettings().setValue(AppEntryView::completedGuidedSetupKey, completed);
                        return new AppEntryView(fixture.environment());
                    }});
    screens.append({QStringLiteral("guide"),
                    QStringLiteral("the guided setup as the entry gate shows it"),
                    {},
                    [](fixture::ScreenFixture& fixture, const ScreenOptions&) -> QWidget* {
                        return onBackdrop(makeGuide(fixture.environment(), [] {}));
                    }});
    screens.append({QStringLiteral("root"),
                    QStringLiteral("the main interface: top bar, message banner, section screen"),
                    {liveKey},
                    [](fixture::ScreenFixture& fixture, const ScreenOptions& options) -> QWidget* {
                        auto* root = onBackdrop(new RootView(fixture.environment()));
                        playLiveMoment(fixture, options);
                        return root;
                    }});
}

} // namespace corvel::gallery
