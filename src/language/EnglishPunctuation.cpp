#include "language/EnglishPunctuation.h"

#include "language/EnglishClause.h"

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
    if (list.isEmpty())
        return {};
    return cased(list) + (isQuestion(list) ? QLatin1Char('?') : QLatin1Char('.'));
}

QString EnglishPunctuation::inProgress(const QString& words) {
    return cased(lowerWords(words));
}

} // namespace corvel
