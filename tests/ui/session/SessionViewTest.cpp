#include "ui/session/SessionView.h"
#include "SessionScreenHarness.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/DisclosureGroup.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/TextArea.h"
#include "ui/session/AnswerText.h"
#include "ui/session/CaptureHelpView.h"
#include "ui/session/CaptureStatusView.h"
#include "ui/session/OverlayView.h"
#include "ui/session/ResponsePanel.h"
#include "ui/session/SessionContentView.h"
#include "ui/session/WaitingForCallView.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextEdit>
#include <QVBoxLayout>

#include <map>

#include <gtest/gtest.h>

using namespace corvel;
using test::button;
using test::s;
using test::SessionScreenHarness;
using test::settle;
using test::shownTexts;

namespace {

const QList<QByteArray> fourCues = {
    "Start with the outcome. ",        "I cut deploys to minutes.\n\n",
    "**Scale**\nForty services",       " moved in a quarter.\n\n",
    "**Personal example needed**\n\n", "**Method**\nCanary releases.\n\n",
    "**Team**\nFour engineers.\n\n",   "**Result**\nHalf the cost.",
};

QString heardText(const SessionContentView* live) {
    return qobject_cast<SpacedLabel*>(live->transcriptGroup()->content())->text();
}

void findNamed(QAccessibleInterface* node, const QString& name,
               QList<QAccessibleInterface*>& found) {
    if (node->text(QAccessible::Name) == name)
        found.append(node);
    for (int i = 0; i < node->childCount(); ++i)
        findNamed(node->child(i), name, found);
}

// The content is as tall as it needs to be, or as its view: no room added for the field is left.
bool noRoomAdded(const SessionContentView* live) {
    const QWidget* content = live->scrollArea()->widget();
    return content->height() == qMax(live->scrollArea()->viewport()->height(),
                                     content->layout()->totalHeightForWidth(content->width()));
}

struct Screen {
    SessionScreenHarness h;
    SessionView view{h.environment(), h.clock, {}};

    Screen() {
        view.resize(1100, 900);
        view.show();
    }
    SessionContentView* live() const { return view.content(); }
    bool wait(const std::function<bool()>& done) {
        const bool ok = QTest::qWaitFor(done, 5000);
        settle();
        return ok;
    }
};

} // namespace

TEST(SessionView, AWholeSessionThroughTheScreen) {
    Screen screen;
    SessionScreenHarness& h = screen.h;
    EXPECT_EQ(screen.live(), nullptr);
    h.store->setSection(AppSection::session);
    button(screen.view.emptyState(), s("Prepare for my interview"))->click();
    EXPECT_EQ(h.store->section(), AppSection::profile);

    ASSERT_TRUE(h.startListening());
    settle();
    SessionContentView* live = screen.live();
    ASSERT_NE(live, nullptr);
    EXPECT_FALSE(screen.view.emptyState()->isVisible());
    EXPECT_EQ(shownTexts(live).mid(0, 2),
              (QStringList{s("Waiting for your call."), s("Platform Engineer · Nordlicht")}));
    EXPECT_TRUE(live->waitingPanel()->isVisible());
    EXPECT_FALSE(live->conversation()->isVisible());
    EXPECT_EQ(live->waitingPanel()->headline(), s("Join your call."));
    EXPECT_TRUE(shownTexts(live->waitingPanel()).contains(s("Job description added")));
    EXPECT_FALSE(shownTexts(live->waitingPanel()).contains(s("Additional information added")));
    // Assistive technology meets each checklist item once, as words with nothing to press.
    for (const QString& item : {s("Resume loaded"), s("Job description added")}) {
        QList<QAccessibleInterface*> nodes;
        findNamed(QAccessible::queryAccessibleInterface(live->waitingPanel()), item, nodes);
        ASSERT_EQ(nodes.size(), 1) << item.toStdString();
        EXPECT_EQ(nodes[0]->role(), QAccessible::StaticText);
        EXPECT_TRUE(!nodes[0]->actionInterface() ||
                    nodes[0]->actionInterface()->actionNames().isEmpty());
    }
    EXPECT_EQ(heardText(live), s("No words transcribed yet."));
    EXPECT_TRUE(live->clock()->isTicking());
    EXPECT_EQ(live->clock()->text(), s("00:00"));

    // A final transcript becomes the interviewer's question and its answer streams in.
    h.answers.answer(fourCues, 1.0);
    h.capture.transcript(s("How did you speed up deployments?"), true);
    settle();
    ASSERT_TRUE(h.store->isGenerating());
    EXPECT_FALSE(live->waitingPanel()->isVisible());
    EXPECT_TRUE(live->conversation()->isVisible());
    EXPECT_EQ(shownTexts(live->conversation()).mid(0, 2),
              (QStringList{s("INTERVIEWER’S QUESTION"), s("How did you speed up deployments?")}));
    EXPECT_EQ(shownTexts(live).first(), s("Your interview, live."));
    EXPECT_TRUE(shownTexts(live->responsePanel()).contains(s("Generating")));

    // Each delta updates the rows in place: a cue's row, once shown, stays the same widget.
    AnswerText* answer = live->responsePanel()->answer();
    std::map<int, QWidget*> rows;
    for (qsizetype delta = 1; delta < fourCues.size(); ++delta) {
        h.clock.advance(1.0);
        settle();
        for (const auto& [id, row] : rows)
            EXPECT_EQ(answer->cueRow(id), row) << "cue " << id << " after delta " << delta;
        for (const auto& cue : answer->rows().numbered)
            rows.emplace(cue.id, answer->cueRow(cue.id));
    }
    h.clock.advance(1.0);
    settle();
    ASSERT_FALSE(h.store->isGenerating());
    EXPECT_EQ(rows.size(), 4u);
    for (const auto& [id, row] : rows)
        EXPECT_EQ(answer->cueRow(id), row);
    EXPECT_FALSE(shownTexts(live->responsePanel()).contains(s("Generating")));
    const QStringList shown = shownTexts(answer);
    EXPECT_EQ(
        shown.mid(0, 2),
        (QStringList{s("Start here"), s("Start with the outcome. I cut deploys to minutes.")}));
    EXPECT_EQ(shown.filter(s("Personal example needed")).size(), 1);
    ASSERT_NE(answer->reminderCard(1), nullptr);
    EXPECT_GT(answer->reminderCard(1)->y(), answer->cueRow(4)->y()) << "reminders come last";

    // Copy puts the raw text on the clipboard, markup and all.
    live->responsePanel()->copyButton()->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), h.store->currentAnswer());
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(s("**Scale**\n")));

    // A partial result is heard, not yet a question: its end shows, folded away.
    const QString heard = QString(850, u'a') + s(" end");
    h.capture.transcript(heard, false);
    settle();
    EXPECT_EQ(heardText(live).size(), 800);
    EXPECT_TRUE(heard.endsWith(heardText(live)));
    EXPECT_FALSE(live->transcriptGroup()->isExpanded());

    // Pause and resume.
    button(live, s("Pause"))->click();
    settle();
    EXPECT_TRUE(h.store->isPaused());
    EXPECT_EQ(shownTexts(live).first(), s("Session paused."));
    EXPECT_EQ(live->captureStatus()->healthText(), s("Listening paused"));
    button(live, s("Resume"))->click();
    ASSERT_TRUE(screen.wait([&] { return !h.store->isPaused() && !h.store->isStarting(); }));
    EXPECT_NE(button(live, s("Pause")), nullptr);

    // The floating window toggle.
    button(live, s("Floating window"))->click();
    settle();
    EXPECT_TRUE(h.store->showOverlay());
    button(live, s("Hide floating window"))->click();
    settle();
    EXPECT_FALSE(h.store->showOverlay());

    // The error phase offers Try again, which restarts listening.
    EXPECT_FALSE(live->errorCard()->isVisible());
    h.capture.fail(s("The sound server went away."));
    settle();
    ASSERT_EQ(h.store->sessionPhase(), SessionPhase::error);
    EXPECT_EQ(shownTexts(live).first(), s("Action required."));
    EXPECT_TRUE(live->errorCard()->isVisible());
    EXPECT_EQ(live->waitingPanel()->headline(), s("Listening is not ready yet."));
    const int starts = h.capture.starts;
    button(live->errorCard(), s("Try again"))->click();
    ASSERT_TRUE(screen.wait([&] { return h.capture.starts > starts && !h.store->isStarting(); }));
    EXPECT_NE(h.store->sessionPhase(), SessionPhase::error);
    EXPECT_FALSE(live->errorCard()->isVisible());

    screen.view.hide();
    EXPECT_FALSE(live->clock()->isTicking()) << "the clock stops while hidden";
    screen.view.show();
    button(live, s("End session"))->click();
    settle();
    EXPECT_FALSE(h.store->isSessionActive());
    EXPECT_EQ(h.store->section(), AppSection::history);
    EXPECT_EQ(screen.live(), nullptr);
    EXPECT_TRUE(screen.view.emptyState()->isVisible());
}

TEST(SessionView, MicrophoneDraftsWaitForConfirmation) {
    Screen screen;
    SessionScreenHarness& h = screen.h;
    h.store->setAudioSource(AudioSource::microphone);
    ASSERT_TRUE(h.startListening());
    settle();
    SessionContentView* live = screen.live();
    h.capture.transcript(s("Tell me about a conflict"), false);
    settle();
    EXPECT_EQ(shownTexts(live->conversation()).mid(0, 2),
              (QStringList{s("DRAFT TO REVIEW"), s("Tell me about a conflict")}));
    ActionButton* use = qobject_cast<ActionButton*>(button(live, s("Use this question")));
    ASSERT_NE(use, nullptr);
    EXPECT_TRUE(use->isEnabled());
    EXPECT_EQ(live->manualQuestion()->text(), s("Tell me about a conflict"));

    h.store->setQuestionDraft(s("  \n "));
    settle();
    EXPECT_FALSE(use->isEnabled());
    EXPECT_FALSE(button(live, s("Suggest an answer"))->isEnabled());

    // A question heard while the user types neither replaces nor splits the typed text.
    live->manualGroup()->setExpanded(true);
    QTextEdit* editor = live->manualQuestion()->editor();
    editor->clear();
    editor->setFocus();
    QTest::keyClicks(editor, s("What is your gre"));
    h.capture.transcript(s("What is your favourite feature"), false);
    settle();
    QTest::keyClicks(editor, s("atest weakness?"));
    settle();
    EXPECT_EQ(live->manualQuestion()->text(), s("What is your greatest weakness?"));
    EXPECT_EQ(h.store->questionDraft(), s("What is your greatest weakness?"));
    EXPECT_EQ(shownTexts(live->conversation()).at(1), s("What is your greatest weakness?"));
    EXPECT_TRUE(use->isEnabled());

    // Cleared, the field takes what is heard again, and keys typed next go after it.
    editor->clear();
    h.capture.transcript(s("Why this role"), false);
    settle();
    EXPECT_EQ(live->manualQuestion()->text(), s("Why this role"));
    QTest::keyClicks(editor, s(" here?"));
    EXPECT_EQ(h.store->questionDraft(), s("Why this role here?"));

    h.store->togglePause();
    settle();
    EXPECT_FALSE(use->isEnabled());
    EXPECT_FALSE(button(live, s("Suggest an answer"))->isEnabled());
    h.store->togglePause();
    ASSERT_TRUE(screen.wait([&] { return !h.store->isStarting(); }));

    h.answers.answer({"Because it fits."});
    h.store->setQuestionDraft(s("Why this role?"));
    settle();
    use->click();
    ASSERT_TRUE(screen.wait(
        [&] { return !h.store->currentAnswer().isEmpty() && !h.store->isGenerating(); }));
    EXPECT_EQ(h.store->currentQuestion(), s("Why this role?"));
}

// What the windows show after their incremental repaints, against the same windows drawn afresh.
namespace {
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
            differing += shown.pixel(x, y) != fresh.pixel(x, y);
    return differing;
}
} // namespace

TEST(IncrementalPaint, AStreamedAnswerLeavesNothingStale) {
    Screen screen;
    SessionScreenHarness& h = screen.h;
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
    EXPECT_EQ(differingPixels(screen.view), 0);
    EXPECT_EQ(differingPixels(overlay), 0);
}

// A new question clears a long answer: the answer panel shrinks, and its new bottom corners and
// what it uncovers are drawn as a fresh rendering draws them.
TEST(IncrementalPaint, AShrunkAnswerLeavesNothingStale) {
    Screen screen;
    SessionScreenHarness& h = screen.h;
    ASSERT_TRUE(h.startListening());
    h.answers.answer(fourCues);
    h.capture.transcript(s("How did you speed up deployments?"), true);
    ASSERT_TRUE(screen.wait([&] { return !h.store->isGenerating(); }));
    const int longHeight = screen.live()->responsePanel()->height();

    h.answers.answer({"Short."});
    h.capture.transcript(s("Why this role?"), true);
    ASSERT_TRUE(screen.wait(
        [&] { return h.store->currentAnswer() == s("Short.") && !h.store->isGenerating(); }));
    EXPECT_LT(screen.live()->responsePanel()->height(), longHeight);
    EXPECT_EQ(differingPixels(screen.view), 0);
}

// At the window's minimum, default and a large size, in every state, opening "Add a question
// manually" scrolls the screen until "Suggest an answer" is in view, and no further: where
// everything fits nothing scrolls under the header. The control bar stays on screen.
TEST(SessionView, TheManualEntryIsReachableAtEverySize) {
    for (const QSize size : {QSize(1040, 740), QSize(1280, 860), QSize(1600, 1000)}) {
        for (const std::string moment : {"waiting", "answering", "error", "draft"}) {
            SCOPED_TRACE(moment + " " + std::to_string(size.width()));
            Screen screen;
            SessionScreenHarness& h = screen.h;
            screen.view.resize(size);
            if (moment == "draft")
                h.store->setAudioSource(AudioSource::microphone);
            ASSERT_TRUE(h.startListening());
            if (moment == "answering") {
                h.answers.answer(fourCues, 1.0);
                h.capture.transcript(s("How did you speed up deployments?"), true);
                ASSERT_TRUE(screen.wait([&] { return !h.store->currentAnswer().isEmpty(); }));
            } else if (moment == "error") {
                h.capture.fail(s("The sound server went away."));
            } else if (moment == "draft") {
                h.capture.transcript(s("Tell me about a conflict"), false);
            }
            settle();
            SessionContentView* live = screen.live();
            live->manualGroup()->header()->click();
            settle();
            EXPECT_TRUE(test::wholeInView(live->scrollArea()->viewport(), live->suggestButton()));
            EXPECT_TRUE(test::wholeInView(live->scrollArea()->viewport(), live->manualQuestion()));
            QWidget* content = live->scrollArea()->widget();
            EXPECT_EQ(live->scrollArea()->verticalScrollBar()->value(),
                      qMax(0, content->layout()->totalHeightForWidth(content->width()) -
                                  live->scrollArea()->viewport()->height()));
            QWidget* status = live->captureStatus();
            EXPECT_LE(status->mapTo(&screen.view, QPoint(0, status->height())).y(), size.height());
        }
    }
}

// Help and an error card that appear by themselves above the manual field, while the user
// types in it, leave the field where it was on screen; scrolled back up, no empty room remains.
TEST(SessionView, TheFieldBeingTypedInHoldsStillWhenContentAppearsAbove) {
    for (const QSize size : {QSize(1040, 740), QSize(1600, 1000)}) {
        SCOPED_TRACE(size.height());
        Screen screen;
        SessionScreenHarness& h = screen.h;
        screen.view.resize(size);
        ASSERT_TRUE(h.startListening());
        settle();
        SessionContentView* live = screen.live();
        live->manualGroup()->header()->click();
        settle();
        QTextEdit* editor = live->manualQuestion()->editor();
        editor->setFocus();
        QTest::keyClicks(editor, s("Why do you"));
        const auto fieldY = [&] {
            return live->manualQuestion()->mapTo(&screen.view, QPoint()).y();
        };
        const int before = fieldY();

        for (double t = 0; t < 9; t += 0.5) {
            h.capture.level(0.0);
            h.clock.advance(0.5);
        }
        settle();
        ASSERT_TRUE(live->captureHelp()->isVisible());
        EXPECT_EQ(fieldY(), before) << "after the capture help";
        h.capture.fail(s("The sound server went away."));
        settle();
        ASSERT_TRUE(live->errorCard()->isVisible());
        EXPECT_EQ(fieldY(), before) << "after the error card";
        EXPECT_TRUE(test::wholeInView(live->scrollArea()->viewport(), live->manualQuestion()));
        QTest::keyClicks(editor, s(" want this role?"));
        EXPECT_EQ(h.store->questionDraft(), s("Why do you want this role?"));

        live->scrollArea()->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
        settle();
        EXPECT_TRUE(noRoomAdded(live));
    }
}

// A heard question that ends the error state takes the error card away above the field being
// typed in: the field stays where it was even where the page is scrolled less than the card was
// tall, and the room kept for it goes once the user leaves the field.
TEST(SessionView, TheFieldBeingTypedInHoldsStillWhenTheErrorCardGoes) {
    for (const QSize size : {QSize(1040, 740), QSize(1600, 1000)}) {
        SCOPED_TRACE(size.height());
        Screen screen;
        SessionScreenHarness& h = screen.h;
        screen.view.resize(size);
        ASSERT_TRUE(h.startListening());
        h.answers.enqueue(
            test::FakeAnswerSource::Route::answer,
            {.deltas = {"Half"}, .failure = AnswerServiceError::Case::serverUnavailable});
        const QString project = s("Tell me about your last project?");
        h.capture.transcript(project, true);
        settle();
        SessionContentView* live = screen.live();
        ASSERT_TRUE(live->errorCard()->isVisible());
        live->manualGroup()->header()->click();
        settle();
        QTextEdit* editor = live->manualQuestion()->editor();
        editor->setFocus();
        editor->selectAll();
        QTest::keyClicks(editor, s("Why do you"));
        settle();
        const auto y = [&](const QWidget* widget) {
            return widget->mapTo(&screen.view, QPoint()).y();
        };
        const int field = y(live->manualQuestion());
        const int conversation = y(live->conversation());

        h.answers.answer({"Calmly."}, 1);
        h.capture.transcript(project + s(" How do you handle pressure?"), true);
        settle();
        ASSERT_FALSE(live->errorCard()->isVisible());
        EXPECT_EQ(y(live->manualQuestion()), field);
        EXPECT_EQ(y(live->conversation()), conversation) << "nor does what is above it move";
        QTest::keyClicks(editor, s(" want this role?"));
        EXPECT_EQ(h.store->questionDraft(), s("Why do you want this role?"));

        live->suggestButton()->setFocus();
        h.clock.advance(1);
        settle();
        EXPECT_TRUE(noRoomAdded(live));
    }
}

// "Try again" takes its own card away: the focus Qt passes on from it must not scroll the page,
// by mouse or by keyboard, so the question stays whole under the header.
TEST(SessionView, TryAgainLeavesThePageWhereItWas) {
    for (const bool keyboard : {false, true}) {
        SCOPED_TRACE(keyboard);
        Screen screen;
        SessionScreenHarness& h = screen.h;
        screen.view.resize(1110, 600);
        ASSERT_TRUE(h.startListening());
        const test::FakeAnswerSource::Reply failing{
            .deltas = {"Half"},
            .seconds = 1,
            .failure = AnswerServiceError::Case::serverUnavailable};
        h.answers.enqueue(test::FakeAnswerSource::Route::answer, failing);
        h.answers.enqueue(test::FakeAnswerSource::Route::answer, failing);
        h.capture.transcript(s("Tell me about your last project?"), true);
        settle();
        h.clock.advance(1);
        settle();
        SessionContentView* live = screen.live();
        ASSERT_TRUE(live->errorCard()->isVisible());
        QScrollBar* bar = live->scrollArea()->verticalScrollBar();
        ASSERT_GT(bar->maximum(), 0) << "the page scrolls";
        ASSERT_EQ(bar->value(), 0);

        QAbstractButton* retry = button(live->errorCard(), s("Try again"));
        if (keyboard) {
            focusByKeyboard(retry);
            QTest::keyClick(retry, Qt::Key_Space);
        } else {
            QTest::mouseClick(retry, Qt::LeftButton);
        }
        settle();
        EXPECT_FALSE(live->errorCard()->isVisible());
        EXPECT_EQ(bar->value(), 0);
        h.clock.advance(1);
        settle();
        EXPECT_TRUE(live->errorCard()->isVisible());
        EXPECT_EQ(bar->value(), 0);
    }
}

// "Try again" takes its own card away. Tabbed to and pressed with Space, the control the focus
// goes on to shows the keyboard ring, once the answer came too, and is in view; tabbed to and
// clicked, nothing rings.
TEST(SessionView, TryAgainByKeyboardRingsTheNextControl) {
    for (const bool keyboard : {true, false}) {
        SCOPED_TRACE(keyboard);
        Screen screen;
        SessionScreenHarness& h = screen.h;
        screen.view.resize(1110, 600);
        QApplication::setActiveWindow(&screen.view);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen.view));
        ASSERT_TRUE(h.startListening());
        h.answers.enqueue(
            test::FakeAnswerSource::Route::answer,
            {.deltas = {"Half"}, .failure = AnswerServiceError::Case::serverUnavailable});
        h.answers.answer({"Calmly, one step at a time."}, 1);
        h.capture.transcript(s("How do you handle pressure?"), true);
        settle();
        SessionContentView* live = screen.live();
        ASSERT_TRUE(live->errorCard()->isVisible());
        QAbstractButton* retry = button(live->errorCard(), s("Try again"));
        for (int presses = 0; presses < 30 && !retry->hasFocus(); ++presses)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                        : &screen.view,
                            Qt::Key_Tab);
        ASSERT_TRUE(FocusRing::shownOn(retry));
        if (keyboard)
            QTest::keyClick(retry, Qt::Key_Space);
        else
            QTest::mouseClick(retry, Qt::LeftButton);
        settle();
        h.clock.advance(1);
        settle();
        ASSERT_EQ(h.store->currentAnswer(), s("Calmly, one step at a time."));
        ASSERT_FALSE(live->errorCard()->isVisible());
        QWidget* next = QApplication::focusWidget();
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(FocusRing::shownOn(next), keyboard) << next->accessibleName().toStdString();
        EXPECT_TRUE(test::wholeInView(live->scrollArea()->viewport(), next));
    }
}

// A click on Pause leaves the focus in the question being typed: its spaces are typed, they do
// not pause and resume the session over and over.
TEST(SessionView, AClickOnPauseLeavesTheFocusInTheTypedQuestion) {
    Screen screen;
    SessionScreenHarness& h = screen.h;
    QApplication::setActiveWindow(&screen.view);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen.view));
    ASSERT_TRUE(h.startListening());
    settle();
    SessionContentView* live = screen.live();
    live->manualGroup()->header()->click();
    settle();
    QWidget* field = live->manualQuestion()->editor()->viewport();
    QTest::mouseClick(field, Qt::LeftButton, {}, field->rect().center());
    ASSERT_TRUE(live->manualQuestion()->editor()->hasFocus());

    QAbstractButton* pause = button(live, s("Pause"));
    QSignalSpy pressed(pause, &QAbstractButton::clicked);
    QTest::mousePress(pause, Qt::LeftButton, {}, pause->rect().center());
    QTest::mouseRelease(pause, Qt::LeftButton, {}, pause->rect().center());
    settle();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClicks(QApplication::focusWidget(), s("Why do you want this role?"));
    settle();
    EXPECT_EQ(pressed.count(), 1);
    EXPECT_TRUE(h.store->isPaused());
    EXPECT_EQ(live->manualQuestion()->text(), s("Why do you want this role?"));
}

// A long role and company elide on one line (the whole text as tool tip) and never make the
// screen wider than a short one does.
TEST(SessionView, ALongRoleNeverWidensTheScreen) {
    const auto minimumWidth = [](const QString& role, const QString& company) {
        Screen screen;
        InterviewContext context = screen.h.store->context();
        context.role = role;
        context.company = company;
        screen.h.store->setContext(context);
        EXPECT_TRUE(screen.h.startListening());
        settle();
        SpacedLabel* subtitle = screen.live()->subtitle();
        EXPECT_TRUE(subtitle->toolTip().contains(company));
        screen.view.resize(1000, 800);
        settle();
        EXPECT_LE(subtitle->height(), subtitle->fontMetrics().height() + 2) << "one line";
        return screen.view.minimumSizeHint().width();
    };
    const int shortWidth = minimumWidth(s("Engineer"), s("Acme"));
    EXPECT_EQ(minimumWidth(QString(s("Principal engineer ")).repeated(16).left(300),
                           QString(300, QLatin1Char('W'))),
              shortWidth);
}

// The whole moment as the window shows it: the capture help goes once audio arrives, a question
// is heard, its answer fails and the message banner comes above the screen. The field typed in
// meanwhile stays where it was through all of it.
TEST(SessionView, TheFieldBeingTypedInHoldsStillUnderTheBanner) {
    SessionScreenHarness h;
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* banner = new QWidget(&window);
    banner->setFixedHeight(62);
    banner->hide();
    column->addWidget(banner);
    auto* view = new SessionView(h.environment(), h.clock, {});
    column->addWidget(view, 1);
    QObject::connect(h.store.get(), &AppStore::messageChanged, banner,
                     [&] { banner->setVisible(bool(h.store->message())); });
    window.resize(1110, 660);
    window.show();
    ASSERT_TRUE(h.startListening());
    for (double t = 0; t < 9; t += 0.5) {
        h.capture.level(0.0);
        h.clock.advance(0.5);
    }
    settle();
    SessionContentView* live = view->content();
    ASSERT_TRUE(live->captureHelp()->isVisible());
    live->manualGroup()->header()->click();
    settle();
    QTextEdit* editor = live->manualQuestion()->editor();
    QTest::mouseClick(editor->viewport(), Qt::LeftButton);
    QTest::keyClicks(editor, s("How do you handle"));
    settle();
    const auto fieldY = [&] { return live->manualQuestion()->mapTo(&window, QPoint()).y(); };
    const int before = fieldY();

    h.capture.level(0.5);
    settle();
    ASSERT_FALSE(live->captureHelp()->isVisible());
    EXPECT_EQ(fieldY(), before) << "after the help went";
    h.answers.enqueue(test::FakeAnswerSource::Route::answer,
                      {.deltas = {"Half"}, .failure = AnswerServiceError::Case::serverUnavailable});
    h.capture.transcript(s("Tell me about your last project?"), true);
    settle();
    ASSERT_TRUE(banner->isVisible());
    ASSERT_TRUE(live->errorCard()->isVisible());
    EXPECT_EQ(fieldY(), before) << "after the error card and the banner";
    QTest::keyClicks(editor, s(" on-call?"));
    EXPECT_EQ(h.store->questionDraft(), s("How do you handle on-call?"));
}
