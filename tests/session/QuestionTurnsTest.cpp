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
// breath and with 1.2 s after each sentence.
TEST_F(QuestionTurns, ScoresTurnsFromAFile) {
    const QString path = qEnvironmentVariable("CORVEL_TURNS");
    if (path.isEmpty())
        GTEST_SKIP() << "CORVEL_TURNS names no file";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << qPrintable(path);
    QMap<QString, std::array<int, 3>> scores; // one breath right, with pauses right, count
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
            score[index] += right ? 1 : 0;
            total[index] += right ? 1 : 0;
            if (!right)
                std::cout << "miss " << (pause ? "paused " : "breath ") << qPrintable(columns[0])
                          << ' ' << qPrintable(columns[1]) << ": " << qPrintable(turn.said)
                          << " → " << qPrintable(asked.join(u" | ")) << "\n";
        }
        score[2] += 1;
        total[2] += 1;
    }
    for (auto it = scores.cbegin(); it != scores.cend(); ++it)
        std::cout << qPrintable(it.key()) << ": one breath " << (*it)[0] << ", with pauses "
                  << (*it)[1] << " / " << (*it)[2] << "\n";
}
