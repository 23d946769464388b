#include "listening/AutomaticQuestionTurns.h"

#include "support/ManualClock.h"

#include <gtest/gtest.h>

using namespace corvel;
using namespace Qt::StringLiterals;
using corvel::test::ManualClock;

TEST(AutomaticQuestionTurns, GrowingTranscriptYieldsEachQuestionOnce) {
    ManualClock clock;
    AutomaticQuestionTurns turns;
    EXPECT_EQ(turns.consume(QString(), false, clock.now()), std::nullopt);
    EXPECT_EQ(turns.consume(u"Thanks for joining us today."_s, false, clock.now()), std::nullopt);
    EXPECT_TRUE(turns.consumedTranscript.isEmpty()); // small talk consumes nothing

    clock.advance(1.0);
    const QString first = u"Thanks for joining us today. Tell me about yourself."_s;
    EXPECT_EQ(turns.consume(first, false, clock.now()), u"Tell me about yourself."_s);
    EXPECT_EQ(turns.consumedTranscript, first);
    EXPECT_EQ(turns.lastQuestionTime, clock.now());
    clock.advance(0.5);
    EXPECT_EQ(turns.consume(first, true, clock.now()), std::nullopt);

    // The recogniser turns "yourself." into "yourself," as the sentence goes on.
    clock.advance(20.0);
    EXPECT_EQ(turns.consume(u"Thanks for joining us today. Tell me about yourself, "
                            "why this"_s,
                            false, clock.now()),
              std::nullopt);
    EXPECT_EQ(turns.consume(u"Thanks for joining us today. Tell me about yourself, "
                            "why this company?"_s,
                            false, clock.now()),
              u"why this company?"_s);
    EXPECT_EQ(turns.lastQuestion, u"why this company?"_s);
}

TEST(AutomaticQuestionTurns, SameQuestionWithinTwelveSecondsIsRefused) {
    const QString question = u"What is your biggest weakness in a team?"_s;
    AutomaticQuestionTurns turns;
    turns.lastQuestion = question;
    // The first question is never a repeat, whatever the last question's text.
    EXPECT_EQ(turns.consume(question, true, 0.0), question);

    // A new recognition segment starts from nothing consumed.
    turns.consumedTranscript.clear();
    EXPECT_EQ(turns.consume(u"What is your main weakness in a team?"_s, true, 11.9), std::nullopt);
    // Refused, yet consumed, so the same words do not come back; the last question stays.
    EXPECT_EQ(turns.consumedTranscript, u"What is your main weakness in a team?"_s);
    EXPECT_EQ(turns.lastQuestion, question);
    EXPECT_EQ(turns.lastQuestionTime, 0.0);
    EXPECT_EQ(turns.consume(u"What is your main weakness in a team? Really."_s, true, 11.95),
              std::nullopt);

    // A different question within the window is handed out; its repeat waits twelve seconds.
    const auto fresh = [&](const char* text, double at) {
        turns.consumedTranscript.clear();
        return turns.consume(QString::fromUtf8(text), true, at);
    };
    EXPECT_EQ(fresh("Why did you leave Lyon?", 6.0), u"Why did you leave Lyon?"_s);
    EXPECT_EQ(fresh("why did you leave lyon", 17.9), std::nullopt);
    EXPECT_EQ(fresh("why did you leave lyon", 18.0), u"why did you leave lyon"_s);
    EXPECT_EQ(turns.lastQuestionTime, 18.0);
}
