#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/ActivitySpinner.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/ConfirmationDialog.h"
#include "ui/foundation/CrossFade.h"
#include "ui/foundation/DisclosureGroup.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/OptionChoice.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/foundation/StepTransition.h"
#include "ui/foundation/SwitchToggle.h"
#include "ui/foundation/SymbolImage.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvel;

namespace {

SpacedLabel* label(const QString& text, qreal spacing = 4) {
    return new SpacedLabel(text, appFont(13, QFont::Normal), Palette::ink(), spacing);
}

} // namespace

TEST(SpacedLabel, BreaksAtLineBreaksSpacesLinesAndLimitsThemWithAnEllipsis) {
    std::unique_ptr<SpacedLabel> one(label(QStringLiteral("one")));
    std::unique_ptr<SpacedLabel> three(label(QStringLiteral("one\ntwo\nthree")));
    const int line = one->heightForWidth(400);
    EXPECT_EQ(three->heightForWidth(400), 3 * line + 2 * 4);

    three->setMaximumLines(2);
    EXPECT_EQ(three->heightForWidth(400), 2 * line + 4);
    EXPECT_TRUE(three->isTruncated(400));
    three->setMaximumLines(3);
    EXPECT_FALSE(three->isTruncated(400));
}

TEST(SpacedLabel, SelectableTextCopiesWhatIsSelected) {
    std::unique_ptr<SpacedLabel> text(label(QStringLiteral("Tell me about a system.")));
    text->resize(300, 40);
    text->show();
    text->setFocus();
    QTest::keyClick(text.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(text->selectedText().isEmpty()); // not selectable yet
    text->setSelectable(true);
    QTest::keyClick(text.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(text.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Tell me about a system."));
}

TEST(OptionChoice, ReportsEveryClickAlsoOnTheSelectedOptionAndNoneWhenDisabled) {
    OptionChoice choice({QStringLiteral("English"), QStringLiteral("French")},
                        OptionPill::Style::segment);
    choice.resize(300, 40);
    choice.show();
    choice.setSelectedIndex(1);
    EXPECT_TRUE(choice.option(1)->isSelected());
    EXPECT_FALSE(choice.option(0)->isSelected());
    QSignalSpy clicks(&choice, &OptionChoice::optionClicked);
    QTest::mouseClick(choice.option(1), Qt::LeftButton);
    QTest::mouseClick(choice.option(0), Qt::LeftButton);
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 1);
    EXPECT_EQ(clicks.at(1).at(0).toInt(), 0);
    EXPECT_EQ(choice.selectedIndex(), 1); // the store's answer selects, not the click
    EXPECT_EQ(choice.option(0)->width(), choice.option(1)->width());
    choice.setEnabled(false);
    QTest::mouseClick(choice.option(0), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(DisclosureGroupAndSwitch, ClicksToggleTheirStateAndReportIt) {
    auto* content = new QWidget;
    DisclosureGroup group(QStringLiteral("Data and privacy"), content, appFont(13, QFont::Medium),
                          Palette::ink());
    group.show();
    EXPECT_TRUE(content->isHidden());
    QSignalSpy expanded(&group, &DisclosureGroup::expandedChanged);
    QTest::mouseClick(group.header(), Qt::LeftButton);
    EXPECT_TRUE(group.isExpanded());
    EXPECT_TRUE(content->isVisible());
    group.setExpanded(false);
    EXPECT_TRUE(content->isHidden());
    EXPECT_EQ(expanded.count(), 2);

    SwitchToggle toggle(Palette::ink());
    toggle.show();
    QSignalSpy toggled(&toggle, &SwitchToggle::toggled);
    QTest::mouseClick(&toggle, Qt::LeftButton);
    EXPECT_TRUE(toggle.isChecked());
    toggle.setEnabled(false);
    QTest::mouseClick(&toggle, Qt::LeftButton);
    EXPECT_TRUE(toggle.isChecked());
    EXPECT_EQ(toggled.count(), 1);
}

TEST(ReduceMotion, StopsTheSpinnerAndTheStepTransition) {
    AccessibilityPreferences preferences;
    ActivitySpinner spinner(&preferences);
    spinner.show();
    EXPECT_TRUE(spinner.isTurning());
    preferences.setReduceMotion(true);
    EXPECT_FALSE(spinner.isTurning());
    spinner.hide();
    preferences.setReduceMotion(false);
    EXPECT_FALSE(spinner.isTurning()); // hidden spinners hold no timer

    StepTransition steps(&preferences);
    steps.resize(200, 100);
    steps.show();
    steps.setContent(new QWidget);
    QPointer<QWidget> first = steps.content();
    steps.setContent(new QWidget);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(steps.isAnimating());
    preferences.setReduceMotion(true);
    steps.setContent(new QWidget);
    EXPECT_FALSE(steps.isAnimating());
    EXPECT_EQ(steps.content()->geometry(), steps.rect());
}

// The old picture fades out over the changed widget, which fades in; then both are gone and the
// widget draws directly again. Under Reduce Motion the change simply happens.
TEST(CrossFade, FadesBetweenTheOldAndTheNewPictureExceptUnderReduceMotion) {
    AccessibilityPreferences preferences;
    QWidget host;
    host.resize(200, 100);
    auto* label = new QLabel(QStringLiteral("Before"), &host);
    host.show();
    const auto pictures = [&] { return host.findChildren<QWidget*>().size() - 1; };
    crossFade(label, label, 200, QEasingCurve::OutQuad, &preferences);
    label->setText(QStringLiteral("After"));
    EXPECT_EQ(pictures(), 1);
    EXPECT_NE(label->graphicsEffect(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pictures() == 0; }, 2000));
    EXPECT_EQ(label->graphicsEffect(), nullptr);

    preferences.setReduceMotion(true);
    crossFade(label, label, 200, QEasingCurve::OutQuad, &preferences);
    EXPECT_EQ(pictures(), 0);
    EXPECT_EQ(label->graphicsEffect(), nullptr);
    label->hide();
    preferences.setReduceMotion(false);
    crossFade(label, label, 200, QEasingCurve::OutQuad, &preferences); // nothing on screen
    EXPECT_EQ(pictures(), 0);
}

// The title keeps one line and the body a readable measure; Return takes Cancel, so only the
// destructive button confirms.
TEST(Confirmation, ShowsItsWholeTextAndOnlyTheDestructiveButtonConfirms) {
    const QString title = QStringLiteral("Delete this interview?");
    int confirmed = 0;
    QPointer<QMessageBox> box = openConfirmation(
        nullptr, title,
        QStringLiteral(
            "This interview and its answers will be deleted from this computer’s history."),
        QStringLiteral("Delete"), [&] { ++confirmed; });
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    auto* heading = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    EXPECT_GE(heading->width(), heading->fontMetrics().horizontalAdvance(title));
    EXPECT_GE(box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))->width(), 300);
    EXPECT_EQ(box->escapeButton(), static_cast<QAbstractButton*>(box->defaultButton()));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return box.isNull(); }));
    EXPECT_EQ(confirmed, 0);
}

TEST(SymbolImage, EveryNamedSymbolDrawsSomething) {
    EXPECT_GE(SymbolImage::names().size(), 20);
    for (const QString& name : SymbolImage::names()) {
        ASSERT_TRUE(SymbolImage::exists(name)) << name.toStdString();
        QImage image(24, 24, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        SymbolImage::paint(painter, name, QRectF(0, 0, 24, 24), Qt::black);
        painter.end();
        int inked = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                inked += qAlpha(image.pixel(x, y)) > 128;
        EXPECT_GT(inked, 12) << name.toStdString();
    }
    EXPECT_FALSE(SymbolImage::exists(QStringLiteral("sparkles")));
}
