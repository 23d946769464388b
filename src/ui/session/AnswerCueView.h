#pragma once

#include "core/AnswerCueLayout.h"
#include "ui/session/AnswerCueRows.h"

#include <QColor>
#include <QList>
#include <QWidget>

#include <map>

class QVBoxLayout;

namespace corvel {

class PlainLabel;

// Draws an answer, streaming or finished: "Start here" and the opening, numbered cue rows with
// badges in the accent colours, reminder cards, and a placeholder while nothing readable has
// arrived. Each new text updates the rows it already shows in place, keyed by cue id, so a
// selection the user made survives later deltas and nothing is rebuilt per delta.
class AnswerCueView : public QWidget {
    Q_OBJECT

public:
    AnswerCueView(const QString& text, bool inverse, bool compact, bool isStreaming,
                  QList<QColor> accents, QWidget* parent = nullptr);
    ~AnswerCueView() override;

    void setAnswer(const QString& text, bool isStreaming);
    void setCompact(bool compact);

    const QString& text() const { return m_text; }
    bool isStreaming() const { return m_isStreaming; }
    bool isCompact() const { return m_compact; }
    bool isInverse() const { return m_inverse; }
    const AnswerCueRows& rows() const { return m_rows; }

    // The widgets shown for the opening, a cue, a reminder and the placeholder; null when that
    // part is not shown.
    QWidget* openingBlock() const;
    QWidget* cueRow(int id) const;
    QWidget* reminderCard(int id) const;
    QWidget* placeholder() const;

private:
    class OpeningBlock;
    class CueRow;
    class ReminderCard;

    void apply();
    void arrange();
    QColor accent(const AnswerCueRows::Numbered& row) const;

    QString m_text;
    bool m_inverse;
    bool m_compact;
    bool m_isStreaming;
    QList<QColor> m_accents;
    // Keeps what the answer's earlier deltas laid out, so a delta parses only what is new.
    AnswerCueLayout::Stream m_cueLayout;
    AnswerCueRows m_rows;

    QVBoxLayout* m_layout;
    OpeningBlock* m_opening;
    PlainLabel* m_placeholder;
    std::map<int, CueRow*> m_cueRows;
    std::map<int, ReminderCard*> m_reminderCards;
};

} // namespace corvel
