#include "language/EnglishSentences.h"

#include "language/ClauseOpenings.h"
#include "language/EnglishClause.h"
#include "language/EnglishTagger.h"
#include "language/EnglishVerbs.h"
#include "language/EnglishWords.h"
#include "language/ReportedSpeech.h"
#include "language/TaggedWords.h"

#include <vector>

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;
using Form = EnglishClause::Form;
using Word = EnglishTagger::Word;

// Question words that may stand as the subject of their own question ("what happened there").
constexpr QLatin1String subjectQuestionWords[] = {"what"_L1, "who"_L1, "which"_L1, "whose"_L1};
// Adjectives whose complement is a clause: "i'm curious what…", "we're not sure how…".
constexpr QLatin1String clauseAdjectives[] = {
    "curious"_L1, "sure"_L1,  "unsure"_L1,    "certain"_L1,  "uncertain"_L1,
    "aware"_L1,   "clear"_L1, "unclear"_L1,   "confused"_L1, "interested"_L1,
    "keen"_L1,    "glad"_L1,  "wondering"_L1, "amazed"_L1,   "surprised"_L1};
// Nouns of time, after which a new subject begins a clause of its own ("…last year it took six
// months") rather than one about them ("the team you joined").
constexpr QLatin1String timeNouns[] = {
    "year"_L1,    "years"_L1,   "month"_L1,    "months"_L1,    "week"_L1,      "weeks"_L1,
    "day"_L1,     "days"_L1,    "morning"_L1,  "afternoon"_L1, "evening"_L1,   "night"_L1,
    "tonight"_L1, "today"_L1,   "quarter"_L1,  "summer"_L1,    "winter"_L1,    "spring"_L1,
    "autumn"_L1,  "weekend"_L1, "weekends"_L1, "ago"_L1,       "yesterday"_L1, "tomorrow"_L1};
// Words that need what follows them.
constexpr QLatin1String leaningWords[] = {
    "the"_L1,   "a"_L1,   "an"_L1, "my"_L1,  "your"_L1, "our"_L1,  "their"_L1, "his"_L1, "its"_L1,
    "every"_L1, "no"_L1,  "is"_L1, "are"_L1, "was"_L1,  "were"_L1, "am"_L1,    "be"_L1,  "been"_L1,
    "'s"_L1,    "'re"_L1, "'m"_L1, "'ve"_L1, "'d"_L1,   "'ll"_L1,  "than"_L1};
// Nouns a clause about them follows without "that" or "when": "a time you helped…".
constexpr QLatin1String adverbialHeads[] = {
    "time"_L1, "times"_L1,  "moment"_L1, "occasion"_L1,  "occasions"_L1, "day"_L1,
    "way"_L1,  "reason"_L1, "place"_L1,  "situation"_L1, "point"_L1};
// Words that open a clause within a sentence.
constexpr QLatin1String clauseMarkers[] = {"and"_L1,     "but"_L1,      "or"_L1,     "so"_L1,
                                           "because"_L1, "although"_L1, "though"_L1, "whereas"_L1,
                                           "while"_L1,   "if"_L1,       "unless"_L1, "whether"_L1,
                                           "that"_L1,    "which"_L1,    "who"_L1};

// Words that soften a request before its verb.
constexpr QLatin1String softeners[] = {"please"_L1, "just"_L1, "kindly"_L1};
constexpr QLatin1String beForms[] = {"is"_L1, "are"_L1, "was"_L1, "were"_L1, "'s"_L1, "'re"_L1};
constexpr QLatin1String haveForms[] = {"have"_L1, "has"_L1, "had"_L1, "'ve"_L1};
constexpr QLatin1String doForms[] = {"do"_L1, "does"_L1, "did"_L1};
constexpr QLatin1String demonstratives[] = {"that"_L1, "this"_L1, "there"_L1};
// Closing tags with a subject and verb of their own.
constexpr QLatin1String tagPhrases[] = {"i take it"_L1, "you said"_L1, "i think"_L1,
                                        "i guess"_L1,   "i assume"_L1, "i suppose"_L1,
                                        "i imagine"_L1, "i believe"_L1};
// Words a closing tag question ends on: "is that right", "isn't it".
constexpr QLatin1String tagEnds[] = {"right"_L1, "correct"_L1, "true"_L1, "fair"_L1};

// Words that open a clause, which the tagger counts among the prepositions.
constexpr QLatin1String conjunctions[] = {"if"_L1,     "whether"_L1,  "because"_L1, "while"_L1,
                                          "unless"_L1, "although"_L1, "though"_L1,  "as"_L1,
                                          "than"_L1,   "that"_L1,     "so"_L1,      "like"_L1,
                                          "until"_L1,  "whereas"_L1,  "once"_L1};
// The longest phrase lead-in after which a subject begins its main clause.
constexpr qsizetype maximumShortPhrase = 4;
// Verbs of the mind that take a clause: "you figure (that) one of these days you'll…".
constexpr QLatin1String confirming[] = {"think"_L1,   "figure"_L1, "reckon"_L1, "suppose"_L1,
                                        "believe"_L1, "guess"_L1,  "mean"_L1};
// Adverbs that stand between a subject and its verb ("they usually describe…"): no request
// begins after them.
constexpr QLatin1String verbAdverbs[] = {
    "usually"_L1, "always"_L1, "never"_L1,    "often"_L1,      "sometimes"_L1, "really"_L1,
    "also"_L1,    "just"_L1,   "actually"_L1, "generally"_L1,  "normally"_L1,  "typically"_L1,
    "rarely"_L1,  "seldom"_L1, "probably"_L1, "definitely"_L1, "certainly"_L1, "mostly"_L1,
    "mainly"_L1,  "still"_L1,  "even"_L1,     "only"_L1,       "simply"_L1,    "basically"_L1};
// Discourse words that may as well end the clause before ("…bathroom refits now", "…go well"):
// a question after them begins after them.
constexpr QLatin1String clauseEnds[] = {"now"_L1, "then"_L1, "right"_L1, "well"_L1, "anyway"_L1};

bool isFinite(Tag tag) {
    return isOneOf(tag, {Tag::vbz, Tag::vbd, Tag::vbp, Tag::md});
}

class Boundaries final : TaggedWords {
public:
    explicit Boundaries(QList<Word> words) : TaggedWords(std::move(words)) {
        // Read once: every boundary looks back over them
        m_finite.reserve(m_words.size());
        for (qsizetype i = 0; i < m_words.size(); ++i)
            m_finite.push_back(readsFinite(i));
    }

    // The index of the first token of each sentence.
    QList<qsizetype> read() const {
        QList<qsizetype> starts{0};
        qsizetype start = 0;
        LeadIn leadIn = leadInAt(0);
        for (qsizetype j = 1; j < size(); ++j) {
            // What a lead-in leads to is its main clause, in the same sentence: a question, or
            // after a short phrase a subject and its verb ("looking at your cv you taught…"); a
            // longer one may hold a clause about a noun ("with the number of returns we're
            // processing…").
            if (leadIn == LeadIn::phrase && !leansOnNext(j - 1) &&
                (questionStartsAt(j) || (j - afterDiscourse(start) <= maximumShortPhrase &&
                                         subjectStartsAt(j, true, start)))) {
                leadIn = LeadIn::none;
                continue;
            }
            // A topic's own verb after the clause about it: "the project you led was great…"
            if (leadIn == LeadIn::topic && (isFinite(tag(j)) || isAuxiliary(j)) &&
                isVerbWord(j - 1)) {
                leadIn = LeadIn::none;
                continue;
            }
            // "the next one we ask everyone and there's no right answer…": a clause joined to the
            // topic's own ends it
            if (leadIn == LeadIn::topic && isIn(text(j - 1), {"and"_L1, "but"_L1}) &&
                (isIn(text(j), subjectPronouns) || text(j) == "there"_L1) && isFiniteAt(j + 1))
                leadIn = LeadIn::none;
            // A quoted question runs on to the end: "…asked where exactly does my money go"
            if (leadIn != LeadIn::clause && quoteStartsAt(j))
                break;
            if (!endsClause(start, j) ||
                !(questionStartsAt(j) || subjectStartsAt(j, false, start) ||
                  answersQuestion(start, j) || followsPraise(start, j)))
                continue;
            if (!mayEndBefore(j) || !mayBeginAt(j))
                continue;
            if (leadIn != LeadIn::none) {
                // ("when you were um | when you serve it…": a lead-in said again leads in still)
                if (leadInAt(j) != leadIn)
                    leadIn = LeadIn::none;
                continue;
            }
            // "i see so | you left…": the words that join two sentences open the
            // second
            qsizetype at = j;
            while (at - 1 > start + 1 && openings::joinsSentences(text(at - 1)) &&
                   !isIn(text(at - 1), clauseEnds) && tag(at - 1) != Tag::in &&
                   endsClause(start, at - 1))
                --at;
            starts.append(at);
            start = j;
            leadIn = leadInAt(j);
        }
        return starts;
    }

private:
    // A sentence opened by a subordinate clause ("if you joined…"), a phrase ("looking at your
    // cv…", "in your last job…") or a topic with a clause about it ("the outage you
    // described…") leads in to its main clause.
    enum class LeadIn { none, clause, phrase, topic };

    bool isModal(qsizetype i) const { return tag(i) == Tag::md; }
    bool isAuxiliary(qsizetype i) const {
        return i < size() && (tag(i) == Tag::md || isIn(text(i), auxiliaries));
    }

    // A verb with its tense: also one the tagger read as a noun, a present after the noun it
    // agrees with ("compliance matters a lot") or any verb after a subject pronoun ("we share
    // this building").
    bool isFiniteAt(qsizetype i) const { return has(i) && m_finite[std::size_t(i)]; }
    bool readsFinite(qsizetype i) const {
        if (isFinite(tag(i)) || isIn(text(i), auxiliaries))
            return true;
        qsizetype subject = i - 1;
        while (subject > 0 && tag(subject) == Tag::rb)
            --subject;
        if (isIn(text(subject), subjectPronouns) && text(subject) != "it"_L1)
            return hasReading(text(i), [](Tag t) {
                return isOneOf(t, {Tag::vbp, Tag::vbd, Tag::vb});
            });
        return tag(i) == Tag::nns && EnglishTagger::isNoun(tag(i - 1)) && tag(i - 1) != Tag::nns &&
               hasReading(text(i), [](Tag t) { return t == Tag::vbz; });
    }

    // Past the discourse words that may open a sentence after another: "so", "okay", "um",
    // not "thanks" or "great", which a clause may end on or be.
    qsizetype afterDiscourse(qsizetype i) const {
        return openings::afterDiscourse(m_words, i, true);
    }

    LeadIn leadInAt(qsizetype i) const {
        i = afterDiscourse(i);
        // "sorry, before we start…"
        while (i + 1 < size() && isIn(text(i), replyWords) &&
               isIn(text(i + 1), leadInSubordinators))
            ++i;
        while (i + 1 < size() && tag(i) == Tag::rb && !isIn(text(i), leadInSubordinators))
            ++i; // "so hypothetically if…"
        // "let's say…", "bearing in mind…"
        const bool scene = (text(i) == "let"_L1 && text(i + 1) == "'s"_L1) ||
                           isIn(text(i), {"bearing"_L1, "knowing"_L1, "remembering"_L1});
        if (scene || (isIn(text(i), leadInSubordinators) &&
                      EnglishClause::readFrom(m_words, i).form != Form::interrogative))
            return LeadIn::clause;
        if (isOneOf(tag(i), {Tag::vbg, Tag::in, Tag::of, Tag::to}))
            return LeadIn::phrase;
        // "the thing i always ask", "something the partners want to know": a noun phrase, then
        // a clause about it with its own subject
        const bool indefinite =
            (isIndefinite(text(i)) && tag(i) != Tag::dt && !isIn(text(i), questionWords)) ||
            (text(i) == "one"_L1 && EnglishTagger::isNoun(tag(i + 1))); // "one thing that…"
        qsizetype noun = i + 1;
        while (!indefinite && noun < size() &&
               (EnglishTagger::isNoun(tag(noun)) || isOneOf(tag(noun), {Tag::dt, Tag::jj})))
            ++noun;
        qsizetype verb = noun + 1;
        if (text(i) == "one"_L1 && !isIn(text(noun), subjectPronouns))
            noun = i + 2;
        if (isIn(text(noun), {"that"_L1, "who"_L1, "which"_L1})) {
            verb = noun + 1; // "one thing that came up"
        } else if (!isIn(text(noun), subjectPronouns)) {
            verb = noun;
            if (tag(verb) == Tag::dt)
                ++verb;
            while (verb < size() && EnglishTagger::isNoun(tag(verb)))
                ++verb;
            if (verb == noun || tag(noun) != Tag::dt)
                return LeadIn::none;
        }
        while (verb < size() && tag(verb) == Tag::rb)
            ++verb;
        const bool topic =
            (tag(i) == Tag::dt || indefinite) && noun > i && noun < size() && isFiniteAt(verb);
        return topic ? LeadIn::topic : LeadIn::none;
    }

public:
    // How the sentence from `start` ends at the last word.
    EnglishSentences::Ending ending(qsizetype start) const {
        using Ending = EnglishSentences::Ending;
        const qsizetype last = size() - 1;
        const QString& word = text(last);
        // "what do you mean by liberal um": the filler holds the place of more
        if (isIn(word, fillers) && last > start) {
            const EnglishSentences::Ending before = Boundaries(m_words.first(last)).ending(start);
            return before == Ending::whole ? Ending::open : before;
        }
        const bool dangling =
            isIn(word, {"the"_L1, "a"_L1, "an"_L1, "my"_L1, "your"_L1, "our"_L1, "their"_L1,
                        "his"_L1, "its"_L1, "every"_L1, "and"_L1, "but"_L1, "if"_L1, "because"_L1,
                        "whether"_L1, "unless"_L1, "although"_L1}) ||
            isIn(word, fillers) || (word == "so"_L1 && text(last - 1) == "just"_L1);
        if (dangling || endsAwaitingVerb(start, last))
            return Ending::cutOff;
        const qsizetype first = afterDiscourse(start);
        // "would you prefer the morning slot or"
        const bool trailsOff = word == "or"_L1 && last > first + 1 &&
                               EnglishClause::readFrom(m_words.first(last), first).asks;
        // ("or do you", "why would the competitor": an auxiliary and its subject may close a
        // question, or go on)
        qsizetype subject = last;
        while (subject > start && subject > last - 3 &&
               (EnglishTagger::isNoun(tag(subject)) || isOneOf(tag(subject), {Tag::dt, Tag::jj})))
            --subject;
        if (tag(last) == Tag::prp || isIn(text(last), demonstratives))
            subject = last - 1;
        const bool opens =
            subject == afterDiscourse(start) || isIn(text(subject - 1), {"or"_L1, "and"_L1});
        const bool afterQuestion =
            isIn(text(subject - 1), questionWords) || endsQuestionPhrase(subject - 1);
        const bool be = isIn(text(subject), beForms);
        const bool pronounLast = subject < last && subject >= start &&
                                 (EnglishTagger::isNoun(tag(last)) || tag(last) == Tag::prp ||
                                  isIn(text(last), demonstratives)) &&
                                 (((tag(subject) == Tag::md || isIn(text(subject), doForms) ||
                                    isIn(text(subject), haveForms)) &&
                                   (opens || afterQuestion)) ||
                                  (be && opens));
        // "you can explain me…", "i'm going to…"
        const bool toldWhat =
            isIn(word, {"me"_L1, "us"_L1}) && EnglishVerbs::speaks(text(last - 1));
        const bool infinitive =
            word == "to"_L1 && isOneOf(tag(last - 1), {Tag::vbg, Tag::vb, Tag::vbp, Tag::vbd});
        // "why this role", "why the move to berlin": after "why" a noun phrase may be all it asks
        const bool whyPhrase = text(first) == "why"_L1 &&
                               std::none_of(m_words.begin() + first + 1, m_words.end(),
                                            [](const Word& w) {
                                                return isVerb(w.tag) || isIn(w.text, auxiliaries) ||
                                                       isOneOf(w.tag, {Tag::vbn, Tag::vbg});
                                            }) &&
                               EnglishClause::readFrom(m_words, first).asks;
        if (trailsOff || pronounLast || toldWhat || infinitive || endsQuestionPhrase(last) ||
            (endsOpenClause(last) && !whyPhrase) || topicAwaitsVerb(start) ||
            (leadInAt(start) == LeadIn::clause &&
             isIn(text(first),
                  {"if"_L1, "when"_L1, "since"_L1, "once"_L1, "before"_L1, "after"_L1, "given"_L1,
                   "assuming"_L1, "considering"_L1, "suppose"_L1, "supposing"_L1, "imagine"_L1}) &&
             !EnglishClause::readFrom(m_words, first).asks))
            return Ending::open;
        return Ending::whole;
    }

    // Whether the sentence from `start` is a topic with a clause about it and no verb of its
    // own yet: "the thing i always ask", "the other thing i'm wondering".
    bool topicAwaitsVerb(qsizetype start) const {
        if (leadInAt(start) != LeadIn::topic)
            return false;
        qsizetype i = afterDiscourse(start);
        while (i < size() && !isFiniteAt(i))
            ++i;
        // The clause's own verbs, then nothing with a tense
        while (i < size() && (isFiniteAt(i) || isAuxiliary(i) || tag(i) == Tag::rb ||
                              isOneOf(tag(i), {Tag::vb, Tag::vbn, Tag::vbg, Tag::to})))
            ++i;
        for (; i < size(); ++i) {
            // ("… that came up when we were going through them": a clause of its own)
            if (isIn(text(i), leadInSubordinators) &&
                (isIn(text(i + 1), subjectPronouns) || tag(i + 1) == Tag::dt))
                return true;
            if (isFiniteAt(i) || isAuxiliary(i) || isIn(text(i), clauseMarkers))
                return false;
        }
        return true;
    }

    // Whether an auxiliary near the end still waits for its verb: right after a question phrase
    // ("which of your old jobs do"), before its subject where it opens the clause ("or do you",
    // "why would the competitor", "have you ever"), after its subject before an adverb ("we'll
    // each"), or "is" after a noun ("the gap we talked about was"). "i do", "you should", "what
    // do you all do" are whole.
    bool endsAwaitingVerb(qsizetype start, qsizetype last) const {
        qsizetype end = last;
        while (end > start && ((isIn(text(end), verbAdverbs) && text(end) != "actually"_L1) ||
                               isIn(text(end), {"each"_L1, "all"_L1, "both"_L1, "n't"_L1})))
            --end;
        const auto opensClause = [this, start](qsizetype aux) {
            qsizetype before = aux - 1;
            while (before >= start && openings::joinsSentences(text(before)))
                --before;
            return before < start || isIn(text(before), questionWords) ||
                   endsQuestionPhrase(before) || isIn(text(before), {"or"_L1, "and"_L1});
        };
        if (isAuxiliary(end) && tag(end) != Tag::pos) {
            if (end < last)
                return true;
            // ("how many were" is whole: the question phrase is what "be" says of its subject)
            const bool be = isIn(text(end), beForms) || isIn(text(end), {"be"_L1, "been"_L1});
            // ("how you would", not "what you did", where "did" is the verb itself)
            if (!be && (endsQuestionPhrase(end - 1) || opensClause(end) ||
                        (tag(end) == Tag::md && tag(end - 1) == Tag::prp &&
                         isIn(text(end - 2), questionWords))))
                return true;
            if (!isIn(text(end), beForms))
                return false;
            // "the students who were", "the gap … was", not "what your notice period is"
            if (isIn(text(end - 1), {"who"_L1, "which"_L1, "that"_L1}))
                return true;
            qsizetype phrase = end - 1;
            while (phrase > start && (EnglishTagger::isNoun(tag(phrase)) ||
                                      isOneOf(tag(phrase), {Tag::dt, Tag::jj, Tag::pos})))
                --phrase;
            return EnglishTagger::isNoun(tag(end - 1)) && !isIn(text(phrase), questionWords);
        }
        // The auxiliary, then its subject: "have you", "why would the competitor" may end a
        // question or go on
        qsizetype subject = end;
        if (end == last)
            return false;
        if (tag(subject) != Tag::prp) {
            while (subject > end - 3 && subject > start &&
                   (EnglishTagger::isNoun(tag(subject)) ||
                    isOneOf(tag(subject), {Tag::dt, Tag::jj, Tag::pos})))
                --subject;
            if (subject == end || !EnglishTagger::isNoun(tag(end)))
                return false;
        } else {
            --subject;
        }
        return (tag(subject) == Tag::md || isIn(text(subject), doForms) ||
                isIn(text(subject), haveForms)) &&
               opensClause(subject);
    }

    // Whatever rule divides them, two sentences meet only where one can end and the next
    // begin; where the words cannot tell, they stay one.
    bool mayDivide(qsizetype j) const { return mayEndBefore(j) && mayBeginAt(j); }

private:
    // Whether a sentence may end before `j`: not on a word that the next one continues, as an
    // auxiliary its subject or verb ("which of your old jobs do | you miss", "have you ever |
    // read"), a number the next number ("twenty | five", "twelve times | fourteen"), a noun
    // phrase its noun ("an informal | chat", "a hash | map"), "that" its clause ("do you feel
    // that | it helped"), a filler, an adverb or "just so" what they lead to, a question phrase
    // its verb ("what uh age groups | do you"), a verb its object ("you've used | react"), an
    // adjective its clause ("i'm not sure | i want"); nor before the speaker searching for a
    // word ("have you ever used | what's it called terraform").
    bool mayEndBefore(qsizetype j) const {
        const qsizetype last = j - 1;
        const QString& word = text(last);
        if (awaitsItsVerb(last, j))
            return false;
        if (tag(j) == Tag::cd && (tag(last) == Tag::cd || tag(last - 1) == Tag::cd))
            return false;
        if (tag(last) == Tag::cd && text(j) == "and"_L1 && tag(j + 1) == Tag::cd)
            return false;
        // ("the design | question", "a quick | chat": the noun the tagger may take for a verb)
        const bool phraseOpen = isOneOf(tag(last), {Tag::jj, Tag::nn}) &&
                                isOneOf(tag(last - 1), {Tag::dt, Tag::jj, Tag::pos});
        if ((phraseOpen && (tag(last) == Tag::jj
                                ? isOneOf(tag(j), {Tag::nn, Tag::nns, Tag::vb, Tag::vbp, Tag::jj})
                                : (isOneOf(tag(j), {Tag::nn, Tag::nns}) ||
                                   EnglishTagger::readings(text(j)).value(0) == Tag::nn) &&
                                      !isOneOf(tag(j + 1), {Tag::prp, Tag::dt}))) ||
            (tag(last) == Tag::nnp && tag(j) == Tag::nnp) ||
            (tag(last) == Tag::dt && !isIn(word, demonstratives) &&
             !isIn(word, {"all"_L1, "both"_L1, "each"_L1, "any"_L1, "either"_L1, "neither"_L1})))
            return false;
        if (word == "that"_L1 && isIn(text(j), subjectPronouns) && isFiniteAt(j + 1))
            return false;
        if (isIn(word, fillers) || (word == "so"_L1 && text(last - 1) == "just"_L1) ||
            isIn(word, {"i"_L1, "we"_L1, "they"_L1, "he"_L1, "she"_L1}) ||
            (isIn(word, clauseAdjectives) && isIn(text(j), subjectPronouns)) || word == "like"_L1 ||
            ((isIn(word, verbAdverbs) || isIn(word, softeners)) && isVerb(tag(j))))
            return false;
        // "i knew it | was there": the pronoun is the verb's subject
        if (isIn(word, {"it"_L1, "you"_L1, "this"_L1, "that"_L1}) &&
            !isOneOf(tag(last - 1), {Tag::in, Tag::of, Tag::to, Tag::rp}) &&
            (isFinite(tag(j)) || isAuxiliary(j)) &&
            !(isIn(text(j + 1), subjectPronouns) && text(j + 1) != "there"_L1))
            return false;
        if (word == "about"_L1 && isIn(text(last - 1), {"how"_L1, "what"_L1}))
            return false;
        // "where maybe | we should…": a question word's clause before its subject; "(so you
        // figure) one of these days | you're going…": the clause a verb of thinking takes;
        // "separately at | you know an american store": the preposition's object goes on
        if (isIn(text(j), subjectPronouns) && isFiniteAt(j + 1)) {
            qsizetype w = last;
            while (w > 0 && tag(w) == Tag::rb)
                --w;
            if (w < last && isIn(text(w), questionWords))
                return false;
            for (qsizetype t = last; t >= 0 && t > last - 7; --t) {
                if (isFiniteAt(t) && !isIn(text(t), confirming))
                    break;
                // (not "what do you think about | it can be anything")
                if (isIn(text(t), confirming) && isIn(text(t - 1), subjectPronouns) &&
                    !isPreposition(tag(t + 1)))
                    return false;
            }
        }
        if (isOneOf(tag(last), {Tag::in, Tag::of, Tag::to}) && text(j) == "you"_L1 &&
            text(j + 1) == "know"_L1)
            return false;
        // "…and if they're determined to have their cigarettes then | how do you teach them":
        // a clause that leads in keeps its main clause
        for (qsizetype w = last; w > 0 && w >= last - 24; --w) {
            if (isIn(text(w), clauseMarkers) && !isIn(text(w), {"and"_L1, "if"_L1}))
                break;
            if (isIn(text(w), {"if"_L1, "when"_L1, "once"_L1}) && text(w - 1) == "and"_L1 &&
                std::any_of(m_words.begin() + w + 1, m_words.begin() + j,
                            [](const Word& x) { return isFinite(x.tag); }))
                return !questionStartsAt(j);
        }
        // "anything else | it wasn't supposed to": a clause about the indefinite; "theories on |
        // why this is happening": the preposition's object; "one | another"
        if ((isIndefinite(word) && isIn(text(j), subjectPronouns)) ||
            (isOneOf(tag(last), {Tag::in, Tag::of, Tag::to}) && word != "that"_L1 &&
             EnglishTagger::isNoun(tag(last - 1)) && isIn(text(j), questionWords)) ||
            (word == "one"_L1 && text(j) == "another"_L1) ||
            (word == "each"_L1 && text(j) == "other"_L1))
            return false;
        return !endsQuestionPhrase(last) && !endsOpenClause(last) && !leavesObject(last, j) &&
               !searchesForWord(j);
    }

    // Whether a question word's clause ends at `i` with its subject and no verb yet: "i'm not sure
    // why the system | does that".
    bool endsOpenClause(qsizetype i) const {
        const auto inPhrase = [](Tag t) {
            return EnglishTagger::isNoun(t) || isOneOf(t, {Tag::dt, Tag::jj, Tag::pos, Tag::rb});
        };
        for (qsizetype w = i - 1; w >= 0 && w >= i - 5; --w) {
            // (a subject: not "how long ago", the question phrase itself); so too after a
            // subordinator ("what you would do if the kitchen | ran out") or a verb of thinking
            // ("why do you think the study | didn't replicate")
            if (isIn(text(w), questionWords) ||
                isIn(text(w), {"if"_L1, "because"_L1, "unless"_L1, "although"_L1, "whether"_L1,
                               "think"_L1, "reckon"_L1, "suppose"_L1, "guess"_L1}))
                return w + 1 < i &&
                       std::all_of(m_words.begin() + w + 1, m_words.begin() + i + 1,
                                   [&inPhrase](const Word& x) {
                                       return inPhrase(x.tag) || x.tag == Tag::prp;
                                   }) &&
                       std::any_of(m_words.begin() + w + 1, m_words.begin() + i + 1,
                                   [](const Word& x) {
                                       return EnglishTagger::isNoun(x.tag) || x.tag == Tag::prp;
                                   });
            if (!inPhrase(tag(w)))
                return false;
        }
        return false;
    }

    // Whether an auxiliary at `last`, or before it past adverbs and its subject, still waits for
    // the word at `j`: with no subject before it, its subject or verb ("do | you", "have |
    // been"); after its subject, only a verb or "not" ("i do | you know" is two sentences, "we'll
    // each | ask" one).
    bool awaitsItsVerb(qsizetype last, qsizetype j) const {
        // ("which one do | you": the question phrase is no subject)
        const bool verbNext = text(j) == "n't"_L1 || text(j) == "not"_L1 ||
                              isOneOf(tag(j), {Tag::vb, Tag::vbn, Tag::vbg, Tag::vbp});
        if (text(last) == "n't"_L1 && isAuxiliary(last - 1))
            --last;
        qsizetype aux = last;
        while (aux > 0 && !isAuxiliary(aux) &&
               (tag(aux) == Tag::rb || isIn(text(aux), {"each"_L1, "all"_L1, "both"_L1})))
            --aux;
        if (aux < last && verbNext && aux > 0 && tag(aux) == Tag::prp && isAuxiliary(aux - 1))
            return true; // "have you ever | read"
        if (!isAuxiliary(aux) || tag(aux) == Tag::pos)
            return false;
        if (verbNext)
            return true;
        if (aux < last)
            return false;
        qsizetype subject = aux - 1;
        while (subject > 0 && tag(subject) == Tag::rb)
            --subject;
        const bool hasSubject = subject >= 0 && !endsQuestionPhrase(subject) &&
                                (tag(subject) == Tag::prp || EnglishTagger::isNoun(tag(subject)) ||
                                 isIn(text(subject), demonstratives));
        return !hasSubject && (tag(j) == Tag::prp || EnglishTagger::isNoun(tag(j)) ||
                               isOneOf(tag(j), {Tag::dt, Tag::jj, Tag::cd, Tag::pdt, Tag::ex}));
    }

    // Whether a question word's phrase, without its verb yet, ends at `i`: "which shift", "how
    // deep", "what uh age groups".
    bool endsQuestionPhrase(qsizetype i) const {
        for (qsizetype w = i; w >= 0 && w >= i - 5; --w) {
            if (isIn(text(w), questionWords))
                return w < i && whPhraseEnd(w) == i + 1 &&
                       !(EnglishTagger::isNoun(tag(w - 1)) && isIn(text(w), relativeWords));
        }
        return false;
    }

    // Whether the verb at `last` takes the words at `j` for its object: a verb that takes one,
    // with none after it ("you've used | react", "they'll serve | what"), and a word that can be
    // a noun or a question word opening its clause.
    bool leavesObject(qsizetype last, qsizetype j) const {
        if (!isOneOf(tag(last), {Tag::vb, Tag::vbn, Tag::vbd, Tag::vbp}) ||
            isIn(text(last), auxiliaries) || isAuxiliary(last) ||
            !EnglishVerbs::takesObject(text(last)).value_or(false) ||
            EnglishVerbs::standsAlone(text(last)).value_or(true))
            return false;
        // "what would make | you change your mind"; "they'll serve | what, eight months"
        if ((isIn(text(j), objectPronouns) && text(j) != "it"_L1 &&
             isOneOf(tag(j + 1), {Tag::vb, Tag::vbp})) ||
            (text(j) == "what"_L1 && !isAuxiliary(j + 1) && tag(j + 1) != Tag::md &&
             !isIn(text(j + 1), subjectPronouns)))
            return true;
        // ("which ledger systems have you used | names are fine": the question phrase is its
        // object)
        for (qsizetype w = last - 1; w >= 0 && w >= last - 8; --w) {
            if (isIn(text(w), {"what"_L1, "which"_L1, "who"_L1, "whom"_L1, "whose"_L1}))
                return false;
        }
        // ("pick | their people": a determiner opens its object, not "this is…")
        if (tag(j) == Tag::dt)
            return !isIn(text(j), demonstratives) && !isFinite(tag(j + 1)) && !isAuxiliary(j + 1);
        if (isIn(text(j), questionWords) || isIn(text(j), subjectPronouns) ||
            isIn(text(j), fillers) || openings::joinsSentences(text(j)) || isAuxiliary(j) ||
            isOneOf(tag(j), {Tag::in, Tag::to, Tag::rb, Tag::md, Tag::cc, Tag::uh}))
            return false;
        return isOneOf(tag(j), {Tag::vb, Tag::vbp, Tag::nn, Tag::nnp, Tag::nns}) ||
               !EnglishTagger::knows(text(j)) ||
               (isIn(text(j), objectPronouns) && text(j) != "it"_L1 &&
                isOneOf(tag(j + 1), {Tag::vb, Tag::vbp}));
    }

    // Whether the speaker searches for a word from `j`: "what's it called", "what is it", "what's
    // the word", "what do you call it".
    bool searchesForWord(qsizetype j) const {
        const qsizetype k = afterDiscourse(j);
        if (text(k) != "what"_L1)
            return false;
        if (isIn(text(k + 1), beForms) || text(k + 1) == "'s"_L1)
            return (text(k + 2) == "it"_L1 && (k + 3 == size() || text(k + 3) != "like"_L1)) ||
                   (tag(k + 2) == Tag::dt && isIn(text(k + 3), {"word"_L1, "name"_L1, "term"_L1}));
        return isIn(text(k + 1), doForms) && isIn(text(k + 2), {"you"_L1, "they"_L1, "we"_L1}) &&
               text(k + 3) == "call"_L1;
    }

    // Whether a sentence may begin at `j`: not on a verb whose subject is in the words before
    // it, as "and" and a verb joined to the one before ("…find out about it and | talk to
    // them"), a verb with its tense ("everybody | has their own number"), "is" or "has" without
    // a subject after it ("which i think | is a bit much", "the team you'd be joining | is six
    // people"), a clause about the noun before ("around you | that helps you"); "is the commute
    // okay" asks after any statement.
    bool mayBeginAt(qsizetype j) const {
        if (isIn(text(j), {"and"_L1, "or"_L1, "but"_L1}) &&
            (isOneOf(tag(j + 1), {Tag::vb, Tag::vbp, Tag::vbd, Tag::vbz}) ||
             (tag(j + 1) == Tag::rb && isOneOf(tag(j + 2), {Tag::vb, Tag::vbp}))))
            return false;
        // ("…about you | that isn't on your cv", not "…today | that's great")
        if (isIn(text(j), {"that"_L1, "which"_L1, "who"_L1}) && isFiniteAt(j + 1) &&
            (EnglishTagger::isNoun(tag(j - 1)) || tag(j - 1) == Tag::prp ||
             isIndefinite(text(j - 1))) &&
            !(text(j) == "that"_L1 && text(j + 1) == "'s"_L1) &&
            !(isAuxiliary(j + 1) && tag(j + 2) == Tag::prp))
            return false;
        if (isIn(text(j), beForms) || isIn(text(j), haveForms)) {
            const qsizetype next = text(j + 1) == "n't"_L1 ? j + 2 : j + 1;
            const bool pronoun = (tag(next) == Tag::prp && !isIndefinite(text(next))) ||
                                 isIn(text(next), demonstratives) || tag(next) == Tag::ex;
            if (pronoun)
                return true;
            // The subject's noun phrase, then what "is" says of it: "is the commute okay"
            qsizetype end = next;
            bool about = false; // "is the commute to manchester doable"
            while (end < size() && end < next + 6 &&
                   (EnglishTagger::isNoun(tag(end)) || isOneOf(tag(end), {Tag::dt, Tag::jj}) ||
                    (!about && end > next && isOneOf(tag(end), {Tag::in, Tag::to}) &&
                     EnglishTagger::isNoun(tag(end + 1))))) {
                about = about || isOneOf(tag(end), {Tag::in, Tag::to});
                ++end;
            }
            return end > next && isOneOf(tag(end), {Tag::jj, Tag::vbg, Tag::vbn}) &&
                   !isVerbWord(j - 1) && !isIn(text(j - 1), demonstratives);
        }
        // ("who you report to | will depend on the site": a modal and its verb, its subject
        // before it)
        if ((isOneOf(tag(j), {Tag::vbz, Tag::vbd}) && !isAuxiliary(j)) ||
            (tag(j) == Tag::md && tag(j + 1) == Tag::vb))
            return false;
        // "what did the client, who i gather was difficult, | say…": "did" waits for its verb
        return !(isOneOf(tag(j), {Tag::vb, Tag::vbp}) && awaitsVerbBefore(j));
    }

    // Whether "do" or a modal before `j`, inverted before its subject, has no verb yet.
    bool awaitsVerbBefore(qsizetype j) const {
        for (qsizetype k = j - 1; k >= 0 && k >= j - 12; --k) {
            // ("who i gather was difficult": a parenthetic's verb is its own)
            if ((isOneOf(tag(k), {Tag::vb, Tag::vbp}) && !isIn(text(k - 1), subjectPronouns)) ||
                (isIn(text(k), clauseMarkers) && !isIn(text(k), {"who"_L1, "which"_L1, "that"_L1})))
                return false;
            if ((tag(k) == Tag::md || isIn(text(k), doForms)) && k + 1 < j &&
                (tag(k + 1) == Tag::prp || EnglishTagger::isNoun(tag(k + 1)) ||
                 tag(k + 1) == Tag::dt) &&
                (k == 0 || isIn(text(k - 1), questionWords) || endsQuestionPhrase(k - 1)))
                return true;
        }
        return false;
    }

    // Whether the words from `start` to `j` are a clause that is complete there: it has a verb,
    // and its last word needs nothing after it nor reports what follows.
    bool endsClause(qsizetype start, qsizetype j) const {
        if (j - start < 2 || leansOnNext(j - 1))
            return false;
        const qsizetype first = afterDiscourse(start);
        if (first >= j - 1)
            return false; // "go on, tell me…"
        // A follow-up needs no verb: "how about you", "what about the weekends"
        for (qsizetype w = std::max(start, j - 5); w + 2 < j; ++w) {
            if (isIn(text(w), {"how"_L1, "what"_L1}) && text(w + 1) == "about"_L1)
                return std::all_of(m_words.begin() + w + 2, m_words.begin() + j, [](const Word& x) {
                    return x.tag == Tag::prp || EnglishTagger::isNoun(x.tag) ||
                           isOneOf(x.tag, {Tag::dt, Tag::jj});
                });
        }
        // Thanks and an apology need no verb, after praise too: "thanks for coming in at such
        // short notice", "lovely thank you moving on then"
        for (qsizetype t = first; t < first + 3 && t < j; ++t) {
            if (isIn(text(t), {"thanks"_L1, "sorry"_L1, "apologies"_L1}) ||
                (text(t) == "thank"_L1 && text(t + 1) == "you"_L1))
                return j - first > 2 && !reportsSpeech(m_words, j);
            if (!isIn(text(t), replyWords) && tag(t) != Tag::jj)
                break;
        }
        // A request is a clause of its own: "take a seat", "make yourself comfortable", not "tell
        // me" before what to tell
        const qsizetype verb = isIn(text(first), softeners) ? first + 1 : first;
        const bool toldWhat =
            isIn(text(j - 1), {"me"_L1, "us"_L1}) && EnglishVerbs::speaks(text(verb));
        // (at the start a verb the tagger read otherwise: "come on in")
        const bool request = tag(verb) == Tag::vb ||
                             (verb == first && start == 0 && !isIn(text(verb), auxiliaries) &&
                              EnglishTagger::readings(text(verb)).value(0) == Tag::vb);
        if (request && j - verb >= 2 && !toldWhat && text(verb) != "let"_L1 &&
            std::none_of(m_words.begin() + verb + 1, m_words.begin() + j,
                         [](const Word& w) { return isFinite(w.tag); }))
            return !reportsSpeech(m_words, j);
        // Nor does praise: "great answer"
        if ((isIn(text(first), replyWords) || tag(first) == Tag::jj) && j - first <= 3 &&
            std::all_of(m_words.begin() + first + 1, m_words.begin() + j, [](const Word& w) {
                return EnglishTagger::isNoun(w.tag) || w.tag == Tag::jj;
            }))
            return j - first > 1;
        // A clause opened by a question word without inversion is a subject waiting for its verb:
        // "what we need is…"
        if (isIn(text(first), questionWords) &&
            EnglishClause::readFrom(m_words, first).form != Form::interrogative &&
            std::count_if(m_words.begin() + first, m_words.begin() + j,
                          [](const Word& w) { return isFinite(w.tag); }) < 2)
            return false;
        // The last clause needs a verb of its own: not "we're a charity so the salary". "And"
        // and "or" may join two nouns ("the apps and the website"), the others open a clause.
        for (qsizetype i = j - 1; i >= start; --i) {
            if (isFiniteAt(i))
                return !awaitsVerb(i, j) && !reportsSpeech(m_words, j);
            // ("because of the hours" is a phrase)
            if (i < j - 1 && isIn(text(i), clauseMarkers) && text(i) != "and"_L1 &&
                tag(i - 1) != Tag::dt && // "a while"
                text(i) != "or"_L1 && !(text(i) == "because"_L1 && text(i + 1) == "of"_L1))
                return false;
        }
        return false;
    }

    // Whether the word at `i` needs words after it: an article, a preposition, a conjunction,
    // an auxiliary. "Be" ends a clause about how or what something is ("i know how draining
    // nights are"), "that" one it is the object of ("thanks for that").
    bool leansOnNext(qsizetype i) const {
        const QString& word = text(i);
        if (isIn(word, beForms) && (EnglishTagger::isNoun(tag(i - 1)) || tag(i - 1) == Tag::prp)) {
            for (qsizetype w = i - 1; w >= 0 && w >= i - 6; --w) {
                if (isIn(text(w), questionWords))
                    return false;
            }
        }
        if (word == "come"_L1 && text(i - 1) == "how"_L1)
            return true; // "how come" takes a clause
        if (word == "that"_L1 &&
            (isVerb(tag(i - 1)) || isOneOf(tag(i - 1), {Tag::in, Tag::rp, Tag::vbg, Tag::pdt}) ||
             text(i - 1) == "all"_L1))
            return false;
        // A particle or an adverb after a verb or a noun ends a clause: "thrown in", "sold to",
        // "deal with", "had a brand before"; not "want to" nor "if", which wait for more, nor a
        // preposition after "be" ("the chefs are on show") or before a clause ("check before you
        // set off")
        const bool particle = (isOneOf(tag(i), {Tag::in, Tag::rp}) && !isIn(word, conjunctions)) ||
                              (tag(i) == Tag::to && tag(i - 1) == Tag::vbn &&
                               !isOneOf(tag(i + 1), {Tag::vb, Tag::vbp}));
        const bool opensClauseAfter = isIn(word, leadInSubordinators) &&
                                      (isIn(text(i + 1), subjectPronouns) || tag(i + 1) == Tag::dt);
        if (particle && !opensClauseAfter && !isIn(text(i - 1), auxiliaries) && !isModal(i - 1) &&
            (isVerb(tag(i - 1)) || isOneOf(tag(i - 1), {Tag::vbn, Tag::vbg, Tag::rb}) ||
             (EnglishTagger::isNoun(tag(i - 1)) && hasReading(word, [](Tag t) {
                  return isOneOf(t, {Tag::rb, Tag::rp});
              }))))
            return false;
        // "in your master's": a possessive whose noun is understood
        const bool possessive =
            word == "'s"_L1 && EnglishTagger::isNoun(tag(i - 1)) &&
            isIn(text(i - 2), {"your"_L1, "my"_L1, "our"_L1, "their"_L1, "his"_L1, "her"_L1});
        return (isIn(word, leaningWords) && tag(i) != Tag::pos && !possessive) ||
               isOneOf(tag(i), {Tag::in, Tag::of, Tag::to, Tag::cc, Tag::wdt, Tag::wp, Tag::wrb,
                                Tag::md, Tag::pdt}) ||
               (tag(i) == Tag::ex && isIn(text(i + 1), beForms)); // "over there" ends
    }

    // Whether the auxiliary at `aux`, opening a question, still waits for its verb at `j`, with
    // only its subject after it: "does your team", "can you", "aren't you".
    bool awaitsVerb(qsizetype aux, qsizetype j) const {
        // At the start, or after a question phrase ("how long have", "which site does")
        qsizetype phrase = aux - 1;
        while (phrase > 0 && aux - phrase < 4 && !isIn(text(phrase), questionWords) &&
               (EnglishTagger::isNoun(tag(phrase)) ||
                isOneOf(tag(phrase), {Tag::jj, Tag::rb, Tag::dt, Tag::of})))
            --phrase;
        // ("children who have eal": "who" after a noun is about it)
        const bool questionWord =
            isIn(text(phrase), questionWords) &&
            !(EnglishTagger::isNoun(tag(phrase - 1)) &&
              !openings::joinsSentences(text(phrase - 1)) && isIn(text(phrase), relativeWords));
        const bool opensQuestion = aux == 0 || questionWord ||
                                   openings::joinsSentences(text(aux - 1)) ||
                                   tag(aux - 1) == Tag::uh;
        // "i couldn't quite": a modal or "do" with its subject before it still needs its verb
        if (!opensQuestion && (isModal(aux) || isIn(text(aux), doForms)) && j - aux >= 2 &&
            std::all_of(m_words.begin() + aux + 1, m_words.begin() + j,
                        [](const Word& w) { return w.tag == Tag::rb; }))
            return true;
        // "what's your notice period": the question phrase is what "be" says of its subject
        if (!opensQuestion || !isAuxiliary(aux) || (isIn(text(aux), beForms) && questionWord))
            return false;
        for (qsizetype i = aux + 1; i < j; ++i) {
            if (!(tag(i) == Tag::prp || EnglishTagger::isNoun(tag(i)) ||
                  isOneOf(tag(i), {Tag::dt, Tag::jj, Tag::pos, Tag::rb})))
                return false;
        }
        // "are the hours long": "be" and what it says of its subject; "is there a dress code", "is
        // it tiring"
        if (isIn(text(aux), beForms) &&
            (text(aux + 1) == "there"_L1 || (tag(aux + 1) == Tag::prp && j > aux + 2)))
            return false;
        return !(isIn(text(aux), beForms) && tag(j - 1) == Tag::jj &&
                 (EnglishTagger::isNoun(tag(j - 2)) || tag(j - 2) == Tag::prp));
    }

    // Whether a question quoted after the words that report it begins at `j`: "she asked me can
    // you…", not "you said you've been…".
    bool quoteStartsAt(qsizetype j) const {
        if (!reportsSpeech(m_words, j) || text(j).startsWith(u'\''))
            return false;
        if (isIn(text(j), questionWords))
            return whInverted(j) || whSubject(j);
        return isAuxiliary(j) && !isIn(text(j - 1), subjectPronouns) && subjectAfter(j);
    }

    // A question word, its phrase ("how many people", "which of the sites", "what kind of
    // work"), then an auxiliary and its subject.
    bool whInverted(qsizetype i) const {
        // "why leave now", "why go back", "why this company"
        if (text(i) == "why"_L1 && !isIn(text(i + 1), auxiliaries) &&
            (isOneOf(tag(i + 1), {Tag::vb, Tag::vbp}) ||
             (tag(i + 1) == Tag::dt && !isIn(text(i + 1), {"the"_L1, "a"_L1, "an"_L1}))))
            return true;
        const qsizetype auxiliary = whPhraseEnd(i);
        return isAuxiliary(auxiliary) && subjectAfter(auxiliary);
    }

    // Where the question phrase before the auxiliary at `aux` begins, if one does.
    qsizetype whStart(qsizetype aux) const {
        qsizetype i = aux - 1;
        while (i > 0 && aux - i < 4 && !isIn(text(i), questionWords))
            --i;
        return i;
    }

    // A question word standing as its own subject, with its verb: "what happened there", "who
    // leads the team", "which site suits you".
    bool whSubject(qsizetype i) const {
        // "how many people were…"
        const bool quantity = text(i) == "how"_L1 && isIn(text(i + 1), {"many"_L1, "much"_L1});
        if (!isIn(text(i), subjectQuestionWords) && !quantity)
            return false;
        // ("…first which didn't go down well": a bare "which" is about what came before)
        if (text(i) == "which"_L1 && !EnglishTagger::isNoun(tag(i + 1)) &&
            !isIn(text(i + 1), {"of"_L1, "one"_L1}))
            return false;
        qsizetype p = i + (quantity ? 2 : 1);
        while (p < size() && p <= i + 3 &&
               (text(p) == "else"_L1 ||
                (text(i) != "who"_L1 &&
                 (EnglishTagger::isNoun(tag(p)) || isOneOf(tag(p), {Tag::dt, Tag::jj, Tag::of})))))
            ++p;
        while (p < size() && tag(p) == Tag::rb)
            ++p;
        // ("what law school's like": the question word is what "be" says of its subject)
        if (p > i + 1 && isIn(text(p), beForms) && text(p + 1) == "like"_L1)
            return false;
        return p < size() && p + 1 < size() && (isFinite(tag(p)) || isIn(text(p), auxiliaries));
    }

    // After an auxiliary, a subject and a predicate that is not a verb of its own: "is that
    // going", "have you used", "would early starts be", not "is you can" (a clause after
    // "is").
    bool subjectAfter(qsizetype aux) const {
        qsizetype subject = aux + 1;
        if (text(subject) == "n't"_L1)
            ++subject;
        if (subject >= size())
            return false;
        const QString& auxiliary = text(aux);
        // After "do" or a modal the verb is in the base form, which the tagger may read as a
        // noun or a present ("would early starts be"): it is the first word that can be one
        // after a noun phrase
        if (tag(aux) == Tag::md || isIn(auxiliary, doForms)) {
            // "who'll walk through…": the verb follows, the question word is its subject
            if (tag(subject) == Tag::vb)
                return false;
            bool hasSubject = false;
            for (qsizetype i = subject; i < size() && i <= subject + 7; ++i) {
                // "would travelling between the two be…": a gerund with its phrase
                const bool nounPhrase =
                    tag(i) == Tag::prp || EnglishTagger::isNoun(tag(i)) ||
                    isOneOf(tag(i), {Tag::dt, Tag::jj, Tag::pos, Tag::cd, Tag::vbg}) ||
                    canBeNoun(text(i)) || isIn(text(i), demonstratives) ||
                    (hasSubject &&
                     isOneOf(tag(i), {Tag::in, Tag::of, Tag::rbs, Tag::rbr, Tag::vbn}));
                if (i > subject && hasSubject &&
                    (isOneOf(tag(i), {Tag::vb, Tag::vbp}) ||
                     hasReading(text(i), [](Tag t) { return t == Tag::vb; })))
                    return true;
                hasSubject = hasSubject || (nounPhrase && tag(i) != Tag::rb) ||
                             isIn(text(i), demonstratives);
                if (!nounPhrase && tag(i) != Tag::rb)
                    return false;
            }
            return false;
        }
        qsizetype next = subject + 1;
        if (!(tag(subject) == Tag::prp || tag(subject) == Tag::ex ||
              isIn(text(subject), demonstratives))) {
            // A noun phrase, with its noun: "who's furious about…" has no subject
            bool noun = false;
            for (next = subject;
                 next < size() && (EnglishTagger::isNoun(tag(next)) ||
                                   isOneOf(tag(next), {Tag::dt, Tag::jj, Tag::pos}) ||
                                   (tag(next) == Tag::vbg &&
                                    EnglishTagger::isNoun(tag(next + 1)))); // "a rotating pattern"
                 ++next)
                noun = noun || EnglishTagger::isNoun(tag(next));
            if (!noun)
                return false;
        }
        // ("how was the journey": after a question phrase "be" needs nothing more)
        if (next >= size())
            return isIn(auxiliary, beForms) && isIn(text(whStart(aux)), questionWords);
        if (isIn(text(next), beForms) || tag(next) == Tag::md)
            return false;
        // After "have" a participle, which the tagger may read as a past
        if (isIn(auxiliary, haveForms))
            return !isOneOf(tag(next), {Tag::vbz, Tag::vbp});
        return !isFinite(tag(next));
    }

    // A closing tag from `i` to the end ("isn't it", "don't you", "is that right"), which keeps
    // to its statement.
    bool isClosingTag(qsizetype i) const {
        const qsizetype n = size() - i;
        if (n > 4)
            return false;
        qsizetype p = i + 1;
        if (p < size() && text(p) == "n't"_L1)
            ++p;
        return (p + 1 == size() && tag(p) == Tag::prp) ||
               (p + 2 == size() && isIn(text(size() - 1), tagEnds));
    }

    // Whether the word at `i` is a verb, as the tagger reads it; not after an article or an
    // adjective, where it is a noun ("moving into sixth form").
    bool isVerbWord(qsizetype i) const {
        return (isVerb(tag(i)) || isOneOf(tag(i), {Tag::vbn, Tag::vbg})) &&
               !(isOneOf(tag(i - 1), {Tag::dt, Tag::jj, Tag::cd, Tag::pos}) && canBeNoun(text(i)));
    }

    // Whether the noun phrase that ends at `i` is the object of a verb or a preposition before
    // it, not a subject waiting for its verb ("…are owner managed businesses", not "the
    // waiters").
    bool isObjectPhrase(qsizetype i) const {
        while (i > 0 && (EnglishTagger::isNoun(tag(i)) ||
                         isOneOf(tag(i), {Tag::dt, Tag::jj, Tag::cd, Tag::pos, Tag::vbn})))
            --i;
        return isFiniteAt(i) || isOneOf(tag(i), {Tag::in, Tag::of, Tag::vb, Tag::vbg});
    }

    // "…pretty well i take it", "…fridays free you said": a closing tag keeps to its statement.
    bool isTagPhrase(qsizetype j) const {
        QStringList rest;
        for (qsizetype i = j; i < size(); ++i)
            rest.append(text(i));
        return isIn(rest.join(u' '), tagPhrases);
    }

    // Whether a clause that asks begins at `j`, after discourse words.
    bool questionStartsAt(qsizetype j) const {
        // "…refits now have you…": the sentence ends after "now"
        if (isIn(text(j), clauseEnds) && (text(j) != "right"_L1 || text(j + 1) == "now"_L1))
            return false;
        const qsizetype k = afterDiscourse(j);
        const bool adjacent = k == j;
        const Tag before = tag(j - 1);
        const QString& first = text(k);
        if (isIn(first, questionWords)) {
            // After a noun a clause about it, after a verb or an adjective its object: only an
            // inverted one is a question of its own.
            // "which of those…" opens no clause about the noun before it
            // ("why" only after "reason")
            const bool relative = (EnglishTagger::isNoun(before) || before == Tag::prp) &&
                                  isIn(first, relativeWords) && text(k + 1) != "of"_L1 &&
                                  (first != "why"_L1 || text(j - 1).startsWith("reason"_L1));
            const bool preposition =
                (isOneOf(before, {Tag::rp, Tag::in}) || isLikelyPreposition(text(j - 1))) &&
                text(j - 1) != "that"_L1;
            // ("remember offhand what time", "explain me how you…"; not "her maternity leave")
            qsizetype verb = j - 1;
            while (verb > 0 && (tag(verb) == Tag::rb || isIn(text(verb), objectPronouns)))
                --verb;
            // ("remember offhand what time")
            if ((tag(verb) == Tag::jj || EnglishTagger::isNoun(tag(verb))) &&
                isVerbWord(verb - 1) && !isIn(text(verb - 1), auxiliaries) &&
                EnglishVerbs::takesObject(text(verb - 1)).value_or(false) &&
                EnglishVerbs::speaks(text(verb - 1)))
                --verb;
            const bool compound =
                EnglishTagger::isNoun(tag(verb - 1)) && canBeNoun(text(verb)) && isShortFollowUp(k);
            const bool embedded = adjacent && ((isVerbWord(verb) && !compound) || preposition ||
                                               isIn(text(j - 1), clauseAdjectives) || relative);
            // After a noun "who has autism" is about it: a question inverts before a pronoun;
            // "which ones" ends a result as a follow-up
            if (adjacent && relative)
                return (whInverted(k) && (isIn(text(whPhraseEnd(k) + 1), subjectPronouns) ||
                                          isIn(text(whPhraseEnd(k) + 1), demonstratives))) ||
                       isShortFollowUp(k);
            if (whInverted(k) || (!embedded && whSubject(k)))
                return true;
            // Without inversion, as casual speakers ask ("…mostly nights how you feel about
            // it"), or a short follow-up ending the result ("…after six months how come")
            if (embedded || (adjacent && relative))
                return false;
            const Form form = EnglishClause::readFrom(m_words, k).form;
            // (not "… and what you did", a clause joined to the one before)
            return isShortFollowUp(k) || form == Form::followUp ||
                   (form == Form::interrogative && !isIn(text(k - 1), {"and"_L1, "or"_L1}) &&
                    text(whPhraseEnd(k)).startsWith("you"_L1));
        }
        // "…for a while now since when", "…took to you in what way", "…now differently how"
        // (not "and get even | with who")
        if (isShortFollowUp(k) && isOneOf(tag(k), {Tag::in, Tag::rb}) && !isVerbWord(j - 1) &&
            (tag(j - 1) != Tag::rb || isIn(text(j - 1), clauseEnds)))
            return true;
        // After a noun "is" is more likely its verb, unless a pronoun follows: "…below market is
        // that going…", not "…the trial period is a conversation…"
        // …or a noun phrase with a verb or an adjective after it ("…fortnight is a rotating
        // pattern going to work"); "is that i find…" opens a clause
        const bool nounBefore = adjacent && (EnglishTagger::isNoun(before) || before == Tag::prp);
        const bool pronounNext = (tag(k + 1) == Tag::prp && !isIndefinite(text(k + 1))) ||
                                 (isIn(text(k + 1), demonstratives) && !opensClause(k + 2));
        // ("you said you were…": the verb of the pronoun before it)
        if (isAuxiliary(k))
            return subjectAfter(k) && !isClosingTag(k) &&
                   !(adjacent && pronounBefore(j) &&
                     !isOneOf(tag(j - 2), {Tag::in, Tag::to, Tag::vb, Tag::vbp, Tag::vbd}) &&
                     text(j - 2) != "about"_L1) &&
                   !(nounBefore && isIn(first, beForms) && !pronounNext &&
                     !predicateAfterPhrase(k + 1)) &&
                   !(isIn(text(k + 1), demonstratives) && !pronounNext) &&
                   EnglishClause::readFrom(m_words, k).form == Form::interrogative;
        // The speaker wanting to know: "i'd love for you to…", "it would help to…"
        if (isIn(first, {"i"_L1, "we"_L1, "it"_L1}))
            return EnglishClause::readFrom(m_words, k).form == Form::indirectRequest &&
                   (!adjacent || !isVerbWord(j - 1));
        // "let me think": the verb belongs to "let"
        if (text(j - 2) == "let"_L1)
            return false;
        // A request opens on a verb of saying or one that goes through something, read as a verb
        // where it stands, or on a softener: not "click and collect how…"
        qsizetype verb = k;
        while (isIn(text(verb), softeners))
            ++verb;
        if (!isOneOf(tag(verb), {Tag::vb, Tag::vbp}) ||
            !(EnglishVerbs::speaks(text(verb)) || text(verb + 2) == "through"_L1))
            return false;
        const EnglishClause::Reading reading = EnglishClause::readFrom(m_words, k);
        if (reading.form != Form::imperative || !reading.asks)
            return false;
        // "the nurses tell me…", "they usually describe…": the words before are its subject; a
        // request follows a place or time ("…a lot here walk me through…")
        return !adjacent || !(isIn(text(j - 1), subjectPronouns) || text(j - 1) == "n't"_L1 ||
                              (before == Tag::nns && !(isObjectPhrase(j - 1) &&
                                                       isIn(text(verb + 1), {"me"_L1, "us"_L1}))) ||
                              isIn(text(j - 1), verbAdverbs));
    }

    // Whether a follow-up begins at `j` after praise or a reply: "mm interesting | and your line
    // manager".
    bool followsPraise(qsizetype start, qsizetype j) const {
        return std::all_of(m_words.begin() + start, m_words.begin() + j,
                           [](const Word& w) {
                               return isIn(w.text, replyWords) || w.tag == Tag::jj ||
                                      openings::joinsSentences(w.text);
                           }) &&
               EnglishClause::readFrom(m_words, afterDiscourse(j)).form == Form::followUp;
    }

    // Whether the words from `k` to the end are a short follow-up without a verb, with a question
    // word: "how come", "since when", "in what way", "differently how".
    bool isShortFollowUp(qsizetype k) const {
        return size() - k <= 3 &&
               std::any_of(m_words.begin() + k, m_words.end(),
                           [](const Word& w) { return isIn(w.text, questionWords); }) &&
               std::none_of(m_words.begin() + k, m_words.end(), [](const Word& w) {
                   return isFinite(w.tag) || isIn(w.text, auxiliaries);
               });
    }

    // Whether a clause begins at `i`, a subject and its verb: "(is that) i find…", "(is that) the
    // team needs…", not "(is that) the sort of thing…".
    bool opensClause(qsizetype i) const {
        if (isIn(text(i), subjectPronouns))
            return true;
        while (i < size() && (EnglishTagger::isNoun(tag(i)) || isOneOf(tag(i), {Tag::dt, Tag::jj})))
            ++i;
        return isFinite(tag(i));
    }

    // Whether a subject pronoun stands before `j`, past adverbs: "(i) still do…"
    bool pronounBefore(qsizetype j) const {
        qsizetype i = j - 1;
        while (i > 0 && tag(i) == Tag::rb)
            --i;
        return isIn(text(i), subjectPronouns);
    }

    // "someone", "anything", "somewhere": a clause about them follows them
    static bool isIndefinite(const QString& word) {
        return word.endsWith("thing"_L1) || word.endsWith("one"_L1) || word.endsWith("body"_L1) ||
               word.endsWith("where"_L1) || word == "else"_L1;
    }

    // Whether a noun phrase from `i` is followed by a verb or an adjective: what "is" says of a
    // subject after it.
    bool predicateAfterPhrase(qsizetype i) const {
        // "the software is a bit dated": a degree, not a subject
        if (text(i) == "a"_L1 && isIn(text(i + 1), {"bit"_L1, "little"_L1, "lot"_L1}))
            return false;
        while (i < size() && (EnglishTagger::isNoun(tag(i)) ||
                              isOneOf(tag(i), {Tag::dt, Tag::jj, Tag::pos, Tag::cd}) ||
                              (tag(i) == Tag::vbg && EnglishTagger::isNoun(tag(i + 1)))))
            ++i;
        return isOneOf(tag(i), {Tag::vbg, Tag::vbn, Tag::jj, Tag::rb});
    }

    // Whether a new subject and its verb begin at `j`: a pronoun, or "that"/"there" before "is".
    // After a noun a subject opens a clause about it ("the team you joined"), after a verb its
    // object ("i think we should"); `afterPhrase` when a phrase leads in,
    // whose main clause may begin after any noun ("in my last job i ran…").
    bool subjectStartsAt(qsizetype j, bool afterPhrase, qsizetype start) const {
        const qsizetype last = j - 1;
        const QString& before = text(last);
        // "anything else you'd like to add", "i'm sure you will", "fair to say you…"
        if (isIn(before, clauseAdjectives) || isIndefinite(before) ||
            (isVerbWord(last) && EnglishVerbs::speaks(before)) ||
            (text(j) == "that"_L1 && EnglishTagger::isNoun(tag(last))))
            return false;
        if (clarifiesQuestion(start, j))
            return true;
        const QString& first = text(j);
        // ("work in it have you…": "it" is the object of "in")
        const bool pronoun =
            isIn(first, subjectPronouns) &&
            !(isIn(first, {"it"_L1, "you"_L1}) && isOneOf(tag(j - 1), {Tag::in, Tag::rp}));
        // ("on that were there…": "that" is the object of "on")
        const bool demonstrative = isIn(first, demonstratives) && isIn(text(j + 1), beForms) &&
                                   !isOneOf(tag(j - 1), {Tag::in, Tag::rp}) && !isVerbWord(j - 1);
        // "…from the head chef | his question is…": a possessive's noun opens no clause about the
        // noun before
        if (isIn(first, {"his"_L1, "her"_L1, "my"_L1, "our"_L1, "their"_L1}) &&
            EnglishTagger::isNoun(tag(j + 1)) && isIn(text(j + 2), beForms) &&
            (EnglishTagger::isNoun(tag(last)) || !EnglishTagger::knows(before)))
            return true;
        if ((!pronoun && !demonstrative) || isTagPhrase(j))
            return false;
        qsizetype verb = j + 1;
        while (verb < size() && tag(verb) == Tag::rb)
            ++verb;
        // After a verb its object, but "i", "we", "they", "he" and "she" are no object: "what did
        // you fix i still do that"
        const bool nominative = isIn(first, {"i"_L1, "we"_L1, "they"_L1, "he"_L1, "she"_L1});
        if (verb >= size() || !(isFinite(tag(verb)) || isIn(text(verb), auxiliaries)) ||
            (isVerbWord(last) && !nominative))
            return false;
        // A word the lexicon lacks is most often a name or a noun ("stakeholder")
        const bool noun = EnglishTagger::isNoun(tag(last)) || !EnglishTagger::knows(before);
        // "was it thursday | we said for…": a clause whose verb lacks its object is about the
        // noun before it
        if (noun && EnglishVerbs::takesObject(text(verb)).value_or(false) &&
            !EnglishVerbs::standsAlone(text(verb)).value_or(true) &&
            (verb + 1 == size() || isPreposition(tag(verb + 1))))
            return false;
        // ("last year it took…", not "the first year they…"; "the earliest you could…")
        const bool adverbialTime =
            isIn(before, timeNouns) &&
            !(text(last - 1) == "the"_L1 || tag(last - 1) == Tag::jjs ||
              isIn(text(last - 1), {"first"_L1, "second"_L1, "third"_L1, "same"_L1, "only"_L1}));
        if (tag(last) == Tag::jjs)
            return false;
        return afterPhrase || !noun || adverbialTime || isOneOf(tag(last), {Tag::nnp, Tag::cd});
    }

    // Whether the words from `j` answer the question from `start`: "is it hard work yes but…",
    // or, where it does not ask the listener, words without a verb ("how long's the probation
    // six months same as everyone", "who set the targets head office not us").
    bool answersQuestion(qsizetype start, qsizetype j) const {
        const qsizetype asked = afterDiscourse(start);
        // (or "it's…", "it means…" after one: "where's head office it's in leeds")
        const bool fragment =
            isIn(text(asked), questionWords) &&
            (EnglishTagger::isNoun(tag(j - 1)) || tag(j - 1) == Tag::rb ||
             (tag(j - 1) == Tag::vb && text(j - 2) != "to"_L1)) &&
            (isFragmentAt(j) || (isIn(text(j), {"it"_L1, "they"_L1}) && isFiniteAt(j + 1))) &&
            std::none_of(m_words.begin() + start, m_words.begin() + j,
                         [](const Word& w) { return isIn(w.text, secondPerson); });
        // ("do you think we do it | because…" goes on: "because" answers only a why)
        const bool why = std::any_of(m_words.begin() + asked, m_words.begin() + j,
                                     [](const Word& w) { return w.text == "why"_L1; }) ||
                         (text(asked) == "how"_L1 && text(asked + 1) == "come"_L1);
        if (!fragment && !(opensAnswer({text(j), text(j + 1)}) && (text(j) != "because"_L1 || why)))
            return false;
        return EnglishClause::readFrom(m_words, asked).form == Form::interrogative;
    }

    // Words from `i` that are no clause and that nothing before them continues: a number, a
    // name or a noun phrase with its article that no verb of its own follows ("six months same
    // as everyone", "harrogate that's right", "the lone worker app"), not a subject before its
    // verb ("the team faces…").
    bool isFragmentAt(qsizetype i) const {
        // "about forty", "mostly client calls", "half six"
        // (a number after "about": "about our company" goes on with the question)
        const bool approximate =
            isIn(text(i), {"about"_L1, "around"_L1, "roughly"_L1}) || tag(i) == Tag::pdt;
        const bool mostly = isIn(text(i), {"mostly"_L1, "mainly"_L1});
        if (approximate || mostly)
            ++i;
        if (approximate ? tag(i) != Tag::cd
                        : !(isOneOf(tag(i), {Tag::cd, Tag::nnp, Tag::dt}) ||
                            (mostly && EnglishTagger::isNoun(tag(i))) ||
                            isIn(text(i), {"mine"_L1, "ours"_L1, "theirs"_L1})))
            return false;
        qsizetype end = i + 1;
        while (end < size() && end < i + 4 &&
               (EnglishTagger::isNoun(tag(end)) || isOneOf(tag(end), {Tag::jj, Tag::cd})))
            ++end;
        // (an article needs its noun: not "the only")
        if (tag(i) == Tag::dt && !EnglishTagger::isNoun(tag(end - 1)))
            return false;
        return !isFinite(tag(end)) && !isAuxiliary(end) && tag(end) != Tag::pos;
    }

    // Whether a clause of its own begins at `j` after the question from `start`, which needs
    // nothing of it: its verb has what it takes ("…your own tools we supply the bigger kit",
    // "…a fixed term contract it's twelve months", "…looking for a range is fine"), unlike a
    // clause about the noun before it ("the system you've been responsible for").
    bool clarifiesQuestion(qsizetype start, qsizetype j) const {
        // "what you'd bring that's different": "that" after a verb or a noun is about it
        if (text(j) == "that"_L1 && (isVerbWord(j - 1) || EnglishTagger::isNoun(tag(j - 1))))
            return false;
        // "what made you…", "a time you helped…", "any clients you couldn't win round", "how many
        // coffees we sell": the question is not over
        for (qsizetype i = std::max<qsizetype>(start, j - 4); i < j; ++i) {
            if (isIn(text(i), questionWords) && i > afterDiscourse(start))
                return false;
        }
        const bool objectAsked =
            isIn(text(afterDiscourse(start)), {"what"_L1, "which"_L1, "whose"_L1});
        if ((isVerbWord(j - 1) && !objectAsked &&
             EnglishVerbs::takesObject(text(j - 1)).value_or(false)) ||
            isIn(text(j - 1), adverbialHeads) ||
            (EnglishTagger::isNoun(tag(j - 1)) && isIn(text(j), {"you"_L1, "i"_L1})))
            return false;
        // Its subject: a pronoun, or a noun phrase before "is"
        qsizetype verb = j;
        if (isIn(text(j), subjectPronouns) || isIn(text(j), demonstratives) ||
            (tag(j) == Tag::rb && isIn(text(j + 1), beForms))) { // "roughly is fine"
            verb = j + 1;
        } else {
            if (tag(verb) == Tag::dt)
                ++verb;
            while (verb < size() && verb < j + 4 &&
                   isOneOf(tag(verb), {Tag::jj, Tag::nn, Tag::nns, Tag::cd, Tag::pos}))
                ++verb;
            if (verb == j || !isIn(text(verb), beForms))
                return false;
        }
        // Its verb: auxiliaries, "not" and adverbs, then the verb that takes its complement
        qsizetype main = -1;
        qsizetype i = verb;
        for (; i < size() && (isAuxiliary(i) || tag(i) == Tag::rb || isVerb(tag(i)) ||
                              isOneOf(tag(i), {Tag::vbn, Tag::vbg}));
             ++i) {
            if (tag(i) != Tag::rb)
                main = i;
        }
        if (main < 0 || i >= size())
            return false;
        // A preposition without its object has it in the noun before ("you've worked with")
        for (qsizetype p = i;
             p < size() && !isOneOf(tag(p), {Tag::cc, Tag::wrb, Tag::wdt, Tag::wp}) &&
             !isIn(text(p), leadInSubordinators);
             ++p) {
            if (isPreposition(tag(p)) && (p + 1 == size() || isPreposition(tag(p + 1))))
                return false;
        }
        // After "be" what it says of the subject, not a preposition ("you are on now")
        const bool complement =
            (isIn(text(main), beForms) || isIn(text(main), {"be"_L1, "been"_L1})) &&
            !isPreposition(tag(i));
        const bool object =
            EnglishTagger::isNoun(tag(i)) || isOneOf(tag(i), {Tag::prp, Tag::dt, Tag::cd, Tag::jj});
        if (!(complement || (EnglishVerbs::takesObject(text(main)).value_or(false) && object)))
            return false;
        const qsizetype asked = afterDiscourse(start);
        return EnglishClause::readFrom(m_words, asked).form == Form::interrogative;
    }

    std::vector<bool> m_finite;
};

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
