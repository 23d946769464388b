// Scores utterances as the detector meets them live: each line of a file is "ask" or "stay", a
// kind and a written sentence; the sentence goes to the detector as the recogniser delivers it
// (lower-case words, punctuated by the application's finisher, final). Prints the right share by
// kind and, with -v, every miss.
#include "language/TextFolding.h"
#include "listening/TranscriptQuestionTracker.h"
#include "language/EnglishPunctuation.h"

#include <QFile>
#include <QMap>
#include <QTextStream>

#include <cstdio>
#include <cstring>

using namespace corvel;

int main(int argc, char** argv) {
    const bool verbose = argc > 2 && std::strcmp(argv[1], "-v") == 0;
    if (argc < 2 || (argc > 2 && !verbose)) {
        std::fprintf(stderr, "usage: corvel-question-set [-v] FILE.tsv\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[argc - 1]));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", argv[argc - 1]);
        return 1;
    }
    struct Score {
        int right = 0;
        int count = 0;
    };
    QMap<QString, Score> byKind;
    QMap<QString, Score> bySide;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList columns = in.readLine().split(u'\t');
        if (columns.size() < 3 || (columns[0] != u"ask" && columns[0] != u"stay"))
            continue;
        const bool ask = columns[0] == u"ask";
        // The recogniser spells a hyphenated word as two.
        const QString heard = EnglishPunctuation::finished(
            spokenWords(QString(columns[2]).replace(u'-', u' ')).join(u' '));
        const auto question = TranscriptQuestionTracker::question(heard, true);
        const bool right = question.has_value() == ask;
        for (auto* score : {&byKind[columns[0] + u' ' + columns[1]], &bySide[columns[0]]}) {
            score->count += 1;
            score->right += right ? 1 : 0;
        }
        if (verbose && !right)
            std::printf("miss %s %s: %s -> %s\n", qPrintable(columns[0]), qPrintable(columns[1]),
                        qPrintable(heard), qPrintable(question.value_or(QStringLiteral("-"))));
    }
    for (const auto* scores : {&byKind, &bySide}) {
        for (auto it = scores->cbegin(); it != scores->cend(); ++it)
            std::printf("%-20s %4d / %4d\n", qPrintable(it.key()), it->right, it->count);
    }
    return 0;
}
