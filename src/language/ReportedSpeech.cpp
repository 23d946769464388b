#include "language/ReportedSpeech.h"

#include "language/EnglishWords.h"

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;

// Verbs that quote what someone said or asked, in their forms: "asked", "replied".
constexpr QLatin1String quotingVerbs[] = {
    "ask"_L1,       "asks"_L1,     "asked"_L1,     "asking"_L1,  "say"_L1,      "says"_L1,
    "said"_L1,      "saying"_L1,   "tell"_L1,      "tells"_L1,   "told"_L1,     "wonder"_L1,
    "wonders"_L1,   "wondered"_L1, "wondering"_L1, "thought"_L1, "thinking"_L1, "reply"_L1,
    "replies"_L1,   "replied"_L1,  "answered"_L1,  "shouted"_L1, "yelled"_L1,   "wrote"_L1,
    "texted"_L1,    "emailed"_L1,  "messaged"_L1,  "added"_L1,   "snapped"_L1,  "joked"_L1,
    "whispered"_L1, "screamed"_L1, "demanded"_L1,  "queried"_L1, "pinged"_L1};
// "She was like…": "like" after these quotes.
constexpr QLatin1String beForms[] = {"is"_L1, "was"_L1, "were"_L1, "'s"_L1, "'m"_L1, "'re"_L1};
// What a question is asked about or for, not to whom: "asked for", "said about".
constexpr QLatin1String topics[] = {"for"_L1, "about"_L1, "of"_L1, "with"_L1};
// "They wanted to know…"
constexpr QLatin1String wishes[] = {"want"_L1,   "wants"_L1, "wanted"_L1,
                                    "needed"_L1, "need"_L1,  "needs"_L1};
// The most words between the verb and the quote: "said to the site manager".
constexpr qsizetype maximumAddressee = 5;

} // namespace

bool reportsSpeech(const QList<EnglishTagger::Word>& words, qsizetype end) {
    const auto text = [&words](qsizetype i) {
        return i >= 0 && i < words.size() ? words[i].text : QString();
    };
    // Whom it was said to, if anyone: "us", "the whole team", "to the site manager"
    qsizetype verb = end - 1;
    while (verb > 0 && end - verb <= maximumAddressee &&
           (isOneOf(words[verb].tag, {Tag::prp, Tag::dt, Tag::jj, Tag::rb, Tag::rp, Tag::pos}) ||
            (words[verb].tag == Tag::in && !isIn(text(verb), topics)) ||
            EnglishTagger::isNoun(words[verb].tag) || text(verb) == "to"_L1))
        --verb;
    if (verb < 0)
        return false;
    const QString word = text(verb);
    if (word == "like"_L1)
        return isIn(text(verb - 1), beForms);
    if (word == "know"_L1)
        return text(verb - 1) == "to"_L1 && isIn(text(verb - 2), wishes);
    // "go" quotes right before the quote, after its subject ("and he goes"), not as a verb of
    // moving ("to go", "everything goes through review")
    if (isIn(word, {"go"_L1, "goes"_L1, "went"_L1}))
        return verb > 0 && verb == end - 1 &&
               (isIn(text(verb - 1), subjectPronouns) ||
                EnglishTagger::isNoun(words[verb - 1].tag));
    // "the first question on the form was…", "the first thing she asked was…"
    // (not "your cv says you're in leeds", where "be" has a subject of its own)
    if (isIn(word, beForms) && verb > 0 && !isIn(text(verb - 1), subjectPronouns) &&
        text(verb - 1) != "there"_L1) {
        for (qsizetype i = verb - 1; i >= 0 && i >= verb - 6; --i) {
            if (text(i) == "question"_L1 || (isIn(text(i), quotingVerbs) && i < verb - 1))
                return true;
        }
        return false;
    }
    // "tell me what…" asks, as a request in the base form does; "…and ask, does everyone…"
    // quotes
    const bool request = words[verb].tag == Tag::vb &&
                         (verb == 0 || isIn(text(verb - 1), {"please"_L1, "just"_L1, "so"_L1,
                                                             "now"_L1, "okay"_L1, "then"_L1}));
    return isIn(word, quotingVerbs) && !request;
}

} // namespace corvel
