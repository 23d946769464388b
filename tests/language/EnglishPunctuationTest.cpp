#include "language/EnglishPunctuation.h"

#include <gtest/gtest.h>

using namespace corvel;

TEST(EnglishPunctuation, FinishedUtterancesGetCaseAndTheirMark) {
    const std::pair<const char*, const char*> cases[] = {
        // Questions: inverted clauses, question words, lead-ins, requests phrased as questions.
        {"could you tell me about your background", "Could you tell me about your background?"},
        {"is there anything else you would like us to know",
         "Is there anything else you would like us to know?"},
        {"so to start could you tell me about yourself",
         "So to start could you tell me about yourself?"},
        {"okay great now what are your salary expectations",
         "Okay great now what are your salary expectations?"},
        {"have you ever worked with kubernetes", "Have you ever worked with kubernetes?"},
        {"is the salary range okay for you", "Is the salary range okay for you?"},
        {"what kind of team do you like", "What kind of team do you like?"},
        {"why", "Why?"},
        {"and how did i do", "And how did I do?"},
        {"tell me what do you think", "Tell me what do you think?"},
        {"what makes you a good fit for this role", "What makes you a good fit for this role?"},
        {"okay so what sounds most interesting to you",
         "Okay so what sounds most interesting to you?"},
        {"and what happens if the queue backs up", "And what happens if the queue backs up?"},
        // Question tags.
        {"you led that team right", "You led that team right?"},
        {"you moved here last year didn't you", "You moved here last year didn't you?"},
        {"the role is remote is that right", "The role is remote is that right?"},
        // Yes or no questions on any subject, lead-ins and follow-ups.
        {"was the role client facing", "Was the role client facing?"},
        {"does your team write its own tests", "Does your team write its own tests?"},
        {"before we finish do you have questions for me",
         "Before we finish do you have questions for me?"},
        {"any questions for the panel", "Any questions for the panel?"},
        // Statements.
        {"give an example of a deadline you missed", "Give an example of a deadline you missed."},
        {"i'm curious what you think of pair programming",
         "I'm curious what you think of pair programming."},
        {"tell me about your last project", "Tell me about your last project."},
        {"thanks for joining us", "Thanks for joining us."},
        {"i'm the hiring manager and i lead the data team",
         "I'm the hiring manager and I lead the data team."},
        {"what i learned was to ask early", "What I learned was to ask early."},
        {"when we launched it the team was happy", "When we launched it the team was happy."},
        {"what a great answer", "What a great answer."},
        {"have a great day", "Have a great day."},
        {"do your best", "Do your best."},
        {"that sounds right", "That sounds right."},
        {"the office is there", "The office is there."},
        {"i lead the product team do you", "I lead the product team do you."},
        {"the next step would be a call with the team",
         "The next step would be a call with the team."},
        {"that is all from me thank you", "That is all from me thank you."},
        // A reply with "that" heard as "what" is not put to anyone.
        {"great what makes a lot of sense", "Great what makes a lot of sense."},
        {"okay what sounds good to me", "Okay what sounds good to me."},
        {"what seems fair", "What seems fair."},
    };
    for (const auto& [words, written] : cases)
        EXPECT_EQ(EnglishPunctuation::finished(QString::fromUtf8(words)),
                  QString::fromUtf8(written));
}

TEST(EnglishPunctuation, UtterancesInProgressOnlyGetTheirCase) {
    EXPECT_EQ(EnglishPunctuation::inProgress(QStringLiteral("could you tell i")),
              QStringLiteral("Could you tell I"));
    EXPECT_EQ(EnglishPunctuation::inProgress(QStringLiteral("i'd say")), QStringLiteral("I'd say"));
    EXPECT_EQ(EnglishPunctuation::finished(QStringLiteral("  ")), QString());
    EXPECT_EQ(EnglishPunctuation::inProgress(QString()), QString());
}
