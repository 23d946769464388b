#include "SessionScreenHarness.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/ScrollArea.h"
#include "ui/session/AnswerText.h"

#include <QAccessible>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace corvel;

using test::s;
using test::shownTexts;

namespace {

const QString answer = s("Lead with the outcome.\n\n**Scale**\nForty services moved.\n\n"
                         "**Personal example needed**\n\n**Result**\nHalf the cost.\n\n"
                         "**Team**\nFour people.\n\n**Next**\nAutomate the rest.");

// The shown parts, top to bottom.
QList<QWidget*> shownOrder(const AnswerCueView& view) {
    QList<QWidget*> order;
    for (int i = 0; i < view.layout()->count(); ++i) {
        QWidget* widget = view.layout()->itemAt(i)->widget();
        if (widget && widget->isVisibleTo(&view))
            order.append(widget);
    }
    return order;
}

} // namespace

TEST(AnswerCueView, DrawsOpeningNumberedRowsThenRemindersAndCompactOnlyRestyles) {
    AnswerText view(answer, false, false, false);
    view.resize(500, 800);
    view.show();
    ASSERT_NE(view.openingBlock(), nullptr);
    EXPECT_EQ(shownTexts(view.openingBlock()),
              (QStringList{s("Start here"), s("Lead with the outcome.")}));
    EXPECT_EQ(shownOrder(view),
              (QList<QWidget*>{view.openingBlock(), view.cueRow(0), view.cueRow(2), view.cueRow(3),
                               view.cueRow(4), view.reminderCard(1)}));
    EXPECT_EQ(shownTexts(view.cueRow(2)), (QStringList{s("Result"), s("Half the cost.")}));
    EXPECT_EQ(view.cueRow(2)->accessibleName(), s("Result\nHalf the cost."));
    for (SpacedLabel* part : view.cueRow(2)->findChildren<SpacedLabel*>())
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(part)->state().invisible);
    EXPECT_EQ(shownTexts(view.reminderCard(1)), (QStringList{s("Personal example needed")}));
    EXPECT_EQ(view.placeholder(), nullptr);

    // The badges take pink, cyan, green, orange in order.
    QImage image = view.grab().toImage();
    const QList<QColor> accents = AnswerText::accents();
    for (int i = 0; i < 4; ++i) {
        const QWidget* row = view.cueRow(QList<int>{0, 2, 3, 4}[i]);
        EXPECT_EQ(image.pixelColor(row->mapTo(&view, QPoint(3, 3))), accents[i]) << i;
    }

    // Compact and inverse only restyle.
    const int roomy = view.cueRow(0)->findChild<SpacedLabel*>()->font().pixelSize();
    view.setCompact(true);
    EXPECT_LT(view.cueRow(0)->findChild<SpacedLabel*>()->font().pixelSize(), roomy);
    EXPECT_EQ(view.rows(), AnswerCueRows(answer, false, 4));
    AnswerCueView plain(answer, true, false, false, {});
    plain.resize(500, 800);
    const QImage inverse = plain.grab().toImage();
    // Without accents a badge still draws, on the surface colour.
    EXPECT_EQ(inverse.pixelColor(plain.cueRow(0)->mapTo(&plain, QPoint(3, 3))).rgb(),
              Palette::surface().rgb());
    EXPECT_EQ(plain.cueRow(0)->findChildren<SpacedLabel*>().last()->color(),
              Palette::withOpacity(Qt::white, 0.8));
}

TEST(AnswerCueView, PlaceholderAndEmptyStates) {
    AnswerText view({}, false, false, false);
    EXPECT_TRUE(shownOrder(view).isEmpty());
    view.setAnswer({}, true);
    EXPECT_EQ(shownOrder(view), QList<QWidget*>{view.placeholder()});
    EXPECT_EQ(shownTexts(&view), QStringList{s("Your answer is arriving…")});
    // A heading still growing is held back, so only the placeholder shows.
    view.setAnswer(s("**Lea"), true);
    EXPECT_EQ(shownOrder(view), QList<QWidget*>{view.placeholder()});
    view.setAnswer(s("**Personal example needed**\n"), true);
    EXPECT_EQ(view.placeholder(), nullptr);
    EXPECT_NE(view.reminderCard(0), nullptr);
    // A streamed reminder that turns out empty at the end leaves nothing behind.
    view.setAnswer({}, false);
    EXPECT_EQ(view.reminderCard(0), nullptr);
    EXPECT_TRUE(shownOrder(view).isEmpty());
}

TEST(AnswerCueView, StreamingUpdatesRowsInPlaceAndKeepsSelections) {
    AnswerText view({}, false, false, true);
    view.resize(500, 800);
    view.show();
    QWidget* first = nullptr;
    SpacedLabel* opening = nullptr;
    QString selected;
    int created = 0;
    for (qsizetype n = 1; n <= answer.size(); ++n) {
        view.setAnswer(answer.first(n), true);
        if (!opening && view.openingBlock() && view.rows().opening.size() >= 4) {
            opening = view.openingBlock()->findChild<SpacedLabel*>();
            opening->setSelectable(true);
            opening->selectAll();
            selected = opening->selectedText();
        }
        if (!first && view.cueRow(0)) {
            first = view.cueRow(0);
            ++created;
        }
        if (first) {
            ASSERT_EQ(view.cueRow(0), first) << n;
        }
    }
    view.setAnswer(answer, false);
    EXPECT_EQ(view.cueRow(0), first);
    EXPECT_EQ(created, 1);
    ASSERT_NE(opening, nullptr);
    EXPECT_EQ(opening->selectedText(), selected);
    EXPECT_FALSE(selected.isEmpty());
    EXPECT_EQ(opening->text(), s("Lead with the outcome."));
}

// A growing answer reaches the scroll area above it from the inside out, one event pass per level.
// Meanwhile the rows above the growing one keep their heights: squeezed into the old height, every
// row would shrink and move for a frame, clipping its text, and all of them would be repainted.
TEST(AnswerCueView, GrowingNeverSqueezesTheRowsAbove) {
    std::unique_ptr<QScrollArea> scroll(makeScrollArea());
    auto* view = new AnswerText({}, false, false, true);
    scroll->setWidget(view);
    scroll->resize(300, 200);
    scroll->show();
    QCoreApplication::processEvents();
    int checked = 0;
    for (qsizetype n = 1; n <= answer.size(); ++n) {
        view->setAnswer(answer.first(n), true);
        // One pass, as between two frames.
        QCoreApplication::sendPostedEvents();
        const auto& rows = view->rows().numbered;
        for (qsizetype i = 0; i + 1 < rows.size(); ++i) {
            const QWidget* row = view->cueRow(rows[i].id);
            ASSERT_GE(row->height(), row->heightForWidth(row->width())) << n << " " << i;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

TEST(AnswerCueView, AnswersAreShownAsPlainText) {
    const QString markup = s("<img src=x> &amp; <a href=\"https://example.com\">link</a>\n\n"
                             "**<b>Bold</b>**\n<i>body</i> &lt;");
    AnswerText view(markup, false, false, false);
    for (const QLabel* label : view.findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(shownTexts(view.openingBlock()).last(),
              s("<img src=x> &amp; <a href=\"https://example.com\">link</a>"));
    EXPECT_EQ(shownTexts(view.cueRow(0)), (QStringList{s("<b>Bold</b>"), s("<i>body</i> &lt;")}));
}
