#include "Screen.h"

#include "session/AppStore.h"
#include "ui/preparation/OnboardingView.h"
#include "ui/preparation/ProfileView.h"

#include <QUrl>

namespace corvel::gallery {

namespace {

std::optional<GuidedSetupStep> guideStep(const QString& name) {
    const QStringList names{QStringLiteral("welcome"), QStringLiteral("speech"),
                            QStringLiteral("callAudio"), QStringLiteral("ready")};
    return guidedSetupStepFromRaw(static_cast<int>(names.indexOf(name)));
}

std::optional<PreparationStep> preparationStep(const QString& name) {
    const QStringList names{QStringLiteral("role"), QStringLiteral("resume"),
                            QStringLiteral("call")};
    return preparationStepFromRaw(static_cast<int>(names.indexOf(name)));
}

} // namespace

void addPreparationScreens(ScreenList& screens) {
    screens.append(
        {QStringLiteral("setup"),
         QStringLiteral("one step of the guided setup"),
         {QStringLiteral("step: welcome|speech|callAudio|ready (default welcome)"),
          QStringLiteral("attempted: 1 = call audio was already asked for once"),
          QStringLiteral("microphoneOpen: 1 = the ready step's microphone section is open")},
         [](fixture::ScreenFixture& fixture, const ScreenOptions& options) -> QWidget* {
             const auto step =
                 guideStep(options.value(QStringLiteral("step"), QStringLiteral("welcome")));
             if (!step)
                 throw std::invalid_argument("step: welcome|speech|callAudio|ready");
             auto* view =
                 new OnboardingView(fixture.environment(), GuidedSetupStep::welcome, [] {});
             if (options.flag(QStringLiteral("attempted")))
                 view->markAttempted(MacPermissionKind::callAudio);
             view->setShowMicrophone(options.flag(QStringLiteral("microphoneOpen")));
             view->goTo(*step);
             return onBackdrop(view);
         }});
    screens.append(
        {QStringLiteral("preparation"),
         QStringLiteral("the preparation's three steps"),
         {QStringLiteral("step: role|resume|call (default role)"),
          QStringLiteral("cloud: 1 = the cloud answer route is configured (no account handed)"),
          QStringLiteral("notes: the call step's notes, which open their editor")},
         [](fixture::ScreenFixture& fixture, const ScreenOptions& options) -> QWidget* {
             const auto step =
                 preparationStep(options.value(QStringLiteral("step"), QStringLiteral("role")));
             if (!step)
                 throw std::invalid_argument("step: role|resume|call");
             if (options.flag(QStringLiteral("cloud")))
                 fixture.store().configureCloud(
                     QUrl(QStringLiteral("https://cloud.invalid/api/v1")), std::nullopt, {});
             const QString notes = options.value(QStringLiteral("notes"));
             if (!notes.isEmpty()) {
                 InterviewContext context = fixture.store().context();
                 context.notes = notes;
                 fixture.store().setContext(context);
             }
             return onBackdrop(new ProfileView(fixture.environment(), *step));
         }});
}

} // namespace corvel::gallery
