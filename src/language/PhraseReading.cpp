#include "language/PhraseReading.h"

#include "language/ClauseReader.h"
#include "language/ContextTags.h"
#include "language/PhraseWords.h"

namespace corvel {

namespace {

using namespace phrase;

// Reads tagged words said after a question: the verbless remarks no phrase reading tells, then
// their tags corrected in context, then the phrase or clause they open.
class Reader final : PhraseWords {
public:
    explicit Reader(QList<Word> words) : PhraseWords(m_owned), m_owned(std::move(words)) {
        ContextTags(m_words).correct();
    }

    FollowingReading read() {
        if (isIn(word(0), questionWords) || isIn(word(0), freeRelatives))
            return ClauseReader(m_words).readClause();
        if (size() == 1)
            return isNounPhraseWord(0) || isObjectPronoun(word(0)) ? FollowingReading::object
                                                                   : FollowingReading::remark;
        if (offersQualities() || isPhrasalImperative() || opensAdjectivePhrase())
            return FollowingReading::remark;
        const Tag first = tag(0);
        const bool opensNounPhrase =
            EnglishTagger::isNoun(first) ||
            isOneOf(first, {Tag::dt, Tag::pdt, Tag::jj, Tag::jjr, Tag::jjs, Tag::vbg}) ||
            (first == Tag::prp && !isIn(word(0), subjectPronouns));
        if (!opensNounPhrase)
            return FollowingReading::remark;
        // A verb needs a subject before it: "our nightly builds" has none; an auxiliary has one
        // ("Neither is wrong."), as has a verb with an object pronoun ("Shipping costs us a
        // fortune.") or after a quantifier standing for its subject.
        const bool hasSubject = ContextTags(m_words).readQuantifierAsSubject();
        for (qsizetype i = 1; !hasSubject && i < size() && !isHead(tag(i - 1)); ++i) {
            if (isOneOf(tag(i), {Tag::vbz, Tag::vbp}) && !isAuxiliary(i) && !takesPronoun(i))
                m_words[i].tag = Tag::nns;
        }
        return ClauseReader(m_words).readPhrase(0, ClauseKind::none);
    }

    // For words read as an object.
    bool namesTopic() const {
        if (size() == 1) { // a name the lexicon does not know, or a noun or gerund first
            const QList<Tag> readings = EnglishTagger::readings(word(0));
            return readings.isEmpty() ||
                   (readings.first() != Tag::cd && EnglishTagger::isNoun(readings.first())) ||
                   readings.first() == Tag::vbg;
        }
        if (isIn(word(0), questionWords)) // "how we run our sprints"
            return true;
        if (isFreeChoice(0))
            return false;
        for (qsizetype i = 0; i < size(); ++i) {
            const Tag t = tag(i);
            if ((EnglishTagger::isNoun(t) && t != Tag::cd) || t == Tag::vbg)
                return true;
            if (t == Tag::prp) // "someone you mentored", not "you"
                return i + 1 < size() &&
                       (word(i).startsWith("some"_L1) || word(i).startsWith("every"_L1));
            if (!isOneOf(t, {Tag::dt, Tag::pdt, Tag::jj, Tag::jjr, Tag::jjs, Tag::cd, Tag::cc,
                             Tag::rb, Tag::pos}))
                return false;
        }
        return false;
    }

private:
    // A verb with a particle or a preposition and no more than a pronoun: "Hang on.", "Bear with
    // me.", whatever the tagger made of the verb.
    bool isPhrasalImperative() const {
        return size() <= 3 && canBeVerb(word(0)) && !canBeNounOnly(0) &&
               isOneOf(tag(1), {Tag::in, Tag::rp}) && (size() == 2 || tag(2) == Tag::prp);
    }

    bool canBeNounOnly(qsizetype i) const { return !hasReading(word(i), isVerb); }

    // An adjective with its complement is no noun phrase: "Sorry about the noise.".
    bool opensAdjectivePhrase() const {
        return tag(0) == Tag::jj && !canBeNoun(word(0)) && size() > 1 &&
               isOneOf(tag(1), {Tag::in, Tag::of, Tag::to});
    }

    // Qualities to choose from, "Good or bad.", "Personal or professional.": no object. Names
    // the lexicon does not know may be tagged as adjectives ("swift or kotlin").
    bool offersQualities() const {
        bool choice = false;
        for (qsizetype i = 0; i < size(); ++i) {
            if (word(i) == "or"_L1)
                choice = true;
            else if (!isOneOf(tag(i), {Tag::jj, Tag::jjr, Tag::jjs, Tag::rb, Tag::cc}) ||
                     EnglishTagger::readings(word(i)).isEmpty())
                return false;
        }
        return choice;
    }

    bool takesPronoun(qsizetype i) const {
        return i + 1 < size() && tag(i + 1) == Tag::prp && !isIn(word(i + 1), subjectPronouns);
    }

    static bool isObjectPronoun(const QString& word) {
        return isIn(word, objectPronouns) || word.endsWith("self"_L1) || word.endsWith("selves"_L1);
    }

    // "Any", "anything", "whatever": the candidate's to choose, nothing named.
    bool isFreeChoice(qsizetype i) const {
        return isOneOf(tag(i), {Tag::dt, Tag::prp, Tag::wdt, Tag::wp}) &&
               (word(i).startsWith("any"_L1) || word(i).endsWith("ever"_L1));
    }

    bool isNounPhraseWord(qsizetype i) const {
        if (EnglishTagger::isNoun(tag(i)) || tag(i) == Tag::vbg)
            return true;
        // Alone after a preposition, a word that can be a verb is most often a name: "Zoom."
        return !isIn(word(i), subjectPronouns) && !isIn(word(i), replyWords) &&
               (canBeNoun(word(i)) || canBeVerb(word(i)));
    }

    QList<Word> m_owned;
};

} // namespace

PhraseReading readPhrase(QList<EnglishTagger::Word> words) {
    Reader reader(std::move(words));
    const FollowingReading reading = reader.read();
    return {reading, reading == FollowingReading::object && reader.namesTopic()};
}

} // namespace corvel
