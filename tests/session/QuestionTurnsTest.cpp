// The interviewer's whole turn through the store: context before a question, a question and a
// clarification, long lead-ins, said in one breath (one final result) or with a pause after each
// sentence; and turns that ask nothing.
#include "SpokenTurns.h"

#include <QFile>
#include <QMap>

#include <gtest/gtest.h>

#include <iostream>

using namespace corvel;
using test::SpokenTurns;
using test::WrittenTurn;

namespace {

class QuestionTurns : public SpokenTurns {};

} // namespace

// Scores a file of turns written apart from the rule, when CORVEL_TURNS names one: each line is
// "ask" or "stay", a kind and the turn, its question marked "[…]". Each turn is played in one
// breath and with 1.2 s after each sentence; a question is right asked as the sentences that
// hold it, and in brackets the count asked with more of the turn is given too.
TEST_F(QuestionTurns, ScoresTurnsFromAFile) {
    const QString path = qEnvironmentVariable("CORVEL_TURNS");
    if (path.isEmpty())
        GTEST_SKIP() << "CORVEL_TURNS names no file";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << qPrintable(path);
    // In one breath and with pauses: asked as written, asked with more of the turn; the count.
    QMap<QString, std::array<int, 5>> scores;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QStringList columns = QString::fromUtf8(line).split(u'\t');
        if (columns.size() < 3 || (columns[0] != u"ask" && columns[0] != u"stay"))
            continue;
        const WrittenTurn turn(columns[2], columns[0] == u"ask");
        auto& score = scores[columns[0] + u' ' + columns[1]];
        auto& total = scores[columns[0] + QStringLiteral(" all")];
        for (const auto& [index, pause] : {std::pair{0, std::optional<double>()}, {1, 1.2}}) {
            for (int i = 0; i < 8; ++i)
                h.answers.answer({"An answer."});
            const QStringList asked = play(turn, pause);
            const bool right = isRight(turn, asked);
            for (auto* counts : {&score, &total}) {
                (*counts)[2 * index] += right ? 1 : 0;
                (*counts)[2 * index + 1] += isAsked(turn, asked) ? 1 : 0;
            }
            if (!right)
                std::cout << "miss " << (pause ? "paused " : "breath ") << qPrintable(columns[0])
                          << ' ' << qPrintable(columns[1]) << ": " << qPrintable(turn.said) << " → "
                          << qPrintable(asked.join(u" | ")) << "\n";
        }
        score[4] += 1;
        total[4] += 1;
    }
    for (auto it = scores.cbegin(); it != scores.cend(); ++it)
        std::cout << qPrintable(it.key()) << ": one breath " << (*it)[0] << " (" << (*it)[1]
                  << "), with pauses " << (*it)[2] << " (" << (*it)[3] << ") / " << (*it)[4]
                  << "\n";
}
