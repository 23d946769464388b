#include "ui/session/OverlayView.h"
#include "SessionScreenHarness.h"
#include "support/WidgetReading.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/session/AnswerText.h"
#include "ui/session/OverlayContentView.h"
#include "ui/session/OverlayPanel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryFile>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvel;
using test::s;
using test::SessionScreenHarness;
using test::settle;
using test::shownTexts;
using test::shownToolTip;

namespace {

struct Floating {
    SessionScreenHarness h;
    OverlayView view{*h.store, &h.preferences};

    Floating() {
        view.resize(560, 660);
        view.show();
        settle();
    }
    OverlayContentView* content() const { return view.content(); }
    QString tag() const {
        return content()->statusTag()->isVisibleTo(content())
                   ? shownTexts(content()->statusTag()).value(0)
                   : QString();
    }
};

} // namespace

TEST(OverlayView, CompactBelowFourEightyByFiveFiftyAndOpaqueUnderReduceTransparency) {
    Floating f;
    const std::pair<QSize, bool> table[] = {
        {{560, 660}, false}, {{480, 550}, false}, {{480, 549}, true},
        {{479, 700}, true},  {{440, 350}, true},  {{560, 660}, false},
    };
    for (const auto& [size, compact] : table) {
        f.view.resize(size);
        EXPECT_EQ(f.content()->isCompact(), compact) << size.width() << "x" << size.height();
        EXPECT_EQ(f.content()->answer()->isCompact(), compact);
    }

    // The card is opaque under Reduce Transparency.
    f.h.store->setOverlayOpacity(0.5);
    settle();
    EXPECT_EQ(f.content()->backgroundOpacity(), 0.5);
    f.h.preferences.setReduceTransparency(true);
    settle();
    EXPECT_EQ(f.content()->backgroundOpacity(), 1.0);
    const QImage card = f.content()->grab().toImage();
    EXPECT_EQ(card.pixelColor(card.width() / 2, card.height() - 4).rgb(), Palette::canvas().rgb());
}

TEST(OverlayView, BeforeAQuestionThenStreamingThenDone) {
    Floating f;
    SessionScreenHarness& h = f.h;
    OverlayContentView* content = f.content();
    // No session: the status block and the empty state.
    EXPECT_TRUE(content->statusBlock()->isVisible());
    EXPECT_FALSE(content->questionBlock()->isVisible());
    EXPECT_TRUE(shownTexts(content->emptyState())
                    .contains(s("Add the job description and your resume to begin.")));
    EXPECT_FALSE(content->pauseButton()->isVisible());

    ASSERT_TRUE(h.startListening());
    EXPECT_EQ(content->pauseButton()->accessibleName(), s("Pause listening"));
    h.capture.transcript(s("so tell me"), false);
    settle();
    EXPECT_TRUE(shownTexts(content->emptyState()).contains(s("so tell me")));

    // A failure before any question: the empty state explains it with the capture's own words.
    h.capture.fail(s("The sound server went away."));
    settle();
    ASSERT_TRUE(h.audio.error().has_value());
    EXPECT_TRUE(shownTexts(content->emptyState()).contains(s("Listening needs attention.")));
    EXPECT_TRUE(shownTexts(content->emptyState()).contains(*h.audio.error()));
    EXPECT_TRUE(shownTexts(content->statusBlock()).contains(s("Action required")));
    h.store->retrySession();
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.audio.isRunning() && !h.store->isStarting(); }));

    // A question in markup with the answer on its way: both stay plain text.
    const QByteArray markup = "<img src=x> &amp; <a href=\"https://example.com\">here</a>";
    h.answers.answer({markup + "\n\n", "**Scale**\nForty services.\n\n"}, 1.0);
    const QString question = s("Why do you want <b>this</b> job &amp; &lt;team&gt;?");
    h.capture.transcript(question, true);
    settle();
    EXPECT_FALSE(content->statusBlock()->isVisible());
    EXPECT_TRUE(content->questionBlock()->isVisible());
    EXPECT_EQ(content->question()->text(), question);
    EXPECT_EQ(shownToolTip(content->question()), question);
    EXPECT_TRUE(shownTexts(content->answer()).contains(QString::fromUtf8(markup)));
    EXPECT_EQ(f.tag(), s("Writing answer"));

    h.clock.advance(1.0);
    h.clock.advance(1.0);
    settle();
    ASSERT_FALSE(h.store->isGenerating());
    EXPECT_EQ(f.tag(), s("Answer ready"));
    EXPECT_EQ(content->answer()->rows().numbered.size(), 1);

    h.store->togglePause();
    settle();
    EXPECT_EQ(f.tag(), s("Paused"));
    EXPECT_EQ(content->pauseButton()->accessibleName(), s("Resume session"));
    content->pauseButton()->click();
    settle();
    EXPECT_FALSE(h.store->isPaused());

    // A failure with the answer on screen.
    h.capture.fail(s("The sound server went away."));
    settle();
    EXPECT_EQ(f.tag(), s("Interrupted"));
    EXPECT_TRUE(
        shownTexts(content->footer()).contains(s("This answer may be incomplete. Check the app.")));
}

// The panel is sized from the screen, built once, reused, hidden when closed or by its button.
TEST(OverlayView, ThePanelIsBuiltOnceAndHidingClearsTheFlag) {
    EXPECT_EQ(OverlayPanel::sizeFor(QRect(0, 0, 1440, 875)), QSize(560, 660));
    EXPECT_EQ(OverlayPanel::sizeFor(QRect(0, 0, 800, 600)), QSize(560, 552));
    EXPECT_EQ(OverlayPanel::sizeFor(QRect(0, 0, 450, 380)), QSize(440, 350));
    EXPECT_EQ(OverlayPanel::sizeFor(std::nullopt), QSize(560, 660));

    // It opens on the screen of the active window: the one that holds most of it.
    const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 2560, 1440)};
    const std::vector<std::pair<QRect, std::optional<qsizetype>>> holding = {
        {QRect(2200, 100, 800, 600), 1},  {QRect(1500, 100, 800, 600), 0},
        {QRect(1700, 100, 800, 600), 1},  {QRect(-900, 0, 800, 600), std::nullopt},
        {QRect(1800, 1100, 400, 300), 1},
    };
    for (const auto& [window, expected] : holding)
        EXPECT_EQ(OverlayPanel::screenHolding(screens, window), expected)
            << window.x() << "," << window.y();

    SessionScreenHarness h;
    int built = 0;
    h.makePanel = [&](AppStore& store) {
        ++built;
        return std::make_unique<OverlayPanel>(store, &h.preferences);
    };
    h.makeStore(s("sk-test"), true);
    EXPECT_FALSE(h.store->panel()) << "no panel before it is first opened";
    h.store->openOverlay();
    auto* panel = dynamic_cast<OverlayPanel*>(h.store->panel());
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(panel->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    // Where the user put it and how large they made it survives hiding and every later open.
    const QRect placed(10, 20, 500, 420);
    panel->setGeometry(placed);
    panel->findChild<OverlayView*>()->content()->hideButton()->click();
    EXPECT_FALSE(h.store->showOverlay());
    EXPECT_FALSE(panel->isVisible());
    h.store->openOverlay();
    EXPECT_EQ(h.store->panel(), panel);
    EXPECT_EQ(built, 1);
    EXPECT_EQ(panel->geometry(), placed);
    h.store->openOverlay();
    EXPECT_EQ(panel->geometry(), placed);
    panel->resize(100, 100);
    EXPECT_EQ(panel->cardGeometry().size(), QSize(440, 350)) << "never below the minimum";

    QCloseEvent close;
    QCoreApplication::sendEvent(panel, &close);
    EXPECT_FALSE(h.store->showOverlay());
    EXPECT_EQ(h.store->panel(), panel);

    // The button clears the flag without a panel too.
    Floating f;
    f.h.store->setShowOverlay(true);
    f.content()->hideButton()->click();
    EXPECT_FALSE(f.h.store->showOverlay());
}

// A press-drag on the background asks the window manager to move the panel, one on its edges or
// corners to resize it; a click that does not drag, or a press on a control, asks for nothing.
TEST(OverlayView, DraggingTheBackgroundMovesAndTheEdgesResize) {
    SessionScreenHarness h;
    using Asked = std::vector<Qt::Edges>;
    Asked asked;
    bool handled = true;
    h.makePanel = [&](AppStore& store) {
        return std::make_unique<OverlayPanel>(store, &h.preferences,
                                              [&](QWindow*, Qt::Edges edges) {
                                                  asked.push_back(edges);
                                                  return handled;
                                              });
    };
    h.makeStore(s("sk-test"), true);
    h.store->openOverlay();
    settle();
    auto* panel = dynamic_cast<OverlayPanel*>(h.store->panel());
    ASSERT_NE(panel, nullptr);
    const QRect card =
        panel->rect().marginsRemoved(panel->drawsShadow() ? QMargins(16, 16, 16, 16) : QMargins());
    const QPoint header(card.center().x(), card.top() + 14);
    const auto press = [&](QPoint at, QPoint drag = {30, 40}) {
        asked.clear();
        QTest::mousePress(panel, Qt::LeftButton, {}, at);
        QTest::mouseMove(panel, at + drag);
        QTest::mouseRelease(panel, Qt::LeftButton, {}, at + drag);
        return asked;
    };

    // The header's empty middle, the card's padding, the empty state's free space.
    for (const QPoint at : {header, QPoint(card.left() + 14, card.center().y()), card.center()})
        EXPECT_EQ(press(at), Asked{Qt::Edges()}) << at.x() << "," << at.y();
    EXPECT_EQ(press({card.left() + 2, card.center().y()}), Asked{Qt::LeftEdge});
    EXPECT_EQ(press(card.bottomRight() - QPoint(2, 2)), Asked{Qt::RightEdge | Qt::BottomEdge});
    // The window manager would keep moving the window after a release it missed.
    EXPECT_TRUE(press(header, {}).empty());
    QWidget* hide = panel->findChild<OverlayView*>()->content()->hideButton();
    EXPECT_TRUE(press(hide->mapTo(panel, hide->rect().center())).empty());
    EXPECT_TRUE(h.store->showOverlay()) << "the press on the hide button was not a click";

    // Where the window system cannot move it, the panel follows the pointer itself.
    handled = false;
    const QPoint before = panel->pos();
    press(header, {-30, 40});
    EXPECT_EQ(panel->pos(), before + QPoint(-30, 40));

    // Neither way leaves the header with Pause and Close outside the screen's free area.
    const QRect area = panel->screen()->availableGeometry();
    press(header, {0, -2 * area.height()});
    EXPECT_EQ(panel->cardGeometry().top(), area.top());
    handled = true;
    press(header, {40, 0});
    panel->move(panel->pos() + QPoint(area.width(), -area.height()));
    settle();
    EXPECT_EQ(panel->cardGeometry().top(), area.top());
    EXPECT_EQ(panel->cardGeometry().right(), area.right());
    panel->move(panel->pos() + QPoint(-2 * area.width(), 2 * area.height()));
    settle();
    EXPECT_EQ(panel->cardGeometry().left(), area.left());
    EXPECT_GE(panel->cardGeometry().top(), area.top() + area.height() / 2);
    QWidget* headerRow = panel->findChild<OverlayView*>()->content()->header();
    EXPECT_EQ(headerRow->mapToGlobal(QPoint(0, headerRow->height())).y(), area.bottom() + 1)
        << "the header ends on the bottom edge";
}

// A card is moved the least to bring its header inside the area; a card larger than the area
// keeps to its top and left edges.
TEST(OverlayView, TheHeaderIsKeptInsideTheScreen) {
    const QRect area(0, 30, 1600, 970);
    const QSize size(560, 660);
    const auto kept = [&](QPoint at) {
        return OverlayPanel::keepHeaderInside(QRect(at, size), 50, area).topLeft();
    };
    EXPECT_EQ(kept({500, 200}), QPoint(500, 200));
    EXPECT_EQ(kept({500, -400}), QPoint(500, 30));
    EXPECT_EQ(kept({500, 980}), QPoint(500, 950)) << "the body may hang below";
    EXPECT_EQ(kept({-100, 200}), QPoint(0, 200));
    EXPECT_EQ(kept({1200, 29}), QPoint(1040, 30));
    EXPECT_EQ(OverlayPanel::keepHeaderInside(QRect(300, -20, 900, 400), 50, QRect(0, 0, 800, 30))
                  .topLeft(),
              QPoint(0, 0));
}

// In the compact window the empty state is taller than the answer area: the last words heard
// scroll into view as they arrive.
TEST(OverlayView, TheLastWordsHeardStayInViewWhenCompact) {
    Floating f;
    f.view.resize(440, 350);
    ASSERT_TRUE(f.h.startListening());
    f.h.capture.transcript(s("Thanks for joining today. Let me first walk you through how the "
                             "platform team works and what the role covers."),
                           true);
    settle();
    ASSERT_TRUE(f.content()->lastWords()->isVisible());
    EXPECT_TRUE(test::wholeInView(f.content()->answerArea()->viewport(), f.content()->lastWords()));

    // The answer that follows starts at its top.
    f.h.answers.answer({"Start with the outcome.\n\n**Scale**\nForty services."});
    f.h.capture.transcript(s("How did you speed up deployments?"), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.h.store->currentAnswer().isEmpty(); }, 5000));
    settle();
    EXPECT_EQ(f.content()->answerArea()->verticalScrollBar()->value(), 0);
}

// On two screens the panel opens on the one holding the active window, at its top-right; with no
// active window, on the primary one. The test runs itself again on an offscreen platform with a
// second screen to the right of the primary one.
TEST(OverlayView, ThePanelOpensOnTheScreenOfTheActiveWindow) {
    if (QGuiApplication::screens().size() == 2) {
        QScreen* right = QGuiApplication::screens().at(1);
        ASSERT_NE(right, QGuiApplication::primaryScreen());
        const auto panelScreen = [](bool withActiveWindow, QScreen* windowScreen) {
            SessionScreenHarness h;
            h.makePanel = [&](AppStore& store) {
                return std::make_unique<OverlayPanel>(store, &h.preferences);
            };
            h.makeStore(s("sk-test"), true);
            QWidget window;
            if (withActiveWindow) {
                window.setGeometry(windowScreen->geometry().adjusted(100, 100, -100, -100));
                window.show();
                window.activateWindow();
                settle();
            }
            h.store->openOverlay();
            const QRect card = dynamic_cast<OverlayPanel*>(h.store->panel())->cardGeometry();
            QScreen* screen = QGuiApplication::screenAt(card.center());
            const QRect available = screen->availableGeometry();
            EXPECT_EQ(card.topRight(), QPoint(available.right() - 24, available.top() + 24));
            return screen;
        };
        EXPECT_EQ(panelScreen(true, right), right);
        EXPECT_EQ(panelScreen(true, QGuiApplication::primaryScreen()),
                  QGuiApplication::primaryScreen());
        EXPECT_EQ(panelScreen(false, nullptr), QGuiApplication::primaryScreen());
        return;
    }

    QTemporaryFile config;
    ASSERT_TRUE(config.open());
    config.write(R"({"screens": [
        {"name": "left", "x": 0, "y": 0, "width": 1280, "height": 800, "logicalDpi": 96},
        {"name": "right", "x": 1280, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96}]})");
    config.flush();
    QProcess child;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(s("QT_QPA_PLATFORM"), s("offscreen:configfile=") + config.fileName());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {s("--gtest_filter=OverlayView.ThePanelOpensOnTheScreenOfTheActiveWindow")});
    ASSERT_TRUE(child.waitForFinished(-1));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0);
}
