#include "platform/EnglishPunctuation.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {

struct Case {
    const char* words;
    const char* written;
};

class FinishedUtterance : public ::testing::TestWithParam<Case> {};

TEST_P(FinishedUtterance, GetsCaseAndItsMark) {
    EXPECT_EQ(EnglishPunctuation::finished(QString::fromUtf8(GetParam().words)),
              QString::fromUtf8(GetParam().written));
}

INSTANTIATE_TEST_SUITE_P(
    Questions, FinishedUtterance,
    ::testing::Values(
        // Inverted clauses, question words, lead-ins, requests phrased as questions.
        Case{"could you tell me about your background", "Could you tell me about your background?"},
        Case{"is there anything else you would like us to know",
             "Is there anything else you would like us to know?"},
        Case{"so to start could you tell me about yourself",
             "So to start could you tell me about yourself?"},
        Case{"okay great now what are your salary expectations",
             "Okay great now what are your salary expectations?"},
        Case{"have you ever worked with kubernetes", "Have you ever worked with kubernetes?"},
        Case{"is the salary range okay for you", "Is the salary range okay for you?"},
        Case{"what kind of team do you like", "What kind of team do you like?"},
        Case{"why", "Why?"}, Case{"and how did i do", "And how did I do?"},
        Case{"tell me what do you think", "Tell me what do you think?"},
        // Tags.
        Case{"you led that team right", "You led that team right?"},
        Case{"you moved here last year didn't you", "You moved here last year didn't you?"},
        Case{"the role is remote is that right", "The role is remote is that right?"}));

INSTANTIATE_TEST_SUITE_P(
    Statements, FinishedUtterance,
    ::testing::Values(Case{"tell me about your last project", "Tell me about your last project."},
                      Case{"thanks for joining us", "Thanks for joining us."},
                      Case{"i'm the hiring manager and i lead the data team",
                           "I'm the hiring manager and I lead the data team."},
                      Case{"what i learned was to ask early", "What I learned was to ask early."},
                      Case{"when we launched it the team was happy",
                           "When we launched it the team was happy."},
                      Case{"what a great answer", "What a great answer."},
                      Case{"have a great day", "Have a great day."},
                      Case{"do your best", "Do your best."},
                      Case{"that sounds right", "That sounds right."},
                      Case{"the office is there", "The office is there."},
                      Case{"i lead the product team do you", "I lead the product team do you."},
                      Case{"the next step would be a call with the team",
                           "The next step would be a call with the team."},
                      Case{"that is all from me thank you", "That is all from me thank you."}));

TEST(EnglishPunctuation, UtterancesInProgressOnlyGetTheirCase) {
    EXPECT_EQ(EnglishPunctuation::inProgress(QStringLiteral("could you tell i")),
              QStringLiteral("Could you tell I"));
    EXPECT_EQ(EnglishPunctuation::inProgress(QStringLiteral("i'd say")), QStringLiteral("I'd say"));
    EXPECT_EQ(EnglishPunctuation::finished(QStringLiteral("  ")), QString());
    EXPECT_EQ(EnglishPunctuation::inProgress(QString()), QString());
}

} // namespace
