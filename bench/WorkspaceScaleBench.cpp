// How the window's responsiveness grows with the history: workspaces of 10 to 910 past
// interviews (15 answers of 1,500 characters each, about 27 kB per interview; 910 is near the
// 25 MB limit), over the real stores and screens of the screen fixture, offscreen.
//
// typing: the longest stall of a 1 ms timer on the GUI thread while 20 characters are typed
//   into the preparation, 30 ms apart, and until the autosave that follows is on disk.
// deleteOne: the longest stall from deleting the newest interview on the history screen until
//   the file on disk no longer holds it.
// historyOpenAndBack: the history list drawn from the preparation screen, then a record opened
//   and the list drawn again (the counters split the two).
// startToWindow: from the stores' construction over the file to the first painted window.
#include "core/SavedWorkspace.h"
#include "core/WorkspaceStorage.h"
#include "fixture/ScreenFixture.h"
#include "ui/shell/RootView.h"

#include "GuiBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

using namespace corvel;

namespace {

QString answerText(int seed) {
    static const QStringList words = {
        QStringLiteral("platform"),  QStringLiteral("latency"),   QStringLiteral("we"),
        QStringLiteral("rolled"),    QStringLiteral("back"),      QStringLiteral("the"),
        QStringLiteral("migration"), QStringLiteral("customers"), QStringLiteral("measured"),
        QStringLiteral("on-call"),   QStringLiteral("team"),      QStringLiteral("because")};
    QString text;
    for (int i = 0; text.size() < 1500; ++i) {
        text += words.at((seed + i * 7) % words.size());
        text += (i % 13 == 12) ? QStringLiteral(". ") : QStringLiteral(" ");
    }
    text.truncate(1499);
    return text + QLatin1Char('.');
}

SavedWorkspace workspaceWith(int interviews) {
    SavedWorkspace workspace;
    workspace.model = QStringLiteral("gpt-4.1-mini");
    workspace.overlayOpacity = 0.84;
    workspace.configurationVersion = 3;
    workspace.context.role = QStringLiteral("Platform Engineer");
    workspace.context.company = QStringLiteral("Nordlicht");
    workspace.context.resume = QString(3000, u'r');
    workspace.context.jobDescription = QString(2000, u'j');
    for (int r = 0; r < interviews; ++r) {
        InterviewRecord record;
        record.date = QDateTime(QDate(2026, 11, 30), QTime(14, 5), Qt::UTC).addSecs(-3600 * 9 * r);
        record.role = QStringLiteral("Staff Engineer %1").arg(r);
        record.company = QStringLiteral("Company %1").arg(r % 37);
        record.duration = 2400 + r;
        for (int e = 0; e < 15; ++e) {
            AnswerEntry entry;
            entry.date = record.date.addSecs(120 * e);
            entry.question = QStringLiteral("Tell me about the hardest problem number %1?").arg(e);
            entry.answer = answerText(r * 15 + e);
            entry.firstTokenMilliseconds = 400 + e;
            entry.latency = AnswerLatencyMetrics{400 + e, 650 + e, 4000 + e, 0};
            record.entries.push_back(entry);
        }
        workspace.history.push_back(record);
    }
    return workspace;
}

// One saved workspace per size, made once for the whole run.
QString workspaceFolder(int interviews) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    auto& folder = folders[interviews];
    if (!folder) {
        folder = std::make_unique<QTemporaryDir>();
        WorkspaceStorage::save(workspaceWith(interviews), folder->path());
    }
    return folder->path();
}

void runEventsFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Every save replaces the file by a rename, so a new stamp means a write landed.
bool runEventsUntilChanged(const QString& path, const std::optional<FileStamp>& before,
                           int milliseconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (WorkspaceStorage::stampOf(path) == before) {
        if (elapsed.elapsed() > milliseconds)
            return false;
        runEventsFor(2);
    }
    return true;
}

// The longest gap between two ticks of a 1 ms timer: how long the GUI thread was unavailable.
class StallProbe {
public:
    StallProbe() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_clock.start();
        m_last = m_clock.nsecsElapsed();
        m_timer.start();
    }
    double worstMilliseconds() {
        tick();
        return double(m_worst) / 1e6;
    }

private:
    void tick() {
        const qint64 now = m_clock.nsecsElapsed();
        m_worst = std::max(m_worst, now - m_last);
        m_last = now;
    }
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_worst = 0;
};

struct Window {
    explicit Window(int interviews, AppSection section)
        : fixture({{QStringLiteral("workspace"), workspaceFolder(interviews)}}),
          root(fixture.environment()) {
        fixture.store().setSection(section);
        root.resize(1280, 860);
        root.show();
        settle();
    }
    void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        root.repaint();
        QCoreApplication::processEvents();
    }
    QString file() const { return WorkspaceStorage::fileURL(fixture.workspaceFolder()); }

    fixture::ScreenFixture fixture;
    RootView root;
};

void reportWorst(benchmark::State& state, double worst) {
    state.counters["worst_ms"] = worst;
    state.counters["workspace_MB"] =
        double(QFile(WorkspaceStorage::fileURL(workspaceFolder(int(state.range(0))))).size()) / 1e6;
}

// The longest stall from `act` on a window showing `section` until what it saved is on disk.
void measureStall(benchmark::State& state, AppSection section,
                  const std::function<void(Window&)>& act) {
    double worst = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Window window(int(state.range(0)), section);
        const auto before = WorkspaceStorage::stampOf(window.file());
        state.ResumeTiming();
        StallProbe probe;
        act(window);
        if (!runEventsUntilChanged(window.file(), before, 10'000))
            state.SkipWithError("the save never reached the disk");
        runEventsFor(20);
        const double stall = probe.worstMilliseconds();
        worst = std::max(worst, stall);
        state.SetIterationTime(stall / 1e3);
    }
    reportWorst(state, worst);
}

void typing(benchmark::State& state) {
    measureStall(state, AppSection::profile, [](Window& window) {
        AppStore& store = window.fixture.store();
        for (int key = 0; key < 20; ++key) {
            InterviewContext context = store.context();
            context.notes += QLatin1Char('a' + key % 26);
            store.setContext(context);
            runEventsFor(30);
        }
    });
}

void deleteOne(benchmark::State& state) {
    measureStall(state, AppSection::history, [](Window& window) {
        AppStore& store = window.fixture.store();
        store.deleteRecord(store.history().front().id);
        window.settle();
    });
}

void historyOpenAndBack(benchmark::State& state) {
    double open = 0;
    double back = 0;
    double worst = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Window window(int(state.range(0)), AppSection::profile);
        AppStore& store = window.fixture.store();
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        store.setSection(AppSection::history);
        window.settle();
        const double opened = double(clock.nsecsElapsed()) / 1e6;
        store.setSelectedRecord(store.history().front());
        window.settle();
        clock.restart();
        store.setSelectedRecord(std::nullopt);
        window.settle();
        const double returned = double(clock.nsecsElapsed()) / 1e6;
        open += opened;
        back += returned;
        worst = std::max(worst, opened + returned);
        state.SetIterationTime((opened + returned) / 1e3);
    }
    state.counters["open_ms"] = open / double(state.iterations());
    state.counters["back_ms"] = back / double(state.iterations());
    reportWorst(state, worst);
}

void startToWindow(benchmark::State& state) {
    double worst = 0;
    workspaceFolder(int(state.range(0)));
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        auto window = std::make_unique<Window>(int(state.range(0)), AppSection::profile);
        const double shown = double(clock.nsecsElapsed()) / 1e6;
        worst = std::max(worst, shown);
        state.SetIterationTime(shown / 1e3);
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    reportWorst(state, worst);
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10)->Arg(100)->Arg(300)->Arg(910);
    b->ArgName("interviews")->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
}

BENCHMARK(typing)->Apply(sizes);
BENCHMARK(deleteOne)->Apply(sizes);
BENCHMARK(historyOpenAndBack)->Apply(sizes);
BENCHMARK(startToWindow)->Apply(sizes);

} // namespace

int main(int argc, char** argv) {
    return runBenchmarksInApplication(argc, argv);
}
