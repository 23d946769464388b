#include "language/EnglishClause.h"

#include "language/ClauseWords.h"
#include "language/EnglishTagger.h"
#include "language/EnglishWords.h"
#include "language/FollowUp.h"
#include "language/IndirectRequest.h"
#include "language/Interrogative.h"
#include "language/LeadIn.h"
#include "language/Request.h"
#include "language/Speaker.h"
#include "language/TextFolding.h"

#include <algorithm>
#include <optional>

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace clause;
using Word = EnglishTagger::Word;

// Requests by the verbs that always make one, for words said after a question.
constexpr QLatin1String requestOpenings[] = {"tell me "_L1,          "tell us "_L1,
                                             "walk me through "_L1,  "describe "_L1,
                                             "explain "_L1,          "give me "_L1,
                                             "i d like to know "_L1, "i would like to know "_L1,
                                             "i d like you to "_L1,  "i would like you to "_L1,
                                             "i want to know "_L1,   "we d like to know "_L1,
                                             "i d like to hear "_L1, "i would like to hear "_L1,
                                             "i d love to hear "_L1, "i would love to hear "_L1};
// The words of one clause and its parts, which read it in turn: a question, the speaker wanting
// to know, a follow-up, a request, else what it states.
class Clause final : ClauseWords {
public:
    Clause(QList<Word> words, bool questionMark)
        : ClauseWords(std::move(words), questionMark), m_interrogative(*this), m_request(*this),
          m_indirect(*this), m_followUp(*this), m_speaker(*this), m_leadIn(*this) {}

    // `leadInOpen`, when given, tells whether a lead-in went on to the last word read.
    Reading read(bool* leadInOpen = nullptr) const {
        Reading reading = readWithLeadIn(leadInOpen);
        reading.past = reading.form == Form::statement && m_speaker.isPast();
        return reading;
    }

    // From its first word, with neither discourse words nor a lead-in before it.
    Reading readAtStart() const { return readAt(0); }

    bool opensQuestion() const {
        const qsizetype start = afterDiscourse(0);
        // One word cannot tell: "which" opens a question or a phrase
        if (start + 1 < size() &&
            m_interrogative.interrogativeAt(start).form == Form::interrogative)
            return true;
        QStringList rest;
        for (qsizetype i = start; i < size(); ++i)
            rest.append(text(i));
        const QString folded = foldedText(rest.join(u' ')) + u' ';
        return std::any_of(std::begin(requestOpenings), std::end(requestOpenings),
                           [&folded](QLatin1String opening) { return folded.startsWith(opening); });
    }

private:
    // What the clause is once its discourse words and any lead-in are off its front.
    Reading readWithLeadIn(bool* leadInOpen) const {
        const qsizetype start = afterDiscourse(0);
        Reading reading = readAt(start);
        // "let me ask you this…", "take your time…": a courtesy leads in
        const bool courtesy = reading.form == Form::imperative && !reading.aboutSpeaker;
        if (reading.asks || reading.aboutSpeaker || !(courtesy || m_leadIn.opensLeadIn(start)))
            return m_speaker.withTag(reading);
        // "let me ask you this, how…" announces a question; "let me tell you what…" does not;
        // "let's say…" sets a scene
        const bool speakerFirst =
            text(start) == "let"_L1 &&
            !(text(start + 1) == "'s"_L1 &&
              isIn(text(start + 2), {"say"_L1, "imagine"_L1, "suppose"_L1, "pretend"_L1}));
        const bool announcesQuestion = speakerFirst && text(start + 2) == "ask"_L1;
        qsizetype at = start + 1;
        for (; at < size(); ++at) {
            if ((!courtesy && !m_leadIn.mayLeadIn(start, at)) || at >= m_speaker.quoteStart())
                break;
            const Reading asking = readAt(at, start);
            if (asking.aboutSpeaker)
                break; // "since then i always…": the speaker's story
            // ("it's just an informal chat": a noun after its article and adjective)
            const bool request = asking.form == Form::imperative &&
                                 !(tag(at - 1) == Tag::jj && tag(at - 2) == Tag::dt);
            if (asking.form == Form::imperative && !request)
                continue;
            const bool verbBefore = m_leadIn.followsVerb(start, at);
            const bool objectClause = m_leadIn.isObjectClauseAt(at);
            if (asking.asks && !(request && verbBefore) && !objectClause &&
                (!speakerFirst || (announcesQuestion && asking.form == Form::interrogative)))
                return asking;
        }
        if (leadInOpen)
            *leadInOpen = at == size();
        return m_speaker.withTag(reading);
    }

    // The reading of the clause from `i`, after a lead-in when `leadStart` says where it starts;
    // there only a question, a request by a verb of saying or the speaker wanting to
    // know may begin.
    Reading readAt(qsizetype i, std::optional<qsizetype> leadStart = std::nullopt) const {
        const bool inner = leadStart.has_value();
        if (i >= size())
            return {};
        const QString& first = text(i);
        if ((first == "what"_L1 || first == "how"_L1) && text(i + 1) == "about"_L1)
            return i + 2 < size() ? Reading{Form::followUp, true, false} : Reading{};
        const bool mayAsk = !inner || m_leadIn.mayAskAt(*leadStart, i);
        if (const Reading asked = m_interrogative.interrogativeAt(i);
            asked.form != Form::statement && mayAsk)
            return asked.asks && m_speaker.isAnsweredAt(i)
                       ? Reading{Form::interrogative, false, true}
                       : asked;
        if (const Reading indirect = m_indirect.indirectAt(i); indirect.asks)
            return indirect;
        if (const Reading uninverted = m_interrogative.uninvertedAt(i); uninverted.asks && mayAsk)
            return uninverted;
        if (!inner) {
            if (const Reading named = m_indirect.namedQuestionAt(i); named.asks)
                return named;
            if (const Reading followUp = m_followUp.followUpAt(i); followUp.asks)
                return followUp;
        }
        if (const Reading imperative = m_request.imperativeAt(i, inner);
            imperative.form != Form::statement)
            return imperative;
        if (const Reading polite = m_request.politeAt(i, inner); polite.asks)
            return polite;
        return inner ? m_speaker.statementAfterLeadIn(i) : m_speaker.statementAt(i);
    }

    const Interrogative m_interrogative;
    const Request m_request;
    const IndirectRequest m_indirect;
    const FollowUp m_followUp;
    const Speaker m_speaker;
    const ClauseLeadIn m_leadIn;
};

} // namespace

Reading EnglishClause::read(const QStringList& words, bool questionMark) {
    QList<Word> tagged = EnglishTagger::tag(words);
    bool leadInOpen = false;
    const Reading reading = Clause(tagged, questionMark).read(&leadInOpen);
    // A lead-in longer than the words read: "if you joined us and found out in your first week
    // that … what would you do"
    if (!leadInOpen || tagged.size() < EnglishTagger::clauseWords)
        return reading;
    tagged = EnglishTagger::tag(words, {}, EnglishTagger::sentenceWords);
    return Clause(std::move(tagged), questionMark).read();
}

Reading EnglishClause::readFrom(const QList<EnglishTagger::Word>& tagged, qsizetype from) {
    return Clause(tagged.mid(from), false).readAtStart();
}

bool EnglishClause::opensQuestion(const QStringList& words) {
    return !words.isEmpty() && Clause(EnglishTagger::tag(words), false).opensQuestion();
}

bool EnglishClause::isCutOff(const QStringList& words) {
    return !words.isEmpty() && isIn(foldedText(words.last()), danglingWords);
}

} // namespace corvel
