#include "session/QuestionIntake.h"

#include <gtest/gtest.h>

using namespace corvel;
using Next = QuestionIntake::Heard::Next;

namespace {

const QString about = QStringLiteral("What do you think about?");

// An intake with `about` waiting, carried into the segment the recogniser started after it.
QuestionIntake waitingAbout() {
    QuestionIntake intake;
    intake.record(about);
    const auto heard = intake.judge(true, true);
    EXPECT_EQ(heard.question, about);
    EXPECT_EQ(heard.next, Next::wait);
    intake.segmentStarted();
    EXPECT_EQ(intake.transcript(), QStringLiteral("What do you think about"));
    return intake;
}

} // namespace

// What the words after a waiting question make of it: its continuation, a question of their
// own, a remark, or nothing yet.
TEST(QuestionIntake, WordsAfterAWaitingQuestionContinueItOrLeaveItAsItStood) {
    struct Case {
        const char* text;
        bool isFinal;
        bool stands;
        std::optional<QString> question;
        Next next;
        bool waits;
    };
    const QString joined = QStringLiteral("What do you think about our roadmap?");
    const QString tools = QStringLiteral("Which tools have you worked with?");
    // Until the words after it decide, the question shows as it stands.
    const Case cases[] = {
        {"Our", false, false, about, Next::nothing, true},
        {"Our roadmap", false, false, joined, Next::nothing, true},
        {"Our roadmap.", true, false, joined, Next::claim, false},
        // Continued, it may go on again.
        {"The team you work with.", true, false,
         QStringLiteral("What do you think about the team you work with?"), Next::wait, true},
        {"Take your time", false, false, about, Next::nothing, true},
        {"Take your time.", true, true, about, Next::nothing, false},
        {"Our.", true, true, about, Next::nothing, false},
        {"I mean, in your last job.", true, true, about, Next::nothing, false},
        // A question of its own: the waiting one is asked before it once it is heard whole;
        // until then the recogniser's guesses decide nothing.
        {"Which tools", false, false, about, Next::nothing, true},
        {"How our road", false, false, about, Next::nothing, true},
        {"Which tools have you used?", true, true, QStringLiteral("Which tools have you used?"),
         Next::claim, false},
        {"Which tools have you worked with?", true, true, tools, Next::wait, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QuestionIntake intake = waitingAbout();
        intake.record(QString::fromUtf8(c.text));
        const auto heard = intake.judge(c.isFinal, true);
        // A remark is taken with the question; a question of its own is asked after it.
        const QString taken =
            c.question == about ? about + u' ' + QString::fromUtf8(c.text) : about;
        EXPECT_EQ(heard.stands,
                  c.stands ? std::optional(QuestionIntake::Decided{taken, about}) : std::nullopt);
        EXPECT_EQ(heard.question, c.question);
        EXPECT_EQ(heard.next, c.next);
        EXPECT_EQ(intake.isWaiting(), c.waits);
        if (heard.stands) {
            // The standing question is taken; what follows is judged after it.
            intake.taken(heard.stands->transcript);
            EXPECT_EQ(intake.claim(intake.transcript(), c.isFinal, 0),
                      c.question == about ? std::nullopt : c.question);
        }
    }

    // Within one segment (no pause between them), a remark after the mark leaves it too.
    QuestionIntake intake;
    intake.record(QStringLiteral("What are you most proud of?"));
    ASSERT_EQ(intake.judge(true, true).next, Next::wait);
    intake.record(QStringLiteral("What are you most proud of? Take your time."));
    const QString proud = QStringLiteral("What are you most proud of?");
    EXPECT_EQ(intake.judge(true, true).stands,
              (QuestionIntake::Decided{proud + QStringLiteral(" Take your time."), proud}));

    // A remark the detector would take for a question is no question after a waiting one.
    intake = waitingAbout();
    intake.record(QStringLiteral("What you say here is confidential."));
    const auto heard = intake.judge(true, true);
    ASSERT_TRUE(heard.stands);
    EXPECT_EQ(heard.question, about);
    intake.taken(heard.stands->transcript);
    EXPECT_EQ(intake.claim(intake.transcript(), true, 0), std::nullopt);
}

TEST(QuestionIntake, TheEndOfTheWaitClaimsTheQuestionWithWhatContinuesIt) {
    // Words begun after the question wait for their final result, which decides.
    QuestionIntake intake = waitingAbout();
    EXPECT_FALSE(intake.awaitsContinuation());
    intake.record(QStringLiteral("I mean in your"));
    intake.judge(false, true);
    EXPECT_TRUE(intake.awaitsContinuation());

    intake = waitingAbout();
    EXPECT_EQ(intake.waitEnded()->transcript, about);
    EXPECT_FALSE(intake.waitEnded()) << "claimed once";

    intake = waitingAbout();
    intake.record(QStringLiteral("Our roadmap"));
    intake.judge(false, true);
    const auto whole = intake.waitEnded();
    EXPECT_EQ(whole->transcript, QStringLiteral("What do you think about our roadmap?"));
    EXPECT_EQ(whole->question, QStringLiteral("What do you think about our roadmap?"));
    EXPECT_FALSE(whole->isFinal);

    intake = waitingAbout();
    intake.record(QStringLiteral("I mean in your"));
    intake.judge(false, true);
    const auto alone = intake.waitEnded();
    EXPECT_EQ(alone->transcript, about);
    EXPECT_EQ(alone->question, about) << "what is asked, not the words' guess";
    EXPECT_TRUE(alone->isFinal);
    ASSERT_EQ(intake.claim(alone->transcript, true, 0), about);

    // Nothing is carried once nothing waits, and without automatic answers nothing waits.
    intake.segmentStarted();
    EXPECT_EQ(intake.transcript(), QString());
    intake.record(about);
    EXPECT_EQ(intake.judge(true, false).next, Next::nothing);
    EXPECT_FALSE(intake.isWaiting());
}

// A pause inside a sentence: words that stopped where no sentence ends lead the next result
// that comes soon; what only goes on with a question just asked is no question of its own; a
// question trailing off on "or" is asked without it, one cut off before its verb not at all.
TEST(QuestionIntake, APauseInsideASentenceKeepsItWhole) {
    const auto finalResult = [](QuestionIntake& intake, const QString& text, double now) {
        intake.record(text, now);
        auto heard = intake.judge(true, true);
        if (heard.next == Next::claim)
            heard.question = intake.claim(intake.transcript().trimmed(), true, now);
        intake.segmentStarted();
        return heard.question;
    };
    for (const double after : {0.5, 3.0}) {
        QuestionIntake intake;
        EXPECT_EQ(finalResult(intake, QStringLiteral("Since you've worked."), 0), std::nullopt);
        EXPECT_EQ(finalResult(intake, QStringLiteral("Nights before, how did you find it?"), after),
                  after < 1 ? QStringLiteral("Since you've worked nights before, how did you "
                                             "find it?")
                            : QStringLiteral("Nights before, how did you find it?"));
    }
    for (const double after : {0.5, 3.0}) {
        QuestionIntake intake;
        const QString leave = QStringLiteral("Why did you leave?");
        EXPECT_EQ(finalResult(intake, leave, 0), leave);
        intake.record(QStringLiteral("Your last"), after);
        EXPECT_EQ(intake.judge(false, true).question, std::nullopt);
        EXPECT_EQ(finalResult(intake, QStringLiteral("Your last job?"), after + 0.3),
                  after < 1 ? std::nullopt : std::optional(QStringLiteral("Your last job?")))
            << "a follow-up of its own only after a while";
        EXPECT_EQ(finalResult(intake, QStringLiteral("What did you learn there?"), after + 0.8),
                  QStringLiteral("What did you learn there?"));
    }

    QuestionIntake intake;
    intake.record(QStringLiteral("Would you prefer the morning slot or?"));
    ASSERT_EQ(intake.judge(true, true).next, Next::wait);
    EXPECT_EQ(intake.waitEnded()->question, QStringLiteral("Would you prefer the morning slot?"));

    intake = QuestionIntake();
    const QString jobs = QStringLiteral("Which of your old jobs do?");
    intake.record(jobs);
    ASSERT_EQ(intake.judge(true, true).next, Next::wait);
    EXPECT_EQ(intake.waitEnded(), std::nullopt);
    EXPECT_EQ(intake.claim(jobs, false, 0), std::nullopt);
}
