#include "language/EnglishSentences.h"

#include "language/AfterQuestion.h"
#include "language/ClauseEnd.h"
#include "language/ClauseOpenings.h"
#include "language/EnglishTagger.h"
#include "language/QuestionStart.h"
#include "language/SentenceEnding.h"
#include "language/SentenceGuard.h"
#include "language/SentenceLeadIn.h"
#include "language/SubjectStart.h"

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;
using namespace sentenceWords;
using Word = EnglishTagger::Word;
using LeadIn = SentenceLeadIn::Kind;

// The longest phrase lead-in after which a subject begins its main clause.
constexpr qsizetype maximumShortPhrase = 4;

// Where the sentences of one result begin, by the parts that decide a boundary.
class Boundaries final : SentenceWords {
public:
    explicit Boundaries(QList<Word> words)
        : SentenceWords(std::move(words)), m_leadIn(*this), m_clauseEnd(*this), m_questions(*this),
          m_subjects(*this), m_afterQuestion(*this), m_guard(*this) {}

    // The index of the first token of each sentence.
    QList<qsizetype> read() const;

    EnglishSentences::Ending ending(qsizetype start) const {
        return SentenceEnding(*this).ending(start);
    }
    bool mayDivide(qsizetype j) const { return m_guard.mayDivide(j); }

private:
    // What a lead-in leads to is its main clause, in the same sentence: a question, or after a
    // short phrase a subject and its verb ("looking at your cv you taught…"); a longer one may
    // hold a clause about a noun ("with the number of returns we're processing…").
    bool reachesMainClause(LeadIn leadIn, qsizetype start, qsizetype j) const;
    // Whether a sentence ends before `j`: the clause so far is complete, a question, a new
    // subject, an answer or a follow-up after praise begins, and the two may meet there.
    bool endsBefore(qsizetype start, qsizetype j) const;
    // "i see so | you left…": the words that join two sentences open the second.
    qsizetype joinedStart(qsizetype start, qsizetype j) const;

    SentenceLeadIn m_leadIn;
    ClauseEnd m_clauseEnd;
    QuestionStart m_questions;
    SubjectStart m_subjects;
    AfterQuestion m_afterQuestion;
    SentenceGuard m_guard;
};

QList<qsizetype> Boundaries::read() const {
    QList<qsizetype> starts{0};
    qsizetype start = 0;
    LeadIn leadIn = m_leadIn.leadInAt(0);
    for (qsizetype j = 1; j < size(); ++j) {
        if (reachesMainClause(leadIn, start, j)) {
            leadIn = LeadIn::none;
            continue;
        }
        // "the next one we ask everyone and there's no right answer…": a clause joined to the
        // topic's own ends it
        if (leadIn == LeadIn::topic && isIn(text(j - 1), {"and"_L1, "but"_L1}) &&
            (isIn(text(j), subjectPronouns) || text(j) == "there"_L1) && isFiniteAt(j + 1))
            leadIn = LeadIn::none;
        // A quoted question runs on to the end: "…asked where exactly does my money go"
        if (leadIn != LeadIn::clause && m_questions.quoteStartsAt(j))
            break;
        if (!endsBefore(start, j))
            continue;
        if (leadIn != LeadIn::none) {
            // ("when you were um | when you serve it…": a lead-in said again leads in still)
            if (m_leadIn.leadInAt(j) != leadIn)
                leadIn = LeadIn::none;
            continue;
        }
        starts.append(joinedStart(start, j));
        start = j;
        leadIn = m_leadIn.leadInAt(j);
    }
    return starts;
}

bool Boundaries::reachesMainClause(LeadIn leadIn, qsizetype start, qsizetype j) const {
    if (leadIn == LeadIn::phrase)
        return !m_clauseEnd.leansOnNext(j - 1) &&
               (m_questions.questionStartsAt(j) ||
                (j - afterDiscourse(start) <= maximumShortPhrase &&
                 m_subjects.subjectStartsAt(j, true, start)));
    // A topic's own verb after the clause about it: "the project you led was great…"
    return leadIn == LeadIn::topic && (isFinite(tag(j)) || isAuxiliary(j)) && isVerbWord(j - 1);
}

bool Boundaries::endsBefore(qsizetype start, qsizetype j) const {
    return m_clauseEnd.endsClause(start, j) &&
           (m_questions.questionStartsAt(j) || m_subjects.subjectStartsAt(j, false, start) ||
            m_afterQuestion.answersQuestion(start, j) || m_questions.followsPraise(start, j)) &&
           m_guard.mayEndBefore(j) && m_guard.mayBeginAt(j);
}

qsizetype Boundaries::joinedStart(qsizetype start, qsizetype j) const {
    qsizetype at = j;
    while (at - 1 > start + 1 && openings::joinsSentences(text(at - 1)) &&
           !isIn(text(at - 1), clauseEnds) && tag(at - 1) != Tag::in &&
           m_clauseEnd.endsClause(start, at - 1))
        --at;
    return at;
}

} // namespace

namespace {

// The tagged words of the last `count` words, and where each word's first token is: the tagger
// splits contractions ("it's" is "it" "'s").
struct Tokens {
    QList<EnglishTagger::Word> tagged;
    QList<qsizetype> firstToken;

    Tokens(const QStringList& words, qsizetype limit) {
        tagged = EnglishTagger::tag(words, {}, limit);
        qsizetype token = 0;
        for (qsizetype word = 0; word < words.size() && token < tagged.size(); ++word) {
            firstToken.append(token);
            token += tagged[token].text == words[word] ? 1 : 2;
        }
    }
};

// Enough of a result's end for how it ends: the words of a clause.
constexpr qsizetype endingWords = 20;

} // namespace

EnglishSentences::Ending EnglishSentences::ending(const QStringList& words) {
    if (words.isEmpty())
        return Ending::whole;
    const QList<Word> tagged =
        EnglishTagger::tag(words.mid(std::max<qsizetype>(0, words.size() - endingWords)), {},
                           EnglishTagger::sentenceWords);
    if (tagged.isEmpty())
        return Ending::whole;
    const Boundaries boundaries(tagged);
    return boundaries.ending(boundaries.read().last());
}

bool EnglishSentences::mayDivide(const QStringList& words, qsizetype at) {
    if (at <= 0 || at >= words.size())
        return true;
    const qsizetype from = std::max<qsizetype>(0, at - endingWords);
    const Tokens tokens(words.mid(from, at - from + endingWords), EnglishTagger::sentenceWords);
    const qsizetype token = tokens.firstToken.value(at - from, -1);
    return token < 0 || Boundaries(tokens.tagged).mayDivide(token);
}

QList<qsizetype> EnglishSentences::starts(const QStringList& words) {
    if (words.isEmpty())
        return {};
    const QList<Word> tagged = EnglishTagger::tag(words, {}, EnglishTagger::sentenceWords);
    const QList<qsizetype> tokenStarts = Boundaries(tagged).read();
    // The tagger splits contractions ("it's" is "it" "'s"); a sentence never starts at the
    // second half of one.
    QList<qsizetype> starts;
    qsizetype token = 0;
    for (qsizetype word = 0; word < words.size() && token < tagged.size(); ++word) {
        if (tokenStarts.contains(token))
            starts.append(word);
        token += tagged[token].text == words[word] ? 1 : 2;
    }
    return starts;
}

} // namespace corvel
