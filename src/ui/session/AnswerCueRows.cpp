#include "ui/session/AnswerCueRows.h"

#include "core/AnswerCueLayout.h"

namespace corvel {

AnswerCueRows::AnswerCueRows(const QString& text, bool isStreaming, qsizetype accentCount)
    : AnswerCueRows(AnswerCueLayout(text, isStreaming), isStreaming, accentCount) {}

AnswerCueRows::AnswerCueRows(const AnswerCueLayout& layout, bool isStreaming,
                             qsizetype accentCount) {
    opening = layout.intro;
    for (const AnswerCue& cue : layout.cues) {
        if (cue.isReminder) {
            reminders.append(cue);
            continue;
        }
        const qsizetype position = numbered.size();
        Numbered row;
        row.id = cue.id;
        row.number = QStringLiteral("%1").arg(position + 1, 2, 10, QChar(u'0'));
        if (accentCount > 0)
            row.accent = position % accentCount;
        row.title = cue.title;
        row.text = cue.text;
        numbered.append(std::move(row));
    }
    placeholder = isStreaming && layout.cues.isEmpty() && opening.isEmpty();
}

} // namespace corvel
