#include "SessionSegments.h"
#include "StoreHarness.h"

#include "core/WorkspaceStorage.h"
#include "listening/FakeCaptureStack.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace corvel;
using test::FakeAnswerSource;
using test::StoreHarness;

namespace {

class Session : public ::testing::Test {
protected:
    void SetUp() override {
        h.prepare();
        ASSERT_TRUE(h.startListening());
        ASSERT_EQ(h.store->sessionPhase(), SessionPhase::waiting);
    }
    void hear(const QString& text, bool isFinal) {
        h.capture.transcript(text, isFinal);
        h.settle();
    }
    void advance(double seconds) {
        h.clock.advance(seconds);
        h.settle();
    }
    StoreHarness h;
};

const QString project = QStringLiteral("Tell me about your last project?");

} // namespace

TEST_F(Session, PartialQuestionIsAskedAfterTheSpeakerStopsAndTimedFromItsFirstText) {
    EXPECT_EQ(h.capture.lastLocale, QStringLiteral("en-US"));
    h.answers.answer({"I led ", "the migration. ", "**Impact**\nIt cut costs."}, 0.2);
    hear(QStringLiteral("Hello. ") + project, false);
    EXPECT_EQ(h.store->questionDraft(), project);
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::listening);

    // Sound heard 0.4 s in keeps the store waiting past the 0.5 s mark, in 0.1 s steps.
    h.clock.advance(0.4);
    h.capture.level(0.6);
    h.clock.advance(0.1);
    h.clock.advance(0.1);
    EXPECT_FALSE(h.store->isGenerating());
    h.clock.advance(0.1);
    EXPECT_TRUE(h.store->isGenerating());
    EXPECT_EQ(h.store->currentQuestion(), project);
    EXPECT_FALSE(h.store->latencyMetrics()) << "no figures before the first text";
    EXPECT_FALSE(h.store->firstTokenMilliseconds());

    h.settle();
    ASSERT_TRUE(h.store->latencyMetrics());
    EXPECT_EQ(h.store->latencyMetrics()->questionStabilityMilliseconds, 700);
    EXPECT_EQ(h.store->firstTokenMilliseconds(), 0);
    EXPECT_FALSE(h.store->firstCueMilliseconds()) << "no sentence end yet";
    advance(0.2);
    EXPECT_EQ(h.store->firstCueMilliseconds(), 200);
    advance(0.2);
    EXPECT_FALSE(h.store->totalResponseMilliseconds());
    advance(0.2);
    EXPECT_FALSE(h.store->isGenerating());
    EXPECT_EQ(h.store->totalResponseMilliseconds(), 600);
    EXPECT_EQ(h.store->currentAnswer(),
              QStringLiteral("I led the migration. **Impact**\nIt cut costs."));
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::listening);
    ASSERT_EQ(h.store->sessionEntries().size(), 1u);
    const AnswerEntry& entry = h.store->sessionEntries()[0];
    EXPECT_EQ(entry.latency, h.store->latencyMetrics());
    EXPECT_EQ(entry.firstTokenMilliseconds, 0);
}

TEST_F(Session, FinalQuestionIsAskedAtOnceAndNotTwiceWithin12Seconds) {
    h.answers.answer({"A calm focus."});
    h.answers.answer({"Still a calm focus."});
    const QString question = QStringLiteral("What is your biggest strength?");
    hear(question, true);
    EXPECT_FALSE(h.store->isGenerating());
    EXPECT_EQ(h.store->sessionEntries().size(), 1u);

    hear(question + QLatin1Char(' ') + question, true);
    EXPECT_EQ(h.askedQuestions().size(), 1);
    h.clock.advance(12.5);
    hear(question + QLatin1Char(' ') + question + QLatin1Char(' ') + question, true);
    EXPECT_EQ(h.askedQuestions(), (QStringList{question, question}));
    EXPECT_EQ(h.store->sessionEntries().size(), 2u);
}

// An English question may end on a preposition, so the interviewer may still be going on: a
// final result that does is asked only once they have stopped. One cut off on an article or a
// possessive never is.
TEST_F(Session, QuestionsEndingOnAPrepositionAreAskedOnceTheInterviewerStops) {
    const QStringList questions = {QStringLiteral("What are you most proud of?"),
                                   QStringLiteral("What salary are you looking for?"),
                                   QStringLiteral("Which tools have you worked with?"),
                                   QStringLiteral("What are you passionate about?"),
                                   QStringLiteral("Who does this role report to?"),
                                   QStringLiteral("What kind of team do you enjoy working in?")};
    for (const QString& question : questions) {
        h.answers.answer({"An answer."});
        const double heardAt = h.clock.now();
        hear(question, true);
        for (int i = 0; i < 6; ++i) {
            h.capture.level(0.6);
            advance(0.1);
            EXPECT_FALSE(h.store->isGenerating()) << "still heard: " << qPrintable(question);
        }
        while (h.askedQuestions().size() < questions.indexOf(question) + 1 &&
               h.clock.now() - heardAt < 1.5)
            advance(0.1);
        EXPECT_EQ(h.askedQuestions().size(), questions.indexOf(question) + 1)
            << "not asked within 1.5 s: " << qPrintable(question);
    }
    advance(3);
    EXPECT_EQ(h.askedQuestions(), questions);

    for (const QString& cutOff :
         {QStringLiteral("Tell me about the"), QStringLiteral("Tell me about your")}) {
        hear(cutOff, true);
        advance(3);
    }
    EXPECT_EQ(h.askedQuestions(), questions);
}

namespace {

using test::SessionSegments;

const QString proud = QStringLiteral("What are you most proud of?");

} // namespace

// The recogniser ends a result at every pause. Words the interviewer adds before the wait for a
// question that may go on is over continue it, in the next recognition segment.
TEST_F(SessionSegments, AQuestionGoingOnAfterAPauseIsAskedWhole) {
    for (int i = 0; i < 3; ++i)
        h.answers.answer({"An answer."});

    say(QStringLiteral("What do you think about?"), true);
    EXPECT_EQ(h.store->questionDraft(), QStringLiteral("What do you think about?"));
    advance(0.2, false);
    advance(0.4, true);
    say(QStringLiteral("Our"), false);
    advance(0.2, true);
    say(QStringLiteral("Our roadmap"), false);
    EXPECT_EQ(h.store->questionDraft(), QStringLiteral("What do you think about our roadmap?"));
    EXPECT_TRUE(h.askedQuestions().isEmpty());
    say(QStringLiteral("Our roadmap."), true);
    EXPECT_EQ(h.askedQuestions(),
              QStringList{QStringLiteral("What do you think about our roadmap?")});

    // Not continued before the wait is over, the question is asked as it stood; what follows
    // in the same segment is new text, and a question there is asked on its own.
    say(proud, true);
    advance(0.4, false);
    EXPECT_EQ(h.askedQuestions().size(), 1);
    advance(0.2, false);
    EXPECT_EQ(h.askedQuestions().last(), proud);
    say(QStringLiteral("Take your time"), false);
    say(QStringLiteral("Take your time. Which tools have you worked with?"), true);
    advance(1, false);
    say(QStringLiteral("Right."), true);
    advance(3, false);
    EXPECT_EQ(h.askedQuestions(),
              (QStringList{QStringLiteral("What do you think about our roadmap?"), proud,
                           QStringLiteral("Which tools have you worked with?")}));
}

// A question asked whole before a pause inside its sentence is asked once: what the interviewer
// says after the pause only goes on with it.
TEST_F(SessionSegments, WordsAfterAPauseThatGoOnWithAQuestionAskNothing) {
    h.answers.answer({"An answer."});
    say(QStringLiteral("Why did you leave?"), true);
    goOn({QStringLiteral("your"), QStringLiteral("last"), QStringLiteral("job")},
         QStringLiteral("Your last job?"));
    advance(3, false);
    EXPECT_EQ(h.askedQuestions(), QStringList{QStringLiteral("Why did you leave?")});
}

// What the interviewer adds within the wait that makes no question with the waiting one (a
// remark, a misheard fragment, words that never reach a final result) leaves it as it stood: it
// is asked once, when their final result comes or the wait ends.
TEST_F(SessionSegments, AWaitingQuestionIsAskedAsItStoodAfterARemark) {
    const QString about = QStringLiteral("What do you think about?");
    const QString passionate = QStringLiteral("What are you passionate about?");
    const std::pair<QString, QString> remarks[] = {
        {proud, QStringLiteral("I mean, in your last job.")},
        {about, QStringLiteral("Take your time.")},
        {QStringLiteral("Which tools have you worked with?"), QStringLiteral("Are road.")},
        // Sentences of their own: a subject and its verb.
        {proud, QStringLiteral("It can be anything.")},
        {passionate, QStringLiteral("Our team loves open source.")},
        {passionate, QStringLiteral("Our team was open source.")},
        {about, QStringLiteral("It doesn't have to be work related.")},
    };
    QStringList asked;
    for (const auto& [question, remark] : remarks) {
        h.answers.answer({"An answer."});
        say(question, true);
        QStringList words = remark.chopped(1).split(u' ');
        goOn(words, std::nullopt);
        EXPECT_EQ(h.askedQuestions(), asked) << "asked while the interviewer speaks";
        say(remark, true);
        asked.append(question);
        EXPECT_EQ(h.askedQuestions(), asked) << "not asked on the remark's final result";
        advance(3, false);
        EXPECT_EQ(h.askedQuestions(), asked);
        h.clock.advance(12); // past the repeat rule, for the same question on the next row
    }
}

// Words that read as the object a waiting question waits for join it as one sentence, in the
// request, the draft and the session's entries.
TEST_F(SessionSegments, AContinuedQuestionIsAskedAsOneSentence) {
    const std::pair<QString, QString> continued[] = {
        {QStringLiteral("Our roadmap."), QStringLiteral("What do you think about our roadmap?")},
        {QStringLiteral("The last project you led."),
         QStringLiteral("What do you think about the last project you led?")},
        {QStringLiteral("How we ship."), QStringLiteral("What do you think about how we ship?")},
        {QStringLiteral("I guess remote work."), QStringLiteral("What do you think about?")},
    };
    QStringList asked;
    for (const auto& [more, question] : continued) {
        h.answers.answer({"An answer."});
        say(QStringLiteral("What do you think about?"), true);
        goOn(more.chopped(1).split(u' '), more);
        asked.append(question);
        EXPECT_EQ(h.askedQuestions(), asked) << qPrintable(h.askedQuestions().join(u'|'));
        EXPECT_EQ(h.store->questionDraft(), question) << qPrintable(h.store->questionDraft());
        advance(3, false);
        h.clock.advance(12);
    }
    ASSERT_EQ(h.store->sessionEntries().size(), std::size(continued));
    EXPECT_EQ(h.store->sessionEntries()[1].question, asked[1]);
}

// Words after a waiting question that never become a final result: it is asked as it stood
// once the interviewer has stopped, or as far as the words continue it. Pausing during the wait
// still asks nothing.
TEST_F(SessionSegments, AWaitingQuestionIsAskedAfterTheWaitWhenWhatFollowsStaysPartial) {
    h.answers.answer({"An answer."});
    say(proud, true);
    goOn({QStringLiteral("I"), QStringLiteral("mean"), QStringLiteral("in")}, std::nullopt);
    advance(0.8, false);
    EXPECT_TRUE(h.askedQuestions().isEmpty());
    advance(0.3, false);
    EXPECT_EQ(h.askedQuestions(), QStringList{proud});
    advance(3, false);
    EXPECT_EQ(h.askedQuestions(), QStringList{proud});

    // The recogniser's partial results are guesses: words begun that may still finish the
    // question are waited for until their final result, or for a second after the
    // interviewer stops.
    const QString about = QStringLiteral("What do you think about?");
    h.answers.answer({"An answer."});
    say(about, true);
    goOn({QStringLiteral("Our"), QStringLiteral("road"), QStringLiteral("not")}, std::nullopt);
    advance(0.8, false);
    EXPECT_EQ(h.askedQuestions(), QStringList{proud});
    advance(0.3, false);
    EXPECT_EQ(h.askedQuestions(), (QStringList{proud, about}));

    h.clock.advance(12);
    h.answers.answer({"An answer."});
    say(about, true);
    goOn({QStringLiteral("Our"), QStringLiteral("road"), QStringLiteral("not")}, std::nullopt);
    advance(0.5, false);
    say(QStringLiteral("Our roadmap."), true);
    EXPECT_EQ(h.askedQuestions(),
              (QStringList{proud, about, QStringLiteral("What do you think about our roadmap?")}));

    say(about, true);
    h.store->togglePause();
    h.clock.advance(3);
    h.settle();
    EXPECT_EQ(h.askedQuestions().size(), 3);
}

// A question of its own after a waiting one: the waiting one is asked as it stood once the new
// one is heard, and the new one after it, each on its own.
TEST_F(SessionSegments, TwoQuestionsInARowAreAskedApart) {
    const QString salary = QStringLiteral("What salary are you looking for?");
    const QString tools = QStringLiteral("Which tools have you worked with?");
    h.answers.answer({"A range.", " More."}, 0.5);
    h.answers.answer({"C++."});
    say(salary, true);
    goOn({QStringLiteral("Which"), QStringLiteral("tools"), QStringLiteral("have"),
          QStringLiteral("you"), QStringLiteral("worked"), QStringLiteral("with")},
         std::nullopt);
    EXPECT_TRUE(h.askedQuestions().isEmpty());
    EXPECT_EQ(h.store->questionDraft(), salary) << "never the two merged";
    say(tools, true);
    EXPECT_EQ(h.askedQuestions(), QStringList{salary});
    EXPECT_EQ(h.store->questionDraft(), tools);
    advance(1.5, false);
    EXPECT_EQ(h.askedQuestions(), (QStringList{salary, tools}));
    EXPECT_EQ(h.store->sessionEntries().size(), 2u);
}

// A queued question asked by itself while another waits for the interviewer to stop leaves the
// waiting one waiting; it is asked after the queue.
TEST_F(SessionSegments, AQuestionFromTheQueueDoesNotEndTheWaitOfAnother) {
    const QString strength = QStringLiteral("What is your biggest strength?");
    const QString weakness = QStringLiteral("What is your biggest weakness?");
    h.answers.answer({"Focus."}, 0.3);
    h.answers.answer({"Impatience."});
    h.answers.answer({"The migration."});
    say(strength, true);
    say(weakness, true);
    say(proud, true);
    advance(0.3, false);
    EXPECT_EQ(h.askedQuestions(), (QStringList{strength, weakness}));
    advance(1, false);
    EXPECT_EQ(h.askedQuestions(), (QStringList{strength, weakness, proud}));
}

TEST_F(Session, QuestionsArrivingDuringAnAnswerWaitAndTheOldestIsDropped) {
    h.answers.answer({"One ", "two."}, 1);
    for (int i = 0; i < 3; ++i)
        h.answers.answer({"Next."});
    QString transcript = project;
    hear(transcript, true);
    ASSERT_TRUE(h.store->isGenerating());
    const QStringList later = {QStringLiteral("What is your biggest weakness?"),
                               QStringLiteral("What salary do you expect?"),
                               QStringLiteral("How do you work in a team?"),
                               QStringLiteral("Why do you want to leave?")};
    for (const QString& question : later) {
        transcript += QLatin1Char(' ') + question;
        hear(transcript, true);
    }
    EXPECT_EQ(h.askedQuestions().size(), 1);
    advance(1);
    advance(1);
    EXPECT_FALSE(h.store->isGenerating());
    EXPECT_EQ(h.askedQuestions(), (QStringList{project, later[1], later[2], later[3]}));
    EXPECT_EQ(h.store->sessionEntries().size(), 4u);
}

TEST_F(Session, FailedAnswerKeepsThePartialTextAndDropsTheQueue) {
    h.answers.enqueue(FakeAnswerSource::Route::answer,
                      {.deltas = {"The first half"},
                       .seconds = 1,
                       .failure = AnswerServiceError::Case::interruptedStream});
    const QString weakness = project + QStringLiteral(" What is your biggest weakness?");
    hear(project, true);
    hear(weakness, true);
    advance(1);
    EXPECT_FALSE(h.store->isGenerating());
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::error);
    EXPECT_EQ(h.store->message(),
              AnswerServiceError(AnswerServiceError::Case::interruptedStream).errorDescription());
    ASSERT_EQ(h.store->sessionEntries().size(), 1u);
    EXPECT_EQ(h.store->sessionEntries()[0].answer, QStringLiteral("The first half"));
    EXPECT_EQ(h.store->sessionEntries()[0].latency->totalMilliseconds, 1000);

    // The next answer that succeeds does not bring the dropped question back.
    h.answers.answer({"Better pay."});
    const QString leave = QStringLiteral("Why do you want to leave?");
    hear(weakness + QLatin1Char(' ') + leave, true);
    EXPECT_EQ(h.askedQuestions(), (QStringList{project, leave}));
}

TEST_F(Session, PauseOrANewQuestionKeepsThePartialAnswerAndDropsLateText) {
    // Both answers go on after they are cancelled, as replies already on their way would.
    const FakeAnswerSource::Reply slow{.deltas = {"Part one. ", "Part two. ", "Part three."},
                                       .seconds = 1,
                                       .ignoresCancellation = true};
    h.answers.enqueue(FakeAnswerSource::Route::answer, slow);
    h.answers.enqueue(FakeAnswerSource::Route::answer, slow);
    hear(project, true);
    EXPECT_EQ(h.store->currentAnswer(), QStringLiteral("Part one. "));

    // A manual question while the first streams: the partial answer becomes its own entry.
    h.store->ask(QStringLiteral("Why us?"));
    h.settle();
    ASSERT_EQ(h.store->sessionEntries().size(), 1u);
    EXPECT_EQ(h.store->sessionEntries()[0].answer, QStringLiteral("Part one. "));
    EXPECT_EQ(h.store->currentAnswer(), QStringLiteral("Part one. ")) << "the second answer";
    h.store->togglePause();
    EXPECT_TRUE(h.store->isPaused());
    EXPECT_FALSE(h.store->isGenerating());
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::paused);
    EXPECT_FALSE(h.audio.isRunning());
    advance(5);
    ASSERT_EQ(h.store->sessionEntries().size(), 2u);
    EXPECT_EQ(h.store->sessionEntries()[0].answer, QStringLiteral("Part one. "));
    EXPECT_EQ(h.store->sessionEntries()[1].question, QStringLiteral("Why us?"));
    EXPECT_EQ(h.store->sessionEntries()[1].answer, QStringLiteral("Part one. "));
    EXPECT_EQ(h.store->currentAnswer(), QStringLiteral("Part one. ")) << "late deltas are dropped";

    // A capture error while paused changes nothing.
    h.capture.fail(QStringLiteral("The device went away."));
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::paused);

    h.store->togglePause();
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::preparing);
    h.settle();
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::waiting);
    EXPECT_EQ(h.capture.starts, 2);
}

// A question the user types stays theirs: what is heard is answered as the current question but
// never written over the typed text, until the user asks it or clears it.
TEST_F(Session, TypedDraftOutlivesHeardQuestionsUntilAskedOrCleared) {
    const QString typed = QStringLiteral("How do you handle on-call?");
    h.store->setQuestionDraft(typed);
    h.answers.answer({"Calmly."});
    hear(project, true);
    EXPECT_EQ(h.askedQuestions(), QStringList{project});
    EXPECT_EQ(h.store->currentQuestion(), project);
    EXPECT_EQ(h.store->questionDraft(), typed);
    const QString weakness = QStringLiteral("What is your biggest weakness?");
    hear(project + QLatin1Char(' ') + weakness, false);
    EXPECT_EQ(h.store->questionDraft(), typed) << "a partial question leaves it too";
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::listening);

    // Asked, the draft gives way to the next question heard.
    h.answers.answer({"Rotations."});
    h.store->ask();
    h.settle();
    EXPECT_EQ(h.askedQuestions().last(), typed);
    const QString leave = QStringLiteral("Why do you want to leave?");
    hear(project + QLatin1Char(' ') + weakness + QLatin1Char(' ') + leave, false);
    EXPECT_EQ(h.store->questionDraft(), leave);

    // Blanked by the user, it takes what is heard again.
    h.store->setQuestionDraft(QStringLiteral("Tell me"));
    h.store->setQuestionDraft(QStringLiteral(" "));
    const QString team = QStringLiteral("How do you work in a team?");
    hear(QStringList{project, weakness, leave, team}.join(QLatin1Char(' ')), false);
    EXPECT_TRUE(h.store->questionDraft().endsWith(team));
}

// Recovering from a failed answer or a pause asks and listens again, but never on the user's
// behalf: the typed text stays theirs through both.
TEST_F(Session, TypedDraftOutlivesAFailedAnswerItsRetryAndAPause) {
    const QString typed = QStringLiteral("How do you handle on-call?");
    h.store->setQuestionDraft(typed);
    h.answers.enqueue(FakeAnswerSource::Route::answer,
                      {.deltas = {"Half"}, .failure = AnswerServiceError::Case::serverUnavailable});
    hear(project, true);
    ASSERT_EQ(h.store->sessionPhase(), SessionPhase::error);

    h.answers.answer({"The whole answer."});
    h.store->retrySession();
    h.settle();
    EXPECT_EQ(h.askedQuestions(), (QStringList{project, project}));
    EXPECT_EQ(h.store->currentAnswer(), QStringLiteral("The whole answer."));
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::listening);
    h.answers.answer({"Honestly."});
    const QString weakness = QStringLiteral("What is your biggest weakness?");
    hear(project + QLatin1Char(' ') + weakness, true);
    EXPECT_EQ(h.store->currentQuestion(), weakness);
    EXPECT_EQ(h.store->questionDraft(), typed);

    h.store->togglePause();
    EXPECT_EQ(h.store->questionDraft(), typed);
    h.store->togglePause();
    h.settle();
    ASSERT_EQ(h.store->sessionPhase(), SessionPhase::waiting);
    h.answers.answer({"Better pay."});
    hear(QStringLiteral("Why do you want to leave?"), true);
    EXPECT_EQ(h.store->currentQuestion(), QStringLiteral("Why do you want to leave?"));
    EXPECT_EQ(h.store->questionDraft(), typed);

    // Only asking the typed text itself gives it up.
    h.answers.answer({"Rotations."});
    h.store->ask();
    h.settle();
    EXPECT_EQ(h.askedQuestions().last(), typed);
    h.answers.answer({"Yes."});
    hear(QStringLiteral("Why do you want to leave? Can you start soon?"), true);
    EXPECT_EQ(h.store->questionDraft(), QStringLiteral("Can you start soon?"));
}

TEST_F(Session, CaptureErrorDuringTheSessionShowsIt) {
    h.capture.fail(QStringLiteral("The sound server stopped."));
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::error);
    ASSERT_TRUE(h.audio.error());
    EXPECT_EQ(h.store->message(), h.audio.error());
    EXPECT_TRUE(h.store->message()->contains(QStringLiteral("The sound server stopped.")));
}

TEST_F(Session, EndStoresARecordOnlyWithAnswersAndSavesIt) {
    h.answers.answer({"An answer."});
    hear(project, true);
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
    h.store->waitForSaves();
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
    h.settle();
    EXPECT_FALSE(h.store->isStarting());
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
    QSignalSpy snapshotChanged(h.store.get(), &AppStore::activeSessionContextChanged);
    QSignalSpy sourceChanged(h.store.get(), &AppStore::activeAudioSourceChanged);
    ASSERT_TRUE(h.startListening());
    EXPECT_EQ(h.capture.lastLocale, QStringLiteral("fr-FR"));
    EXPECT_EQ(snapshotChanged.count(), 1);
    EXPECT_EQ(h.store->activeAudioSource(), AudioSource::microphone);
    EXPECT_EQ(sourceChanged.count(), 1);

    const QString question = QStringLiteral("Parlez-moi de votre dernier projet ?");
    h.capture.transcript(question, true);
    h.clock.advance(5);
    h.settle();
    EXPECT_FALSE(h.store->isGenerating());
    EXPECT_EQ(h.store->questionDraft(), question);
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::listening);

    h.answers.answer({"Oui."});
    h.store->ask();
    EXPECT_TRUE(h.store->isGenerating());
    h.settle();
    EXPECT_EQ(h.askedQuestions(), QStringList{question});
    EXPECT_EQ(h.answers.calls().back().credential, QStringLiteral("sk-test"));
    EXPECT_EQ(h.store->sessionEntries().size(), 1u);

    // A blank draft asks nothing.
    h.store->setQuestionDraft(QStringLiteral("   "));
    h.store->ask();
    EXPECT_FALSE(h.store->isGenerating());

    // The session's snapshots announce each change: a switch of language, then the end.
    h.store->changeInterviewLanguage(QStringLiteral("English"));
    EXPECT_EQ(snapshotChanged.count(), 2);
    EXPECT_EQ(h.store->activeSessionContext()->language, QStringLiteral("English"));
    h.store->endSession();
    EXPECT_EQ(snapshotChanged.count(), 3);
    EXPECT_EQ(sourceChanged.count(), 2);
    EXPECT_FALSE(h.store->activeSessionContext());
    EXPECT_FALSE(h.store->activeAudioSource());
}
