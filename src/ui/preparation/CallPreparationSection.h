#pragma once

#include "core/PreparationStep.h"

#include <QWidget>

#include <functional>

class QAbstractButton;
class QLabel;
class QVBoxLayout;

namespace corvel {

class AccessibilityPreferences;
class AppStore;
class InterviewLanguageChoiceView;
class PlainLabel;
class SpacedLabel;
class TextArea;

class DisclosureGroup;

// The call step: the spoken language, optional notes, a summary of the two earlier steps with
// Edit or Add, and what happens when the session starts.
class CallPreparationSection final : public QWidget {
    Q_OBJECT

public:
    CallPreparationSection(AppStore& store, std::function<void(PreparationStep)> onEdit,
                           bool compact, const AccessibilityPreferences* preferences = nullptr,
                           QWidget* parent = nullptr);

    // Spacing 16 between the parts when compact, else 24.
    void setCompact(bool compact);
    bool showNotes() const;
    TextArea* notesField() const { return m_notes; }
    QAbstractButton* editButton(PreparationStep step) const;
    QString summaryValue(PreparationStep step) const;
    QString closingHint() const;

private:
    struct SummaryRow {
        QWidget* glyphFrame;
        SpacedLabel* value;
        QAbstractButton* edit;
        QString title;
    };
    SummaryRow addSummaryRow(QVBoxLayout* rows, PreparationStep step, const QString& title);
    void refresh();

    AppStore& m_store;
    QVBoxLayout* m_column;
    InterviewLanguageChoiceView* m_language;
    SpacedLabel* m_sessionNote;
    TextArea* m_notes;
    DisclosureGroup* m_notesGroup;
    SummaryRow m_role;
    SummaryRow m_resume;
    QWidget* m_hintRow;
    SpacedLabel* m_hint;
    SpacedLabel* m_sessionHint;
};

} // namespace corvel
