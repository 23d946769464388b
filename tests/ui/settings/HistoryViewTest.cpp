#include "ui/settings/HistoryView.h"

#include "ui/foundation/ActionButton.h"
#include "ui/foundation/ScreenHarness.h"
#include "ui/session/AnswerText.h"
#include "ui/settings/HistoryRecordButton.h"

#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

#include <map>

#include <gtest/gtest.h>

using namespace corvel;
using namespace corvel::test;

namespace {

InterviewRecord record(const QString& role, const QString& company, qint64 duration,
                       std::vector<std::pair<QString, QString>> answers = {}) {
    InterviewRecord r;
    r.role = role;
    r.company = company;
    r.duration = duration;
    r.date = QDateTime(QDate(2024, 3, 7), QTime(10, 0), Qt::LocalTime).toUTC();
    for (auto& [question, answer] : answers) {
        AnswerEntry entry;
        entry.question = question;
        entry.answer = answer;
        r.entries.push_back(entry);
    }
    return r;
}

std::vector<HistoryRecordButton*> rows(const HistoryView& view) {
    auto found = view.findChildren<HistoryRecordButton*>();
    return {found.begin(), found.end()};
}

} // namespace

TEST(HistoryViewTest, ListDetailExportBackDeleteAndEmptyStateWithoutDemos) {
    ScreenHarness h;
    SavedWorkspace saved;
    saved.history = {
        record(QStringLiteral("Designer"), QStringLiteral("Studio"), 125,
               {{QStringLiteral("Why us?"), QStringLiteral("Because.")},
                {QStringLiteral("<b>Bold</b>?"), QStringLiteral("Plain.")}}),
        record(QString(), QString(), 59),
        record(QStringLiteral("Engineer"), QString(), 3600, {{QStringLiteral("Q"), QString()}})};
    h.load(saved);
    HistoryView view(h.environment());
    view.resize(1000, 800);
    view.show();

    ASSERT_EQ(view.content(), HistoryView::Content::list);
    const auto listed = rows(view);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0]->accessibleName(), QStringLiteral("Open interview Designer · Studio"));
    auto* back = findNamed<ActionButton>(view, QStringLiteral("All interviews"));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->isHidden());
    // A selected demo record counts as none.
    InterviewRecord demo = record(QStringLiteral("Demo"), QString(), 10);
    demo.isDemo = true;
    h.store().setSelectedRecord(demo);
    EXPECT_EQ(view.content(), HistoryView::Content::list);

    // Open the first: its detail, answers as plain text.
    listed[0]->click();
    ASSERT_EQ(view.content(), HistoryView::Content::detail);
    EXPECT_EQ(h.store().selectedRecord()->id, saved.history[0].id);
    EXPECT_FALSE(back->isHidden());
    const QStringList shown = texts(view);
    EXPECT_TRUE(shown.contains(QStringLiteral("2 min 5 s")));
    EXPECT_TRUE(shown.contains(QStringLiteral("<b>Bold</b>?")));
    const auto answers = view.findChildren<AnswerText*>();
    ASSERT_EQ(answers.size(), 2);
    EXPECT_EQ(answers[0]->rows().opening, QStringLiteral("Because."));
    for (const QLabel* label : view.findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();

    // Export through the store's save dialog: the file holds the record's text.
    const QString exported = h.stores.folder.filePath(QStringLiteral("out.txt"));
    h.stores.dialogs.exportPath = exported;
    findNamed<ActionButton>(view, QStringLiteral("Export"))->click();
    QFile file(exported);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), AppStore::exportText(saved.history[0]));

    back->click();
    ASSERT_EQ(view.content(), HistoryView::Content::list);
    EXPECT_FALSE(h.store().selectedRecord());

    // Cancel deletes nothing; Delete removes only the record whose trash was pressed.
    auto* trash = findNamed<QAbstractButton>(view, QStringLiteral("Delete interview Interview"));
    ASSERT_TRUE(trash);
    trash->click();
    QMessageBox* dialog = openDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->text(), QStringLiteral("Delete this interview?"));
    choose(*dialog, QStringLiteral("Cancel"));
    EXPECT_EQ(h.store().history().size(), 3u);

    findNamed<QAbstractButton>(view, QStringLiteral("Delete interview Interview"))->click();
    choose(*openDialog(), QStringLiteral("Delete"));
    ASSERT_EQ(h.store().history().size(), 2u);
    EXPECT_EQ(h.store().history()[0].id, saved.history[0].id);
    EXPECT_EQ(h.store().history()[1].id, saved.history[2].id);
    ASSERT_EQ(rows(view).size(), 2u);

    for (const QString& title : {QStringLiteral("Designer · Studio"), QStringLiteral("Engineer")}) {
        findNamed<QAbstractButton>(view, QStringLiteral("Delete interview ") + title)->click();
        choose(*openDialog(), QStringLiteral("Delete"));
    }
    EXPECT_EQ(view.content(), HistoryView::Content::empty);
    findNamed<ActionButton>(view, QStringLiteral("Prepare for an interview"))->click();
    EXPECT_EQ(h.store().section(), AppSection::profile);
}

// A long history makes rows only for what is in view, reuses them as the page scrolls, keeps them
// across opening a record and a deletion, and the keyboard walks on past the rows in view.
TEST(HistoryViewTest, LongHistoryShowsRowsForTheViewOnlyAndKeepsThemInOrder) {
    ScreenHarness h;
    SavedWorkspace saved;
    QStringList roles;
    for (int i = 0; i < 300; ++i) {
        roles.append(QStringLiteral("Role %1").arg(i));
        saved.history.push_back(record(roles.back(), QString(), 60));
    }
    h.load(saved);
    HistoryView view(h.environment());
    view.resize(1000, 800);
    view.show();
    // The titles of the rows in view, top to bottom.
    const auto titles = [&] {
        std::map<int, QString> shown;
        for (const HistoryRecordButton* row : rows(view))
            if (row->isVisibleTo(&view))
                shown[row->mapTo(&view, QPoint()).y()] = row->title();
        QStringList list;
        for (const auto& [y, title] : shown)
            list.append(title);
        return list;
    };
    EXPECT_EQ(titles().value(0), roles[0]);
    EXPECT_LT(rows(view).size(), 20u);
    auto* scroll = view.findChild<QScrollArea*>();
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    EXPECT_EQ(titles().back(), roles.back());
    EXPECT_LT(rows(view).size(), 20u);

    scroll->verticalScrollBar()->setValue(0);
    const auto before = rows(view);
    before.front()->click();
    ASSERT_EQ(view.content(), HistoryView::Content::detail);
    h.store().setSelectedRecord(std::nullopt);
    EXPECT_EQ(rows(view), before) << "coming back keeps the rows";
    h.store().deleteRecord(saved.history[1].id);
    roles.removeAt(1);
    const QStringList after = titles();
    EXPECT_EQ(after, roles.mid(0, after.size()));
    EXPECT_EQ(rows(view), before) << "a deletion rebinds the rows, it does not rebuild them";

    QApplication::setActiveWindow(&view);
    for (HistoryRecordButton* row : rows(view))
        if (row->title() == roles[0])
            row->setFocus();
    QStringList walked;
    for (int key = 0; key < 40; ++key) {
        if (auto* row = qobject_cast<HistoryRecordButton*>(QApplication::focusWidget()))
            walked.append(row->title());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_GE(walked.size(), 20);
    EXPECT_EQ(walked, roles.mid(0, walked.size()));
}

// A title too long for its row is elided well before the question count: the row's spacing on
// both sides of the flexible spacer, and the spacer's own minimum, keep them apart.
TEST(HistoryViewTest, ALongTitleStaysClearOfTheQuestionCount) {
    ScreenHarness h;
    HistoryRecordButton button(QString(300, u'W'), QStringLiteral("March 7, 2024"),
                               QStringLiteral("12 questions"));
    button.resize(520, button.sizeHint().height());
    QImage image(button.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    button.render(&image, QPoint(), QRegion(), QWidget::RenderFlags()); // no window background
    const auto inked = [&](int x) {
        for (int y = 0; y < image.height(); ++y)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
        return false;
    };
    // The widest blank band right of the icon tile is the one between the texts and the count.
    int gap = 0;
    for (int x = 48, run = 0; x < image.width(); ++x) {
        run = inked(x) ? 0 : run + 1;
        gap = std::max(gap, run);
    }
    EXPECT_GE(gap, 18 + 12 + 18 - 2); // a glyph's side bearing may take a pixel or two
}
