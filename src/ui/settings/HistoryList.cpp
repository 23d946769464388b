#include "ui/settings/HistoryList.h"

#include "session/AppStore.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/Surface.h"
#include "ui/settings/HistoryRecordButton.h"
#include "ui/settings/HistoryText.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace corvel {

namespace {
constexpr int rowSpacing = 12;
} // namespace

HistoryList::HistoryList(AppStore& store, QWidget* parent) : QWidget(parent), m_store(store) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    refresh();
}

void HistoryList::refresh() {
    m_records = history::listedRecords(m_store.history());
    m_rowsStale = true;
    const int count = int(m_records.size());
    setFixedHeight(count == 0 ? 0 : count * rowHeight() + (count - 1) * rowSpacing);
    layoutRows();
}

QSize HistoryList::sizeHint() const {
    const int width = m_rows.empty() ? 0 : m_rows.front().card->sizeHint().width();
    return {width, height()};
}

int HistoryList::rowHeight() {
    // Every row has the same height: the same fonts, one line each.
    if (m_rowHeight == 0) {
        if (m_rows.empty())
            m_rows.push_back(makeRow());
        m_rowHeight = m_rows.front().card->sizeHint().height();
    }
    return m_rowHeight;
}

HistoryList::Row HistoryList::makeRow() {
    auto* inner = new QWidget;
    auto* line = new QHBoxLayout(inner);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(16);
    auto* open = new HistoryRecordButton(QString(), QString(), QString(), inner);
    auto* remove = new LinkButton(QString(), QStringLiteral("trash"), appFont(14, QFont::Normal),
                                  Palette::secondary(), inner);
    remove->setSymbolSize(14);
    remove->setPadding(QMargins(10, 10, 10, 10));
    line->addWidget(open, 1);
    line->addWidget(remove);
    auto* card = new Surface(inner, 24, this);
    card->hide();
    connect(open, &QAbstractButton::clicked, this, [this, card] {
        if (const Row* row = rowOf(card))
            m_store.setSelectedRecord(*m_records.at(row->index));
    });
    connect(remove, &QAbstractButton::clicked, this, [this, card] {
        if (const Row* row = rowOf(card))
            Q_EMIT deleteRequested(m_records.at(row->index)->id);
    });
    return {card, open, remove};
}

const HistoryList::Row* HistoryList::rowOf(const QWidget* card) const {
    const auto found = std::find_if(m_rows.begin(), m_rows.end(),
                                    [&](const Row& row) { return row.card == card; });
    return found == m_rows.end() ? nullptr : &*found;
}

void HistoryList::bind(Row& row, size_t index) {
    const InterviewRecord& record = *m_records[index];
    const QString title = history::recordTitle(record);
    row.open->setTexts(title, history::dateText(record), history::questionCountText(record));
    row.remove->setAccessibleName(QStringLiteral("Delete interview ") + title);
    row.index = index;
}

void HistoryList::layoutRows() {
    if (!isVisible())
        return;
    watchScrollArea();
    QRect view = rect();
    if (m_scrollArea) {
        const QWidget* viewport = m_scrollArea->viewport();
        view &= QRect(mapFrom(viewport, QPoint(0, 0)), viewport->size());
    }
    // One row more on each side of the view, so Tab and Shift+Tab reach a row that the scroll
    // area then brings into view.
    const int step = rowHeight() + rowSpacing;
    size_t first = 0;
    size_t end = 0;
    if (!view.isEmpty() && !m_records.empty()) {
        first = size_t(std::max(0, view.top() / step - 1));
        end = std::min(m_records.size(), size_t(view.bottom() / step + 2));
    }

    // A row keeps its record while that stays in range, so the focus stays on the same record;
    // the others are reused for the records coming into view.
    std::vector<Row> kept;
    std::vector<Row> spare;
    for (Row& row : m_rows)
        (row.index >= first && row.index < end ? kept : spare).push_back(row);
    std::vector<Row> rows;
    for (size_t index = first; index < end; ++index) {
        const auto found = std::find_if(kept.begin(), kept.end(),
                                        [&](const Row& row) { return row.index == index; });
        Row row = found != kept.end() ? *found : spare.empty() ? makeRow() : spare.back();
        if (found == kept.end() && !spare.empty())
            spare.pop_back();
        // Scrolling leaves a kept row's texts as they are; a new history rebinds every row.
        if (found == kept.end() || m_rowsStale)
            bind(row, index);
        row.card->setGeometry(0, int(index) * step, width(), rowHeight());
        row.card->show();
        if (!rows.empty())
            setTabOrder(rows.back().remove, row.open);
        setTabOrder(row.open, row.remove);
        rows.push_back(row);
    }
    // A spare row may hold the button whose click led here: it goes once that is done.
    for (const Row& row : spare) {
        row.card->hide();
        row.card->setParent(nullptr);
        row.card->deleteLater();
    }
    m_rows = std::move(rows);
    m_rowsStale = false;
}

void HistoryList::watchScrollArea() {
    if (m_scrollArea)
        return;
    for (QWidget* ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(ancestor)) {
            m_scrollArea = area;
            connect(area->verticalScrollBar(), &QScrollBar::valueChanged, this,
                    &HistoryList::layoutRows);
            area->viewport()->installEventFilter(this);
            return;
        }
    }
}

bool HistoryList::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Resize:
    case QEvent::Move:
        layoutRows();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool HistoryList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize)
        layoutRows();
    return QWidget::eventFilter(watched, event);
}

} // namespace corvel
