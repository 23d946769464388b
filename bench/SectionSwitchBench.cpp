// The cost of switching the main window between its sections: the root view drops the old
// screen and builds the new one from the factory (whatever screens exist at the time), then the
// window lays it out and paints it. Runs offscreen over the real stores of the screen fixture.
#include "core/AppSection.h"
#include "fixture/ScreenFixture.h"
#include "ui/shell/RootView.h"

#include "GuiBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>

using namespace corvel;

namespace {

const AppSection cycle[] = {AppSection::profile, AppSection::session, AppSection::history,
                            AppSection::settings};

void switchSections(benchmark::State& state) {
    const bool paint = state.range(0) != 0;
    fixture::ScreenFixture fixture(
        {{QStringLiteral("prepared"), QStringLiteral("1")},
         {QStringLiteral("history"), QStringLiteral("25")},
         {QStringLiteral("session"),
          state.range(1) ? QStringLiteral("active") : QStringLiteral("none")}});
    RootView root(fixture.environment());
    root.resize(1280, 860);
    root.show();
    QCoreApplication::processEvents();
    size_t next = 0;
    for (auto _ : state) {
        fixture.store().setSection(cycle[next++ % 4]);
        // The old screen's deferred deletion and the new one's layout belong to the switch.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        if (paint)
            root.repaint();
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(switchSections)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"paint", "session"})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return runBenchmarksInApplication(argc, argv);
}
