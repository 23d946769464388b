#pragma once

#include "core/AnswerCue.h"

#include <QList>
#include <QString>

#include <optional>

namespace corvel {

struct AnswerCueLayout;

// An answer as it is drawn: the opening, the numbered cues, then every reminder after them, and a
// placeholder while nothing readable has arrived. Rows keep the layout's cue ids, so a view can
// update the row it already shows for a cue.
struct AnswerCueRows {
    struct Numbered {
        int id = 0;
        QString number;
        // Index into the caller's accents; none when it has none.
        std::optional<qsizetype> accent;
        QString title;
        QString text;
        bool operator==(const Numbered&) const = default;
    };

    QString opening;
    QList<Numbered> numbered;
    QList<AnswerCue> reminders;
    bool placeholder = false;

    AnswerCueRows(const QString& text, bool isStreaming, qsizetype accentCount);
    AnswerCueRows(const AnswerCueLayout& layout, bool isStreaming, qsizetype accentCount);

    // Nothing at all is drawn.
    bool isEmpty() const {
        return opening.isEmpty() && numbered.isEmpty() && reminders.isEmpty() && !placeholder;
    }
    bool operator==(const AnswerCueRows&) const = default;
};

} // namespace corvel
