#include "StoreHarness.h"

#include "core/WorkspaceStorage.h"

#include <gtest/gtest.h>

using namespace corvel;
using test::StoreHarness;
using test::TestHttpServer;

namespace {

// The question each answer request carried, in order.
QStringList askedQuestions(const TestHttpServer& server) {
    QStringList questions;
    for (const auto& request : server.requests()) {
        for (const char* q : {"last project", "strength", "weakness", "salary", "team", "leave"}) {
            if (request.body.contains(q))
                questions.append(QString::fromLatin1(q));
        }
    }
    return questions;
}

class Session : public ::testing::Test {
protected:
    void SetUp() override {
        h.prepare();
        ASSERT_TRUE(h.startListening());
        ASSERT_EQ(h.store->sessionPhase(), SessionPhase::waiting);
    }
    void hear(const QString& text, bool isFinal) { h.capture.transcript(text, isFinal); }
    StoreHarness h;
};

} // namespace

TEST_F(Session, PartialQuestionIsAskedAfterTheSpeakerStops) {
    EXPECT_EQ(h.capture.lastLocale, QStringLiteral("en-US"));
    h.server.enqueue(
        StoreHarness::answer({"I led ", "the migration. ", "**Impact**\\nIt cut costs."}));
    hear(QStringLiteral("Hello. Tell me about your last project?"), false);
    EXPECT_EQ(h.store->questionDraft(), QStringLiteral("Tell me about your last project?"));
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::listening);

    // Sound heard 0.4 s in keeps the store waiting past the 0.5 s mark, in 0.1 s steps.
    h.clock.advance(0.4);
    h.capture.level(0.6);
    h.clock.advance(0.1);
    h.clock.advance(0.1);
    EXPECT_FALSE(h.store->isGenerating());
    h.clock.advance(0.1);
    EXPECT_TRUE(h.store->isGenerating());
    EXPECT_EQ(h.store->currentQuestion(), QStringLiteral("Tell me about your last project?"));
    EXPECT_FALSE(h.store->latencyMetrics()) << "no figures before the first text";

    ASSERT_TRUE(h.waitForAnswer());
    EXPECT_EQ(h.store->currentAnswer(),
              QStringLiteral("I led the migration. **Impact**\nIt cut costs."));
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::listening);
    ASSERT_EQ(h.store->sessionEntries().size(), 1u);
    const AnswerEntry& entry = h.store->sessionEntries()[0];
    ASSERT_TRUE(entry.latency);
    EXPECT_EQ(entry.latency->questionStabilityMilliseconds, 700);
    EXPECT_TRUE(entry.latency->firstTokenMilliseconds);
    EXPECT_TRUE(entry.latency->firstCueMilliseconds);
    EXPECT_TRUE(entry.latency->totalMilliseconds);
    EXPECT_EQ(entry.firstTokenMilliseconds, entry.latency->firstTokenMilliseconds);
}

TEST_F(Session, FinalQuestionIsAskedAtOnceAndNotTwiceWithin12Seconds) {
    h.server.enqueue(StoreHarness::answer({"A calm focus."}));
    h.server.enqueue(StoreHarness::answer({"Still a calm focus."}));
    const QString question = QStringLiteral("What is your biggest strength?");
    hear(question, true);
    EXPECT_TRUE(h.store->isGenerating());
    ASSERT_TRUE(h.waitForAnswer());

    hear(question + QLatin1Char(' ') + question, true);
    EXPECT_FALSE(h.store->isGenerating());
    h.clock.advance(12.5);
    hear(question + QLatin1Char(' ') + question + QLatin1Char(' ') + question, true);
    EXPECT_TRUE(h.store->isGenerating());
    ASSERT_TRUE(h.waitForAnswer());
    EXPECT_EQ(askedQuestions(h.server),
              (QStringList{QStringLiteral("strength"), QStringLiteral("strength")}));
    EXPECT_EQ(h.store->sessionEntries().size(), 2u);
}

TEST_F(Session, QuestionsArrivingDuringAnAnswerWaitAndTheOldestIsDropped) {
    h.server.enqueue(StoreHarness::answer({"One ", "two ", "three."}, 150));
    for (int i = 0; i < 3; ++i)
        h.server.enqueue(StoreHarness::answer({"Next."}));
    QString transcript = QStringLiteral("Tell me about your last project?");
    hear(transcript, true);
    ASSERT_TRUE(h.store->isGenerating());
    for (const char* q : {"What is your biggest weakness?", "What salary do you expect?",
                          "How do you work in a team?", "Why do you want to leave?"}) {
        transcript += QLatin1Char(' ') + QString::fromLatin1(q);
        hear(transcript, true);
    }
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return h.server.requests().size() == 4 && !h.store->isGenerating(); }, 8000));
    EXPECT_EQ(askedQuestions(h.server),
              (QStringList{QStringLiteral("last project"), QStringLiteral("salary"),
                           QStringLiteral("team"), QStringLiteral("leave")}));
    EXPECT_EQ(h.store->sessionEntries().size(), 4u);
}

TEST_F(Session, FailedAnswerKeepsThePartialTextAndDropsTheQueue) {
    auto broken = StoreHarness::answer({"The first half"});
    broken.chunks.removeLast();
    broken.end = TestHttpServer::End::cut;
    h.server.enqueue(broken);
    hear(QStringLiteral("Tell me about your last project?"), true);
    ASSERT_TRUE(h.waitForAnswer());
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::error);
    ASSERT_TRUE(h.store->message());
    ASSERT_EQ(h.store->sessionEntries().size(), 1u);
    EXPECT_EQ(h.store->sessionEntries()[0].answer, QStringLiteral("The first half"));
    EXPECT_TRUE(h.store->sessionEntries()[0].latency->totalMilliseconds);
}

TEST_F(Session, PauseKeepsThePartialAnswerAndResumeListensAgain) {
    h.server.enqueue(StoreHarness::answer({"Part one. ", "Part two. ", "Part three."}, 200));
    hear(QStringLiteral("Tell me about your last project?"), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.store->currentAnswer().isEmpty(); }, 5000));

    h.store->togglePause();
    EXPECT_TRUE(h.store->isPaused());
    EXPECT_FALSE(h.store->isGenerating());
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::paused);
    EXPECT_FALSE(h.audio.isRunning());
    ASSERT_EQ(h.store->sessionEntries().size(), 1u);
    const QString kept = h.store->sessionEntries()[0].answer;
    QTest::qWait(500);
    EXPECT_EQ(h.store->sessionEntries()[0].answer, kept) << "late deltas are dropped";

    // A capture error while paused changes nothing.
    h.capture.fail(QStringLiteral("The device went away."));
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::paused);

    h.store->togglePause();
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::preparing);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return h.store->sessionPhase() == SessionPhase::waiting; }, 5000));
    EXPECT_EQ(h.capture.starts, 2);
}

TEST_F(Session, CaptureErrorDuringTheSessionShowsIt) {
    h.capture.fail(QStringLiteral("The sound server stopped."));
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::error);
    ASSERT_TRUE(h.audio.error());
    EXPECT_EQ(h.store->message(), h.audio.error());
    EXPECT_TRUE(h.store->message()->contains(QStringLiteral("The sound server stopped.")));
}

TEST_F(Session, EndStoresARecordOnlyWithAnswersAndSavesIt) {
    h.server.enqueue(StoreHarness::answer({"An answer."}));
    hear(QStringLiteral("Tell me about your last project?"), true);
    ASSERT_TRUE(h.waitForAnswer());
    h.clock.advance(95.7);
    h.store->endSession();

    EXPECT_FALSE(h.store->isSessionActive());
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::idle);
    EXPECT_EQ(h.store->section(), AppSection::history);
    ASSERT_EQ(h.store->history().size(), 1u);
    const InterviewRecord& record = h.store->history()[0];
    EXPECT_EQ(record.role, QStringLiteral("Platform Engineer"));
    EXPECT_EQ(record.duration, 95);
    ASSERT_EQ(record.entries.size(), 1u);
    EXPECT_TRUE(record.entries[0].latency);
    ASSERT_TRUE(h.store->selectedRecord());
    EXPECT_EQ(h.store->selectedRecord()->id, record.id);
    const auto saved = WorkspaceStorage::load(h.folder.path()).workspace;
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->history.size(), 1u);
    EXPECT_EQ(saved->history[0].entries[0].answer, QStringLiteral("An answer."));

    // A session without answers leaves no record and returns to the preparation.
    ASSERT_TRUE(h.startListening());
    h.store->endSession();
    EXPECT_EQ(h.store->history().size(), 1u);
    EXPECT_FALSE(h.store->selectedRecord());
    EXPECT_EQ(h.store->section(), AppSection::profile);
}

TEST(SessionStart, RefusesWithoutPreparationOrKeyAndHandlesCaptureThatFails) {
    StoreHarness h(std::nullopt);
    h.store->startSession();
    EXPECT_FALSE(h.store->isSessionActive());
    EXPECT_EQ(h.store->section(), AppSection::profile);
    EXPECT_EQ(h.store->message(),
              QStringLiteral("Add the job description and your resume to prepare the session."));
    h.prepare();
    h.store->startSession();
    EXPECT_EQ(h.store->section(), AppSection::settings);
    EXPECT_EQ(h.store->message(),
              QStringLiteral("Configure the interview service before starting a session."));

    ASSERT_TRUE(h.store->saveKey(QStringLiteral("sk-test")));
    h.capture.failStart = true;
    h.store->startSession();
    EXPECT_TRUE(h.store->isStarting());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.store->isStarting(); }, 5000));
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::error);
    EXPECT_EQ(h.store->message(), QStringLiteral("The sound server went away."));
}

TEST(SessionStart, MicrophoneQuestionsWaitForConfirmationAndFrenchListensInFrench) {
    StoreHarness h;
    h.prepare();
    h.store->setAudioSource(AudioSource::microphone);
    InterviewContext context = h.store->context();
    context.language = QStringLiteral("Français");
    h.store->setContext(context);
    ASSERT_TRUE(h.startListening());
    EXPECT_EQ(h.capture.lastLocale, QStringLiteral("fr-FR"));

    h.capture.transcript(QStringLiteral("Parlez-moi de votre dernier projet ?"), true);
    h.clock.advance(5);
    EXPECT_FALSE(h.store->isGenerating());
    EXPECT_EQ(h.store->questionDraft(), QStringLiteral("Parlez-moi de votre dernier projet ?"));
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::listening);

    h.server.enqueue(StoreHarness::answer({"Oui."}));
    h.store->ask();
    EXPECT_TRUE(h.store->isGenerating());
    ASSERT_TRUE(h.waitForAnswer());
    EXPECT_TRUE(h.server.requests().back().body.contains("dernier projet"));
    EXPECT_EQ(h.store->sessionEntries().size(), 1u);

    // A blank draft asks nothing.
    h.store->setQuestionDraft(QStringLiteral("   "));
    h.store->ask();
    EXPECT_FALSE(h.store->isGenerating());
}
