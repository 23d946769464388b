#include "language/EnglishPunctuation.h"

#include "language/EnglishClause.h"
#include "language/EnglishSentences.h"

namespace corvel {

namespace {

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
    return EnglishClause::read(words).isQuestion();
}

QString EnglishPunctuation::finished(const QString& words) {
    const QStringList list = lowerWords(words);
    const QList<qsizetype> starts = EnglishSentences::starts(list);
    QStringList sentences;
    for (qsizetype i = 0; i < starts.size(); ++i) {
        const QStringList sentence =
            list.mid(starts[i], i + 1 < starts.size() ? starts[i + 1] - starts[i] : -1);
        sentences.append(cased(sentence) +
                         (isQuestion(sentence) ? QLatin1Char('?') : QLatin1Char('.')));
    }
    return sentences.join(QLatin1Char(' '));
}

QString EnglishPunctuation::inProgress(const QString& words) {
    return cased(lowerWords(words));
}

} // namespace corvel
