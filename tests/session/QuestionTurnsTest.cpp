// The interviewer's whole turn through the store: context before a question, a question and a
// clarification, long lead-ins, said in one breath (one final result) or with a pause after each
// sentence; turns that ask nothing; and what only sounds like a question.
#include "SpokenTurns.h"

#include <QFile>
#include <QMap>

#include <gtest/gtest.h>

#include <iostream>

using namespace corvel;
using test::SpokenTurns;
using test::WrittenTurn;

namespace {

// How one side or kind of a table fared: in one breath and with pauses, asked as the sentences
// that hold the question, and asked from where its sentence begins with what the turn says after
// it in the same breath; and how many turns were played each way.
struct Score {
    std::array<int, 2> exact{};
    std::array<int, 2> asked{};
    std::array<int, 2> count{};
    // Requests that begin or end inside a clause of the written turn.
    std::array<int, 2> fragments{};
    // Turns whose question some request holds, or that asked nothing when they ask nothing.
    std::array<int, 2> heard{};
    // Requests that begin or end where the sentence reader's guard lets no sentence do so.
    std::array<int, 2> unguarded{};
};

class QuestionTurns : public SpokenTurns {
protected:
    // Plays every turn of a table ("ask" or "stay", a kind, the turn) both ways and prints the
    // misses and the figures by kind. A question its speaker answers in the next sentence
    // ("selfanswer") is played in one breath only: said after a pause, nothing tells it from a
    // question until the answer comes. A follow-up after a statement ("statementfollowup": "So
    // the head teacher backed you. And the parents?") is played with pauses only: in one breath
    // nothing tells it from the statement going on.
    // `everyTurn` prints what each turn sent, right or not.
    QMap<QString, Score> play(const QString& path, bool everyTurn = false) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << qPrintable(path);
        QMap<QString, Score> scores;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QStringList columns = QString::fromUtf8(line).split(u'\t');
            if (columns.size() < 3 || (columns[0] != u"ask" && columns[0] != u"stay"))
                continue;
            const WrittenTurn turn(columns[2], columns[0] == u"ask");
            const bool onlyInOneBreath = columns[1] == u"selfanswer" && turn.parts.size() > 1;
            const bool onlyWithPauses = columns[1] == u"statementfollowup";
            for (const auto& [index, pause] : {std::pair{0, std::optional<double>()}, {1, 1.2}}) {
                if ((pause && onlyInOneBreath) || (!pause && onlyWithPauses))
                    continue;
                for (int i = 0; i < 8; ++i)
                    h.answers.answer({"An answer."});
                const QStringList requests = SpokenTurns::play(turn, pause);
                const bool exact = isRight(turn, requests);
                const bool asked = isAsked(turn, requests, pause.has_value());
                const auto fragments =
                    std::count_if(requests.begin(), requests.end(), [&](const QString& request) {
                        return isFragment(turn, request, pause.has_value());
                    });
                for (const QString& key : {columns[0] + u' ' + columns[1], columns[0]}) {
                    Score& score = scores[key];
                    score.exact[index] += exact ? 1 : 0;
                    score.asked[index] += asked ? 1 : 0;
                    score.count[index] += 1;
                    score.fragments[index] += int(fragments);
                    score.heard[index] += isHeard(turn, requests) ? 1 : 0;
                    score.unguarded[index] += int(std::count_if(
                        requests.begin(), requests.end(), [&](const QString& request) {
                            return !passesGuard(turn, request, pause.has_value());
                        }));
                }
                if (!exact || fragments > 0 || everyTurn)
                    std::cout << (fragments > 0 ? "fragment "
                                  : exact       ? "right "
                                  : asked       ? "inexact "
                                                : "miss ")
                              << (pause ? "paused " : "breath ")
                              << qPrintable(columns[0] + u' ' + columns[1]) << ": "
                              << qPrintable(turn.said) << " → " << qPrintable(requests.join(u" | "))
                              << "\n";
            }
        }
        for (auto it = scores.cbegin(); it != scores.cend(); ++it)
            std::cout << qPrintable(it.key()) << ": one breath " << it->exact[0] << " ("
                      << it->asked[0] << ") / " << it->count[0] << ", with pauses " << it->exact[1]
                      << " (" << it->asked[1] << ") / " << it->count[1] << ", heard "
                      << it->heard[0] << " / " << it->heard[1] << ", fragments " << it->fragments[0]
                      << " / " << it->fragments[1] << ", unguarded " << it->unguarded[0] << " / "
                      << it->unguarded[1] << "\n";
        return scores;
    }

    // At least 95 % of each side right both ways: asked from where the question's sentence
    // begins, or nothing asked.
    void expectMostRight(const QString& path) {
        const QMap<QString, Score> scores = play(path);
        for (const QString& side : {QStringLiteral("ask"), QStringLiteral("stay")}) {
            const Score& score = scores.value(side);
            for (int index : {0, 1}) {
                EXPECT_GT(score.count[index], 0) << qPrintable(side);
                EXPECT_GE(score.asked[index] * 100, score.count[index] * 95)
                    << qPrintable(side) << (index ? " with pauses" : " in one breath");
                EXPECT_EQ(score.fragments[index], 0)
                    << qPrintable(side) << (index ? " with pauses" : " in one breath");
                EXPECT_EQ(score.unguarded[index], 0)
                    << qPrintable(side) << (index ? " with pauses" : " in one breath");
            }
        }
    }
};

} // namespace

// Context before a question, a clarification after it, long lead-ins, polite and performed
// requests, said in one breath or with pauses; context, statements and thanks alone ask nothing.
TEST_F(QuestionTurns, TheInterviewersWholeTurnIsHeard) {
    expectMostRight(QStringLiteral(CORVEL_TEST_DATA "/interviewer-turns.tsv"));
}

// Quoted questions, a question word's clause as a statement, questions the speaker answers,
// thinking aloud, the generic "you" and courtesies ask nothing; questions of the same shapes do.
TEST_F(QuestionTurns, OnlyWhatAsksTheCandidateIsAsked) {
    expectMostRight(QStringLiteral(CORVEL_TEST_DATA "/what-stays-out.tsv"));
}

// A question is asked whole or not at all: without inversion, short follow-ups, trailing off on
// "or", after a lead-in that names it; compliments and reassurance ask nothing; questions and
// statements whose words a reader could divide stay whole.
TEST_F(QuestionTurns, AQuestionIsAskedWholeOrNotAtAll) {
    expectMostRight(QStringLiteral(CORVEL_TEST_DATA "/whole-or-nothing.tsv"));
}

// Scores a file of turns written apart from the rule, when CORVEL_TURNS names one, in the same
// format.
TEST_F(QuestionTurns, ScoresTurnsFromAFile) {
    const QString path = qEnvironmentVariable("CORVEL_TURNS");
    if (path.isEmpty())
        GTEST_SKIP() << "CORVEL_TURNS names no file";
    play(path, true);
}
