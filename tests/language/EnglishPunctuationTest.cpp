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

// A turn said in one breath comes as one result: a sentence ends after a complete clause where a
// question, a request or a new subject begins; never inside a question, a lead-in, a clause about
// a noun or a quote.
TEST(EnglishPunctuation, OneResultGetsItsSentences) {
    const std::pair<const char*, const char*> cases[] = {
        // A question after the interviewer's context.
        {"we run two sites and i split my week between them how do you feel about travel",
         "We run two sites and I split my week between them. How do you feel about travel?"},
        {"our patients are mostly elderly have you done any dementia training",
         "Our patients are mostly elderly. Have you done any dementia training?"},
        {"i saw a gap on your cv after the bakery what were you doing then",
         "I saw a gap on your cv after the bakery. What were you doing then?"},
        {"the budget was cut in march so the launch slipped what would you have done",
         "The budget was cut in march so the launch slipped. What would you have done?"},
        {"the kitchen gets hectic after nine so describe how you keep your section tidy",
         "The kitchen gets hectic after nine. So describe how you keep your section tidy."},
        {"thanks for that great answer how did the two projects compare",
         "Thanks for that great answer. How did the two projects compare?"},
        // A statement after another, and a remark after a question.
        {"we opened the cafe in june it has done well",
         "We opened the cafe in june. It has done well."},
        {"do you hold a driving licence it isn't essential",
         "Do you hold a driving licence? It isn't essential."},
        // One sentence: a lead-in, a clause about a noun, a quote, a tag, coordination.
        {"if the lead chef called in sick on a saturday what would you do first",
         "If the lead chef called in sick on a saturday what would you do first?"},
        {"what would you do if you noticed a colleague cutting corners",
         "What would you do if you noticed a colleague cutting corners?"},
        {"tell me about a project you led", "Tell me about a project you led."},
        {"is there anything else you'd like to ask us",
         "Is there anything else you'd like to ask us?"},
        {"a parent asked me can you move my son to another class",
         "A parent asked me can you move my son to another class."},
        {"i know what keeps you going", "I know what keeps you going."},
        {"the hours are long aren't they", "The hours are long aren't they?"},
        {"i manage the rota and we share the weekends",
         "I manage the rota and we share the weekends."},
        {"the nurses tell me it is calm", "The nurses tell me it is calm."},
        // "go" opening a result quotes nothing before it
        {"go do you see it i do", "Go do you see it? I do."},
    };
    for (const auto& [words, written] : cases)
        EXPECT_EQ(EnglishPunctuation::finished(QString::fromUtf8(words)),
                  QString::fromUtf8(written))
            << words;
}

TEST(EnglishPunctuation, UtterancesInProgressOnlyGetTheirCase) {
    EXPECT_EQ(EnglishPunctuation::inProgress(QStringLiteral("could you tell i")),
              QStringLiteral("Could you tell I"));
    EXPECT_EQ(EnglishPunctuation::inProgress(QStringLiteral("i'd say")), QStringLiteral("I'd say"));
    EXPECT_EQ(EnglishPunctuation::finished(QStringLiteral("  ")), QString());
    EXPECT_EQ(EnglishPunctuation::inProgress(QString()), QString());
}
