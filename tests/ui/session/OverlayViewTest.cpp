#include "ui/session/OverlayView.h"
#include "SessionScreenHarness.h"
#include "ViewInspection.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/session/AnswerText.h"
#include "ui/session/OverlayContentView.h"
#include "ui/session/OverlayPanel.h"

#include <QTextDocument>

#include <gtest/gtest.h>

using namespace corvel;
using test::s;
using test::SessionScreenHarness;
using test::settle;
using test::shownTexts;

namespace {

// The text a tool tip shows, as Qt renders it.
QString shownToolTip(const QWidget* widget) {
    QTextDocument shown;
    if (Qt::mightBeRichText(widget->toolTip()))
        shown.setHtml(widget->toolTip());
    else
        shown.setPlainText(widget->toolTip());
    return shown.toPlainText();
}

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

TEST(OverlayView, CompactBelowFourEightyByFiveFifty) {
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
}

TEST(OverlayView, BeforeAQuestionThenStreamingThenDone) {
    Floating f;
    SessionScreenHarness& h = f.h;
    OverlayContentView* content = f.content();
    // No session: the status block, the empty state and the resume sentence.
    EXPECT_TRUE(content->statusBlock()->isVisible());
    EXPECT_FALSE(content->questionBlock()->isVisible());
    EXPECT_TRUE(content->emptyState()->isVisible());
    EXPECT_TRUE(shownTexts(content->statusBlock()).contains(s("Floating window")));
    EXPECT_TRUE(shownTexts(content->emptyState())
                    .contains(s("Add the job description and your resume to begin.")));
    EXPECT_TRUE(shownTexts(content->footer())
                    .contains(s("Your resume and the job description guide every answer.")));
    EXPECT_FALSE(content->pauseButton()->isVisible());

    ASSERT_TRUE(h.startListening());
    settle();
    EXPECT_TRUE(content->pauseButton()->isVisible());
    EXPECT_EQ(content->pauseButton()->accessibleName(), s("Pause listening"));
    EXPECT_TRUE(shownTexts(content->emptyState()).contains(s("Ready for the first question.")));
    h.capture.transcript(s("so tell me"), false);
    settle();
    EXPECT_TRUE(shownTexts(content->emptyState()).contains(s("LAST WORDS HEARD")));
    EXPECT_TRUE(shownTexts(content->emptyState()).contains(s("so tell me")));

    // A question with the answer on its way: the question block and the note row.
    h.answers.answer({"Start with the outcome.\n\n", "**Scale**\nForty services.\n\n"}, 1.0);
    const QString question = s("so tell me how did you speed up deployments?");
    h.capture.transcript(question, true);
    settle();
    EXPECT_FALSE(content->statusBlock()->isVisible());
    EXPECT_TRUE(content->questionBlock()->isVisible());
    ASSERT_FALSE(h.store->currentQuestion().isEmpty());
    EXPECT_EQ(content->question()->text(), h.store->currentQuestion());
    EXPECT_EQ(shownToolTip(content->question()), h.store->currentQuestion());
    EXPECT_EQ(content->question()->maximumLines(), 4);
    EXPECT_EQ(f.tag(), s("Writing answer"));
    EXPECT_TRUE(content->answer()->isVisible());
    EXPECT_TRUE(shownTexts(content->footer()).contains(s("A starting point. Make it your own.")));

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

TEST(OverlayView, TheEmptyStateExplainsAFailure) {
    Floating f;
    SessionScreenHarness& h = f.h;
    ASSERT_TRUE(h.startListening());
    h.capture.fail(s("The sound server went away."));
    settle();
    const QStringList shown = shownTexts(f.content()->emptyState());
    EXPECT_TRUE(shown.contains(s("Listening needs attention.")));
    ASSERT_TRUE(h.audio.error().has_value());
    EXPECT_TRUE(shown.contains(*h.audio.error())) << "the capture error, verbatim";
    EXPECT_TRUE(shownTexts(f.content()->statusBlock()).contains(s("Action required")));
}

TEST(OverlayView, AnswersAndQuestionsArePlainText) {
    Floating f;
    SessionScreenHarness& h = f.h;
    ASSERT_TRUE(h.startListening());
    h.answers.answer({"<img src=x> &amp; <a href=\"https://example.com\">here</a>"});
    const QString question = s("Why do you want <b>this</b> job &amp; &lt;team&gt;?");
    h.capture.transcript(question, true);
    settle();
    EXPECT_EQ(f.content()->question()->text(), question);
    EXPECT_EQ(shownToolTip(f.content()->question()), question);
    EXPECT_TRUE(shownTexts(f.content()->answer())
                    .contains(s("<img src=x> &amp; <a href=\"https://example.com\">here</a>")));
}

TEST(OverlayView, HidingClearsTheFlagWithOrWithoutAPanel) {
    {
        Floating f;
        f.h.store->setShowOverlay(true);
        f.content()->hideButton()->click();
        EXPECT_FALSE(f.h.store->showOverlay());
    }
    SessionScreenHarness h;
    h.makePanel = [&h](AppStore& store) {
        return std::make_unique<OverlayPanel>(store, &h.preferences);
    };
    h.makeStore(s("sk-test"), true);
    h.store->openOverlay();
    auto* panel = dynamic_cast<OverlayPanel*>(h.store->panel());
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(panel->isVisible());
    auto* view = panel->findChild<OverlayView*>();
    ASSERT_NE(view, nullptr);
    view->content()->hideButton()->click();
    EXPECT_FALSE(h.store->showOverlay());
    EXPECT_FALSE(panel->isVisible());
}

TEST(OverlayView, TheCardIsOpaqueUnderReduceTransparency) {
    Floating f;
    f.h.store->setOverlayOpacity(0.5);
    settle();
    EXPECT_EQ(f.content()->backgroundOpacity(), 0.5);
    f.h.preferences.setReduceTransparency(true);
    settle();
    EXPECT_EQ(f.content()->backgroundOpacity(), 1.0);
    const QImage card = f.content()->grab().toImage();
    EXPECT_EQ(card.pixelColor(card.width() / 2, card.height() - 4).rgb(), Palette::canvas().rgb());
}
