#pragma once

#include "core/AnswerCue.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace corvel {

// An answer text, complete or still streaming, laid out as an opening and talking-point cues.
// Built from scratch from the whole text on every call; nothing carries over.
struct AnswerCueLayout {
    static inline const QStringList starTitles = {
        QStringLiteral("SITUATION"), QStringLiteral("TASK"),   QStringLiteral("OBJECTIF"),
        QStringLiteral("ACTION"),    QStringLiteral("RESULT"), QStringLiteral("RÉSULTAT"),
        QStringLiteral("RESULTAT")};

    // Everything before the first heading, trimmed; may be empty.
    QString intro;
    QList<AnswerCue> cues;

    // While `isStreaming`, whatever on the last line may still turn into a heading is left out,
    // and a last heading without a body yet is not shown.
    AnswerCueLayout(const QString& text, bool isStreaming);

    // There is something to say: a finished sentence in the opening, or a cue with text that is
    // not a reminder.
    bool hasSpeakableCue() const;

    bool operator==(const AnswerCueLayout&) const = default;
};

} // namespace corvel
