#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace corvel {

// The words of a text compared without case or accents, as French text needs: lower case, every
// diacritic removed (composed or decomposed), split at each character that is not a letter, mark
// or digit. "Qu’est-ce que" gives qu, est, ce, que.
QStringList foldedWords(QStringView text);

// Those words joined by single spaces. `wordEnds`, when given, receives for each word the offset
// in `text` just past its last character.
QString foldedText(QStringView text, QList<qsizetype>* wordEnds = nullptr);

// Lower-case words with their apostrophes ("isn't") and without the punctuation around them, as
// the recogniser spells them.
QStringList spokenWords(QStringView text);

// Whether `text` holds at least `count` user-perceived characters (grapheme clusters), so that an
// accent sent as a separate combining mark does not count twice.
bool hasAtLeastCharacters(QStringView text, qsizetype count);

} // namespace corvel
