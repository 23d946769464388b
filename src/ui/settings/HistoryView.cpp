#include "ui/settings/HistoryView.h"

#include "session/AppStore.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/ConfirmationDialog.h"
#include "ui/foundation/Eyebrow.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/PageHeading.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PlainLabel.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/foundation/Surface.h"
#include "ui/session/AnswerText.h"
#include "ui/settings/ColorBlock.h"
#include "ui/settings/ComputerWording.h"
#include "ui/settings/HistoryList.h"
#include "ui/settings/HistoryText.h"
#include "ui/settings/PageLayout.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

namespace corvel {

namespace {
constexpr int maximumColumnWidth = 1100;
constexpr int pagePadding = 40;
} // namespace

HistoryView::HistoryView(AppEnvironment environment, QWidget* parent)
    : QWidget(parent), m_environment(environment),
      m_back(new ActionButton(QStringLiteral("All interviews"), QStringLiteral("arrow.left"), false,
                              true, std::nullopt, environment.preferences)) {
    m_column = scrollingColumn(this, maximumColumnWidth, pagePadding, 32).column;
    auto* header = new QHBoxLayout;
    header->addWidget(new PageHeading(QStringLiteral("Saved sessions"),
                                      QStringLiteral("Your interviews"),
                                      wording::historySubtitle()),
                      0, Qt::AlignTop);
    header->addStretch(1);
    header->addWidget(padded(m_back, QMargins(0, 6, 0, 0)), 0, Qt::AlignTop);
    m_column->addLayout(header);
    m_list = new HistoryList(m_environment.store);
    m_column->addWidget(m_list);
    m_column->addStretch(1);

    connect(m_back, &ActionButton::clicked, this,
            [this] { m_environment.store.setSelectedRecord(std::nullopt); });
    connect(m_list, &HistoryList::deleteRequested, this, &HistoryView::confirmDelete);
    connect(&m_environment.store, &AppStore::historyChanged, this, &HistoryView::refresh);
    connect(&m_environment.store, &AppStore::selectedRecordChanged, this, &HistoryView::refresh);
    refresh();
}

void HistoryView::refresh() {
    const auto open = history::openRecord(m_environment.store.selectedRecord());
    m_list->refresh();
    QWidget* content = nullptr;
    if (open) {
        content = buildDetail(*open);
        m_shown = Content::detail;
    } else if (!m_list->isEmpty()) {
        m_shown = Content::list;
    } else {
        content = buildEmptyState();
        m_shown = Content::empty;
    }
    // What goes away takes the focus with it rather than passing it on, as Qt would, to the next
    // control of the window (a navigation tab).
    bool keyboard = false;
    if (!open)
        keyboard |= hideWithoutPassingFocus(m_back);
    if (m_shown != Content::list)
        keyboard |= hideWithoutPassingFocus(m_list);
    m_back->setVisible(open.has_value());
    m_list->setVisible(m_shown == Content::list);
    if (m_content) {
        // The old content may be the sender of the click that led here: let it finish first.
        keyboard |= hideWithoutPassingFocus(m_content);
        m_content->setParent(nullptr);
        m_content->deleteLater();
    }
    m_content = content;
    if (m_content) {
        m_column->insertWidget(2, m_content);
        // A widget added to a shown page would otherwise appear only on the next event-loop turn.
        m_content->show();
    }
    // The keyboard user goes on from the first control of what shows now; the list binds its
    // rows once laid out.
    if (keyboard && !focusFirstControl(this)) {
        QTimer::singleShot(0, this, [this] {
            if (!QApplication::focusWidget())
                focusFirstControl(this);
        });
    }
}

void HistoryView::confirmDelete(const QUuid& id) {
    // Each dialog deletes the record whose button opened it, whatever was pressed since.
    QPointer<AppStore> store(&m_environment.store);
    openConfirmation(this, QStringLiteral("Delete this interview?"),
                     wording::deleteInterviewMessage(), QStringLiteral("Delete"), [store, id] {
                         if (store)
                             store->deleteRecord(id);
                     });
}

QWidget* HistoryView::buildDetail(const InterviewRecord& record) {
    auto* detail = new QWidget;
    QVBoxLayout* layout = bareColumn(detail, 24);

    auto* header = new QHBoxLayout;
    header->setSpacing(24);
    header->setContentsMargins(0, 0, 0, 8);
    auto* titles = new QWidget;
    QVBoxLayout* titleColumn = bareColumn(titles, 12);
    auto* title = new SpacedLabel(history::recordTitle(record), appFont(24, QFont::Medium),
                                  Palette::ink(), 0, titles);
    title->setTracking(-0.5);
    titleColumn->addWidget(title);
    auto* facts = new QHBoxLayout;
    facts->setSpacing(18);
    for (const QString& fact : {history::dateText(record), history::durationText(record.duration),
                                history::questionCountText(record)})
        facts->addWidget(new PlainLabel(fact, appFont(12, QFont::Normal), Palette::secondary()));
    facts->addStretch(1);
    titleColumn->addLayout(facts);
    header->addWidget(titles, 1, Qt::AlignTop);
    auto* exportButton =
        new ActionButton(QStringLiteral("Export"), QStringLiteral("square.and.arrow.up"), false,
                         true, std::nullopt, m_environment.preferences, detail);
    header->addWidget(exportButton, 0, Qt::AlignTop);
    connect(exportButton, &ActionButton::clicked, this,
            [this, record] { m_environment.store.exportRecord(record); });
    layout->addLayout(header);

    if (record.entries.empty()) {
        auto* none =
            new SpacedLabel(QStringLiteral("No answers were generated during this session."),
                            appFont(14, QFont::Normal), Palette::secondary(), 0);
        layout->addWidget(new Surface(none, 28));
    }
    for (qsizetype i = 0; i < qsizetype(record.entries.size()); ++i)
        layout->addWidget(buildEntry(record.entries[size_t(i)], i));
    return detail;
}

QWidget* HistoryView::buildEntry(const AnswerEntry& entry, qsizetype index) {
    auto* card = new QWidget;
    QVBoxLayout* layout = bareColumn(card, 22);
    auto* label = new QHBoxLayout;
    label->setSpacing(10);
    label->addWidget(new ColorBlock(Palette::green(), QSize(10, 10)));
    label->addWidget(new Eyebrow(history::questionLabel(index)));
    label->addStretch(1);
    layout->addLayout(label);

    auto* question = new SpacedLabel(entry.question, appFont(19, QFont::Medium), Palette::ink(), 5);
    question->setSelectable(true);
    layout->addWidget(question);

    auto* answer = new AnswerText(entry.answer, false, false, false);
    answer->setContentsMargins(0, 4, 0, 0);
    layout->addWidget(answer);
    return new Surface(card, 30);
}

QWidget* HistoryView::buildEmptyState() {
    auto* inner = new QWidget;
    QVBoxLayout* layout = bareColumn(inner, 22);
    layout->setContentsMargins(0, 36, 0, 36);

    auto* mark = new QWidget;
    auto* bars = new QHBoxLayout(mark);
    bars->setContentsMargins(0, 0, 0, 0);
    bars->setSpacing(5);
    const std::pair<QColor, int> heights[] = {{Palette::pink(), 18},
                                              {Palette::cyan(), 36},
                                              {Palette::green(), 54},
                                              {Palette::orange(), 36}};
    for (const auto& [color, height] : heights)
        bars->addWidget(new ColorBlock(color, QSize(18, height)), 0, Qt::AlignBottom);
    bars->addStretch(1);
    layout->addWidget(mark);

    // A line separator: the text layout breaks there, where it would ignore "\n".
    auto* invitation =
        new SpacedLabel(QStringLiteral("Your next interview") + QChar(QChar::LineSeparator) +
                            QStringLiteral("starts here."),
                        appFont(28, QFont::Medium), Palette::ink(), 4);
    invitation->setTracking(-0.6);
    layout->addWidget(invitation);
    layout->addWidget(new SpacedLabel(
        QStringLiteral("Your interviews will appear here after your first session."),
        appFont(14, QFont::Normal), Palette::secondary(), 5));
    auto* prepare = new ActionButton(QStringLiteral("Prepare for an interview"),
                                     QStringLiteral("arrow.up.right"), true, false, std::nullopt,
                                     m_environment.preferences);
    layout->addWidget(padded(prepare, QMargins(0, 8, 0, 0)), 0, Qt::AlignLeft);
    connect(prepare, &ActionButton::clicked, this,
            [this] { m_environment.store.setSection(AppSection::profile); });
    return new Surface(inner, 36);
}

} // namespace corvel
