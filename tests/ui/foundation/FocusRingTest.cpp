#include "ui/foundation/FocusRing.h"
#include "support/KeyHold.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/ConfirmationDialog.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/OptionPill.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/ScrollArea.h"
#include "ui/foundation/SwitchToggle.h"
#include "ui/foundation/TextArea.h"
#include "ui/foundation/TextInput.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace corvel;

// Every focusable control of the kit shows the one ring when the Tab key focused it, and none
// when a click did, also in a window where the keyboard moved the focus before.
TEST(FocusRing, DrawnForKeyboardFocusOnlyOnEveryControl) {
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    row->setSpacing(12);
    auto* primary = new ActionButton(QStringLiteral("Suggest"), {}, true);
    auto* field = new TextInput(QStringLiteral("Role"));
    auto* area = new TextArea({}, QStringLiteral("Question"), 100);
    const QList<QWidget*> controls = {
        primary,
        new ActionButton(QStringLiteral("Try again"), {}, true, true, Palette::cyan()),
        new ActionButton(QStringLiteral("Pause")),
        new OptionPill(QStringLiteral("English"), OptionPill::Style::pill),
        new SwitchToggle(Palette::green()),
        new LinkButton(QStringLiteral("Back"), {}, appFont(12, QFont::Normal), Palette::ink()),
        field,
        area};
    for (QWidget* control : controls)
        row->addWidget(control);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
    // The band just outside the control's left edge, where the ring lies: it takes no room in
    // the control, so the layout spacing around it stays as given.
    const auto edge = [&window](QWidget* control) {
        const QPoint left = control->mapTo(&window, QPoint(-4, 0));
        return window.grab().toImage().copy(QRect(left, QSize(4, control->height())));
    };
    const auto pressUntil = [&](Qt::Key key, QWidget* target) {
        for (int presses = 0; presses < 20 && QApplication::focusWidget() != target; ++presses)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window,
                            key);
        return QApplication::focusWidget() == target;
    };
    QList<QImage> idle;
    QList<QImage> looks;
    for (QWidget* control : controls) {
        idle.append(edge(control));
        looks.append(control->grab().toImage());
    }

    for (qsizetype i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(controls[i]->metaObject()->className());
        ASSERT_TRUE(pressUntil(Qt::Key_Tab, controls[i]->focusProxy() ? controls[i]->focusProxy()
                                                                      : controls[i]));
        EXPECT_NE(edge(controls[i]), idle[i]) << "no ring after Tab";
        if (qobject_cast<QAbstractButton*>(controls[i])) {
            EXPECT_EQ(controls[i]->grab().toImage(), looks[i]) << "the ring drew inside";
        }
    }
    // Disabled by its own action and enabled again, a button has the focus back with its ring.
    ASSERT_TRUE(pressUntil(Qt::Key_Backtab, primary));
    const QImage ring = edge(primary);
    primary->setEnabled(false);
    primary->setEnabled(true);
    ASSERT_TRUE(primary->hasFocus());
    EXPECT_EQ(edge(primary), ring);

    for (QWidget* control : {static_cast<QWidget*>(primary), static_cast<QWidget*>(field),
                             static_cast<QWidget*>(area)}) {
        SCOPED_TRACE(control->metaObject()->className());
        QWidget* target = control == area ? area->editor()->viewport() : control;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        ASSERT_TRUE(control->hasFocus());
        EXPECT_EQ(edge(control), idle[controls.indexOf(control)]) << "a ring after a click";
    }
    // A click that moves no focus ends keyboard use too, until the next Tab.
    ASSERT_TRUE(pressUntil(Qt::Key_Tab, field));
    ASSERT_NE(edge(field), idle[controls.indexOf(field)]);
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_TRUE(field->hasFocus());
    EXPECT_EQ(edge(field), idle[controls.indexOf(field)]) << "a ring after a click elsewhere";
    ASSERT_TRUE(pressUntil(Qt::Key_Tab, area->editor()));
    EXPECT_NE(edge(area), idle[controls.indexOf(area)]) << "no ring after Tab";
}

// Return and Enter press the kit button that shows the ring, before a window-wide shortcut for
// Return (a default action) takes them; once a click ended the ring, the shortcut has Return
// again. A multi-line field keeps Return for a new line.
TEST(FocusRing, ReturnPressesTheButtonThatShowsTheRing) {
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    const QList<QAbstractButton*> buttons = {
        new ActionButton(QStringLiteral("Export")),
        new LinkButton(QStringLiteral("Back"), {}, appFont(12, QFont::Normal), Palette::ink()),
        new OptionPill(QStringLiteral("English"), OptionPill::Style::pill),
        new SwitchToggle(Palette::green())};
    for (QAbstractButton* button : buttons)
        row->addWidget(button);
    auto* area = new TextArea({}, QStringLiteral("Question"), 100);
    row->addWidget(area);
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Return), &window);
    shortcut->setContext(Qt::WindowShortcut);
    QSignalSpy defaults(shortcut, &QShortcut::activated);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    for (QAbstractButton* button : buttons) {
        SCOPED_TRACE(button->metaObject()->className());
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        focusByKeyboard(button);
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(button, Qt::Key_Return, Qt::ControlModifier);
        EXPECT_EQ(clicked.count(), 2);
        EXPECT_EQ(defaults.count(), 0);

        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        ASSERT_EQ(clicked.count(), 3);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(clicked.count(), 3);
        EXPECT_EQ(defaults.count(), 1);
        defaults.clear();
    }
    focusByKeyboard(area->editor());
    QTest::keyClicks(area->editor(), QStringLiteral("Why?"));
    QTest::keyClick(area->editor(), Qt::Key_Return);
    EXPECT_EQ(area->text(), QStringLiteral("Why?\n"));
    EXPECT_EQ(defaults.count(), 0);
}

// A button that kept the Tab key's focus while a click elsewhere hid its ring takes no Space:
// only the next Tab or Shift+Tab, ringing it again, gives it the keys back.
TEST(FocusRing, AButtonWhoseRingAClickHidTakesNoSpace) {
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    row->setContentsMargins(20, 20, 20, 20);
    auto* field = new TextInput(QStringLiteral("Question"));
    auto* pause = new ActionButton(QStringLiteral("Pause"));
    row->addWidget(field);
    row->addWidget(pause);
    QSignalSpy paused(pause, &QAbstractButton::clicked);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    focusByKeyboard(field);
    QTest::keyClick(field, Qt::Key_Tab);
    ASSERT_TRUE(FocusRing::shownOn(pause));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_TRUE(pause->hasFocus());
    QTest::keyClick(pause, Qt::Key_Space);
    EXPECT_EQ(paused.count(), 0);
    QTest::keyClick(pause, Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(FocusRing::shownOn(pause));
    QTest::keyClick(pause, Qt::Key_Space);
    EXPECT_EQ(paused.count(), 1);
}

// A click presses each kind of kit button and leaves the focus in the field being typed in.
TEST(FocusRing, AClickOnAButtonLeavesTheFocusInTheField) {
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    auto* field = new TextInput(QStringLiteral("Question"));
    const QList<QAbstractButton*> buttons = {
        new ActionButton(QStringLiteral("Pause")),
        new LinkButton(QStringLiteral("Back"), {}, appFont(12, QFont::Normal), Palette::ink()),
        new OptionPill(QStringLiteral("English"), OptionPill::Style::pill),
        new SwitchToggle(Palette::green())};
    row->addWidget(field);
    for (QAbstractButton* button : buttons)
        row->addWidget(button);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QTest::mouseClick(field, Qt::LeftButton, {}, field->rect().center());
    ASSERT_TRUE(field->hasFocus());
    for (QAbstractButton* button : buttons) {
        SCOPED_TRACE(button->metaObject()->className());
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
        QTest::mouseRelease(button, Qt::LeftButton, {}, button->rect().center());
        EXPECT_EQ(clicked.count(), 1);
        EXPECT_TRUE(field->hasFocus());
    }
}

// A held Return or Enter presses once wherever it is bound: a window's shortcut, Ctrl+Return, a
// ringed button, also one that stays in place for its next action, the default button of a
// dialog that the first press opened, a line edit; whether or not the repeats come marked. So
// does a held Space on a button. Text fields take each repeat: a new line, a space.
TEST(FocusRing, AHeldReturnPressesOnce) {
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    auto* next = new ActionButton(QStringLiteral("Continue"));
    auto* button = new ActionButton(QStringLiteral("Delete"));
    auto* field = new TextInput(QStringLiteral("Key"));
    auto* area = new TextArea({}, QStringLiteral("Question"), 100);
    for (QWidget* control : std::initializer_list<QWidget*>{next, button, field, area})
        row->addWidget(control);
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Return), &window);
    shortcut->setContext(Qt::WindowShortcut);
    auto* ask = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), &window);
    QSignalSpy defaults(shortcut, &QShortcut::activated);
    QSignalSpy asks(ask, &QShortcut::activated);
    QSignalSpy continued(next, &QAbstractButton::clicked);
    QSignalSpy entered(field, &QLineEdit::returnPressed);
    int confirmed = 0;
    QPointer<QMessageBox> confirmation;
    QObject::connect(button, &QAbstractButton::clicked, &window, [&] {
        confirmation = openConfirmation(&window, QStringLiteral("Delete this interview?"),
                                        QString(), QStringLiteral("Delete"), [&] { ++confirmed; });
    });
    window.show();
    const auto activate = [&] {
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    };
    ASSERT_TRUE(activate());

    for (const test::Repeats as : {test::Repeats::marked, test::Repeats::unmarked}) {
        SCOPED_TRACE(as == test::Repeats::marked ? "marked" : "unmarked");
        defaults.clear();
        asks.clear();
        continued.clear();
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        test::holdKey(&window, Qt::Key_Return, 20, {}, as);
        test::holdKey(&window, Qt::Key_Enter, 20, Qt::KeypadModifier, as);
        test::holdKey(&window, Qt::Key_Return, 20, Qt::ControlModifier, as);
        EXPECT_EQ(defaults.count(), 1);
        EXPECT_EQ(asks.count(), 1);

        focusByKeyboard(next);
        test::holdKey(next, Qt::Key_Return, 20, {}, as);
        EXPECT_EQ(continued.count(), 1);
        test::holdKey(next, Qt::Key_Space, 20, {}, as);
        EXPECT_EQ(continued.count(), 2);

        focusByKeyboard(button);
        test::holdKey(button, Qt::Key_Return, 20, {}, as);
        ASSERT_TRUE(confirmation && confirmation->isVisible()) << "closed by the repeats";
        EXPECT_EQ(confirmed, 0);
        confirmation->reject();
        EXPECT_EQ(defaults.count(), 1);
        ASSERT_TRUE(activate());
    }

    // A line edit takes Return where no shortcut does.
    delete shortcut;
    focusByKeyboard(field);
    test::holdKey(field, Qt::Key_Return, 20, {}, test::Repeats::unmarked);
    test::holdKey(field, Qt::Key_Return);
    EXPECT_EQ(entered.count(), 2);
    test::holdKey(field, Qt::Key_Space, 3);
    EXPECT_EQ(field->text(), QStringLiteral("    "));

    focusByKeyboard(area->editor());
    QTest::keyClicks(area->editor(), QStringLiteral("Why?"));
    test::holdKey(area->editor(), Qt::Key_Return, 3);
    EXPECT_EQ(area->text(), QStringLiteral("Why?\n\n\n\n"));
}

// A control that hides once its button did its work passes the focus on as Qt does, as by Tab:
// after a key press the next control shows the ring and is scrolled into view; after a click (on
// the button the Tab key focused, as a click takes no focus) nothing rings and the page stays
// where it is.
TEST(FocusRing, FocusPassedOnByAHiddenControlRingsOnlyAfterTheKeyboard) {
    for (const bool keyboard : {true, false}) {
        SCOPED_TRACE(keyboard);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        QScrollArea* page = makeScrollArea(&window);
        layout->addWidget(page);
        auto* content = new QWidget;
        auto* column = new QVBoxLayout(content);
        auto* done = new ActionButton(QStringLiteral("Try again"));
        auto* gap = new QWidget;
        gap->setFixedHeight(600);
        auto* next = new LinkButton(QStringLiteral("What the app heard"), {},
                                    appFont(12, QFont::Normal), Palette::ink());
        column->addWidget(done);
        column->addWidget(gap);
        column->addWidget(next);
        setScrollContent(page, content);
        QObject::connect(done, &QAbstractButton::clicked, done, &QWidget::hide);
        window.resize(320, 240);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

        focusByKeyboard(done);
        if (keyboard)
            QTest::keyClick(done, Qt::Key_Space);
        else
            QTest::mouseClick(done, Qt::LeftButton, {}, done->rect().center());
        ASSERT_FALSE(done->isVisible());
        ASSERT_EQ(QApplication::focusWidget(), next);
        EXPECT_EQ(FocusRing::shownOn(next), keyboard);
        QTest::qWait(1);
        const QRect shown(next->mapTo(page->viewport(), QPoint()), next->size());
        EXPECT_EQ(page->viewport()->rect().contains(shown), keyboard);
        EXPECT_EQ(page->verticalScrollBar()->value() > 0, keyboard);
    }
}

// Tab and Shift+Tab from a control outside a page (the top bar, the bottom bar) into it scroll the
// page to the control they focus, as Tab within the page does.
TEST(FocusRing, TabFromOutsideAPageScrollsToTheControlItFocuses) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* top = new ActionButton(QStringLiteral("Settings"));
    QScrollArea* page = makeScrollArea(&window);
    auto* bottom = new ActionButton(QStringLiteral("Pause"));
    layout->addWidget(top);
    layout->addWidget(page);
    layout->addWidget(bottom);
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    auto* first = new ActionButton(QStringLiteral("Open setup guide"));
    auto* gap = new QWidget;
    gap->setFixedHeight(900);
    auto* last = new ActionButton(QStringLiteral("Data and privacy"));
    column->addWidget(first);
    column->addWidget(gap);
    column->addWidget(last);
    setScrollContent(page, content);
    QWidget::setTabOrder(top, first);
    QWidget::setTabOrder(first, last);
    QWidget::setTabOrder(last, bottom);
    window.resize(320, 300);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto inView = [&](QWidget* control) {
        const QRect shown(control->mapTo(page->viewport(), QPoint()), control->size());
        return page->viewport()->rect().contains(shown);
    };

    QScrollBar* bar = page->verticalScrollBar();
    bar->setValue(bar->maximum());
    focusByKeyboard(top);
    QTest::keyClick(top, Qt::Key_Tab);
    ASSERT_TRUE(FocusRing::shownOn(first));
    QTest::qWait(1);
    EXPECT_TRUE(inView(first));

    bar->setValue(0);
    focusByKeyboard(bottom);
    QTest::keyClick(bottom, Qt::Key_Backtab);
    ASSERT_TRUE(FocusRing::shownOn(last));
    QTest::qWait(1);
    EXPECT_TRUE(inView(last));
}
