#include "listening/QuestionContinuation.h"

#include "listening/EnglishWords.h"
#include "listening/PhraseReading.h"
#include "listening/TextFolding.h"
#include "listening/TranscriptQuestionTracker.h"

#include <algorithm>

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;
using Reading = QuestionContinuation::Reading;

// Remarks without a verb that read as a noun phrase, as an object would: only use tells them
// apart, so they are named.
constexpr QLatin1String remarkPhrases[] = {"either way"_L1, "fair enough"_L1, "good question"_L1,
                                           "great question"_L1, "my apologies"_L1};
// They share the preposition's tag, but a question cut at one waits for a clause, not an object.
constexpr QLatin1String subordinators[] = {"that"_L1,     "if"_L1,     "whether"_L1, "because"_L1,
                                           "although"_L1, "though"_L1, "while"_L1,   "unless"_L1,
                                           "whereas"_L1,  "so"_L1,     "lest"_L1};
// Prepositions that the tag set counts as gerunds.
constexpr QLatin1String prepositionalGerunds[] = {"regarding"_L1,   "concerning"_L1, "including"_L1,
                                                  "considering"_L1, "excluding"_L1,  "using"_L1,
                                                  "involving"_L1};
// More than the tagger reads (24 words): keeps the reading bounded whatever the transcript holds.
constexpr qsizetype maximumCharacters = 200;

} // namespace

QString QuestionContinuation::firstSentence(const QString& words) {
    const QString trimmed = words.trimmed();
    for (qsizetype i = 0; i + 1 < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if ((c == u'.' || c == u'!' || c == u'?') && trimmed[i + 1].isSpace())
            return trimmed.left(i + 1);
    }
    return trimmed;
}

bool QuestionContinuation::mayGoOn(const QString& question) {
    const QStringList words = spokenWords(question);
    if (words.isEmpty() || isIn(words.last(), subordinators))
        return false;
    if (isIn(words.last(), prepositionalGerunds))
        return true;
    // At the end of a question the tagger reads "about" in "think about" as an adverb, as it
    // reads "far" in "so far" and "ago": the word is a preposition waiting there when that is its
    // likelier part of speech.
    const Tag last = EnglishTagger::tag(words).last().tag;
    const QList<Tag> readings = EnglishTagger::readings(words.last());
    return isPreposition(last) || (last == Tag::rb && !readings.isEmpty() &&
                                   isOneOf(readings.first(), {Tag::in, Tag::rp}));
}

QuestionContinuation::Reading QuestionContinuation::read(const QString& question,
                                                         const QString& words) {
    const QString sentence = firstSentence(words.left(maximumCharacters));
    const QStringList spoken = spokenWords(sentence);
    if (spoken.isEmpty())
        return Reading::remark;
    // A question word opens a question or an object clause: the reader tells which.
    if (!isIn(spoken.first(), questionWords) &&
        TranscriptQuestionTracker::opensQuestion(words.left(maximumCharacters)))
        return Reading::question;
    // Words opened by "no" put the candidate at ease ("No pressure.", "No right or wrong answer
    // here."); cut off ("our roadmap and the"), they are no phrase yet.
    if (std::all_of(spoken.begin(), spoken.end(),
                    [](const QString& word) { return isIn(word, replyWords); }) ||
        spoken.first() == "no"_L1 || isIn(spoken.join(u' '), remarkPhrases) ||
        TranscriptQuestionTracker::isCutOff(sentence))
        return Reading::remark;
    return readPhrase(EnglishTagger::tag(spoken, spokenWords(question)));
}

} // namespace corvel
