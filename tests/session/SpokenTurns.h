#pragma once

#include "SessionSegments.h"

#include "language/EnglishPunctuation.h"
#include "language/EnglishSentences.h"
#include "language/QuestionContinuation.h"
#include "language/TextFolding.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace corvel::test {

// An interviewer's whole turn, written with its punctuation; "[…]" marks the question, asked as
// the sentences that hold it (the whole turn when it asks and nothing is marked), and " | " a
// short pause inside a sentence.
struct WrittenTurn {
    QString said;  // without the marks
    QString asked; // the sentences that hold the marked part, or empty when nothing is asked
    // What is said between pauses: each sentence, split at " | "; whether the pause after it is
    // inside a sentence.
    QList<std::pair<QString, bool>> parts;
    // Each folded word as written, and whether a mark (. , ? ! ; : or a dash) or a pause follows
    // it: where the writer let a clause end.
    struct Word {
        QString text;
        bool mark = false;
        bool pause = false;
    };
    QList<Word> words;
    // The marked part's words, [first, second); empty when nothing is marked.
    std::pair<qsizetype, qsizetype> question{0, 0};

    WrittenTurn(const QString& written, bool asks) {
        QString text = written;
        const qsizetype open = text.indexOf(u'[');
        const qsizetype close = text.indexOf(u']');
        text.remove(u'[').remove(u']');
        if (open >= 0 && close > open) {
            // Asked as the sentences that hold it, with a lead-in before it in its sentence.
            static const QRegularExpression sentenceEnd(QStringLiteral("[.?!]\\s"));
            const qsizetype start = text.lastIndexOf(sentenceEnd, open) + 1;
            const qsizetype end = text.indexOf(sentenceEnd, close - 2);
            asked = text.mid(start, end < 0 ? -1 : end + 1 - start).remove(u'|').simplified();
        }
        // "Would you prefer mornings or": trailing off, asked without the "or"
        if (asked.endsWith(u" or"_s) && text.trimmed().endsWith(u" or"_s))
            asked.chop(3);
        for (QString token : written.split(u' ', Qt::SkipEmptyParts)) {
            if (token == u"|"_s) {
                if (!words.isEmpty())
                    words.last().pause = true;
                continue;
            }
            static const QRegularExpression mark(
                QStringLiteral("[.,?!;:\u2014\u2026-][\\]\"')\u2019\u201d]*$"));
            const bool marked = token.contains(mark);
            if (token.contains(u'['))
                question.first = words.size();
            for (const QString& word : foldedWords(token.replace(u'-', u' ')))
                words.append({word});
            if (token.contains(u']'))
                question.second = words.size();
            if (!words.isEmpty() && marked)
                words.last().mark = true;
        }
        static const QRegularExpression pause(QStringLiteral("(?<=[.?!])\\s+|\\s*\\|\\s*"));
        qsizetype start = 0;
        for (auto it = pause.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            parts.append({text.mid(start, match.capturedStart() - start).trimmed(),
                          match.captured().contains(u'|')});
            start = match.capturedEnd();
        }
        parts.append({text.mid(start).trimmed(), false});
        said = text.remove(u'|').simplified();
        if (asks && asked.isEmpty())
            asked = said;
    }
};

// Plays turns into the store as the recogniser delivers speech: each result grows word by word
// as partial results, then comes final, lower case and punctuated by the application's finisher.
class SpokenTurns : public SessionSegments {
protected:
    // What the recogniser hears of written words: lower case, no punctuation.
    static QString spoken(const QString& text) {
        return spokenWords(QString(text).replace(u'-', u' ')).join(u' ');
    }

    // The recogniser gives a final result once it has heard this long a pause.
    static constexpr double endOfSpeech = 0.4;

    // One result: its words as partial results over about 0.3 s each, then the final one once
    // the recogniser has heard the pause after them.
    void speak(const QString& text) {
        const QStringList words = spoken(text).split(u' ', Qt::SkipEmptyParts);
        for (qsizetype i = 1; i <= words.size(); ++i) {
            advance(0.3, true);
            say(EnglishPunctuation::inProgress(words.first(i).join(u' ')), false);
        }
        advance(endOfSpeech, false);
        say(EnglishPunctuation::finished(words.join(u' ')), true);
    }

    // The turn in one breath, one result; or with `pause` seconds of silence after each
    // sentence (0.6 s inside one).
    QStringList play(const WrittenTurn& turn, std::optional<double> pause) {
        const qsizetype before = h.askedQuestions().size();
        if (!pause) {
            speak(turn.said);
        } else {
            for (const auto& [part, inner] : turn.parts) {
                speak(part);
                advance((inner ? 0.6 : *pause) - endOfSpeech, false);
            }
        }
        advance(3, false);
        h.clock.advance(12); // past the repeat rule for the next turn
        return h.askedQuestions().mid(before);
    }

    // Whether `requests` are what the turn asks: its marked part once, whole and only itself,
    // or nothing.
    static bool isRight(const WrittenTurn& turn, const QStringList& requests) {
        if (turn.asked.isEmpty())
            return requests.isEmpty();
        return requests.size() == 1 && foldedWords(requests.first()) == foldedWords(turn.asked);
    }

    // Whether `request` begins or ends inside a clause of the written turn: it begins after a
    // mark, past discourse words only, and ends before one or, said with pauses, at a pause. Not
    // found in the turn's words, it is a fragment too.
    static bool isFragment(const WrittenTurn& turn, const QString& request, bool paused) {
        // Discourse words, and the asides a speaker opens a sentence with ("I mean, are you…")
        static const QList<QStringList> discourse = [] {
            QList<QStringList> phrases;
            for (const char* phrase :
                 {"so",       "and",     "but",          "or",        "okay",     "ok",
                  "um",       "uh",      "er",           "erm",       "ah",       "oh",
                  "well",     "right",   "now",          "then",      "alright",  "yeah",
                  "yes",      "hmm",     "mm",           "mhm",       "also",     "anyway",
                  "actually", "great",   "cool",         "basically", "you know", "i mean",
                  "i guess",  "i think", "i don t know", "in general"})
                phrases.append(QString::fromLatin1(phrase).split(u' '));
            return phrases;
        }();
        const QStringList asked = foldedWords(request);
        const auto& words = turn.words;
        const auto ignorable = [&](qsizetype from, qsizetype to) {
            for (qsizetype i = from; i < to;) {
                const auto phrase =
                    std::find_if(discourse.begin(), discourse.end(), [&](const QStringList& p) {
                        if (i + p.size() > to)
                            return false;
                        for (qsizetype k = 0; k < p.size(); ++k) {
                            if (words[i + k].text != p[k])
                                return false;
                        }
                        return true;
                    });
                if (phrase == discourse.end())
                    return false;
                i += phrase->size();
            }
            return true;
        };
        const auto mayBegin = [&](qsizetype at) {
            for (qsizetype b = at; b >= 0; --b) {
                if ((b == 0 || words[b - 1].mark) && ignorable(b, at))
                    return true;
            }
            return false;
        };
        const auto mayEnd = [&](qsizetype at) {
            if (at == words.size() || words[at - 1].mark || (paused && words[at - 1].pause))
                return true;
            for (qsizetype e = at; e < words.size(); ++e) {
                if (!ignorable(e, e + 1))
                    return false;
                if (words[e].mark)
                    return true;
            }
            return true;
        };
        for (qsizetype at = 0; !asked.isEmpty() && at + asked.size() <= words.size(); ++at) {
            bool same = true;
            for (qsizetype i = 0; same && i < asked.size(); ++i)
                same = words[at + i].text == asked[i];
            if (same && mayBegin(at) && mayEnd(at + asked.size()))
                return false;
        }
        return true;
    }

    // Whether `request` begins where the sentence reader lets a sentence begin in the words as
    // the recogniser hears them, and, said in one breath, ends where it lets one end: the guard
    // every division passes, whatever rule made it. Said with pauses, each written sentence is
    // a result of its own, and the request is judged within its sentence.
    static bool passesGuard(const WrittenTurn& turn, const QString& request, bool paused) {
        static const QRegularExpression sentenceEnd(QStringLiteral("(?<=[.?!])\\s+"));
        const QStringList asked = spokenWords(request);
        for (const QString& said : paused ? turn.said.split(sentenceEnd) : QStringList{turn.said}) {
            const QStringList words = spokenWords(said);
            for (qsizetype at = 0; !asked.isEmpty() && at + asked.size() <= words.size(); ++at) {
                if (words.mid(at, asked.size()) == asked)
                    return EnglishSentences::mayDivide(words, at) &&
                           (paused || EnglishSentences::mayDivide(words, at + asked.size()));
            }
        }
        return true; // not said as such: the fragment count tells
    }

    // Whether a request holds words of the marked question (of the whole turn when nothing is
    // marked): the question was heard, whole or not; for a turn that asks nothing, whether
    // nothing was asked.
    static bool isHeard(const WrittenTurn& turn, const QStringList& requests) {
        if (turn.asked.isEmpty())
            return requests.isEmpty();
        const auto [first, second] = turn.question.second > turn.question.first
                                         ? turn.question
                                         : std::pair{qsizetype(0), turn.words.size()};
        for (const QString& request : requests) {
            const QStringList asked = foldedWords(request);
            for (qsizetype at = 0; !asked.isEmpty() && at + asked.size() <= turn.words.size();
                 ++at) {
                bool same = true;
                for (qsizetype i = 0; same && i < asked.size(); ++i)
                    same = turn.words[at + i].text == asked[i];
                if (same && at < second && at + asked.size() > first)
                    return true;
            }
        }
        return false;
    }

    // Whether the question is asked once from where its sentence begins, whole, with what the
    // turn says after it in the same breath ("…on a typical shift just roughly?").
    // Said with a pause inside its sentence, a question whole before the pause may be asked
    // alone, what follows kept out ("Why did you leave? … your last job").
    static bool isAsked(const WrittenTurn& turn, const QStringList& requests, bool paused) {
        if (turn.asked.isEmpty())
            return requests.isEmpty();
        if (requests.size() != 1)
            return false;
        const QStringList asked = foldedWords(turn.asked);
        const QStringList request = foldedWords(requests.first());
        if ((request.join(u' ') + u' ').startsWith(asked.join(u' ') + u' '))
            return true;
        // The question without the clause of context that its sentence opens with: "(You said
        // you've done a lot of tiling,) do you do wet rooms as well?"
        static const QRegularExpression context(
            QStringLiteral("^(?:i|you|we|they|he|she|it)\\b[^,?]*, (.*)$"),
            QRegularExpression::CaseInsensitiveOption);
        if (const auto match = context.match(turn.asked);
            match.hasMatch() && (request.join(u' ') + u' ')
                                    .startsWith(foldedWords(match.captured(1)).join(u' ') + u' '))
            return true;
        if (!paused || request.isEmpty() || request.size() >= asked.size() ||
            asked.mid(0, request.size()) != request ||
            QuestionContinuation::mayGoOn(requests.first()))
            return false;
        for (qsizetype at = 0; at + asked.size() <= turn.words.size(); ++at) {
            bool same = true;
            for (qsizetype i = 0; same && i < asked.size(); ++i)
                same = turn.words[at + i].text == asked[i];
            if (same)
                return turn.words[at + request.size() - 1].pause;
        }
        return false;
    }
};

} // namespace corvel::test
