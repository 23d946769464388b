#include "language/QuestionContinuation.h"

#include "language/EnglishClause.h"
#include "language/EnglishSentences.h"
#include "language/EnglishVerbs.h"
#include "language/EnglishWords.h"
#include "language/PhraseReading.h"
#include "language/TextFolding.h"

#include <algorithm>
#include <optional>

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;
using Reading = QuestionContinuation::Reading;

// Remarks without a verb that read as a noun phrase, as an object would: only use tells them
// apart, so they are named.
constexpr QLatin1String remarkPhrases[] = {"either way"_L1, "fair enough"_L1, "good question"_L1,
                                           "great question"_L1, "my apologies"_L1};
// They share the preposition's tag, but a question cut at one waits for a clause, not an object.
constexpr QLatin1String subordinators[] = {"that"_L1,     "if"_L1,     "whether"_L1, "because"_L1,
                                           "although"_L1, "though"_L1, "while"_L1,   "unless"_L1,
                                           "whereas"_L1,  "so"_L1,     "lest"_L1};
// Prepositions that the tag set counts as gerunds or participles.
constexpr QLatin1String prepositionalGerunds[] = {"given"_L1,     "regarding"_L1,   "concerning"_L1,
                                                  "including"_L1, "considering"_L1, "excluding"_L1,
                                                  "using"_L1,     "involving"_L1};
// More than the tagger reads (24 words): keeps the reading bounded whatever the transcript holds.
constexpr qsizetype maximumCharacters = 200;

bool isReplyWord(const QString& word) {
    if (isIn(word, replyWords))
        return true;
    // "uh-huh", "mm-hmm"
    const QStringList parts = word.split(u'-');
    return parts.size() > 1 && std::all_of(parts.begin(), parts.end(), [](const QString& part) {
               return isIn(part, replyWords);
           });
}

// A word said alone that is no phrase: an interjection, or a word whose likeliest reading is a
// function word ("But.", "Or.", "Because.", "So.").
bool isLoneFunctionWord(const QStringList& words) {
    if (words.size() != 1)
        return false;
    const QList<Tag> readings = EnglishTagger::readings(words.first());
    return !readings.isEmpty() &&
           isOneOf(readings.first(), {Tag::uh, Tag::cc, Tag::in, Tag::to, Tag::dt, Tag::wdt,
                                      Tag::md, Tag::of, Tag::ex, Tag::pdt, Tag::wrb});
}

// Replies and interjections, whatever question they follow: reply words, alone or opening the
// words ("Okay, sounds good.", "Thanks a lot.", "All right then.", "Uh-huh."), unless the first
// one modifies a noun after it ("Great teams."); a verb without its subject ("Sounds great.",
// "Makes sense.", "Works for me."); words opened by "no", which put the candidate at ease ("No
// pressure.", "No right or wrong answer here."); and verbless remarks no tagger tells from an
// object.
bool isReply(QStringList words) {
    if (words.size() > 1 && words[0] == "all"_L1 && words[1] == "right"_L1)
        words = QStringList{QStringLiteral("alright")} + words.mid(2);
    const QString& first = words.first();
    // "whenever it suits you" is a courtesy, no object
    if (first == "no"_L1 || first == "whenever"_L1 || isIn(first, interjections) ||
        isIn(words.join(u' '), remarkPhrases) || isLoneFunctionWord(words))
        return true;
    const QList<Tag> readings = EnglishTagger::readings(first);
    if (isReplyWord(first)) {
        const auto isLikelyNoun = [](const QString& word) {
            const QList<Tag> next = EnglishTagger::readings(word);
            return next.isEmpty() || EnglishTagger::isNoun(next.first());
        };
        const bool modifiesNoun = words.size() > 1 && !readings.isEmpty() &&
                                  isOneOf(readings.first(), {Tag::jj, Tag::nn, Tag::nns}) &&
                                  !isReplyWord(words[1]) && isLikelyNoun(words[1]);
        return !modifiesNoun;
    }
    return !readings.isEmpty() && readings.first() == Tag::vbz;
}

// Question words that stand for a noun phrase, as the object of a preposition can.
constexpr QLatin1String nominalQuestionWords[] = {"what"_L1, "which"_L1, "who"_L1, "whom"_L1,
                                                  "whose"_L1};
// What follows these is their complement, never an object.
constexpr QLatin1String beForms[] = {"be"_L1,   "is"_L1,    "are"_L1, "was"_L1, "were"_L1, "am"_L1,
                                     "been"_L1, "being"_L1, "'s"_L1,  "'re"_L1, "'m"_L1};

// A question that opens with a question phrase and ends on a preposition, read from its tags for
// whether that phrase is the preposition's object: "What are you most proud of?", "Which
// framework would you go with?", "What do you spend your evenings on?". Where the phrase could
// as well be the object of a verb ("What did you learn from?") or the complement of "be" ("What
// is your opinion on?"), the preposition still lacks its object.
class AskedQuestion final {
public:
    explicit AskedQuestion(QList<EnglishTagger::Word> words) : m_words(std::move(words)) {}

    bool isWhole() const {
        const qsizetype auxiliary = questionPhraseEnd();
        // Without an auxiliary after it, the question phrase is the subject: "Who reports to?"
        if (auxiliary < 0 || !isAuxiliary(auxiliary))
            return false;
        const qsizetype last = size() - 1;
        if (!isOneOf(tag(last), {Tag::in, Tag::to, Tag::of, Tag::rp, Tag::rb}))
            return false;
        // Two prepositions: the first one has the question phrase ("What are you looking for
        // beyond?")
        if (tag(last - 1) == Tag::in)
            return false;
        qsizetype subject = auxiliary + 1;
        if (subject < last && word(subject) == "n't"_L1)
            ++subject;
        const bool isBe = isIn(word(auxiliary), beForms);
        qsizetype predicate = subjectEnd(subject, !isBe);
        while (predicate >= 0 && predicate < last &&
               isOneOf(tag(predicate), {Tag::rb, Tag::rbr, Tag::rbs}))
            ++predicate;
        if (predicate < 0 || predicate >= last)
            return false;
        if (!isBe)
            return verbLeavesObject(predicate, last);
        // "be" and its subject, then an adjective, a participle or a particle ("proud", "known",
        // "up against"), or the verb of the progressive ("leaning")
        if (isOneOf(tag(predicate), {Tag::jj, Tag::jjr, Tag::jjs, Tag::vbn, Tag::vbd, Tag::rp}))
            return true;
        return tag(predicate) == Tag::vbg && verbLeavesObject(predicate, last);
    }

private:
    qsizetype size() const { return m_words.size(); }
    const QString& word(qsizetype i) const { return m_words[i].text; }
    Tag tag(qsizetype i) const { return m_words[i].tag; }
    bool isAuxiliary(qsizetype i) const {
        return i < size() && (isIn(word(i), auxiliaries) || tag(i) == Tag::md);
    }

    // Where the auxiliary after the question phrase should be ("What kind of work are…",
    // "Which of the two offers did…"), after lead words ("Okay so what…"); -1 when the question
    // opens with no question phrase that can be a noun phrase.
    qsizetype questionPhraseEnd() const {
        qsizetype i = 0;
        while (i < size() && !isIn(word(i), nominalQuestionWords) &&
               (isIn(word(i), replyWords) || isOneOf(tag(i), {Tag::uh, Tag::cc, Tag::rb})))
            ++i;
        if (i == size() || !isIn(word(i), nominalQuestionWords))
            return -1;
        const bool namesThing = word(i) != "who"_L1 && word(i) != "whom"_L1;
        ++i;
        if (i < size() && word(i) == "else"_L1)
            ++i;
        while (namesThing && i < size() && !isAuxiliary(i) &&
               (canBeNoun(word(i)) || isOneOf(tag(i), {Tag::dt, Tag::jj, Tag::jjr, Tag::jjs,
                                                       Tag::cd, Tag::of, Tag::pos})))
            ++i;
        return i;
    }

    // The word after the subject that starts at `i`: one pronoun, or a noun phrase. After "do",
    // "will" or "have" a verb follows it, whatever the tagger made of it ("does a good day
    // look"); -1 when no subject is there.
    qsizetype subjectEnd(qsizetype i, bool verbFollows) const {
        if (i < size() && tag(i) == Tag::prp)
            return i + 1;
        bool head = false;
        for (; i < size(); ++i) {
            if (EnglishTagger::isNoun(tag(i)) || tag(i) == Tag::pos) {
                if (verbFollows && head && hasReading(word(i), [](Tag t) { return t == Tag::vb; }))
                    break;
                head = true;
            } else if (head || !isOneOf(tag(i), {Tag::dt, Tag::pdt, Tag::jj, Tag::jjr, Tag::jjs,
                                                 Tag::cd})) {
                break;
            }
        }
        return head ? i : -1;
    }

    // Whether the verbs from `verb` to the preposition at `last` leave that preposition to the
    // question phrase: the verb's own object is there ("spend your evenings on", "learn the
    // most from"), or the last verb ("would you like to work on", "did you enjoy working on")
    // takes no object, as "be" takes none. A verb of a clause of its own makes the question
    // phrase its subject ("What would you say is the lesson from?").
    bool verbLeavesObject(qsizetype verb, qsizetype last) const {
        bool inPhrase = false; // a phrase of its own: "learn about yourself from"
        bool hasObject = false;
        for (qsizetype i = verb + 1; i < last; ++i) {
            const Tag t = tag(i);
            const bool determiner = isOneOf(t, {Tag::dt, Tag::pdt}) ||
                                    (word(i) == "that"_L1 && EnglishTagger::isNoun(tag(i + 1)));
            // "most of your time", not "like most"
            const bool quantity = t == Tag::jjs && i + 1 < last && tag(i + 1) == Tag::of;
            if (determiner || quantity || EnglishTagger::isNoun(t) || t == Tag::prp) {
                hasObject = hasObject || !inPhrase;
            } else if (isIn(word(i), beForms) && isVerb(t)) {
                return false;
            } else if (isOneOf(t, {Tag::in, Tag::of}) ||
                       (t == Tag::rb && isLikelyPreposition(word(i)))) {
                inPhrase = true;
            } else if (t == Tag::to && isOneOf(tag(i + 1), {Tag::vb, Tag::vbp})) {
                verb = ++i; // "want us to know about": the verb after it decides
                inPhrase = hasObject = false;
            } else if (t == Tag::vbg && !inPhrase) {
                verb = i;
                hasObject = false;
            }
        }
        return hasObject || isIn(word(verb), beForms) ||
               !EnglishVerbs::takesObject(word(verb)).value_or(true);
    }

    QList<EnglishTagger::Word> m_words;
};

// The tags of the end of a question, where it may be cut: the tagger reads 24 words at most, so a
// long question is read from its last 20.
QList<EnglishTagger::Word> endTags(const QStringList& words) {
    return EnglishTagger::tag(words.mid(std::max<qsizetype>(0, words.size() - 20)));
}

// Whether the question stops on an infinitive's "to": after a verb, an adjective or the verb's
// object ("want to", "willing to", "pushed you to"), not after a particle ("look up to").
bool endsOnInfinitive(const QStringList& asked) {
    if (asked.size() < 2 || asked.last() != "to"_L1)
        return false;
    const QList<EnglishTagger::Word> tagged = endTags(asked);
    const Tag before = tagged[tagged.size() - 2].tag;
    return isVerb(before) ||
           isOneOf(before, {Tag::vbn, Tag::vbg, Tag::jj, Tag::prp, Tag::nn, Tag::nns});
}

// A word that may be a preposition, whatever the tagger made of it, right after a verb: "How did
// you get past", "Who sat opposite" (not "so far").
bool endsOnPrepositionReading(const QList<EnglishTagger::Word>& tagged) {
    const qsizetype n = tagged.size();
    // "What did you do next?": at the end, "next" tells when
    if (n < 2 || tagged[n - 1].text == "next"_L1 || !hasReading(tagged[n - 1].text, [](Tag t) {
            return isOneOf(t, {Tag::in, Tag::rp});
        }))
        return false;
    const Tag before = tagged[n - 2].tag;
    return isVerb(before) || isOneOf(before, {Tag::vbn, Tag::vbg});
}

// Verbs whose object "how long" may be.
constexpr QLatin1String spans[] = {"take"_L1, "last"_L1, "spend"_L1, "wait"_L1, "stay"_L1};

// The words a clause about a noun may hold before the question's last verb ("a bug that took you
// days to find"); further back the clause is the lead-in's.
constexpr qsizetype maximumClauseAboutNoun = 6;

// The verb a question ends on: its last word, or the speaking verb before a final "me" or "us"
// ("Could you tell me").
qsizetype lastVerbAt(const QList<EnglishTagger::Word>& tagged) {
    const qsizetype n = tagged.size();
    qsizetype verb = n - 1;
    if (n >= 2 && (tagged[verb].text == "me"_L1 || tagged[verb].text == "us"_L1) &&
        (EnglishVerbs::speaks(tagged[verb - 1].text) ||
         tagged[verb - 1].text.startsWith("giv"_L1) || tagged[verb - 1].text == "gave"_L1))
        --verb;
    return verb;
}

// Whether the word at `verb` reads as a verb, whatever the tagger made of it.
bool readsAsVerb(const QList<EnglishTagger::Word>& tagged, qsizetype verb) {
    const qsizetype n = tagged.size();
    const EnglishTagger::Word& last = tagged[verb];
    // The tagger may read a final verb as a noun ("how do you measure"): after a subject
    // pronoun, an adverb or an auxiliary, a word that can be a verb is one
    const auto subjectOrAuxiliary = [&tagged](qsizetype i) {
        return i >= 0 && (isOneOf(tagged[i].tag, {Tag::prp, Tag::md, Tag::wp, Tag::wdt}) ||
                          (isIn(tagged[i].text, auxiliaries) && tagged[i].tag != Tag::pos));
    };
    const bool verbPlace =
        subjectOrAuxiliary(verb - 1) ||
        (verb > 1 && tagged[verb - 1].tag == Tag::rb && subjectOrAuxiliary(verb - 2));
    // A participle or gerund after another verb or a noun is its object or complement
    // ("choose nursing", "keep students engaged"); a word after a determiner or a preposition is
    // a noun ("about that redesign")
    const Tag before = verb > 0 ? tagged[verb - 1].tag : Tag::punc;
    const bool afterNounWord = isOneOf(
        before, {Tag::dt, Tag::pdt, Tag::in, Tag::of, Tag::pos, Tag::jj, Tag::jjs, Tag::jjr});
    return !afterNounWord &&
           (isVerb(last.tag) ||
            (isOneOf(last.tag, {Tag::vbn, Tag::vbg}) && (verbPlace || verb < n - 1)) ||
            (verbPlace && (hasReading(last.text, [](Tag t) { return t == Tag::vb; }) ||
                           EnglishVerbs::takesObject(last.text).has_value())));
}

// In the passive the verb has no object: "after the company was sold", "get started"
bool isPassiveAt(const QList<EnglishTagger::Word>& tagged, qsizetype verb) {
    qsizetype helper = verb - 1;
    while (helper >= 0 && tagged[helper].tag == Tag::rb)
        --helper;
    return helper >= 0 && isOneOf(tagged[verb].tag, {Tag::vbn, Tag::vbd}) &&
           (isIn(tagged[helper].text, auxiliaries) || tagged[helper].text.startsWith("get"_L1) ||
            tagged[helper].text == "got"_L1);
}

// Whether the word at `i` asks when or where: "How soon could you start?"
bool asksWhenOrWhere(const QList<EnglishTagger::Word>& tagged, qsizetype i, qsizetype verb) {
    const QString& word = tagged[i].text;
    return word == "when"_L1 || word == "where"_L1 ||
           (word == "how"_L1 && i + 1 < verb && tagged[i + 1].text == "soon"_L1);
}

// A clause about a noun leaves its object to the noun: "the team you managed", "a bug that took
// you days to find"
bool opensClauseAboutNoun(const QList<EnglishTagger::Word>& tagged, qsizetype i, qsizetype verb) {
    const QString& word = tagged[i].text;
    const QString& head = i > 0 ? tagged[i - 1].text : QString();
    const bool nounHead = i > 0 && (EnglishTagger::isNoun(tagged[i - 1].tag) ||
                                    head.endsWith("thing"_L1) || head.endsWith("one"_L1) ||
                                    head.endsWith("body"_L1)); // "anything you'd like to add"
    return nounHead && verb - i <= maximumClauseAboutNoun &&
           (isIn(word, subjectPronouns) || word == "that"_L1 || word == "which"_L1 ||
            word == "who"_L1);
}

// Whether a question phrase opens at `i` and is the object of the verb at `verb`: "Which role
// did you pick?"
bool questionPhraseIsObject(const QList<EnglishTagger::Word>& tagged, qsizetype i, qsizetype verb) {
    const QString& word = tagged[i].text;
    // "how many people did you…", "how long did it take" ask for a noun too
    // ("how long" only for a span the verb takes: "how long did it take")
    const bool howMany = word == "how"_L1 && i + 1 < verb &&
                         (tagged[i + 1].text == "many"_L1 || tagged[i + 1].text == "much"_L1 ||
                          (tagged[i + 1].text == "long"_L1 && isIn(tagged[verb].text, spans)));
    if (!(word == "what"_L1 || word == "which"_L1 || word == "whom"_L1 || word == "whose"_L1 ||
          word == "who"_L1 || howMany))
        return false;
    // The question phrase, then an auxiliary or a subject: it is the verb's object
    qsizetype j = i + (howMany ? 2 : 1);
    while (j < verb && (EnglishTagger::isNoun(tagged[j].tag) ||
                        isOneOf(tagged[j].tag, {Tag::dt, Tag::jj, Tag::jjs, Tag::of})))
        ++j;
    const QString& next = tagged[j].text;
    return tagged[j].tag == Tag::md || isIn(next, auxiliaries) || isIn(next, subjectPronouns);
}

// Whether the question stops on a verb that still waits for its object: the verb mostly takes
// one and does not stand alone (WordNet: "describe", "enjoy", not "leave", "cope"), no question
// phrase before it is its object ("What would you change?", "Which role did you pick?"), and no
// question word that asks when or where ("When can you start?", "How soon could you start?"), and
// the verb is not in a clause about a noun nor in the passive. A speaking verb with only "me" or
// "us" after it waits too
// ("Could you tell me").
bool waitsForObject(const QList<EnglishTagger::Word>& tagged) {
    const qsizetype n = tagged.size();
    if (n == 0)
        return false;
    const qsizetype verb = lastVerbAt(tagged);
    const EnglishTagger::Word& last = tagged[verb];
    // Whom it is said to: "is there anything you'd like to tell" waits for "us"
    if (verb == n - 1 && isIn(last.text, {"tell"_L1, "show"_L1}))
        return true;
    // After "to", a word that can be a noun is most often the preposition's object: "switch to
    // finance", "move to sales"
    const bool afterTo = verb > 0 && tagged[verb - 1].text == "to"_L1 && canBeNoun(last.text);
    if (!readsAsVerb(tagged, verb) || afterTo || last.tag == Tag::md ||
        isIn(last.text, auxiliaries) ||
        (verb == n - 1 && EnglishVerbs::standsAlone(last.text) != false))
        return false;
    if (isPassiveAt(tagged, verb))
        return false;
    for (qsizetype i = 0; i < verb; ++i) {
        if (asksWhenOrWhere(tagged, i, verb) || opensClauseAboutNoun(tagged, i, verb) ||
            questionPhraseIsObject(tagged, i, verb))
            return false;
    }
    return true;
}

// A question phrase, then an auxiliary and its subject, and nothing said of it yet: "what sort
// of salary are you" waits for "looking for".
bool endsBeforePredicate(const QStringList& words) {
    const qsizetype n = words.size();
    if (n < 3 || !isIn(words[n - 1], subjectPronouns) || words[n - 1] == "i"_L1 ||
        !(isIn(words[n - 2], auxiliaries) ||
          EnglishTagger::readings(words[n - 2]).value(0) == Tag::md))
        return false;
    // "be" takes the question phrase as what it says of the subject ("how are you"), unless a
    // noun needs a verb ("what sort of salary are you")
    const auto question = std::find_if(words.begin(), words.end() - 2, [](const QString& word) {
        return isIn(word, questionWords);
    });
    if (question == words.end() - 2)
        return false;
    if (!isIn(words[n - 2], beForms))
        return true;
    return (*question == "what"_L1 || *question == "which"_L1) && question + 2 < words.end() - 2;
}

// Up to three bare words, a verb reading first, then nouns or gerunds, with no article, pronoun
// or preposition that an imperative would have: "react hooks", "spark streaming".
bool isBareName(const QList<EnglishTagger::Word>& words) {
    if (words.size() < 2 || words.size() > 3 || !isVerb(words.first().tag))
        return false;
    return std::all_of(words.begin() + 1, words.end(), [](const EnglishTagger::Word& word) {
        return EnglishTagger::isNoun(word.tag) || word.tag == Tag::vbg || canBeNoun(word.text);
    });
}

// What `spoken` make of the question `asked`, which is whole where it stops, when the two may
// be two sentences: its object only where the words read as one ("What pushed you to" "apply for
// this job?"), a question of their own, or a remark. `remark` when they reply or are cut off.
FollowingReading readAfterWhole(const QString& question, const QString& words,
                                const QStringList& asked, const QStringList& spoken, bool remark) {
    using Reading = FollowingReading;
    // The words tagged after the question, once, where a rule needs them.
    std::optional<QList<EnglishTagger::Word>> taggedWords;
    const auto tagged = [&]() -> const QList<EnglishTagger::Word>& {
        if (!taggedWords)
            taggedWords = EnglishTagger::tag(spoken, asked);
        return *taggedWords;
    };
    // After an infinitive's "to", its verb phrase: "What pushed you to" "apply for this job?"
    if (endsOnInfinitive(asked) && !remark && isOneOf(tagged().first().tag, {Tag::vb, Tag::vbp}))
        return Reading::object;
    // After a verb that waits for its object, a clause opened by a question word is that object
    // even when the word is its subject: "Can you tell us" "what attracted you to logistics?"
    if (isIn(spoken.first(), questionWords) && spoken.size() > 1 && !isIn(spoken[1], auxiliaries) &&
        EnglishTagger::readings(spoken[1]).value(0) != Tag::md && waitsForObject(endTags(asked)))
        return Reading::object;
    // A question word opens a question or an object clause: the reader tells which.
    // One word cannot tell: "what we…" continues a question, "what are…" opens one.
    if (!isIn(spoken.first(), questionWords) &&
        foldedWords(words.left(maximumCharacters)).size() > 1 &&
        EnglishClause::opensQuestion(spokenWords(words.left(maximumCharacters))))
        return Reading::question;
    if (remark)
        return Reading::remark;
    // After a cut question, an object pronoun with a phrase about it: "Who sat opposite" "you
    // on the trading desk?"
    if (spoken.size() > 2 && isIn(spoken.first(), objectPronouns) &&
        isPreposition(tagged().value(1).tag) && !QuestionContinuation::isWholeAsAsked(question) &&
        QuestionContinuation::mayGoOn(question))
        return Reading::object;
    // What is said of the subject a question stopped on: "are you" "looking for"
    if (endsBeforePredicate(asked) && !remark &&
        isOneOf(tagged().first().tag, {Tag::vbg, Tag::vbn, Tag::vb, Tag::vbp, Tag::jj, Tag::rb}))
        return Reading::object;
    // A name that is also a verb, after a question cut at a preposition: "How comfortable are
    // you with" "React hooks?"
    if (isBareName(tagged()) && isPreposition(endTags(asked).last().tag) &&
        !QuestionContinuation::isWholeAsAsked(question))
        return Reading::object;
    const PhraseReading phrase = readPhrase(tagged());
    // After a question that is whole as asked, words join it only to name what it is about.
    if (phrase.reading == Reading::object && !phrase.namesTopic &&
        QuestionContinuation::isWholeAsAsked(question))
        return Reading::remark;
    return phrase.reading;
}

} // namespace

bool QuestionContinuation::goesOn(const QString& question, const QString& words) {
    const QStringList asked = spokenWords(question.right(maximumCharacters));
    const QString sentence = firstSentence(words.left(maximumCharacters));
    const QStringList spoken = spokenWords(sentence);
    if (asked.isEmpty() || spoken.isEmpty() || isReply(spoken))
        return false;
    // "(how would you explain a pension to someone) who's never had one"
    if (!EnglishSentences::mayDivide(asked + spoken, asked.size()))
        return true;
    if (EnglishClause::opensQuestion(spoken))
        return false;
    // "(one thing i'd like to hear about is a time a deploy went wrong) and what you did"
    if (isIn(spoken.first(), {"and"_L1, "or"_L1}) && spoken.size() > 2 &&
        isIn(spoken[1], questionWords))
        return true;
    // Where or when it holds: "(can you tell us about a time you disagreed) with your manager",
    // "(how you keep track of deadlines) when you've got thirty files open"
    if (isIn(spoken.first(), {"when"_L1, "if"_L1, "because"_L1, "while"_L1, "since"_L1, "before"_L1,
                              "after"_L1, "unless"_L1, "once"_L1, "until"_L1}))
        return true;
    const QList<EnglishTagger::Word> tagged = EnglishTagger::tag(spoken, asked);
    if (isPreposition(tagged.first().tag) && !EnglishClause::read(spoken).asks)
        return true;
    const QList<EnglishTagger::Word> end = endTags(asked);
    return isVerb(end.last().tag) && read(question, sentence) == Reading::object;
}

QString QuestionContinuation::asAsked(const QString& question) {
    QString asked = question.trimmed();
    while (asked.endsWith(u'?') || asked.endsWith(u'.') || asked.endsWith(u'!'))
        asked.chop(1);
    if (!asked.endsWith(" or"_L1, Qt::CaseInsensitive))
        return question;
    asked.chop(3);
    return asked.trimmed() + u'?';
}

QString QuestionContinuation::firstSentence(const QString& words) {
    const QString trimmed = words.trimmed();
    for (qsizetype i = 0; i + 1 < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if ((c == u'.' || c == u'!' || c == u'?') && trimmed[i + 1].isSpace())
            return trimmed.left(i + 1);
    }
    return trimmed;
}

bool QuestionContinuation::mayGoOn(const QString& question) {
    const QStringList words = spokenWords(question);
    if (words.isEmpty() || isIn(words.last(), subordinators))
        return false;
    // Stopped where no sentence ends, or where it may go on: "which of your old jobs do", "how
    // many of the residents", "would you prefer mornings or"
    if (EnglishSentences::ending(words) != EnglishSentences::Ending::whole)
        return true;
    if (endsBeforePredicate(words))
        return true;
    // After an auxiliary they are verbs: "you've ever been given"
    if (isIn(words.last(), prepositionalGerunds) &&
        !(words.size() > 1 && isIn(words[words.size() - 2], auxiliaries)))
        return true;
    const QList<EnglishTagger::Word> tagged = endTags(words);
    const Tag last = tagged.last().tag;
    return isPreposition(last) || (last == Tag::rb && isLikelyPreposition(words.last())) ||
           endsOnPrepositionReading(tagged) || waitsForObject(tagged);
}

bool QuestionContinuation::stopsBeforeObject(const QString& question) {
    return waitsForObject(endTags(spokenWords(question)));
}

bool QuestionContinuation::isWholeAsAsked(const QString& question) {
    return AskedQuestion(EnglishTagger::tag(spokenWords(question))).isWhole();
}

QuestionContinuation::Reading QuestionContinuation::read(const QString& question,
                                                         const QString& words) {
    const QString sentence = firstSentence(words.left(maximumCharacters));
    const QStringList spoken = spokenWords(sentence);
    // (no word at all: "' '")
    if (std::none_of(spoken.begin(), spoken.end(), [](const QString& word) {
            return std::any_of(word.begin(), word.end(),
                               [](QChar c) { return c.isLetterOrNumber(); });
        }))
        return Reading::remark;
    const QStringList asked = spokenWords(question);
    // Nothing asked, nothing to continue: the words stand as they are
    if (asked.isEmpty())
        return EnglishClause::opensQuestion(spoken) ? Reading::question : Reading::remark;
    // Cut off ("our roadmap and the"), words are no phrase yet.
    const bool remark = isReply(spoken) || EnglishClause::isCutOff(spoken);
    // Words that cannot begin a sentence after the question go on with it: "what size cable"
    // "would you run…", "who you report to" "will depend on the site"; a question stopped
    // before its end goes on with whatever is not a reply nor a question of its own: "how many
    // of the residents" "on your floor did you look after"
    const bool whole = EnglishSentences::ending(asked) == EnglishSentences::Ending::whole;
    if ((!whole || !isIn(spoken.first(), auxiliaries)) &&
        !EnglishSentences::mayDivide(asked + spoken, asked.size()))
        return isReply(spoken) ? Reading::remark : Reading::object;
    if (!whole) {
        if (EnglishClause::opensQuestion(spokenWords(words.left(maximumCharacters))) &&
            asked.last() != "or"_L1)
            return Reading::question;
        return isReply(spoken) ? Reading::remark : Reading::object;
    }
    return readAfterWhole(question, words, asked, spoken, remark);
}

} // namespace corvel
