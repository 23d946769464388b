#include "platform/EnglishPunctuation.h"

#include <QSet>

#include <algorithm>
#include <initializer_list>

namespace corvel {

namespace {

using Words = QSet<QString>;

Words wordSet(std::initializer_list<const char*> words) {
    Words set;
    for (const char* word : words)
        set.insert(QString::fromLatin1(word));
    return set;
}

// Spoken lead-ins before the clause that carries the question ("okay so could you…").
const QList<QStringList>& leadIns() {
    static const QList<QStringList> phrases = [] {
        QList<QStringList> list;
        for (const char* phrase : {"so",
                                   "and",
                                   "okay",
                                   "ok",
                                   "well",
                                   "now",
                                   "great",
                                   "alright",
                                   "all right",
                                   "right",
                                   "thanks",
                                   "thank you",
                                   "then",
                                   "also",
                                   "but",
                                   "oh",
                                   "um",
                                   "uh",
                                   "yeah",
                                   "yes",
                                   "good",
                                   "cool",
                                   "perfect",
                                   "sure",
                                   "first",
                                   "next",
                                   "lastly",
                                   "finally",
                                   "to start",
                                   "to begin",
                                   "moving on",
                                   "next question",
                                   "my next question is",
                                   "my question is",
                                   "interesting",
                                   "excellent",
                                   "wonderful",
                                   "fine",
                                   "hi",
                                   "hello",
                                   "hey",
                                   "and then"})
            list.append(QString::fromLatin1(phrase).split(QLatin1Char(' ')));
        return list;
    }();
    return phrases;
}

// Auxiliaries that open a yes-no question before a subject of any kind ("is the salary okay").
const Words& auxiliaries() {
    static const Words set = wordSet(
        {"is",     "are",     "was",   "were",     "am",       "can",   "could",    "would",
         "will",   "should",  "shall", "may",      "might",    "must",  "isn't",    "aren't",
         "wasn't", "weren't", "can't", "couldn't", "wouldn't", "won't", "shouldn't"});
    return set;
}

// These also start statements and requests ("have a seat", "do your best"): they need a
// pronoun after them.
const Words& doAndHave() {
    static const Words set = wordSet({"do", "does", "did", "have", "has", "had", "don't", "doesn't",
                                      "didn't", "haven't", "hasn't", "hadn't"});
    return set;
}

const Words& pronouns() {
    static const Words set =
        wordSet({"you", "we", "i", "they", "he", "she", "it", "there", "anyone", "anybody",
                 "everyone", "everybody", "someone", "somebody", "anything", "something"});
    return set;
}

const Words& subjects() {
    static const Words set = [] {
        Words set = pronouns();
        set.unite(wordSet({"that", "this", "these", "those", "your", "our", "my", "his", "her",
                           "their", "the", "a", "an", "any", "everything", "people", "one"}));
        return set;
    }();
    return set;
}

const Words& questionWords() {
    static const Words set =
        wordSet({"what", "why", "how", "when", "where", "who", "whom", "whose", "which"});
    return set;
}

// After a question word these start a relative clause, not a question ("what i did was…").
const Words& clauseSubjects() {
    static const Words set = wordSet({"i", "we", "they", "he", "she", "you", "a", "an"});
    return set;
}

// Verbs of a listener's reply ("that makes sense", "that sounds fair"): after "what", which is
// often "that" misheard, they make a question only when it is put to the listener.
const Words& replyVerbs() {
    static const Words set = wordSet(
        {"makes", "sounds", "seems", "means", "works", "helps", "looks", "feels", "matters"});
    return set;
}

const Words& listenerWords() {
    static const Words set =
        wordSet({"you", "your", "yours", "yourself", "you're", "you've", "you'd", "you'll"});
    return set;
}

// Inverted pairs that make a question wherever they stand ("so tell me what do you think").
const Words& invertedPairs() {
    static const Words set =
        wordSet({"could you", "can you",   "would you", "will you",   "do you", "did you",
                 "have you",  "are you",   "were you",  "should you", "do we",  "can we",
                 "could we",  "shall we",  "should we", "did we",     "are we", "is there",
                 "are there", "was there", "were there"});
    return set;
}

const Words& negativeTags() {
    static const Words set = wordSet(
        {"isn't it",    "isn't that",   "wasn't it",    "doesn't it",  "didn't it",   "won't it",
         "hasn't it",   "aren't you",   "don't you",    "didn't you",  "won't you",   "haven't you",
         "can't you",   "couldn't you", "wouldn't you", "weren't you", "aren't they", "don't they",
         "didn't they", "aren't we",    "don't we",     "didn't we"});
    return set;
}

const Words& sentenceTags() {
    static const Words set = wordSet(
        {"is that right", "is that correct", "is that true", "does that make sense", "or not"});
    return set;
}

// "right" closes a tag question unless it completes a statement ("that sounds right").
const Words& notBeforeTagRight() {
    static const Words set =
        wordSet({"that's", "is",      "was",   "you're", "we're",      "they're", "it's",  "i'm",
                 "all",    "exactly", "quite", "turn",   "the",        "your",    "my",    "our",
                 "to",     "left",    "be",    "feels",  "sounds",     "seems",   "looks", "get",
                 "got",    "do",      "did",   "just",   "absolutely", "alright", "me"});
    return set;
}

QString pair(const QStringList& words, qsizetype at) {
    return words[at] + QLatin1Char(' ') + words[at + 1];
}

qsizetype clauseStart(const QStringList& words) {
    qsizetype start = 0;
    for (bool skipped = true; skipped;) {
        skipped = false;
        for (const auto& phrase : leadIns()) {
            if (start + phrase.size() < words.size() &&
                std::equal(phrase.begin(), phrase.end(), words.begin() + start)) {
                start += phrase.size();
                skipped = true;
                break;
            }
        }
    }
    return start;
}

bool opensAt(const QStringList& words, qsizetype start) {
    const QString& first = words[start];
    const QString next = start + 1 < words.size() ? words[start + 1] : QString();
    if (questionWords().contains(first)) {
        if (first == QStringLiteral("what") && replyVerbs().contains(next))
            return std::any_of(words.begin() + start + 2, words.end(),
                               [](const QString& word) { return listenerWords().contains(word); });
        return !clauseSubjects().contains(next);
    }
    if (auxiliaries().contains(first))
        return subjects().contains(next);
    if (doAndHave().contains(first))
        return pronouns().contains(next);
    return false;
}

bool endsWithTag(const QStringList& words) {
    const qsizetype n = words.size();
    if (n >= 3 && words[n - 1] == QStringLiteral("right"))
        return !notBeforeTagRight().contains(words[n - 2]);
    if (n >= 3 && negativeTags().contains(pair(words, n - 2)))
        return true;
    for (qsizetype length = 2; length <= 4 && length < n; ++length) {
        if (sentenceTags().contains(words.mid(n - length).join(QLatin1Char(' '))))
            return true;
    }
    return false;
}

QStringList lowerWords(const QString& text) {
    return text.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString cased(QStringList words) {
    for (auto& word : words) {
        if (word == QStringLiteral("i") || word.startsWith(QStringLiteral("i'")))
            word[0] = u'I';
    }
    QString text = words.join(QLatin1Char(' '));
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

} // namespace

bool EnglishPunctuation::isQuestion(const QStringList& words) {
    if (words.isEmpty())
        return false;
    const qsizetype start = clauseStart(words);
    if (opensAt(words, start) || endsWithTag(words))
        return true;
    // An inverted pair needs its verb after it: at the very end "is there" is a place ("the
    // office is there") and "do you" more often a misheard word than a question.
    for (qsizetype i = start + 1; i + 2 < words.size(); ++i) {
        if (invertedPairs().contains(pair(words, i)))
            return true;
    }
    return false;
}

bool EnglishPunctuation::opensQuestion(const QStringList& words) {
    return !words.isEmpty() && opensAt(words, clauseStart(words));
}

QString EnglishPunctuation::finished(const QString& words) {
    const QStringList list = lowerWords(words);
    if (list.isEmpty())
        return {};
    return cased(list) + (isQuestion(list) ? QLatin1Char('?') : QLatin1Char('.'));
}

QString EnglishPunctuation::inProgress(const QString& words) {
    return cased(lowerWords(words));
}

} // namespace corvel
