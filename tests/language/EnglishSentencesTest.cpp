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
    });
}
