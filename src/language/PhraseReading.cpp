#include "language/PhraseReading.h"

#include "language/EnglishWords.h"

namespace corvel {

namespace {

using namespace englishWords;
using Reading = QuestionContinuation::Reading;

// After a noun they open a clause about it: "tests that nobody runs", "markets where you
// had no brand".
constexpr QLatin1String relativePronouns[] = {"that"_L1,  "which"_L1, "who"_L1,  "whom"_L1,
                                              "whose"_L1, "where"_L1, "when"_L1, "why"_L1};
// "get delayed" is one verb in the passive.
constexpr QLatin1String passiveGets[] = {"get"_L1, "gets"_L1, "got"_L1, "gotten"_L1, "getting"_L1};
// After a verb they open a clause of their own: "what to do when a shipment arrives late".
constexpr QLatin1String clauseConjunctions[] = {
    "when"_L1,     "where"_L1, "if"_L1,    "because"_L1, "while"_L1, "whenever"_L1, "unless"_L1,
    "although"_L1, "once"_L1,  "until"_L1, "before"_L1,  "after"_L1, "since"_L1,    "as"_L1};
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
constexpr QLatin1String objectPronouns[] = {"me"_L1, "you"_L1, "him"_L1, "her"_L1,
                                            "it"_L1, "us"_L1,  "them"_L1};
// A question word followed by these names a kind of thing: "what kind of tools".
constexpr QLatin1String kinds[] = {"kind"_L1, "kinds"_L1, "sort"_L1, "type"_L1, "types"_L1};

// Reads tagged words said after a question, left to right, for the verbs that would make them a
// sentence of their own.
class Reader final {
public:
    explicit Reader(QList<EnglishTagger::Word> words) : m_words(std::move(words)) {
        readNamesAsNouns();
        readVerbsAmongNouns();
    }

    Reading read() {
        if (isIn(word(0), questionWords) || isIn(word(0), freeRelatives))
            return readClause();
        if (size() == 1)
            return isNounPhraseWord(0) || isObjectPronoun(word(0)) ? Reading::object
                                                                   : Reading::remark;
        if (offersQualities() || isPhrasalImperative() || opensAdjectivePhrase())
            return Reading::remark;
        const Tag first = tag(0);
        const bool opensNounPhrase =
            EnglishTagger::isNoun(first) ||
            isOneOf(first, {Tag::dt, Tag::pdt, Tag::jj, Tag::jjr, Tag::jjs, Tag::vbg}) ||
            (first == Tag::prp && !isIn(word(0), subjectPronouns));
        if (!opensNounPhrase)
            return Reading::remark;
        // A verb needs a subject before it: "our nightly builds" has none; an auxiliary has one
        // ("Neither is wrong."), as has a verb with an object pronoun ("Shipping costs us a
        // fortune.") or after a quantifier standing for its subject.
        const bool hasSubject = readQuantifierAsSubject();
        for (qsizetype i = 1; !hasSubject && i < size() && !isHead(tag(i - 1)); ++i) {
            if (isOneOf(tag(i), {Tag::vbz, Tag::vbp}) && !isAuxiliary(i) && !takesPronoun(i))
                m_words[i].tag = Tag::nns;
        }
        return readPhrase(0, Clause::none);
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
    enum class Clause { none, withoutSubject, withSubject };

    qsizetype size() const { return m_words.size(); }
    const QString& word(qsizetype i) const { return m_words[i].text; }
    Tag tag(qsizetype i) const { return m_words[i].tag; }
    static bool isHead(Tag tag) { return EnglishTagger::isNoun(tag) || tag == Tag::prp; }
    bool isAuxiliary(qsizetype i) const {
        return i >= 0 && i < size() && (isIn(word(i), auxiliaries) || tag(i) == Tag::md);
    }
    bool startsSubject(qsizetype i) const {
        return i < size() && (isIn(word(i), subjectPronouns) || EnglishTagger::isNoun(tag(i)) ||
                              isOneOf(tag(i), {Tag::dt, Tag::prp, Tag::jj, Tag::ex}));
    }
    // By its form: the tagger may count "audits" as one.
    bool isPlural(qsizetype i) const {
        return tag(i) == Tag::nns || (EnglishTagger::isNoun(tag(i)) && word(i).endsWith(u's') &&
                                      !word(i).endsWith("ss"_L1));
    }
    bool isVerbAt(qsizetype i) const { return i < size() && isVerb(tag(i)); }
    bool hasVerbAfter(qsizetype i) const {
        for (qsizetype k = i + 1; k < size(); ++k) {
            if (isVerb(tag(k)))
                return true;
        }
        return false;
    }

    // A name or noun that is also a verb, after a preposition, beside another noun or before a
    // clause about it: "go", "react and node", "code that nobody wants to touch"; a word the
    // lexicon does not know, in a noun's place. Read from the end, so that each sees the noun
    // after it.
    void readNamesAsNouns() {
        for (qsizetype i = size() - 1; i >= 0; --i) {
            const bool nounPlace = i == 0 || isOneOf(tag(i - 1), {Tag::cc, Tag::in, Tag::of});
            const bool last = i + 1 == size();
            const bool beforeNoun = !last && tag(i + 1) == Tag::cc && i + 2 < size() &&
                                    EnglishTagger::isNoun(tag(i + 2));
            const bool beforeClause = !last && isIn(word(i + 1), relativePronouns);
            const bool unknown = EnglishTagger::readings(word(i)).isEmpty(); // "ai in hiring"
            if (isOneOf(tag(i), {Tag::vb, Tag::vbp}) && nounPlace &&
                ((((last && i > 0) || beforeClause || unknown) && canBeNoun(word(i))) ||
                 beforeNoun))
                m_words[i].tag = Tag::nn;
        }
    }

    // Where only one of a word's readings fits its neighbours, that one. A pronoun takes no noun
    // after it ("anything works", "the person you name"), nor does "who" ("managers who code")
    // or an adverb after a noun ("our queue usually peaks"); an object pronoun follows a verb,
    // not a noun ("designers sketch everything"); and a plural inside a run of nouns, after a
    // singular it agrees with, is its verb ("our finance team forecasts revenue"). A bare verb
    // follows no determiner or noun, whatever the lexicon knows of the word ("our build
    // pipeline", "a monitoring stack", but "the audio cut out"), nor does a verb that does not
    // agree with a noun before it ("customer churn metrics", "sales calls"),
    // and a verb opening a run of nouns is their modifier ("supply chain risk management").
    void readVerbsAmongNouns() {
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
                       (t == Tag::vbp && (before == Tag::dt ||
                                          (EnglishTagger::isNoun(before) && !isPlural(i - 1) &&
                                           i + 1 < size() && EnglishTagger::isNoun(tag(i + 1))))) ||
                       (t == Tag::vbz && before == Tag::nns && !(i >= 2 && isVerb(tag(i - 2))))) {
                m_words[i].tag = t == Tag::vbz ? Tag::nns : Tag::nn;
            } else if (i == 0 && isOneOf(t, {Tag::vb, Tag::vbp}) && !isAuxiliary(0) &&
                       opensRunOfNouns()) {
                m_words[i].tag = Tag::nn;
            }
        }
    }

    // Whether nouns follow the first word to the end, a preposition or a conjunction: "merge
    // requests", "design reviews", not "take a moment".
    bool opensRunOfNouns() const {
        qsizetype k = 1;
        while (k < size() && isOneOf(tag(k), {Tag::nn, Tag::nns}))
            ++k;
        return k > 1 && (k == size() || isOneOf(tag(k), {Tag::in, Tag::cc}));
    }

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

    // A quantifier, alone, with "one" or with "of" and a pronoun, is the subject of a word after
    // it that can be a verb and, as a noun, would not agree with it: "Both work for me.", "Each
    // counts.", "Either one works.", "That shows.", "None of those overlap." ("both design and
    // code", "several time zones", "each of those tools" are phrases).
    bool readQuantifierAsSubject() {
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

    bool isNounPhraseWord(qsizetype i) const {
        if (EnglishTagger::isNoun(tag(i)) || tag(i) == Tag::vbg)
            return true;
        // Alone after a preposition, a word that can be a verb is most often a name: "Zoom."
        return !isIn(word(i), subjectPronouns) && !isIn(word(i), replyWords) &&
               (canBeNoun(word(i)) || canBeVerb(word(i)));
    }

    // After a question word: a question of its own when a verb comes before any subject, or
    // with inversion ("how would you…", "which tools have you…"); else an object clause.
    Reading readClause() {
        const QString& opener = word(0);
        qsizetype i = 1;
        if (i < size() && word(i) == "else"_L1) // "who else worked on it"
            ++i;
        if (opener == "how"_L1 && i < size() && !isOneOf(tag(i), {Tag::dt, Tag::prp}) &&
            hasReading(word(i), [](Tag tag) {
                return isOneOf(tag, {Tag::jj, Tag::jjr, Tag::rb, Tag::rbr});
            }))
            ++i; // how long, how much, how big
        const bool names = opener == "which"_L1 || opener == "whichever"_L1 ||
                           opener == "whose"_L1 || (i < size() && isIn(word(i), kinds)) ||
                           (i == 2 && (word(1) == "much"_L1 || word(1) == "many"_L1));
        // "which features": a noun, whatever else the word may be
        if (names && i < size() && canBeNoun(word(i)))
            m_words[i].tag = Tag::nns;
        while (names && i < size() &&
               (EnglishTagger::isNoun(tag(i)) ||
                isOneOf(tag(i), {Tag::jj, Tag::jjr, Tag::jjs, Tag::of})))
            ++i;
        if (i == size()) // "Which tools" is the detector's to judge; "Which" alone tells nothing
            return size() > 1 ? Reading::question : Reading::remark;
        const qsizetype subject = i + 1 < size() && word(i + 1) == "n't"_L1 ? i + 2 : i + 1;
        if (isAuxiliary(i) && startsSubject(subject))
            return Reading::question;
        if (tag(i) == Tag::to) // "what to cut"
            return readPhrase(i, Clause::withSubject);
        if (isVerb(tag(i)) || isAuxiliary(i)) {
            if (!isIn(opener, freeRelatives) && !hasSecondVerb(i))
                return Reading::question; // "who leads the team"
            return readPhrase(i, Clause::withSubject);
        }
        return readPhrase(i, Clause::withoutSubject);
    }

    // Whether another verb follows the one at `i` before anything that could be its own
    // subject: the words before it are the subject ("What is important is…", "What is saying
    // here is confidential.", as the recogniser may hear "What you say here…").
    bool hasSecondVerb(qsizetype i) const {
        for (qsizetype k = i + 1; k < size(); ++k) {
            if (isOneOf(tag(k), {Tag::vbz, Tag::vbp, Tag::vbd, Tag::md}))
                return true;
            if (!isOneOf(tag(k), {Tag::vbg, Tag::vbn, Tag::rb, Tag::jj, Tag::jjr}))
                return false;
        }
        return false;
    }

    // Whether the verb at `i`, after a noun, leaves a preposition without its object: "features
    // customers ask for" is a clause about the noun before that one.
    bool strandsPreposition(qsizetype i) const {
        qsizetype k = i + 1;
        while (k + 1 < size() && (isVerb(tag(k)) || isOneOf(tag(k), {Tag::rb, Tag::vbn})))
            ++k;
        return k < size() && isPreposition(tag(k)) && (k + 1 == size() || tag(k + 1) == Tag::cc);
    }

    // Whether the noun before `i`, after another noun it agrees with, is the verb: "Our roadmap
    // changes often", "Quality matters here", "The manager signs off", where no noun phrase ends
    // as the words at `i` go on; "sales calls each week" is a phrase.
    bool verbAmongNounsBefore(qsizetype from, qsizetype i) const {
        if (i - 2 < from || !EnglishTagger::isNoun(tag(i - 1)) ||
            !(isHead(tag(i - 2)) || tag(i - 2) == Tag::vbg) || !canBeVerb(word(i - 1)) ||
            isPlural(i - 2) == isPlural(i - 1))
            return false;
        const Tag t = tag(i);
        return isOneOf(t, {Tag::rb, Tag::rp, Tag::jjr, Tag::rbr}) ||
               (t == Tag::jj && i + 1 == size()) ||
               (isOneOf(t, {Tag::dt, Tag::jjs}) && !hasVerbAfter(i));
    }

    // The clause being read: one about a noun ("the project you led"), one of its own ("when
    // the budget shrinks"), or the clause after a question word.
    struct OpenClause {
        bool begun = false;
        bool relative = false; // about a noun before it
        bool hasSubject = false;
        qsizetype verb = -1; // its verb's last word, once it has one

        bool awaitsVerb() const { return begun && verb < 0; }
        void begin(bool isRelative, bool withSubject) {
            *this = {true, isRelative, withSubject, -1};
        }
    };

    // Whether the word at `i` is a verb. A participle is one as the verb of a clause, or after a
    // whole clause about the noun, as its own verb in the past: "something you said earlier
    // stuck with me" (but "orders get delayed").
    bool isVerbIn(const OpenClause& clause, qsizetype from, qsizetype i) const {
        if (isVerb(tag(i)))
            return true;
        if (tag(i) != Tag::vbn)
            return false;
        if (clause.awaitsVerb())
            return clause.hasSubject || clause.relative;
        return clause.relative && clause.verb >= 0 && !isIn(word(i - 1), passiveGets) &&
               !(i > from && isAuxiliary(i - 1)) &&
               hasReading(word(i), [](Tag tag) { return tag == Tag::vbd; });
    }

    // Whether the verb at `i` belongs to the verb before it: "won't be contacted", "wants to
    // grow". In a gerund phrase a bare verb is no verb of its own: "letting someone go".
    bool continuesVerb(const OpenClause& clause, qsizetype from, qsizetype i) const {
        const Tag before = tag(i - 1);
        if (tag(i) == Tag::vb && ((i > from && isAuxiliary(i - 1)) || before == Tag::to ||
                                  (before == Tag::rb && i - 2 >= from && isAuxiliary(i - 2))))
            return true;
        return !clause.begun && tag(from) == Tag::vbg && isOneOf(tag(i), {Tag::vb, Tag::vbp});
    }

    // A noun phrase, with the clauses about it, read from `from`; or, with `kind`, the clause
    // after a question word.
    Reading readPhrase(qsizetype from, Clause kind) {
        OpenClause clause;
        if (kind != Clause::none)
            clause.begin(false, kind == Clause::withSubject);
        bool head = false;
        bool hasVerb = false; // some clause has its verb
        for (qsizetype i = from; i < size(); ++i) {
            const Tag t = tag(i);
            const QString& w = word(i);
            const Tag before = i > from ? tag(i - 1) : Tag::punc;
            const bool afterHead = head && isHead(before);

            if (!clause.begun && verbAmongNounsBefore(from, i))
                return Reading::remark;
            if (!clause.awaitsVerb()) {
                if (afterHead && isIn(w, relativePronouns)) {
                    clause.begin(true, false);
                    continue;
                }
                // "what to cut when the budget shrinks": a clause with its own verb
                if ((hasVerb || tag(from) == Tag::vbg) && isIn(w, clauseConjunctions) &&
                    startsSubject(i + 1)) {
                    clause.begin(false, false);
                    continue;
                }
                if (afterHead && (isIn(w, subjectPronouns) || t == Tag::dt)) {
                    clause.begin(true, true); // "the project you led"
                    continue;
                }
            }
            // "Anything you pick works", "Everyone who starts here shadows a nurse": the clause's
            // verb leaves its object to the noun.
            const bool afterClauseVerb =
                clause.verb >= 0 &&
                (clause.verb == i - 1 || (before == Tag::rb && clause.verb == i - 2));
            if (clause.relative && afterClauseVerb && EnglishTagger::isNoun(t) && canBeVerb(w) &&
                (i + 1 == size() || isOneOf(tag(i + 1), {Tag::rb, Tag::jj, Tag::dt})))
                return Reading::remark;

            if (!isVerbIn(clause, from, i)) {
                if (EnglishTagger::isNoun(t) || isOneOf(t, {Tag::prp, Tag::vbg}))
                    head = true;
                continue;
            }
            if (clause.awaitsVerb()) {
                clause.hasSubject = hasVerb = true;
                clause.verb = i;
                continue;
            }
            if (continuesVerb(clause, from, i)) {
                if (clause.verb == i - 1)
                    clause.verb = i;
                continue;
            }
            if (before == Tag::cc) // "the people you hired and trained"
                continue;
            if (!clause.begun && EnglishTagger::isNoun(before) && i - 2 >= from &&
                isHead(tag(i - 2)) && strandsPreposition(i)) {
                clause = {true, true, true, i};
                hasVerb = true;
                continue;
            }
            return Reading::remark; // a verb of its own
        }
        if (kind == Clause::withoutSubject && !hasVerb)
            return hasNounVerbAfterNoun(from) ? Reading::object : Reading::remark;
        return Reading::object;
    }

    // An object clause whose verb was read as a noun: "how the teams share work".
    bool hasNounVerbAfterNoun(qsizetype from) const {
        for (qsizetype k = from + 1; k < size(); ++k) {
            if (EnglishTagger::isNoun(tag(k)) && EnglishTagger::isNoun(tag(k - 1)) &&
                canBeVerb(word(k)))
                return true;
        }
        return false;
    }

    QList<EnglishTagger::Word> m_words;
};

} // namespace

PhraseReading readPhrase(QList<EnglishTagger::Word> words) {
    Reader reader(std::move(words));
    const Reading reading = reader.read();
    return {reading, reading == Reading::object && reader.namesTopic()};
}

} // namespace corvel
