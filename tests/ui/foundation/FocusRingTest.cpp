#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/OptionPill.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/SwitchToggle.h"
#include "ui/foundation/TextArea.h"
#include "ui/foundation/TextInput.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace corvel;

namespace {

// The control's left edge, where every control draws its ring.
QImage edge(QWidget* control) {
    return control->grab().toImage().copy(0, 0, 5, control->height());
}

void tabTo(QWidget& window, QWidget* control) {
    for (int presses = 0; presses < 20 && QApplication::focusWidget() != control; ++presses)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window,
                        Qt::Key_Tab);
}

} // namespace

// Every focusable control of the kit shows the one ring when the Tab key focused it, and none
// when a click did, also in a window where the keyboard moved the focus before.
TEST(FocusRing, DrawnForKeyboardFocusOnlyOnEveryControl) {
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    auto* primary = new ActionButton(QStringLiteral("Suggest"), {}, true);
    auto* tinted = new ActionButton(QStringLiteral("Try again"), {}, true, true, Palette::cyan());
    auto* secondary = new ActionButton(QStringLiteral("Pause"));
    auto* pill = new OptionPill(QStringLiteral("English"), OptionPill::Style::pill);
    auto* toggle = new SwitchToggle(Palette::green());
    auto* link =
        new LinkButton(QStringLiteral("Back"), {}, appFont(12, QFont::Normal), Palette::ink());
    auto* field = new TextInput(QStringLiteral("Role"));
    auto* area = new TextArea({}, QStringLiteral("Question"), 100);
    const QList<QWidget*> controls = {primary, tinted, secondary, pill, toggle, link, field, area};
    for (QWidget* control : controls)
        row->addWidget(control);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();

    QList<QImage> idle;
    for (QWidget* control : controls)
        idle.append(edge(control));
    for (qsizetype i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(controls[i]->metaObject()->className());
        tabTo(window, controls[i]);
        ASSERT_EQ(QApplication::focusWidget(),
                  controls[i]->focusProxy() ? controls[i]->focusProxy() : controls[i]);
        EXPECT_NE(edge(controls[i]), idle[i]) << "no ring after Tab";
    }
    // Buttons and fields that a click focuses.
    for (QWidget* control : {static_cast<QWidget*>(primary), static_cast<QWidget*>(field),
                             static_cast<QWidget*>(area)}) {
        SCOPED_TRACE(control->metaObject()->className());
        QWidget* target = control == area ? area->editor()->viewport() : control;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        EXPECT_TRUE(control->hasFocus() || control->focusProxy()->hasFocus());
        EXPECT_EQ(edge(control), idle[controls.indexOf(control)]) << "a ring after a click";
    }
}

// A control disabled by its own action keeps the focus (Qt would give it to the neighbour, which
// the next Space would press) and has it again once enabled.
TEST(FocusRing, AControlDisabledWhileFocusedKeepsTheFocus) {
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    auto* check = new ActionButton(QStringLiteral("Check connection"));
    auto* neighbour =
        new OptionPill(QStringLiteral("Microphone · manual"), OptionPill::Style::pill);
    row->addWidget(check);
    row->addWidget(neighbour);
    int neighbourClicks = 0;
    QObject::connect(check, &ActionButton::clicked, check, [check] { check->setEnabled(false); });
    QObject::connect(neighbour, &OptionPill::clicked, [&] { ++neighbourClicks; });
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    tabTo(window, check);
    ASSERT_TRUE(check->hasFocus());
    const QImage ring = edge(check);

    QTest::keyClick(check, Qt::Key_Space);
    EXPECT_FALSE(check->isEnabled());
    EXPECT_FALSE(neighbour->hasFocus());
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window,
                    Qt::Key_Space);
    EXPECT_EQ(neighbourClicks, 0);

    check->setEnabled(true);
    EXPECT_TRUE(check->hasFocus());
    EXPECT_EQ(edge(check), ring) << "the keyboard ring comes back with the focus";
    // Tab still moves on from an enabled control.
    QTest::keyClick(check, Qt::Key_Tab);
    EXPECT_TRUE(neighbour->hasFocus());
}
