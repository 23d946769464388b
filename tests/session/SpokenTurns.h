#pragma once

#include "SessionSegments.h"

#include "language/EnglishPunctuation.h"
#include "language/TextFolding.h"

#include <QRegularExpression>

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

    // Whether the question is asked once from where its sentence begins, whole, with what the
    // turn says after it in the same breath ("…on a typical shift just roughly?").
    static bool isAsked(const WrittenTurn& turn, const QStringList& requests) {
        if (turn.asked.isEmpty())
            return requests.isEmpty();
        const QString request = foldedWords(requests.value(0)).join(u' ') + u' ';
        return requests.size() == 1 &&
               request.startsWith(foldedWords(turn.asked).join(u' ') + u' ');
    }
};

} // namespace corvel::test
