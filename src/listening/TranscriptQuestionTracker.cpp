#include "listening/TranscriptQuestionTracker.h"

#include "listening/TextFolding.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <bitset>
#include <vector>

namespace corvel {

namespace {

using L1 = QLatin1String;

// Word lists, in the folded form: lower case, no accents, apostrophes and hyphens as spaces. A
// trailing space makes a prefix match whole words only.
constexpr QLatin1String leadPhrases[] = {
    L1("merci pour votre reponse "), L1("merci pour cette reponse "), L1("thank you for your answer "), L1("thanks for your answer "), L1("bonjour a tous "), L1("bonjour "), L1("bonsoir "), L1("tres bien "), L1("merci "), L1("d accord "), L1("ok "), L1("okay "), L1("great "), L1("thanks "), L1("thank you "), L1("hello "), L1("hi "), L1("all right "), L1("well "), L1("to start with "), L1("to get started "), L1("to begin "), L1("first of all "), L1("pour commencer "), L1("tout d abord "), L1("pour demarrer "), L1("et puis "), L1("et "), L1("alors "), L1("maintenant "), L1("ensuite "), L1("and then "), L1("and "), L1("so "), L1("now "),
};
constexpr QLatin1String requestOpeners[] = {
    L1("comment "), L1("pourquoi "), L1("quand "), L1("ou "), L1("quel "), L1("quelle "), L1("quels "), L1("quelles "), L1("combien "), L1("qu est ce "), L1("qu avez "), L1("qu avez vous "), L1("que "), L1("qui "), L1("a quoi "), L1("dans quelle "), L1("est ce que "), L1("avez vous "), L1("aviez vous "), L1("pouvez vous "), L1("pourriez vous "), L1("etes vous "), L1("seriez vous "), L1("pensez vous "), L1("souhaitez vous "), L1("voulez vous "), L1("savez vous "), L1("as tu "), L1("avais tu "), L1("peux tu "), L1("pourrais tu "), L1("es tu "), L1("serais tu "), L1("penses tu "), L1("souhaites tu "), L1("veux tu "), L1("sais tu "), L1("parlez moi "), L1("parlez nous "), L1("parlez de "), L1("racontez "), L1("decrivez "), L1("expliquez "), L1("presentez "), L1("parle moi "), L1("parle nous "), L1("parle de "), L1("raconte "), L1("decris "), L1("explique "), L1("presente "), L1("donne moi "), L1("donne nous "), L1("donnez moi "), L1("donnez nous "), L1("citez "), L1("imaginez "), L1("supposons "), L1("resolvez "), L1("what "), L1("why "), L1("how "), L1("when "), L1("where "), L1("who "), L1("which "), L1("can you "), L1("could you "), L1("would you "), L1("do you "), L1("did you "), L1("have you "), L1("are you "), L1("will you "), L1("tell me "), L1("tell us "), L1("walk me through "), L1("talk me through "), L1("take me through "), L1("describe "), L1("explain "), L1("give me "), L1("introduce yourself"), L1("imagine "), L1("i d like to know "), L1("i would like to know "),
};
constexpr QLatin1String requestSolicitations[] = {
    L1("j aimerais savoir "), L1("je voudrais savoir "), L1("je souhaite savoir "), L1("j aimerais que vous "), L1("je voudrais que vous "), L1("j aimerais en savoir plus sur "), L1("je voudrais en savoir plus sur "), L1("i d like to know "), L1("i would like to know "), L1("i d like you to "), L1("i would like you to "), L1("i want to know "), L1("we d like to know "), L1("i d like to hear "), L1("i would like to hear "), L1("i d love to hear "), L1("i would love to hear "),
};
constexpr QLatin1String followUpRequests[] = {
    L1("le resultat"), L1("les resultats"), L1("votre role"), L1("un exemple"), L1("concretement"), L1("ensuite"), L1("the result"), L1("the outcome"), L1("your role"), L1("an example"), L1("what next"),
};
constexpr QLatin1String addresseeOpeners[] = {
    L1("vous "), L1("votre "), L1("vos "), L1("tu "), L1("ton "), L1("ta "), L1("tes "), L1("you "), L1("your "),
};
constexpr QLatin1String addresseeWords[] = {
    L1("vous"), L1("votre"), L1("vos"), L1("tu"), L1("ton"), L1("ta"), L1("tes"), L1("toi"), L1("you"), L1("your"),
};
constexpr QLatin1String imperativeOpeners[] = {
    L1("parlez "), L1("parle moi "), L1("parle nous "), L1("racontez "), L1("raconte "), L1("decrivez "), L1("decris "), L1("expliquez "), L1("explique "), L1("presentez "), L1("presente "), L1("donnez "), L1("donne moi "), L1("donne nous "), L1("tell me "), L1("tell us "), L1("walk me through "), L1("describe "), L1("explain "), L1("give me "),
};
constexpr QLatin1String candidateQuotationMarkers[] = {
    L1("je me suis demande"), L1("je me demandais"), L1("j ai demande"), L1("j ai dit"), L1("j ai pense"), L1("i asked"), L1("i wondered"), L1("i thought"), L1("i said"), L1("we asked"), L1("nous avons demande"),
};
constexpr QLatin1String recruiterIntroductions[] = {
    L1("je suis le recruteur"), L1("je suis la recruteuse"), L1("je suis votre recruteur"), L1("je suis votre recruteuse"), L1("je suis responsable du recrutement"), L1("je suis le responsable du recrutement"), L1("je suis la responsable du recrutement"), L1("je dirige cette equipe"), L1("je dirige l equipe"), L1("je manage cette equipe"), L1("i lead this team"), L1("i manage this team"), L1("i m the hiring manager"), L1("i am the hiring manager"), L1("i m the recruiter"), L1("i am the recruiter"),
};
constexpr QLatin1String recruitingWords[] = {
    L1("recrutement"), L1("recruteur"), L1("recruteuse"), L1("hiring"),
};
constexpr QLatin1String firstPersonOpeners[] = {
    L1("je "), L1("j ai "), L1("j avais "), L1("j etais "), L1("mon "), L1("ma "), L1("nous avons "), L1("nous avions "), L1("on a "), L1("i "), L1("i ve "), L1("my "), L1("we "),
};
constexpr QLatin1String firstPersonMarkers[] = {
    L1(" j ai "), L1(" j avais "), L1(" j etais "), L1(" je "), L1(" i "), L1(" i ve "), L1(" my "), L1(" we "), L1(" nous avons "), L1(" nous avions "),
};
constexpr QLatin1String questionAnnouncements[] = {
    L1("j ai une question"), L1("i have a question"), L1("we have a question"),
};
constexpr QLatin1String danglingWords[] = {
    L1("de"), L1("du"), L1("des"), L1("d"), L1("un"), L1("une"), L1("le"), L1("la"), L1("les"), L1("votre"), L1("vos"), L1("ton"), L1("ta"), L1("tes"), L1("avec"), L1("et"), L1("ou"), L1("pour"), L1("a"), L1("au"), L1("aux"), L1("the"), L1("a"), L1("an"), L1("your"), L1("our"), L1("of"), L1("to"), L1("with"), L1("and"), L1("or"), L1("about"), L1("in"), L1("for"), L1("qui"), L1("que"), L1("dont"), L1("lorsque"), L1("puisque"), L1("afin"), L1("sans"), L1("notamment"), L1("where"), L1("when"), L1("because"), L1("although"), L1("including"), L1("such"), L1("not"),
};

constexpr double tokenMatchRatio = 0.78;
constexpr double sameQuestionRatio = 0.85;
constexpr qsizetype sameQuestionMinimumWords = 6;
constexpr qsizetype sameQuestionMaximumLengthDifference = 2;
constexpr qsizetype minimumQuestionCharacters = 8;
constexpr int maximumLeadPhrases = 4;

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

bool isRequest(QStringView clause, QStringView lead) {
    if (startsWithAny(lead, requestOpeners) || startsWithAny(lead, requestSolicitations) ||
        equalsAny(lead, followUpRequests)) {
        return true;
    }
    if (!clause.contains(u'?')) {
        return false;
    }
    if (std::any_of(std::begin(followUpRequests), std::end(followUpRequests),
                    [lead](L1 entry) { return lead == entry || startsWithWords(lead, entry); })) {
        return true;
    }
    return startsWithAny(lead, addresseeOpeners);
}

bool isDirectedRequest(QStringView folded, QStringView lead) {
    return hasWordIn(folded, addresseeWords) || startsWithAny(lead, imperativeOpeners);
}

bool isRecruiterIntroduction(QStringView lead) {
    if (lead.startsWith(L1("je suis ")) && containsAny<recruitingWords>(lead)) {
        return true;
    }
    return std::any_of(std::begin(recruiterIntroductions), std::end(recruiterIntroductions),
                       [lead](L1 entry) {
                           return !entry.startsWith(L1("je suis ")) && lead.startsWith(entry);
                       });
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

bool isSentenceEnd(QChar c) { return c == u'.' || c == u'!' || c == u'?'; }

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

// Splits at a run of white space after ".", "!" or "?", or at a run of line breaks; the pieces
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

// A clause with its folded form and lead, folded once however often the rules look at it.
struct Clause {
    QStringView raw;
    QString folded;
    qsizetype leadStart = 0;

    explicit Clause(QStringView text, QList<qsizetype>* wordEnds = nullptr)
        : raw(text), folded(foldedText(text, wordEnds)),
          leadStart(folded.size() - leadOf(folded).size()) {}
    QStringView lead() const { return QStringView(folded).sliced(leadStart); }
    bool isRequest() const { return corvel::isRequest(raw, lead()); }
};

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

bool isNarrative(QStringView normalised, QStringView firstLead) {
    return startsWithAny(normalised, firstPersonOpeners) ||
           startsWithAny(firstLead, firstPersonOpeners) || containsAny<firstPersonMarkers>(firstLead);
}

} // namespace

std::optional<QString> TranscriptQuestionTracker::question(const QString& text, bool isFinal) {
    const QString trimmed = text.trimmed();
    if (!hasAtLeastCharacters(trimmed, minimumQuestionCharacters)) {
        return std::nullopt;
    }

    const QList<QStringView> pieces = clausesOf(trimmed);
    std::vector<Clause> clauses;
    clauses.reserve(pieces.size() + 1);
    QList<qsizetype> firstWordEnds;
    clauses.emplace_back(pieces.front(), &firstWordEnds);
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        clauses.emplace_back(pieces[i]);
    }
    if (const auto cut = spokenRecruiterIntroductionEnd(clauses.front().folded, firstWordEnds)) {
        const QStringView first = pieces.front();
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

    if (isNarrative(normalised, firstLead)) {
        const QStringView lead = leadOf(normalised);
        const bool announced =
            startsWithAny(lead, requestSolicitations) || startsWithAny(lead, questionAnnouncements);
        // The candidate's own story, unless a recruiter introduced themselves and then
        // addressed the candidate.
        if (!announced &&
            (request == clauses.cbegin() || !isRecruiterIntroduction(firstLead) ||
             !isDirectedRequest(request->folded, request->lead()) ||
             containsAny<candidateQuotationMarkers>(normalised))) {
            return std::nullopt;
        }
    }

    const auto end = std::find_if(request + 1, clauses.cend(),
                                  [](const Clause& clause) { return !clause.isRequest(); });
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
    if (equalsAny(lastWord, danglingWords)) {
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
        if (tokens[i] == consumedTokens[i] || normalize(tokens[i]) == normalize(consumedTokens[i])) {
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
