#include "language/IndirectRequest.h"

namespace corvel::clause {

namespace {

// What a question is called when the speaker names it: "my last question is…", "the thing i
// always ask is…", "the big one for us is…".
constexpr QLatin1String namingNouns[] = {"question"_L1, "thing"_L1, "one"_L1,      "bit"_L1,
                                         "part"_L1,     "point"_L1, "something"_L1};
// The speaker wanting to know: curious, wondering, liking or loving to hear.
constexpr QLatin1String curiosity[] = {"curious"_L1, "interested"_L1, "keen"_L1,
                                       "eager"_L1,   "wonder"_L1,     "wondering"_L1};
constexpr QLatin1String wanting[] = {
    "like"_L1, "love"_L1,    "want"_L1,   "need"_L1, "wanna"_L1,       "help"_L1,   "great"_L1,
    "good"_L1, "helpful"_L1, "useful"_L1, "nice"_L1, "interesting"_L1, "hoping"_L1, "trying"_L1};
// "It would…", "it'd…", "it might…" wish for something.
constexpr QLatin1String wishingModals[] = {"would"_L1, "'d"_L1, "might"_L1, "could"_L1};
// What the speaker wants to do with what the listener says.
constexpr QLatin1String knowing[] = {
    "hear"_L1, "know"_L1,    "learn"_L1,   "understand"_L1, "see"_L1, "ask"_L1, "find"_L1,
    "get"_L1,  "explore"_L1, "discuss"_L1, "talk"_L1,       "go"_L1,  "dig"_L1, "unpack"_L1};

} // namespace

Reading IndirectRequest::indirectAt(qsizetype i) const {
    // "it would help to hear…", "it might be useful if you could…", not "it's good to know"
    const bool wish = isIn(text(i + 1), wishingModals);
    if (text(i) != "i"_L1 && text(i) != "we"_L1 && !(text(i) == "it"_L1 && wish))
        return {};
    const Reading asks{Form::indirectRequest, true, false};
    for (qsizetype j = i + 1; j < std::min(size(), i + 8); ++j) {
        // "to know", "me to understand", "to work out"
        const qsizetype to = isIn(text(j + 1), {"me"_L1, "us"_L1}) ? j + 2 : j + 1;
        const QString verb = text(to + 1);
        const bool toKnow = text(to) == "to"_L1 &&
                            (isIn(verb, knowing) ||
                             (isIn(verb, {"work"_L1, "figure"_L1}) && text(to + 2) == "out"_L1));
        const bool youTo =
            (text(j + 1) == "you"_L1 && text(j + 2) == "to"_L1) ||
            (text(j + 1) == "for"_L1 && text(j + 2) == "you"_L1); // "love for you to"
        if (isIn(text(j), curiosity) && (m_addressed || toKnow))
            return asks;
        // "it would be lovely to hear…": whatever the adjective
        const bool wanted = isIn(text(j), wanting) ||
                            (text(i) == "it"_L1 && text(j - 1) == "be"_L1 && tag(j) == Tag::jj);
        // ("we just want to get to know you")
        const bool knowsListener =
            toKnow && isIn(text(size() - 1), objectPronouns) && size() - to <= 5 &&
            std::none_of(m_words.begin() + to, m_words.end(), [](const Word& w) {
                return EnglishTagger::isNoun(w.tag) || isIn(w.text, questionWords);
            });
        if (wanted && (toKnow || youTo) && !knowsListener)
            return asks;
        // "i was hoping you could…", "i'd be grateful if you could…", "it'd be great if you
        // could…"
        if (text(j) == "you"_L1 && isIn(text(j + 1), politeModals))
            return asks;
        // "i'd welcome your thoughts on…", "i'd value your view"
        if (isIn(text(j), {"welcome"_L1, "value"_L1, "appreciate"_L1}) && j == i + 2 &&
            isIn(text(i + 1), {"'d"_L1, "would"_L1}) && j + 1 < size() && text(j + 1) != "it"_L1)
            return asks;
        if (isIn(text(j), questionWords))
            break;
    }
    return {};
}

Reading IndirectRequest::namedQuestionAt(qsizetype i) const {
    const auto named = [this, i](qsizetype copula) {
        const bool what = text(i) == "what"_L1;
        for (qsizetype k = i; k < copula; ++k) {
            const QString& word = text(k);
            const bool asking = isIn(word, knowing) || isIn(word, curiosity) ||
                                word.startsWith("ask"_L1) || word == "wanted"_L1 ||
                                (word == "get"_L1 && text(k + 1) == "at"_L1);
            if ((what && asking) || (!what && k < i + 4 && isIn(word, namingNouns)))
                return true;
        }
        return false;
    };
    for (qsizetype copula = i + 2; copula < size() && copula < i + 18; ++copula) {
        // (not "and it's an odd one", a clause of its own)
        if (!isIn(text(copula), {"is"_L1, "'s"_L1}) || tag(copula - 1) == Tag::ex ||
            text(copula - 1) == "there"_L1 ||
            (text(copula) == "'s"_L1 && isIn(text(copula - 1), {"it"_L1, "that"_L1, "this"_L1})) ||
            !named(copula))
            continue;
        const qsizetype asked = copula + 1;
        // What is asked: a question word's clause, or a thing after asking about it
        // ("the thing is, if a person knows…" frames a statement: only a question is asked
        // whether)
        const bool question = std::any_of(m_words.begin() + i, m_words.begin() + copula,
                                          [](const Word& w) { return w.text == "question"_L1; });
        const bool clause = (isIn(text(asked), questionWords) && text(asked) != "whether"_L1) ||
                            ((text(asked) == "if"_L1 || text(asked) == "whether"_L1) &&
                             (question || text(i) == "what"_L1));
        const bool about =
            (isPreposition(tag(copula - 1)) || isLikelyPreposition(text(copula - 1))) &&
            (tag(asked) == Tag::dt || EnglishTagger::isNoun(tag(asked)));
        // ("the thing i'm wondering about is how we get…": the speaker's own question)
        const bool addressed =
            std::any_of(m_words.begin() + asked, m_words.end(),
                        [](const Word& w) { return isIn(w.text, secondPerson); });
        const bool speakers = std::any_of(m_words.begin() + asked, m_words.end(),
                                          [](const Word& w) { return isIn(w.text, firstPerson); });
        if ((clause || about) && (addressed || !speakers))
            return {Form::indirectRequest, true, false};
    }
    return {};
}

} // namespace corvel::clause
