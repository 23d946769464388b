#include "language/ContextTags.h"

namespace corvel::phrase {

namespace {

// Quantifiers that stand for a noun, by the number of the noun they would take.
constexpr QLatin1String singularQuantifiers[] = {"each"_L1, "either"_L1, "neither"_L1,
                                                 "this"_L1, "that"_L1,   "another"_L1};
constexpr QLatin1String pluralQuantifiers[] = {"both"_L1, "these"_L1, "those"_L1,
                                               "many"_L1, "few"_L1,   "several"_L1};
// "none of those", "all of them": a subject, with a pronoun for what it counts.
constexpr QLatin1String partitiveQuantifiers[] = {"none"_L1, "all"_L1, "some"_L1, "most"_L1,
                                                  "any"_L1};
constexpr QLatin1String partitivePronouns[] = {"them"_L1,  "us"_L1,    "it"_L1,
                                               "those"_L1, "these"_L1, "you"_L1};

} // namespace

void ContextTags::readNamesAsNouns() {
    for (qsizetype i = size() - 1; i >= 0; --i) {
        const bool nounPlace = i == 0 || isOneOf(tag(i - 1), {Tag::cc, Tag::in, Tag::of});
        const bool last = i + 1 == size();
        const bool beforeNoun =
            !last && tag(i + 1) == Tag::cc && i + 2 < size() && EnglishTagger::isNoun(tag(i + 2));
        const bool beforeClause = !last && isIn(word(i + 1), relativePronouns);
        const bool unknown = EnglishTagger::readings(word(i)).isEmpty(); // "ai in hiring"
        if (isOneOf(tag(i), {Tag::vb, Tag::vbp}) && nounPlace &&
            ((((last && i > 0) || beforeClause || unknown) && canBeNoun(word(i))) || beforeNoun))
            m_words[i].tag = Tag::nn;
    }
}

void ContextTags::readVerbsAmongNouns() {
    for (qsizetype i = 0; i < size(); ++i) {
        const Tag before = i > 0 ? tag(i - 1) : Tag::punc;
        const QString& w = word(i);
        const Tag t = tag(i);
        if (EnglishTagger::isNoun(t)) {
            if (!canBeVerb(w) && !(i + 1 < size() && tag(i + 1) == Tag::prp))
                continue;
            const bool afterPronoun = before == Tag::prp;
            const bool afterRelative = i >= 2 && isIn(word(i - 1), relativePronouns) &&
                                       isHead(tag(i - 2)) && !isVerbAt(i + 1);
            const bool afterAdverb = before == Tag::rb && i >= 2 && isHead(tag(i - 2));
            const bool beforeObject = i + 1 < size() && tag(i + 1) == Tag::prp &&
                                      !isIn(word(i + 1), subjectPronouns) && !isVerbAt(i + 2);
            const bool amidNouns = i + 1 < size() && EnglishTagger::isNoun(before) &&
                                   !isPlural(i - 1) && isPlural(i) &&
                                   EnglishTagger::isNoun(tag(i + 1));
            if (afterPronoun || afterRelative || afterAdverb || beforeObject || amidNouns)
                m_words[i].tag = w.endsWith(u's') ? Tag::vbz : Tag::vbp;
        } else if ((t == Tag::vb &&
                    (EnglishTagger::isNoun(before) || before == Tag::dt || before == Tag::jj) &&
                    !(i + 1 < size() && tag(i + 1) == Tag::rp)) ||
                   (t == Tag::vbp &&
                    (before == Tag::dt || (EnglishTagger::isNoun(before) && !isPlural(i - 1) &&
                                           i + 1 < size() && EnglishTagger::isNoun(tag(i + 1))))) ||
                   (t == Tag::vbz && before == Tag::nns && !(i >= 2 && isVerb(tag(i - 2))))) {
            m_words[i].tag = t == Tag::vbz ? Tag::nns : Tag::nn;
        } else if (i == 0 && isOneOf(t, {Tag::vb, Tag::vbp}) && !isAuxiliary(0) &&
                   opensRunOfNouns()) {
            m_words[i].tag = Tag::nn;
        }
    }
}

bool ContextTags::opensRunOfNouns() const {
    qsizetype k = 1;
    while (k < size() && isOneOf(tag(k), {Tag::nn, Tag::nns}))
        ++k;
    return k > 1 && (k == size() || isOneOf(tag(k), {Tag::in, Tag::cc}));
}

bool ContextTags::readQuantifierAsSubject() {
    bool singular = isIn(word(0), singularQuantifiers);
    const bool plural = isIn(word(0), pluralQuantifiers);
    qsizetype verb = 1;
    if (size() > 2 && word(1) == "one"_L1 && (singular || word(0) == "every"_L1)) {
        singular = true;
        verb = 2;
    }
    const bool partitive = verb + 2 < size() && word(verb) == "of"_L1 &&
                           isIn(word(verb + 1), partitivePronouns) &&
                           (singular || plural || isIn(word(0), partitiveQuantifiers));
    if (partitive)
        verb += 2;
    if ((!singular && !plural && !partitive) ||
        (verb + 1 < size() && (tag(verb + 1) == Tag::cc || isPlural(verb + 1))))
        return false;
    const QString& w = word(verb);
    const bool pluralForm = w.endsWith(u's') && !w.endsWith("ss"_L1);
    const QList<Tag> readings = EnglishTagger::readings(w);
    const bool likelyVerb = !readings.isEmpty() && isVerb(readings.first());
    if (singular && pluralForm && canBeVerb(w))
        m_words[verb].tag = Tag::vbz;
    else if (((plural && !pluralForm) || (partitive && likelyVerb)) &&
             hasReading(w, [](Tag t) { return t == Tag::vb || t == Tag::vbp; }))
        m_words[verb].tag = Tag::vbp;
    else
        return false;
    return true;
}

} // namespace corvel::phrase
