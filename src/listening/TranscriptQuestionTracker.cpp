#include "listening/TranscriptQuestionTracker.h"

#include "language/EnglishClause.h"
#include "language/EnglishSentences.h"
#include "language/EnglishTagger.h"
#include "language/EnglishWords.h"
#include "language/QuestionContinuation.h"
#include "language/TextFolding.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <bitset>
#include <vector>

namespace corvel {

namespace {

using L1 = QLatin1String;
using namespace Qt::Literals::StringLiterals;

// Word lists, in the folded form: lower case, no accents, apostrophes and hyphens as spaces. A
// trailing space makes a prefix match whole words only.
// clang-format off
constexpr QLatin1String leadPhrases[] = {
    "merci pour votre reponse "_L1, "merci pour cette reponse "_L1, "thank you for your answer "_L1,
    "thanks for your answer "_L1, "bonjour a tous "_L1, "bonjour "_L1, "bonsoir "_L1,
    "tres bien "_L1, "merci "_L1, "d accord "_L1, "ok "_L1, "okay "_L1, "great "_L1, "thanks "_L1,
    "thank you "_L1, "hello "_L1, "hi "_L1, "all right "_L1, "well "_L1, "to start with "_L1,
    "to get started "_L1, "to begin "_L1, "first of all "_L1, "pour commencer "_L1,
    "tout d abord "_L1, "pour demarrer "_L1, "et puis "_L1, "et "_L1, "alors "_L1, "maintenant "_L1,
    "ensuite "_L1, "and then "_L1, "and "_L1, "so "_L1, "now "_L1
};
constexpr QLatin1String requestOpeners[] = {
    "comment "_L1, "pourquoi "_L1, "quand "_L1, "ou "_L1, "quel "_L1, "quelle "_L1, "quels "_L1,
    "quelles "_L1, "combien "_L1, "qu est ce "_L1, "qu avez "_L1, "qu avez vous "_L1, "que "_L1,
    "qui "_L1, "a quoi "_L1, "dans quelle "_L1, "est ce que "_L1, "avez vous "_L1, "aviez vous "_L1,
    "pouvez vous "_L1, "pourriez vous "_L1, "etes vous "_L1, "seriez vous "_L1, "pensez vous "_L1,
    "souhaitez vous "_L1, "voulez vous "_L1, "savez vous "_L1, "as tu "_L1, "avais tu "_L1,
    "peux tu "_L1, "pourrais tu "_L1, "es tu "_L1, "serais tu "_L1, "penses tu "_L1,
    "souhaites tu "_L1, "veux tu "_L1, "sais tu "_L1, "parlez moi "_L1, "parlez nous "_L1,
    "parlez de "_L1, "racontez "_L1, "decrivez "_L1, "expliquez "_L1, "presentez "_L1,
    "parle moi "_L1, "parle nous "_L1, "parle de "_L1, "raconte "_L1, "decris "_L1, "explique "_L1,
    "presente "_L1, "donne moi "_L1, "donne nous "_L1, "donnez moi "_L1, "donnez nous "_L1,
    "citez "_L1, "imaginez "_L1, "supposons "_L1, "resolvez "_L1, "what "_L1, "why "_L1, "how "_L1,
    "when "_L1, "where "_L1, "who "_L1, "which "_L1, "can you "_L1, "could you "_L1,
    "would you "_L1, "do you "_L1, "did you "_L1, "have you "_L1, "are you "_L1, "will you "_L1,
    "tell me "_L1, "tell us "_L1, "walk me through "_L1, "talk me through "_L1,
    "take me through "_L1, "describe "_L1, "explain "_L1, "give me "_L1, "introduce yourself"_L1,
    "imagine "_L1, "i d like to know "_L1, "i would like to know "_L1
};
constexpr QLatin1String requestSolicitations[] = {
    "j aimerais savoir "_L1, "je voudrais savoir "_L1, "je souhaite savoir "_L1,
    "j aimerais que vous "_L1, "je voudrais que vous "_L1, "j aimerais en savoir plus sur "_L1,
    "je voudrais en savoir plus sur "_L1, "i d like to know "_L1, "i would like to know "_L1,
    "i d like you to "_L1, "i would like you to "_L1, "i want to know "_L1, "we d like to know "_L1,
    "i d like to hear "_L1, "i would like to hear "_L1, "i d love to hear "_L1,
    "i would love to hear "_L1
};
constexpr QLatin1String followUpRequests[] = {
    "le resultat"_L1, "les resultats"_L1, "votre role"_L1, "un exemple"_L1, "concretement"_L1,
    "ensuite"_L1, "the result"_L1, "the outcome"_L1, "your role"_L1, "an example"_L1,
    "what next"_L1
};
constexpr QLatin1String addresseeOpeners[] = {
    "vous "_L1, "votre "_L1, "vos "_L1, "tu "_L1, "ton "_L1, "ta "_L1, "tes "_L1, "you "_L1,
    "your "_L1
};
constexpr QLatin1String addresseeWords[] = {
    "vous"_L1, "votre"_L1, "vos"_L1, "tu"_L1, "ton"_L1, "ta"_L1, "tes"_L1, "toi"_L1, "you"_L1,
    "your"_L1
};
constexpr QLatin1String imperativeOpeners[] = {
    "parlez "_L1, "parle moi "_L1, "parle nous "_L1, "racontez "_L1, "raconte "_L1, "decrivez "_L1,
    "decris "_L1, "expliquez "_L1, "explique "_L1, "presentez "_L1, "presente "_L1, "donnez "_L1,
    "donne moi "_L1, "donne nous "_L1, "tell me "_L1, "tell us "_L1, "walk me through "_L1,
    "describe "_L1, "explain "_L1, "give me "_L1
};
// French words that are no English ones: a clause with one is read by the lists.
constexpr QLatin1String frenchWords[] = {
    "vous"_L1, "votre"_L1, "vos"_L1, "tu"_L1, "ton"_L1, "ta"_L1, "tes"_L1, "toi"_L1, "moi"_L1,
    "je"_L1, "j"_L1, "nous"_L1, "est"_L1, "c"_L1, "qu"_L1, "que"_L1, "les"_L1, "des"_L1, "du"_L1,
    "une"_L1, "mon"_L1, "ma"_L1, "mes"_L1, "suis"_L1, "avez"_L1, "etes"_L1, "ce"_L1, "et"_L1
};
// Words that put the listener at ease after a question ("It's not a problem, I'm just
// curious."), which no answer to it has.
constexpr QLatin1String reassurances[] = {
    "problem"_L1, "matter"_L1, "matters"_L1, "fine"_L1, "okay"_L1, "ok"_L1, "worry"_L1,
    "worries"_L1, "curious"_L1, "essential"_L1, "dealbreaker"_L1, "need"_L1, "wrong"_L1,
    "pressure"_L1, "rush"_L1, "enough"_L1, "roughly"_L1, "ballpark"_L1, "exact"_L1,
    "exactly"_L1, "approximately"_L1, "estimate"_L1, "guess"_L1
};
constexpr QLatin1String candidateQuotationMarkers[] = {
    "je me suis demande"_L1, "je me demandais"_L1, "j ai demande"_L1, "j ai dit"_L1,
    "j ai pense"_L1, "i asked"_L1, "i wondered"_L1, "i thought"_L1, "i said"_L1, "we asked"_L1,
    "nous avons demande"_L1
};
constexpr QLatin1String recruiterIntroductions[] = {
    "je suis le recruteur"_L1, "je suis la recruteuse"_L1, "je suis votre recruteur"_L1,
    "je suis votre recruteuse"_L1, "je suis responsable du recrutement"_L1,
    "je suis le responsable du recrutement"_L1, "je suis la responsable du recrutement"_L1,
    "je dirige cette equipe"_L1, "je dirige l equipe"_L1, "je manage cette equipe"_L1,
    "i lead this team"_L1, "i manage this team"_L1, "i m the hiring manager"_L1,
    "i am the hiring manager"_L1, "i m the recruiter"_L1, "i am the recruiter"_L1
};
constexpr QLatin1String recruitingWords[] = {
    "recrutement"_L1, "recruteur"_L1, "recruteuse"_L1, "hiring"_L1
};
constexpr QLatin1String firstPersonOpeners[] = {
    "je "_L1, "j ai "_L1, "j avais "_L1, "j etais "_L1, "mon "_L1, "ma "_L1, "nous avons "_L1,
    "nous avions "_L1, "on a "_L1, "i "_L1, "i ve "_L1, "my "_L1, "we "_L1
};
constexpr QLatin1String firstPersonMarkers[] = {
    " j ai "_L1, " j avais "_L1, " j etais "_L1, " je "_L1, " i "_L1, " i ve "_L1, " my "_L1,
    " we "_L1, " nous avons "_L1, " nous avions "_L1
};
constexpr QLatin1String questionAnnouncements[] = {
    "j ai une question"_L1, "i have a question"_L1, "we have a question"_L1
};
constexpr QLatin1String danglingWords[] = {
    "de"_L1, "du"_L1, "des"_L1, "d"_L1, "un"_L1, "une"_L1, "le"_L1, "la"_L1, "les"_L1, "votre"_L1,
    "vos"_L1, "ton"_L1, "ta"_L1, "tes"_L1, "avec"_L1, "et"_L1, "ou"_L1, "pour"_L1, "a"_L1, "au"_L1,
    "aux"_L1, "the"_L1, "a"_L1, "an"_L1, "your"_L1, "our"_L1, "and"_L1, "or"_L1, "qui"_L1,
    "que"_L1, "dont"_L1, "lorsque"_L1, "puisque"_L1, "afin"_L1, "sans"_L1, "notamment"_L1,
    "where"_L1, "when"_L1, "because"_L1, "although"_L1, "including"_L1, "such"_L1, "not"_L1
};
// clang-format on

constexpr double tokenMatchRatio = 0.78;
constexpr double sameQuestionRatio = 0.85;
constexpr qsizetype sameQuestionMinimumWords = 6;
constexpr qsizetype sameQuestionMaximumLengthDifference = 2;
constexpr qsizetype minimumQuestionCharacters = 8;
constexpr int maximumLeadPhrases = 4;
// Enough of a clause for its form, which is read from its opening (EnglishClause reads 24 words),
// so that a long partial result costs no more than a short one.
constexpr qsizetype englishReadingCharacters = 200;
// Enough of a clause for the words that open it.
constexpr qsizetype answerCharacters = 40;
// The opening words that tell English from French.
constexpr qsizetype languageWords = 8;

// Inline, as the tables are scanned for every clause of every update and most entries differ
// from the text at the first character.
inline bool hasPrefix(QStringView text, QLatin1String entry) {
    if (text.size() < entry.size()) {
        return false;
    }
    const char16_t* units = text.utf16();
    const char* latin = entry.data();
    for (qsizetype i = 0; i < entry.size(); ++i) {
        if (units[i] != char16_t(uchar(latin[i]))) {
            return false;
        }
    }
    return true;
}

template <std::size_t N> bool startsWithAny(QStringView text, const QLatin1String (&table)[N]) {
    return std::any_of(std::begin(table), std::end(table),
                       [text](QLatin1String entry) { return hasPrefix(text, entry); });
}

// Whether any entry occurs anywhere in `text`. Runs over whole transcripts, so one pass looks up
// each pair of adjacent characters among the entries' first two before comparing any entry.
template <const auto& table> bool containsAny(QStringView text) {
    static const std::bitset<0x80 * 0x80> openings = [] {
        std::bitset<0x80 * 0x80> pairs;
        for (const L1 entry : table) {
            Q_ASSERT(entry.size() >= 2);
            pairs.set(entry[0].unicode() * 0x80 + entry[1].unicode());
        }
        return pairs;
    }();
    const char16_t* units = text.utf16();
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (units[i] < 0x80 && units[i + 1] < 0x80 && openings[units[i] * 0x80 + units[i + 1]] &&
            std::any_of(std::begin(table), std::end(table),
                        [rest = text.sliced(i)](L1 entry) { return hasPrefix(rest, entry); })) {
            return true;
        }
    }
    return false;
}

template <std::size_t N> bool equalsAny(QStringView text, const QLatin1String (&table)[N]) {
    return std::any_of(std::begin(table), std::end(table),
                       [text](QLatin1String entry) { return text == entry; });
}

bool startsWithWords(QStringView text, QLatin1String entry) {
    return text.size() > entry.size() && hasPrefix(text, entry) && text[entry.size()] == u' ';
}

template <typename Text> qsizetype wordCount(Text folded) {
    return folded.isEmpty() ? 0 : folded.count(u' ') + 1;
}

template <std::size_t N> bool hasWordIn(QStringView folded, const QLatin1String (&table)[N]) {
    qsizetype start = 0;
    while (start < folded.size()) {
        qsizetype end = folded.indexOf(u' ', start);
        if (end < 0) {
            end = folded.size();
        }
        if (equalsAny(folded.sliced(start, end - start), table)) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

// What is left of a folded text once up to four greetings and fillers are taken off its front:
// "ok so now tell me" leaves "tell me".
QStringView leadOf(QStringView folded) {
    for (int removed = 0; removed < maximumLeadPhrases; ++removed) {
        const auto* phrase = std::find_if(std::begin(leadPhrases), std::end(leadPhrases),
                                          [folded](L1 entry) { return hasPrefix(folded, entry); });
        if (phrase == std::end(leadPhrases)) {
            break;
        }
        folded = folded.sliced(phrase->size());
    }
    return folded;
}

// A short follow-up the lists name ("the outcome", "your role?").
bool isListedFollowUp(QStringView clause, QStringView lead) {
    if (equalsAny(lead, followUpRequests)) {
        return true;
    }
    return clause.contains(u'?') &&
           std::any_of(std::begin(followUpRequests), std::end(followUpRequests),
                       [lead](L1 entry) { return lead == entry || startsWithWords(lead, entry); });
}

bool isRequest(QStringView clause, QStringView lead) {
    if (startsWithAny(lead, requestOpeners) || startsWithAny(lead, requestSolicitations) ||
        isListedFollowUp(clause, lead)) {
        return true;
    }
    return clause.contains(u'?') && startsWithAny(lead, addresseeOpeners);
}

// English, unless its opening words hold a French one or more than half of them are unknown to
// the English lexicon ("pourquoi ce choix").
bool isEnglish(QStringView folded) {
    qsizetype words = 0;
    qsizetype known = 0;
    for (const QStringView word : folded.tokenize(u' ')) {
        if (words == languageWords) {
            break;
        }
        if (equalsAny(word, frenchWords)) {
            return false;
        }
        ++words;
        known += EnglishTagger::knows(word.toString()) ? 1 : 0;
    }
    return 2 * known >= words;
}

bool isDirectedRequest(QStringView folded, QStringView lead) {
    return hasWordIn(folded, addresseeWords) || startsWithAny(lead, imperativeOpeners);
}

bool isRecruiterIntroduction(QStringView lead) {
    if (lead.startsWith(L1("je suis ")) && containsAny<recruitingWords>(lead)) {
        return true;
    }
    return std::any_of(
        std::begin(recruiterIntroductions), std::end(recruiterIntroductions),
        [lead](L1 entry) { return !entry.startsWith(L1("je suis ")) && lead.startsWith(entry); });
}

// Where a clause such as "I’m the recruiter, can you tell me…" divides into the introduction and
// the request: the offset just past the introduction's last word, given the clause's folded form
// and the raw offset where each of its words ends.
std::optional<qsizetype> spokenRecruiterIntroductionEnd(QStringView folded,
                                                        const QList<qsizetype>& wordEnds) {
    const QStringView lead = leadOf(folded);
    if (containsAny<candidateQuotationMarkers>(lead)) {
        return std::nullopt;
    }
    const auto* introduction =
        std::find_if(std::begin(recruiterIntroductions), std::end(recruiterIntroductions),
                     [lead](L1 entry) { return startsWithWords(lead, entry); });
    if (introduction == std::end(recruiterIntroductions)) {
        return std::nullopt;
    }
    const QStringView rest = lead.sliced(introduction->size()).trimmed();
    const QString restFolded = foldedText(rest);
    const QStringView restLead = leadOf(restFolded);
    if (!isRequest(rest, restLead) || !isDirectedRequest(restFolded, restLead)) {
        return std::nullopt;
    }
    // Raw word runs are counted as words are (letters, marks and digits), so that an accent
    // sent as a separate combining mark does not shift the cut.
    const qsizetype k = wordCount(folded) - wordCount(lead) + wordCount(*introduction) - 1;
    if (k < 0 || k >= wordEnds.size()) {
        return std::nullopt;
    }
    return wordEnds[k];
}

bool isSentenceEnd(QChar c) {
    return c == u'.' || c == u'!' || c == u'?';
}

// White space as the clause pattern sees it: tab, line feed, form feed, carriage return and
// every Unicode separator (no-break spaces included).
bool isPatternSpace(QChar c) {
    const char16_t u = c.unicode();
    if (u == u'\t' || u == u'\n' || u == u'\f' || u == u'\r' || u == u' ') {
        return true;
    }
    if (u < 0x80) {
        return false;
    }
    const QChar::Category category = c.category();
    return category == QChar::Separator_Space || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

// Splits at a run of white space after ".", "!" or "?", or at a run of line breaks; the clauses
// keep their own spacing.
QList<QStringView> clausesOf(QStringView text) {
    QList<QStringView> clauses;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = i;
        if (i > 0 && isSentenceEnd(text[i - 1]) && isPatternSpace(text[i])) {
            while (end < text.size() && isPatternSpace(text[end])) {
                ++end;
            }
        } else {
            while (end < text.size() && text[end] == u'\n') {
                ++end;
            }
        }
        if (end == i) {
            ++i;
            continue;
        }
        clauses.append(text.sliced(start, i - start));
        start = i = end;
    }
    clauses.append(text.sliced(start));
    return clauses;
}

// An English clause without punctuation, as partial results come, divided into the sentences the
// finisher would give it once final. A longer one than the finisher divides (someone who has
// talked for half a minute without a pause) is read as one clause until its final result
// comes, which bounds the work of every update.
QList<QStringView> sentencesOf(QStringView clause) {
    if (std::any_of(clause.begin(), clause.end(), isSentenceEnd))
        return {clause};
    QStringList words;
    QList<qsizetype> wordOffsets;
    for (const QStringView token : clause.tokenize(u' ', Qt::SkipEmptyParts)) {
        if (words.size() >= EnglishTagger::sentenceWords)
            return {clause};
        // Partial results are plain words: only punctuation calls for the full reading
        const bool plain = std::all_of(token.begin(), token.end(),
                                       [](QChar c) { return c.isLetterOrNumber() || c == u'\''; });
        for (const QString& word :
             plain ? QStringList{token.toString().toLower()} : spokenWords(token)) {
            words.append(word);
            wordOffsets.append(token.data() - clause.data());
        }
    }
    if (words.size() < 2 || !isEnglish(foldedText(words.mid(0, languageWords).join(u' '))))
        return {clause};
    QList<QStringView> sentences;
    qsizetype start = 0;
    for (const qsizetype word : EnglishSentences::starts(words)) {
        const qsizetype offset = wordOffsets[word];
        if (offset > start) {
            sentences.append(clause.sliced(start, offset - start));
            start = offset;
        }
    }
    sentences.append(clause.sliced(start));
    return sentences;
}

// A clause with its folded form and lead, folded once however often the rules look at it. An
// English clause is read by its form, once; a French one by the lists.
struct Clause {
    QStringView raw;
    QString folded;
    qsizetype leadStart = 0;

    explicit Clause(QStringView text, QList<qsizetype>* wordEnds = nullptr)
        : raw(text), folded(foldedText(text, wordEnds)),
          leadStart(folded.size() - leadOf(folded).size()) {}
    QStringView lead() const { return QStringView(folded).sliced(leadStart); }
    bool isRequest() const {
        const auto* reading = english();
        if (!reading)
            return corvel::isRequest(raw, lead());
        // "Why should we choose" may yet go on with "you"
        const bool speakersCut = reading->form == EnglishClause::Form::interrogative &&
                                 reading->aboutSpeaker &&
                                 QuestionContinuation::stopsBeforeObject(raw.toString());
        return reading->asks || isListedFollowUp(raw, lead()) || speakersCut;
    }
    bool isEnglish() const { return english() != nullptr; }
    // An English question built as one, not a follow-up or a request.
    bool isOwnQuestion() const {
        const auto* reading = english();
        return reading && reading->form == EnglishClause::Form::interrogative;
    }
    // An English statement.
    bool isStatement() const {
        const auto* reading = english();
        return reading && reading->form == EnglishClause::Form::statement && !reading->asks;
    }
    // In English, words that answer the question before them ("Yes, but…").
    bool answersQuestion() const {
        return english() && englishWords::opensAnswer(spokenWords(raw.left(answerCharacters)));
    }
    // The speaker's own story, in French: a first-person word up front.
    bool isNarrative(QStringView normalised) const {
        return startsWithAny(normalised, firstPersonOpeners) ||
               startsWithAny(lead(), firstPersonOpeners) || containsAny<firstPersonMarkers>(lead());
    }
    // An English statement in the past tense, about the speaker when `speaker`: a story told.
    // After it, one about the speaker goes on with it too ("I still do that with my team.").
    bool tellsStory(bool speaker) const {
        const auto* reading = english();
        if (!reading)
            return false;
        const bool past = reading->past || folded.contains(u"used to");
        return speaker ? past && reading->aboutSpeaker
                       : reading->form == EnglishClause::Form::statement &&
                             (past || reading->aboutSpeaker);
    }

private:
    // Read when first asked: the rules stop at the first clause that asks.
    const EnglishClause::Reading* english() const {
        if (!m_language) {
            m_language = corvel::isEnglish(folded) ? Language::english : Language::french;
            if (*m_language == Language::english) {
                m_english = EnglishClause::read(spokenWords(raw.left(englishReadingCharacters)),
                                                raw.contains(u'?'));
            }
        }
        return *m_language == Language::english ? &m_english : nullptr;
    }

    enum class Language { english, french };
    mutable std::optional<Language> m_language;
    mutable EnglishClause::Reading m_english;
};

using Clauses = std::vector<Clause>;

// Whether the English question from `request` to `end` is the speaker's: told inside their story
// (a story before it goes on after it), or answered by them at once, by an answer ("Is it hard
// work? Yes, but…") or, where it does not address the listener, by a statement ("Is the pay good?
// It's fair.").
bool isAnsweredOrTold(const Clauses& clauses, Clauses::const_iterator request,
                      Clauses::const_iterator end) {
    // The clauses after the first that asks, up to the first that does not
    const auto answered = end == clauses.cend() ? end : end + 1;
    if (std::any_of(request + 1, answered,
                    [](const Clause& clause) { return clause.answersQuestion(); }))
        return true;
    if (end == clauses.cend())
        return false;
    if (request != clauses.cbegin() && (request - 1)->tellsStory(true) && end->tellsStory(false))
        return true;
    // "Why this role? I ask everyone.": a follow-up without a verb is the listener's to answer;
    // "It's not a problem, I'm just curious." puts them at ease
    return std::all_of(request, end,
                       [](const Clause& clause) {
                           return clause.isOwnQuestion() &&
                                  !hasWordIn(clause.folded, addresseeWords);
                       }) &&
           wordCount(request->folded) > 3 && end->isStatement() &&
           !hasWordIn(end->folded, reassurances);
}

// The folded words of consecutive clauses joined as the folded form of their whole text would
// be: clauses meet at white space, so no word spans two of them.
QString joinedFolded(std::vector<Clause>::const_iterator begin,
                     std::vector<Clause>::const_iterator end) {
    QString joined;
    for (auto clause = begin; clause != end; ++clause) {
        if (!clause->folded.isEmpty()) {
            if (!joined.isEmpty()) {
                joined += u' ';
            }
            joined += clause->folded;
        }
    }
    return joined;
}

QList<QStringView> whitespaceTokens(QStringView text) {
    QList<QStringView> tokens;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool space = i == text.size() || text[i].isSpace();
        if (space && start >= 0) {
            tokens.append(text.sliced(start, i - start));
            start = -1;
        } else if (!space && start < 0) {
            start = i;
        }
    }
    return tokens;
}

} // namespace

std::optional<QString> TranscriptQuestionTracker::question(const QString& text, bool isFinal) {
    const QString trimmed = text.trimmed();
    if (!hasAtLeastCharacters(trimmed, minimumQuestionCharacters)) {
        return std::nullopt;
    }

    QList<QStringView> rawClauses;
    for (const QStringView clause : clausesOf(trimmed))
        rawClauses.append(sentencesOf(clause));
    std::vector<Clause> clauses;
    clauses.reserve(rawClauses.size() + 1);
    QList<qsizetype> firstWordEnds;
    clauses.emplace_back(rawClauses.front(), &firstWordEnds);
    for (qsizetype i = 1; i < rawClauses.size(); ++i) {
        clauses.emplace_back(rawClauses[i]);
    }
    if (const auto cut = spokenRecruiterIntroductionEnd(clauses.front().folded, firstWordEnds)) {
        const QStringView first = rawClauses.front();
        clauses.front() = Clause(first.first(*cut));
        clauses.insert(clauses.begin() + 1, Clause(first.sliced(*cut)));
    }
    const QString normalised = joinedFolded(clauses.cbegin(), clauses.cend());

    const auto request = std::find_if(clauses.cbegin(), clauses.cend(),
                                      [](const Clause& clause) { return clause.isRequest(); });
    if (request == clauses.cend()) {
        return std::nullopt;
    }
    const QStringView firstLead = clauses.front().lead();

    // An English question is asked whatever the interviewer said before it, about themselves,
    // their team or the candidate; in French a first-person word up front tells a story.
    if (!clauses.front().isEnglish() && clauses.front().isNarrative(normalised)) {
        const QStringView lead = leadOf(normalised);
        const bool announced =
            startsWithAny(lead, requestSolicitations) || startsWithAny(lead, questionAnnouncements);
        // The candidate's own story, unless a recruiter introduced themselves and then
        // addressed the candidate.
        if (!announced && (request == clauses.cbegin() || !isRecruiterIntroduction(firstLead) ||
                           !isDirectedRequest(request->folded, request->lead()) ||
                           containsAny<candidateQuotationMarkers>(normalised))) {
            return std::nullopt;
        }
    }

    const auto end = std::find_if(request + 1, clauses.cend(),
                                  [](const Clause& clause) { return !clause.isRequest(); });
    if (isAnsweredOrTold(clauses, request, end)) {
        return std::nullopt;
    }
    QStringList parts;
    for (auto clause = request; clause != end; ++clause) {
        parts.append(clause->raw.toString());
    }
    const QString question = parts.join(u' ').trimmed();

    const QString words = joinedFolded(request, end);
    const qsizetype count = wordCount(words);
    if (count < 2) {
        return std::nullopt;
    }
    const QStringView lastWord = QStringView(words).sliced(words.lastIndexOf(u' ') + 1);
    // "…, or not?" and "…if not" end whole
    const QStringView before =
        QStringView(words).first(std::max<qsizetype>(0, words.size() - lastWord.size() - 1));
    const bool negated = lastWord == u"not" && (before.endsWith(u" if") || before.endsWith(u" or"));
    // "Since when?", "Why not?": a question word's own
    const QStringView beforeLast = before.sliced(before.lastIndexOf(u' ') + 1);
    const bool asked =
        (equalsAny(lastWord, englishWords::questionWords) && lastWord != u"whether") ||
        (lastWord == u"not" && equalsAny(beforeLast, englishWords::questionWords));
    // "Would you prefer mornings or": trailing off, it waits for what may follow
    if (equalsAny(lastWord, danglingWords) && !negated && !asked && lastWord != u"or") {
        return std::nullopt;
    }
    if (isFinal || question.contains(u'?') || count > 3) {
        return question;
    }
    return std::nullopt;
}

std::optional<QString> TranscriptQuestionTracker::unconsumedText(const QString& transcript,
                                                                 const QString& consumed,
                                                                 qsizetype minimumSuffixLength) {
    const QList<QStringView> tokens = whitespaceTokens(transcript);
    if (tokens.isEmpty()) {
        return std::nullopt;
    }
    const QList<QStringView> consumedTokens = whitespaceTokens(consumed);
    if (consumedTokens.isEmpty()) {
        return transcript;
    }
    const qsizetype n = std::min(tokens.size(), consumedTokens.size());
    qsizetype matching = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (tokens[i] == consumedTokens[i] ||
            normalize(tokens[i]) == normalize(consumedTokens[i])) {
            ++matching;
        }
    }
    if (double(matching) / double(n) < tokenMatchRatio) {
        return transcript; // rewritten by the recogniser: look at all of it again
    }
    if (consumedTokens.size() >= tokens.size()) {
        return std::nullopt;
    }
    QStringList suffix;
    for (qsizetype i = consumedTokens.size(); i < tokens.size(); ++i) {
        suffix.append(tokens[i].toString());
    }
    QString joined = suffix.join(u' ');
    if (!hasAtLeastCharacters(joined, minimumSuffixLength)) {
        return std::nullopt;
    }
    return joined;
}

QString TranscriptQuestionTracker::normalize(QStringView token) {
    return foldedText(token).remove(u' ');
}

bool TranscriptQuestionTracker::isSameQuestion(const QString& a, const QString& b) {
    const QStringList wa = foldedWords(a);
    const QStringList wb = foldedWords(b);
    if (wa.isEmpty() || wb.isEmpty()) {
        return false;
    }
    if (wa == wb) {
        return true;
    }
    const qsizetype shorter = std::min(wa.size(), wb.size());
    const qsizetype longer = std::max(wa.size(), wb.size());
    if (shorter < sameQuestionMinimumWords ||
        longer - shorter > sameQuestionMaximumLengthDifference) {
        return false;
    }
    qsizetype matching = 0;
    for (qsizetype i = 0; i < shorter; ++i) {
        if (wa[i] == wb[i]) {
            ++matching;
        }
    }
    return double(matching) / double(longer) >= sameQuestionRatio;
}

} // namespace corvel
