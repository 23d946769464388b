#include "language/ClauseEnd.h"

#include <optional>

#include "language/EnglishClause.h"
#include "language/EnglishVerbs.h"
#include "language/ReportedSpeech.h"

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;
using namespace sentenceWords;
using Form = EnglishClause::Form;

// Words that need what follows them.
constexpr QLatin1String leaningWords[] = {
    "the"_L1,   "a"_L1,   "an"_L1, "my"_L1,  "your"_L1, "our"_L1,  "their"_L1, "his"_L1, "its"_L1,
    "every"_L1, "no"_L1,  "is"_L1, "are"_L1, "was"_L1,  "were"_L1, "am"_L1,    "be"_L1,  "been"_L1,
    "'s"_L1,    "'re"_L1, "'m"_L1, "'ve"_L1, "'d"_L1,   "'ll"_L1,  "than"_L1};
// Words that open a clause, which the tagger counts among the prepositions.
constexpr QLatin1String conjunctions[] = {"if"_L1,     "whether"_L1,  "because"_L1, "while"_L1,
                                          "unless"_L1, "although"_L1, "though"_L1,  "as"_L1,
                                          "than"_L1,   "that"_L1,     "so"_L1,      "like"_L1,
                                          "until"_L1,  "whereas"_L1,  "once"_L1};

} // namespace

bool ClauseEnd::endsClause(qsizetype start, qsizetype j) const {
    if (j - start < 2 || leansOnNext(j - 1))
        return false;
    const qsizetype first = afterDiscourse(start);
    if (first >= j - 1)
        return false; // "go on, tell me…"
    if (const std::optional<bool> ends = endsWithoutVerb(start, first, j))
        return *ends;
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

std::optional<bool> ClauseEnd::endsWithoutVerb(qsizetype start, qsizetype first,
                                               qsizetype j) const {
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
    const bool toldWhat = isIn(text(j - 1), {"me"_L1, "us"_L1}) && EnglishVerbs::speaks(text(verb));
    // (at the start a verb the tagger read otherwise: "come on in")
    const bool request =
        tag(verb) == Tag::vb || (verb == first && start == 0 && !isIn(text(verb), auxiliaries) &&
                                 EnglishTagger::readings(text(verb)).value(0) == Tag::vb);
    if (request && j - verb >= 2 && !toldWhat && text(verb) != "let"_L1 &&
        std::none_of(m_words.begin() + verb + 1, m_words.begin() + j,
                     [](const Word& w) { return isFinite(w.tag); }))
        return !reportsSpeech(m_words, j);
    // Nor does praise: "great answer"
    if ((isIn(text(first), replyWords) || tag(first) == Tag::jj) && j - first <= 3 &&
        std::all_of(m_words.begin() + first + 1, m_words.begin() + j,
                    [](const Word& w) { return EnglishTagger::isNoun(w.tag) || w.tag == Tag::jj; }))
        return j - first > 1;
    return std::nullopt;
}

bool ClauseEnd::leansOnNext(qsizetype i) const {
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
    const bool particle =
        (isOneOf(tag(i), {Tag::in, Tag::rp}) && !isIn(word, conjunctions)) ||
        (tag(i) == Tag::to && tag(i - 1) == Tag::vbn && !isOneOf(tag(i + 1), {Tag::vb, Tag::vbp}));
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

bool ClauseEnd::awaitsVerb(qsizetype aux, qsizetype j) const {
    // At the start, or after a question phrase ("how long have", "which site does")
    qsizetype phrase = aux - 1;
    while (phrase > 0 && aux - phrase < 4 && !isIn(text(phrase), questionWords) &&
           (EnglishTagger::isNoun(tag(phrase)) ||
            isOneOf(tag(phrase), {Tag::jj, Tag::rb, Tag::dt, Tag::of})))
        --phrase;
    // ("children who have eal": "who" after a noun is about it)
    const bool questionWord =
        isIn(text(phrase), questionWords) &&
        !(EnglishTagger::isNoun(tag(phrase - 1)) && !openings::joinsSentences(text(phrase - 1)) &&
          isIn(text(phrase), relativeWords));
    const bool opensQuestion = aux == 0 || questionWord ||
                               openings::joinsSentences(text(aux - 1)) || tag(aux - 1) == Tag::uh;
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

} // namespace corvel
