// Where the sentences of one spoken result begin.
#include "language/EnglishSentences.h"
#include "language/TextFolding.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {

// `text` with " | " where a sentence begins.
void expectSentences(std::initializer_list<const char*> rows) {
    for (const char* row : rows) {
        const QString written = QString::fromUtf8(row);
        const QStringList words = spokenWords(QString(written).remove(u'|'));
        QStringList marked = words;
        const QList<qsizetype> starts = EnglishSentences::starts(words);
        for (qsizetype i = starts.size() - 1; i > 0; --i)
            marked.insert(starts[i], QStringLiteral("|"));
        EXPECT_EQ(marked.join(u' '), QString(written).simplified()) << row;
        EXPECT_EQ(starts.value(0), 0) << row;
    }
}

} // namespace

TEST(EnglishSentences, AQuestionOrANewClauseAfterACompleteOne) {
    expectSentences({
        "we run three sites | would travelling between them suit you",
        "the team doubled last year | what would you change first",
        "i saw you left the bakery in june | why leave so soon",
        "we audit every quarter so paperwork matters here | walk me through your filing",
        "thanks for coming in today | how was the journey",
        "great answer | what made you pick that one",
        "take a seat | would you like a coffee",
        "we opened in march | it has been busy since",
        "do you hold a licence | it isn't essential",
        "what's your notice period | roughly is fine",
        "is it tiring | yes but you get used to it",
        "how long's the contract | six months to start",
        "the rota is tight right now | could you cover nights",
    });
}

TEST(EnglishSentences, WhereTheWordsCannotTellTheyStayOne) {
    expectSentences({
        "if the delivery was late and the customer was angry what would you say",
        "what would you do if you saw a colleague take cash",
        "tell me about a project you led",
        "is there anything else you'd like to ask us",
        "a customer asked me can you deliver on sunday",
        "i know what keeps you going",
        "the hours are long aren't they",
        "you speak welsh i take it",
        "the nurses tell me it is quiet",
        "what we need is someone patient",
        "how many pallets we move depends on the season",
        "the outage you described the one where the site went down what changed after",
        "what sort of salary are you looking for",
        // Never inside a question phrase and its auxiliary, a subject and its verb, a clause about
        // a noun, a number, a noun phrase, a word search or a verb's object
        "which of your old jobs do you miss the most",
        "what is twenty five percent of eighty",
        "where else are you interviewing just so we know the timeline",
        "have you ever used um what's it called terraform",
        "someone on my team makes candidates write a poem which i think is a bit much",
        "the team you'd be joining is six people mostly in lisbon",
        "i think most of us have had a boss like that",
        "it's just an informal chat really",
        "what would make you change your mind",
        "what did the client who i gather was difficult say when you told them",
        "how you would explain a pension to someone who's never had one",
        "you've used react right",
        "is the work physical very",
    });
}

TEST(EnglishSentences, TheGuardHoldsWhateverRuleDivides) {
    expectSentences({
        "you mentioned you coach football | what uh age groups do you work with",
        "we're a small team | why you want to join us",
        "i see | so you left after six months | how come",
        "you've been cheffing for a while now | since when",
        "mm interesting | and your line manager",
        "so the next one is one we ask everyone and there is no wrong answer | what motivates you",
    });
}

// How a result ends where the recogniser ended it at a pause: whole, open to more, or cut off.
TEST(EnglishSentences, HowAResultEnds) {
    using Ending = EnglishSentences::Ending;
    const std::pair<const char*, Ending> rows[] = {
        {"why did you leave", Ending::whole},
        {"what do you think", Ending::whole},
        {"i do", Ending::whole},
        {"what do you all do", Ending::whole},
        {"i don't know how many were", Ending::whole},
        {"why this role", Ending::whole},
        {"why the move to berlin", Ending::whole},
        {"why do you think the study", Ending::open},
        {"how many of the residents", Ending::open},
        {"would you prefer the morning slot or", Ending::open},
        {"since you've worked", Ending::open},
        {"the thing i always ask", Ending::open},
        {"or do you", Ending::open},
        {"why would the competitor", Ending::open},
        {"you can explain me", Ending::open},
        {"what do you mean by liberal um", Ending::open},
        {"which of your old jobs do", Ending::cutOff},
        {"how you would", Ending::cutOff},
        {"we'll each", Ending::cutOff},
        {"the students who were", Ending::cutOff},
        {"one thing that came up in the applications was", Ending::cutOff},
        {"what is your view on the", Ending::cutOff},
        {"are you interviewing just so", Ending::cutOff},
    };
    for (const auto& [text, ending] : rows)
        EXPECT_EQ(int(EnglishSentences::ending(spokenWords(QString::fromUtf8(text)))), int(ending))
            << text;
}
