#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PressButtonStyle.h"

#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace corvel;

namespace {

// The button on an opaque white card, so what is painted can be compared pixel by pixel.
struct Stage {
    QWidget host;
    ActionButton* button;

    explicit Stage(ActionButton* created) : button(created) {
        host.setAutoFillBackground(true);
        QPalette colors = host.palette();
        colors.setColor(QPalette::Window, Qt::white);
        host.setPalette(colors);
        auto* layout = new QVBoxLayout(&host);
        layout->setContentsMargins(10, 10, 10, 10);
        layout->addWidget(button);
        host.adjustSize();
        host.show();
    }
    QImage image() { return host.grab().toImage(); }
    // A point inside the fill, clear of the label and the rounded corners.
    QColor fillPixel() {
        return image().pixelColor(button->mapTo(&host, QPoint(8, button->height() / 2)));
    }
    void enter() const {
        const QPointF centre(button->width() / 2.0, button->height() / 2.0);
        QEnterEvent event(centre, centre, button->mapToGlobal(centre));
        QCoreApplication::sendEvent(button, &event);
    }
    void leave() const {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(button, &event);
    }
};

bool near(const QColor& a, const QColor& b, int tolerance = 2) {
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

QColor blend(const QColor& over, const QColor& under, qreal opacity) {
    return QColor::fromRgbF(over.redF() * opacity + under.redF() * (1 - opacity),
                            over.greenF() * opacity + under.greenF() * (1 - opacity),
                            over.blueF() * opacity + under.blueF() * (1 - opacity));
}

} // namespace

TEST(ActionButtonTest, HoverTurnsAnEnabledButtonPinkAndLeavesADisabledOneAlone) {
    Stage primary(new ActionButton(QStringLiteral("Continue"), {}, true, true));
    EXPECT_TRUE(near(primary.fillPixel(), Palette::ink()));
    EXPECT_EQ(primary.button->foregroundColor(), QColor(Qt::white));
    primary.enter();
    EXPECT_TRUE(near(primary.fillPixel(), Palette::pink()));
    EXPECT_EQ(primary.button->foregroundColor(), Palette::ink());
    primary.leave();
    EXPECT_TRUE(near(primary.fillPixel(), Palette::ink()));

    // Disabled: idle fill at 45 % opacity, and the pointer changes nothing.
    primary.button->setEnabled(false);
    const QImage disabledIdle = primary.image();
    EXPECT_TRUE(near(primary.fillPixel(), blend(Palette::ink(), Qt::white, 0.45)));
    primary.enter();
    EXPECT_FALSE(primary.button->hoveredLook());
    EXPECT_EQ(primary.image(), disabledIdle);
    EXPECT_EQ(primary.button->foregroundColor(), QColor(Qt::white));
}

TEST(ActionButtonTest, TintAndSecondaryColoursFollowTheTable) {
    Stage tinted(new ActionButton(QStringLiteral("Prepare"), QStringLiteral("arrow.right"), true,
                                  false, Palette::orange()));
    EXPECT_TRUE(near(tinted.fillPixel(), Palette::orange()));
    EXPECT_EQ(tinted.button->foregroundColor(), Palette::ink());
    tinted.enter();
    EXPECT_TRUE(near(tinted.fillPixel(), Palette::pink()));

    Stage secondary(new ActionButton(QStringLiteral("Export")));
    EXPECT_TRUE(near(secondary.fillPixel(), Palette::surface()));
    EXPECT_EQ(secondary.button->foregroundColor(), Palette::ink());
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(secondary.button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Export"));
}

TEST(ActionButtonTest, PressDimsAndScalesUnlessReduceMotionIsOn) {
    AccessibilityPreferences preferences;
    preferences.setReduceMotion(true);
    Stage calm(
        new ActionButton(QStringLiteral("Continue"), {}, true, false, std::nullopt, &preferences));
    auto* style = calm.button->findChild<PressButtonStyle*>();
    ASSERT_NE(style, nullptr);
    // Active before the press, as a clicked window is: activated during it, the window would
    // take the focus it gave its first control back, releasing the button.
    QApplication::setActiveWindow(&calm.host);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&calm.host));
    const QPoint edge = calm.button->mapTo(&calm.host, QPoint(0, calm.button->height() / 2));
    QTest::mousePress(calm.button, Qt::LeftButton);
    // At once, with no animation, and never scaled: the left edge is still filled.
    EXPECT_DOUBLE_EQ(style->opacity(), 0.82);
    EXPECT_DOUBLE_EQ(style->scale(), 1.0);
    EXPECT_TRUE(near(calm.image().pixelColor(edge), blend(Palette::ink(), Qt::white, 0.82), 3));
    QTest::mouseRelease(calm.button, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(style->opacity(), 1.0);

    preferences.setReduceMotion(false);
    QTest::mousePress(calm.button, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(style->opacity(), 1.0); // the press eases in
    EXPECT_TRUE(QTest::qWaitFor([style] { return style->opacity() == 0.82; }));
    EXPECT_DOUBLE_EQ(style->scale(), 0.985);
    // Shrunk about its centre, the button leaves its outer pixel column mostly background.
    EXPECT_GT(calm.image().pixelColor(edge).red(), 160);
    QTest::mouseRelease(calm.button, Qt::LeftButton);
}
