#pragma once

#include "core/AnswerCue.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace corvel {

// An answer text, complete or still streaming, laid out as an opening and talking-point cues.
struct AnswerCueLayout {
private:
    struct Parser;

public:
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

    // Lays out an answer as it streams in: the lines whose part of the layout can no longer
    // change are read once and kept, so a delta costs the same at the end of a long answer as at
    // its start. Any other text starts over.
    class Stream {
    public:
        Stream();
        ~Stream();
        // Exactly AnswerCueLayout(text, isStreaming).
        AnswerCueLayout layout(const QString& text, bool isStreaming);

    private:
        std::unique_ptr<Parser> m_parser;
        QString m_text;
        qsizetype m_read = 0;
    };

private:
    AnswerCueLayout() = default;
};

} // namespace corvel
