#include "Screen.h"

#include "ui/foundation/DisclosureGroup.h"
#include "ui/foundation/RoundedCard.h"
#include "ui/session/OverlayView.h"
#include "ui/session/SessionContentView.h"
#include "ui/session/SessionView.h"

#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

namespace corvel::gallery {

const QString liveKey = QStringLiteral(
    "live: none|waiting|answering|answered|failed|error|noAudio|draft|heard: starts a session "
    "and scripts it (answering: an answer still streaming; answered: a finished one; failed: a "
    "question whose answer fails; error: capture that fails; draft: microphone draft; heard: "
    "words that are no question, then silence)");

namespace {

const QString manualKey =
    QStringLiteral("manual: open: opens \"Add a question manually\" (the screen scrolls to it)");

// Four talking points and a reminder; the last point is still arriving when `open`.
QStringList sampleAnswer(bool streaming) {
    QStringList deltas = {
        QStringLiteral("Start with the outcome: deploys went from an hour to six minutes. "),
        QStringLiteral("I led that change.\n\n"),
        QStringLiteral("**Scale**\nForty services moved to one pipeline in a quarter, "),
        QStringLiteral("without a freeze.\n\n"),
        QStringLiteral("**Method**\nCanary releases with automatic rollback on error rate.\n\n"),
        QStringLiteral("**Personal example needed**\n\n"),
        QStringLiteral("**Team**\nFour engineers; I paired with each team's lead once.\n\n"),
        QStringLiteral("**Result**\nHalf the incidents, and teams ship "),
    };
    if (!streaming)
        deltas.append(QStringLiteral("daily instead of weekly."));
    return deltas;
}

} // namespace

// Starts a session and plays the scripted moment.
void playLiveMoment(fixture::ScreenFixture& fixture, const ScreenOptions& options) {
    const QString live = options.value(QStringLiteral("live"), QStringLiteral("none"));
    if (live == QLatin1String("none"))
        return;
    static const QStringList known = {QStringLiteral("waiting"),  QStringLiteral("answering"),
                                      QStringLiteral("answered"), QStringLiteral("failed"),
                                      QStringLiteral("error"),    QStringLiteral("noAudio"),
                                      QStringLiteral("draft"),    QStringLiteral("heard")};
    if (!known.contains(live))
        throw std::invalid_argument("--set live: " + live.toStdString() + " is not a moment");
    if (!fixture.store().isSessionActive() && !fixture.startSession())
        throw std::runtime_error("the session did not start");
    AppStore& store = fixture.store();
    if (live == QLatin1String("waiting")) {
        fixture.setInputLevel(0.35);
    } else if (live == QLatin1String("answering") || live == QLatin1String("answered")) {
        const bool streaming = live == QLatin1String("answering");
        fixture.answerNextQuestion(sampleAnswer(streaming), streaming);
        fixture.setInputLevel(0.6);
        fixture.hear(QStringLiteral("How did you speed up deployments at your last job?"), true);
        fixture::ScreenFixture::waitFor([&] { return !store.currentAnswer().isEmpty(); });
    } else if (live == QLatin1String("failed")) {
        // No answer is scripted for it, so the service cannot be reached.
        fixture.hear(QStringLiteral("How did you speed up deployments at your last job?"), true);
        fixture::ScreenFixture::waitFor(
            [&] { return store.sessionPhase() == SessionPhase::error; });
    } else if (live == QLatin1String("error")) {
        fixture.failCapture(QStringLiteral("The sound server stopped. Check that it is running."));
    } else if (live == QLatin1String("noAudio")) {
        fixture.passTime(9);
    } else if (live == QLatin1String("heard")) {
        fixture.hear(QStringLiteral("Thanks for joining today. Let me first walk you through how "
                                    "the platform team works and what the role covers."),
                     true);
        fixture.passTime(9);
    } else {
        fixture.hear(QStringLiteral("Tell me about a time you disagreed with your manager"), false);
    }
    fixture::ScreenFixture::waitFor([] { return false; }, 100);
}

void addSessionScreens(ScreenList& screens) {
    screens.append({QStringLiteral("session"),
                    QStringLiteral("the session section: empty state or the live screen"),
                    {liveKey, manualKey},
                    [](fixture::ScreenFixture& fixture, const ScreenOptions& options) -> QWidget* {
                        auto* view = new SessionView(fixture.environment());
                        playLiveMoment(fixture, options);
                        // Opened once shown at its size, as a user opens it.
                        if (options.value(QStringLiteral("manual")) == QLatin1String("open") &&
                            view->content())
                            QTimer::singleShot(50, view->content(), [content = view->content()] {
                                content->manualGroup()->setExpanded(true);
                            });
                        return onBackdrop(view);
                    }});
    screens.append(
        {QStringLiteral("floating"),
         QStringLiteral("the floating window's content over a dark call window (use --size, "
                        "e.g. 560x660 or 440x350)"),
         {liveKey, QStringLiteral("opacity: the card's opacity, 0.35 to 0.98")},
         [](fixture::ScreenFixture& fixture, const ScreenOptions& options) -> QWidget* {
             if (options.settings.contains(QStringLiteral("opacity")))
                 fixture.store().setOverlayOpacity(
                     options.value(QStringLiteral("opacity")).toDouble());
             auto* host = new QWidget;
             fillBackground(host, QColor(0x3b, 0x41, 0x4d));
             auto* layout = new QVBoxLayout(host);
             layout->setContentsMargins(0, 0, 0, 0);
             layout->addWidget(new OverlayView(fixture.store(), &fixture.preferences(), host));
             playLiveMoment(fixture, options);
             return host;
         }});
}

} // namespace corvel::gallery
