#include "language/Request.h"

#include "language/EnglishNouns.h"
#include "language/EnglishVerbs.h"

namespace corvel::clause {

namespace {

// An imperative's object that names nothing to speak about: "excuse me", "think about it",
// "thank you".
constexpr QLatin1String emptyObjects[] = {
    "me"_L1,  "us"_L1,     "you"_L1,  "it"_L1,     "that"_L1,   "this"_L1, "them"_L1,  "him"_L1,
    "her"_L1, "please"_L1, "now"_L1,  "then"_L1,   "again"_L1,  "here"_L1, "there"_L1, "up"_L1,
    "on"_L1,  "about"_L1,  "with"_L1, "for"_L1,    "off"_L1,    "out"_L1,  "down"_L1,  "a"_L1,
    "bit"_L1, "second"_L1, "sec"_L1,  "minute"_L1, "moment"_L1, "hi"_L1,   "hello"_L1};
// Verbs of courtesy and logistics, which ask for nothing whatever their object: their objects
// read as what a request asks for ("enjoy the rest of your day", "drop me an email"), so only
// the verb tells.
constexpr QLatin1String courtesyVerbs[] = {
    "feel"_L1,   "enjoy"_L1, "excuse"_L1,  "mind"_L1,   "wear"_L1,  "drop"_L1,
    "keep"_L1,   "sign"_L1,  "grab"_L1,    "help"_L1,   "sit"_L1,   "relax"_L1,
    "follow"_L1, "head"_L1,  "turn"_L1,    "park"_L1,   "pop"_L1,   "hang"_L1,
    "hold"_L1,   "bear"_L1,  "forgive"_L1, "pardon"_L1, "bring"_L1, "check"_L1,
    "come"_L1,   "stay"_L1,  "join"_L1,    "mute"_L1,   "ignore"_L1};
// "Have a great trip", "have a safe journey home".
constexpr QLatin1String wishes[] = {"great"_L1, "good"_L1,      "nice"_L1,     "lovely"_L1,
                                    "safe"_L1,  "wonderful"_L1, "brilliant"_L1};
// "Have a look around", "have a seat".
constexpr QLatin1String courtesyObjects[] = {"look"_L1,    "seat"_L1,    "drink"_L1,    "coffee"_L1,
                                             "tea"_L1,     "wander"_L1,  "break"_L1,    "day"_L1,
                                             "weekend"_L1, "evening"_L1, "afternoon"_L1};
// Requests to perform for the speaker, whatever their object ("sell me this pen").
constexpr QLatin1String performing[] = {"sell"_L1, "pitch"_L1};
// Words that soften an imperative before its verb ("please describe…", "just walk me…").
constexpr QLatin1String softeners[] = {"please"_L1,  "just"_L1,  "kindly"_L1,  "quickly"_L1,
                                       "briefly"_L1, "maybe"_L1, "perhaps"_L1, "now"_L1,
                                       "so"_L1,      "first"_L1, "also"_L1};

} // namespace

Reading Request::imperativeAt(qsizetype i, bool inner) const {
    i = verbAfterSofteners(i);
    if (isCourtesyAt(i))
        return {Form::imperative};
    if (!isBareVerbAt(i, inner))
        return {};
    Reading reading{Form::imperative};
    // "tell me about a time when i failed" tells the speaker's story; "as if i were…" sets
    // a scene
    const auto scene = std::find_if(m_words.begin() + i, m_words.end(), [](const Word& w) {
        return w.text == "if"_L1 || w.text == "though"_L1;
    });
    const bool speakerInside =
        std::any_of(m_words.begin() + i, scene, [](const Word& w) { return w.text == "i"_L1; });
    if (speakerInside && !m_addressed) {
        reading.aboutSpeaker = true;
        return reading;
    }
    reading.asks = asksAt(i, inner);
    return reading;
}

qsizetype Request::verbAfterSofteners(qsizetype i) const {
    while (i + 1 < size() && (isIn(text(i), softeners) || tag(i) == Tag::rb))
        ++i;
    // "go ahead and…", "be honest and…": the second verb asks
    if ((text(i) == "go"_L1 || text(i) == "be"_L1) && text(i + 2) == "and"_L1)
        i += 3;
    return i;
}

bool Request::isCourtesyAt(qsizetype i) const {
    const QString& verb = text(i);
    // "mind telling me…" asks
    const bool courtesy = isIn(verb, courtesyVerbs) && tag(i + 1) != Tag::vbg;
    return verb == "let"_L1 || verb == "do"_L1 || verb == "don't"_L1 || verb == "never"_L1 ||
           verb == "thank"_L1 || courtesy ||
           (verb == "have"_L1 &&
            (isIn(text(phraseEnd(i + 1) - 1), courtesyObjects) || isIn(text(i + 2), wishes)));
}

bool Request::isBareVerbAt(qsizetype i, bool inner) const {
    const QString& verb = text(i);
    // A word the tagger read as a noun is a verb only before its object ("detail the
    // steps", "rate yourself"), not before a noun ("stuff thanks")
    const bool taggedVerb = isOneOf(tag(i), {Tag::vb, Tag::vbp});
    const bool nounBeforeObject = !inner && tag(i) == Tag::nn &&
                                  (!EnglishTagger::isNoun(tag(i + 1)) || tag(i + 1) == Tag::cd);
    if (!taggedVerb && !nounBeforeObject)
        return false;
    // WordNet knows verbs the lexicon lacks or files as nouns ("summarise", "rate")
    if (!hasReading(verb, [](Tag t) { return t == Tag::vb; }) &&
        !EnglishVerbs::takesObject(verb).has_value())
        return false;
    // "quality matters", "design reviews take too long": a subject and its verb
    const qsizetype afterPhrase = tag(i) == Tag::vb || tag(i) == Tag::vbp ? i + 1 : phraseEnd(i);
    if (isOneOf(tag(afterPhrase), {Tag::vbz, Tag::vbd, Tag::vbp, Tag::md}))
        return false;
    // "(good) spot, most people don't notice": its object is a subject with a verb of its own
    return !(afterPhrase == i + 1 && !isIn(text(i + 1), objectPronouns) &&
             phraseEnd(i + 1) > i + 1 &&
             (isOneOf(tag(phraseEnd(i + 1)), {Tag::vbz, Tag::vbd, Tag::vbp, Tag::md}) ||
              isIn(text(phraseEnd(i + 1)), auxiliaries)));
}

bool Request::asksAt(qsizetype i, bool inner) const {
    const QString& verb = text(i);
    qsizetype object = i + 1;
    while (object < size() && isOneOf(tag(object), {Tag::prp}) && !isIn(text(object), secondPerson))
        ++object;
    // "walk me through…", not "go through the double doors"
    if (text(object) == "through"_L1 || text(object) == "over"_L1) {
        const qsizetype end = phraseEnd(object + 1);
        return object + 1 < size() &&
               (object > i + 1 || !(end > object + 1 && EnglishTagger::isNoun(tag(end - 1)) &&
                                    EnglishNouns::isConcrete(text(end - 1))));
    }
    // The listener performing for the speaker: "sell me on…", "pitch us your idea"
    if (isIn(verb, performing) && object < size())
        return true;
    // After a lead-in only a verb of saying or thinking asks ("… and tell me", not "… if
    // you need one")
    if (inner && !EnglishVerbs::speaks(verb))
        return false;
    // "start by telling me…", "help me understand…": the second verb asks
    QString asked = verb;
    if (text(object) == "by"_L1 && tag(object + 1) == Tag::vbg)
        asked = text(object + 1);
    else if (object > i + 1 && isOneOf(tag(object), {Tag::vb, Tag::vbp}))
        asked = text(object);
    if (EnglishVerbs::speaks(asked)) {
        // "tell me about" is cut off, not done
        return (isPreposition(tag(size() - 1)) && size() > i + 1) ||
               std::any_of(m_words.begin() + i + 1, m_words.end(), [](const Word& w) {
                   return !isIn(w.text, emptyObjects) && w.tag != Tag::punc;
               });
    }
    return asksOfObject(i, object);
}

bool Request::asksOfObject(qsizetype i, qsizetype object) const {
    // "break down how you'd…", "fill me in on what happened": a question word's clause
    for (qsizetype j = i + 1; j < std::min(size(), i + 6) && !isIn(text(j), clauseBreaks); ++j) {
        if (isIn(text(j), questionWords))
            return true;
    }
    const qsizetype end = phraseEnd(object);
    if (end == object || !EnglishTagger::isNoun(tag(end - 1)))
        return false;
    if (!EnglishNouns::isConcrete(text(end - 1)))
        return true;
    // ("take a seat make yourself comfortable": a second request)
    for (qsizetype j = end; j < size() && !isIn(text(j), clauseBreaks) && tag(j) != Tag::vb; ++j) {
        if (isIn(text(j), secondPerson))
            return true;
    }
    return false;
}

Reading Request::politeAt(qsizetype i, bool inner) const {
    // "perhaps you could describe…"
    qsizetype you = i;
    while (you + 1 < size() && isIn(text(you), softeners))
        ++you;
    // "you would report to…" tells what the job holds; "perhaps you would…" asks
    const bool softened = you > i;
    if (text(you) == "you"_L1 && isIn(text(you + 1), politeModals) &&
        (softened || text(you + 1) != "would"_L1))
        return imperativeAt(you + 2, inner);
    return {};
}

} // namespace corvel::clause
