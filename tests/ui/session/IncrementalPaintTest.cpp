#include "SessionScreenHarness.h"
#include "ViewInspection.h"
#include "ui/session/OverlayView.h"
#include "ui/session/SessionView.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

using namespace corvel;
using test::s;
using test::SessionScreenHarness;
using test::settle;

namespace {

// What the window shows after its incremental repaints, against the same window drawn afresh.
int differingPixels(QWidget& window) {
    settle();
    // The offscreen screen grabs what the window's backing store holds.
    const QImage shown = QGuiApplication::primaryScreen()
                             ->grabWindow(window.winId())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.size(), window.size());
    QImage fresh(window.size(), QImage::Format_RGB32);
    fresh.fill(Qt::black);
    window.render(&fresh);
    int differing = 0;
    for (int y = 0; y < qMin(shown.height(), fresh.height()); ++y)
        for (int x = 0; x < qMin(shown.width(), fresh.width()); ++x)
            if (shown.pixel(x, y) != fresh.pixel(x, y))
                ++differing;
    return differing;
}

} // namespace

TEST(IncrementalPaint, AStreamedAnswerLeavesNothingStale) {
    SessionScreenHarness h;
    SessionView session(h.environment(), h.clock, {});
    session.resize(1100, 900);
    session.show();
    OverlayView overlay(*h.store, &h.preferences);
    overlay.resize(560, 660);
    overlay.show();
    ASSERT_TRUE(h.startListening());
    QList<QByteArray> deltas;
    const QByteArray answer = "Start with the outcome.\n\n**Scale**\nForty services moved in a "
                              "quarter without a freeze, one team at a time.\n\n**Personal "
                              "example needed**\n\n**Method**\nCanary releases.\n\n**Team**\n"
                              "Four engineers.";
    for (qsizetype i = 0; i < answer.size(); i += 7)
        deltas.append(answer.mid(i, 7));
    h.answers.answer(deltas, 1.0);
    h.capture.transcript(s("How did you speed up deployments?"), true);
    settle();
    for (qsizetype i = 1; i < deltas.size(); ++i) {
        h.clock.advance(1.0);
        settle();
    }
    EXPECT_EQ(differingPixels(session), 0);
    EXPECT_EQ(differingPixels(overlay), 0);
}
