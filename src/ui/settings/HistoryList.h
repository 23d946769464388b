#pragma once

#include "core/InterviewRecord.h"

#include <QPointer>
#include <QUuid>
#include <QWidget>

#include <vector>

class QScrollArea;

namespace corvel {

class AppStore;
class HistoryRecordButton;
class LinkButton;

// The list of past interviews. It is as tall as all its rows, but rows exist only for the
// records inside the scroll area's view and are reused as it scrolls, so a thousand records cost
// what ten do. Clicking a row opens its record; its trash asks for deleteRequested.
class HistoryList final : public QWidget {
    Q_OBJECT

public:
    explicit HistoryList(AppStore& store, QWidget* parent = nullptr);

    // Reads the store's history again, keeping the rows; call it whenever the history changed.
    void refresh();
    bool isEmpty() const { return m_records.empty(); }

    QSize sizeHint() const override;

Q_SIGNALS:
    void deleteRequested(const QUuid& id);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        QWidget* card;
        HistoryRecordButton* open;
        LinkButton* remove;
        size_t index = 0;
    };

    Row makeRow();
    const Row* rowOf(const QWidget* card) const;
    void bind(Row& row, size_t index);
    void layoutRows();
    void watchScrollArea();
    int rowHeight();

    AppStore& m_store;
    // Into the store's history, renewed by refresh whenever it changes.
    std::vector<const InterviewRecord*> m_records;
    std::vector<Row> m_rows;
    bool m_rowsStale = true; // the records changed since the rows were bound
    int m_rowHeight = 0;
    QPointer<QScrollArea> m_scrollArea;
};

} // namespace corvel
