#pragma once

#include "core/InterviewRecord.h"
#include "ui/foundation/AppEnvironment.h"

#include <QWidget>

class QVBoxLayout;

namespace corvel {

class ActionButton;
class HistoryList;

// The interview history: the list of stored sessions, one session's questions and answers,
// export and deletion. Reads the store's history and selection; keeps no copy of either.
class HistoryView final : public QWidget {
    Q_OBJECT

public:
    enum class Content { list, detail, empty };

    explicit HistoryView(AppEnvironment environment, QWidget* parent = nullptr);

    Content content() const { return m_shown; }

private:
    void refresh();
    QWidget* buildDetail(const InterviewRecord& record);
    QWidget* buildEntry(const AnswerEntry& entry, qsizetype index);
    QWidget* buildEmptyState();
    void confirmDelete(const QUuid& id);

    AppEnvironment m_environment;
    QVBoxLayout* m_column;
    ActionButton* m_back;
    // Kept while the screen lives: opening a record hides it, coming back shows it again.
    HistoryList* m_list;
    // The detail or the empty state, whichever shows instead of the list.
    QWidget* m_content = nullptr;
    Content m_shown = Content::empty;
};

} // namespace corvel
