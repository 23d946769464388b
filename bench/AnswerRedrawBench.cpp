// The screens' cost per streamed delta: a 4,000-character answer arrives in 1,000 deltas while
// the session screen and the floating window are both shown (offscreen). Each sample runs from
// the store's currentAnswerChanged to both views refreshed, laid out and painted. Also counts the
// widgets created by deltas that brought no new cue: rows are updated in place, so it must be 0.
// A delta must cost the same at the end of the answer as at its start: the counters compare the
// mean of the last tenth of the deltas with the first, for the answer with its sentence ends and
// for the same answer without any.
#include "fixture/ScreenFixture.h"
#include "ui/session/AnswerText.h"
#include "ui/session/OverlayContentView.h"
#include "ui/session/OverlayView.h"
#include "ui/session/ResponsePanel.h"
#include "ui/session/SessionContentView.h"
#include "ui/session/SessionView.h"

#include "GuiBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace corvel;

namespace {

using Clock = std::chrono::steady_clock;

// An opening, twelve talking points and a reminder: 4,000 characters; without `sentenceEnds`,
// every full stop is a comma.
QString sampleAnswer(bool sentenceEnds) {
    QString text = QStringLiteral("Start with the result: our deploys went from an hour to six "
                                  "minutes, and I led the work that got us there.\n\n");
    for (int i = 0; text.size() < 3800; ++i) {
        text += QStringLiteral("**Point %1 of the story**\n").arg(i + 1);
        text += QStringLiteral("We measured every stage of the pipeline first, then removed the "
                               "slowest one; each change shipped behind a flag so teams could "
                               "roll back without waiting for us.\n\n");
        if (i == 5)
            text += QStringLiteral("**Personal example needed**\n\n");
    }
    text += QString(4000 - text.size(), u'.');
    if (!sentenceEnds)
        text.replace(u'.', u',');
    return text;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto index = std::min(values.size() - 1, size_t(p * double(values.size())));
    return values[index];
}

size_t cueCount(const AnswerCueView& view) {
    return size_t(view.rows().numbered.size() + view.rows().reminders.size());
}

void answerRedraw(benchmark::State& state) {
    const QString answer = sampleAnswer(state.range(0) != 0);
    constexpr int deltas = 1000;
    const qsizetype step = answer.size() / deltas;
    std::vector<double> samples;
    int widgetsWithoutNewCue = 0;
    double firstTenth = 0;
    double lastTenth = 0;

    for (auto _ : state) {
        fixture::ScreenFixture fixture({{QStringLiteral("prepared"), QStringLiteral("1")},
                                        {QStringLiteral("session"), QStringLiteral("active")},
                                        {QStringLiteral("reduceMotion"), QStringLiteral("1")}});
        AppStore& store = fixture.store();
        Clock::time_point changed;
        // Connected before the views, so it runs first on each change.
        QObject::connect(&store, &AppStore::currentAnswerChanged,
                         [&changed] { changed = Clock::now(); });
        SessionView session(fixture.environment());
        session.resize(1280, 860);
        if (!qEnvironmentVariableIsSet("NO_SESSION"))
            session.show();
        OverlayView overlay(store, &fixture.preferences());
        overlay.resize(560, 660);
        if (!qEnvironmentVariableIsSet("NO_OVERLAY"))
            overlay.show();
        fixture.answerNextQuestion({}, true);
        fixture.hear(QStringLiteral("How did you speed up your deployments?"), true);
        fixture::ScreenFixture::waitFor([&] { return store.isGenerating(); });
        QCoreApplication::processEvents();
        const AnswerCueView& inScreen = *session.content()->responsePanel()->answer();
        const AnswerCueView& inWindow = *overlay.content()->answer();

        double total = 0;
        for (int i = 0; i < deltas; ++i) {
            const auto widgetsBefore = QApplication::allWidgets().size();
            const size_t cuesBefore = cueCount(inScreen) + cueCount(inWindow);
            fixture.sendDelta(answer.mid(i * step, step));
            // The views' refreshes, then layout and painting.
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            const double seconds = std::chrono::duration<double>(Clock::now() - changed).count();
            samples.push_back(seconds);
            total += seconds;
            if (i < deltas / 10)
                firstTenth += seconds;
            else if (i >= deltas - deltas / 10)
                lastTenth += seconds;
            if (inScreen.text() != store.currentAnswer() ||
                inWindow.text() != store.currentAnswer())
                state.SkipWithError("a view did not follow the answer");
            if (QApplication::allWidgets().size() > widgetsBefore &&
                cueCount(inScreen) + cueCount(inWindow) == cuesBefore)
                ++widgetsWithoutNewCue;
        }
        state.SetIterationTime(total);
    }
    state.counters["median_us"] = percentile(samples, 0.5) * 1e6;
    state.counters["p99_us"] = percentile(samples, 0.99) * 1e6;
    state.counters["max_us"] = percentile(samples, 1.0) * 1e6;
    state.counters["widgets_without_new_cue"] = widgetsWithoutNewCue;
    const double tenth = double(state.iterations()) * (deltas / 10);
    state.counters["first_tenth_us"] = firstTenth / tenth * 1e6;
    state.counters["last_tenth_us"] = lastTenth / tenth * 1e6;
    state.counters["last_over_first"] = lastTenth / firstTenth;
}

BENCHMARK(answerRedraw)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("sentenceEnds")
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runBenchmarksInApplication(argc, argv);
}
