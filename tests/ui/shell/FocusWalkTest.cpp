#include "fixture/ScreenFixture.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/DisclosureGroup.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/TextArea.h"
#include "ui/preparation/OnboardingView.h"
#include "ui/preparation/PermissionStepContent.h"
#include "ui/settings/HistoryRecordButton.h"
#include "ui/shell/AppEntryView.h"
#include "ui/shell/AppNavigation.h"
#include "ui/shell/NavigationTab.h"
#include "ui/shell/RootView.h"
#include "ui/shell/ScreenFactory.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>

using namespace corvel;
using fixture::ScreenFixture;

namespace {

QString describe(const QWidget* widget) {
    if (!widget)
        return QStringLiteral("(nothing)");
    if (!widget->accessibleName().isEmpty())
        return widget->accessibleName();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return QString::fromLatin1(widget->metaObject()->className());
}

QWidget* focused() {
    return QApplication::focusWidget();
}

void press(QWidget& window, Qt::Key key) {
    QTest::keyClick(focused() ? focused() : &window, key);
}

// Whether the control's ring shows whole on the window's pixels: ink on all four sides.
bool ringPaints(QWidget& window, const QWidget* control) {
    const FocusRing* ring = FocusRing::of(control);
    if (!ring || !ring->visible() || ring->ringRect().isEmpty())
        return false;
    const QRect outer = ring->ringRect().toAlignedRect();
    const QPoint middle = outer.center();
    const QImage image = window.grab().toImage();
    return std::ranges::all_of(
        std::array{QPoint(outer.left() + 1, middle.y()), QPoint(outer.right() - 1, middle.y()),
                   QPoint(middle.x(), outer.top() + 1), QPoint(middle.x(), outer.bottom() - 1)},
        [&](QPoint point) {
            return image.rect().contains(point) && qGray(image.pixel(point)) < 110;
        });
}

// Every control the window shows that a user can operate.
QStringList visibleControls(const QWidget& window) {
    QStringList names;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->isVisible() && widget->isEnabled() &&
            !widget->testAttribute(Qt::WA_TransparentForMouseEvents) &&
            !qobject_cast<const QScrollBar*>(widget) &&
            (qobject_cast<const QAbstractButton*>(widget) ||
             qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
             qobject_cast<const QAbstractSlider*>(widget)))
            names.append(describe(widget));
    }
    names.sort();
    return names;
}

// Tabs from no focus until the focus comes round: each stop is visible and shows its ring, a
// button takes no focus from a click, and the stops are the visible controls (with `order`, in
// that reading order).
void expectStopsAreTheControls(QWidget& window, const char* screen, const QString& order = {}) {
    SCOPED_TRACE(screen);
    if (focused())
        focused()->clearFocus();
    QStringList stops;
    QList<QWidget*> seen;
    for (int presses = 0; presses < 60; ++presses) {
        press(window, Qt::Key_Tab);
        QWidget* stop = focused();
        if (!stop || seen.contains(stop))
            break;
        seen.append(stop);
        stops.append(describe(stop));
        EXPECT_TRUE(stop->isVisible()) << describe(stop).toStdString();
        EXPECT_TRUE(ringPaints(window, stop)) << "no ring on " << describe(stop).toStdString();
        if (qobject_cast<QAbstractButton*>(stop)) {
            EXPECT_FALSE(stop->focusPolicy() & Qt::ClickFocus) << describe(stop).toStdString();
        }
    }
    EXPECT_GE(stops.size(), 3);
    if (!order.isEmpty()) {
        EXPECT_EQ(stops.join(QStringLiteral(" | ")).toStdString(), order.toStdString());
    }
    stops.sort();
    EXPECT_EQ(stops.join(QLatin1Char('\n')).toStdString(),
              visibleControls(window).join(QLatin1Char('\n')).toStdString());
}

void showActive(QWidget& window, QSize size) {
    window.resize(size);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

struct Root {
    explicit Root(ScreenFixture& fixture) : view(fixture.environment()) {
        showActive(view, {1280, 860});
    }
    RootView view;
};

struct Guide {
    explicit Guide(ScreenFixture& fixture)
        : window(makeGuide(fixture.environment(), [] {})),
          view(qobject_cast<OnboardingView*>(window.get())) {
        showActive(*window, {1100, 760});
    }
    void goTo(GuidedSetupStep step) {
        view->goTo(step);
        QTest::qWait(600);
    }
    std::unique_ptr<QWidget> window;
    OnboardingView* view;
};

// The main window's content, from the main interface once the guide was done.
struct Entry {
    explicit Entry(ScreenFixture& fixture) : view(fixture.environment()) {
        showActive(view, {1280, 860});
    }
    AppEntryView view;
};

void completeGuide() {
    QSettings().setValue(AppEntryView::completedGuidedSetupKey, true);
}

// The controls of `window` that show the keyboard ring.
QStringList ringed(const QWidget& window) {
    QStringList names;
    for (const FocusRing* ring : window.findChildren<FocusRing*>()) {
        if (ring->visible() || !ring->ringRect().isEmpty())
            names.append(describe(qobject_cast<const QWidget*>(ring->parent())));
    }
    return names;
}

void expandAll(QWidget& window) {
    for (DisclosureGroup* group : window.findChildren<DisclosureGroup*>())
        group->setExpanded(true);
    QTest::qWait(50);
}

// The box of what `widget` draws in `image` of `window`: every pixel that differs clearly from
// the canvas colour at the widget's top-left corner.
QRect inkBox(const QImage& image, const QWidget* widget, const QWidget& window) {
    const QRect area(widget->mapTo(&window, QPoint()), widget->size());
    const QRgb canvas = image.pixel(area.topLeft());
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAbs(qGray(pixel) - qGray(canvas)) + qAbs(qGreen(pixel) - qGreen(canvas)) > 40)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// Presses Tab until the focus is on `name`.
bool tabTo(QWidget& window, const QString& name) {
    for (int presses = 0; presses < 40 && describe(focused()) != name; ++presses)
        press(window, Qt::Key_Tab);
    return describe(focused()) == name;
}

bool showSession(ScreenFixture& fixture) {
    if (!fixture.startSession())
        return false;
    fixture.store().setSection(AppSection::session);
    QTest::qWait(50);
    return true;
}

ScreenFixture::Settings prepared(int history = 0) {
    return {{QStringLiteral("prepared"), QStringLiteral("1")},
            {QStringLiteral("history"), QString::number(history)}};
}

} // namespace

// On each screen every Tab stop is a visible control with a ring, and every visible control a
// stop: nothing that shows no focus (a page, a row without a ring) is one.
TEST(FocusWalk, EveryStopIsAVisibleControlWithARing) {
    {
        ScreenFixture fixture;
        Guide guide(fixture);
        ASSERT_NE(guide.view, nullptr);
        for (GuidedSetupStep step : {GuidedSetupStep::welcome, GuidedSetupStep::speech,
                                     GuidedSetupStep::callAudio, GuidedSetupStep::ready}) {
            guide.goTo(step);
            expandAll(*guide.window);
            expectStopsAreTheControls(
                *guide.window, "guide",
                step == GuidedSetupStep::speech
                    ? QStringLiteral("Say hello to your cloud guide | Continue | I’ll do this "
                                     "later | Back | Skip setup for now")
                    : QString());
        }
    }
    {
        // No resume yet: the step offers its drop zone.
        ScreenFixture fixture;
        Root root(fixture);
        fixture.store().setSection(AppSection::profile);
        fixture.store().setPreparationStep(PreparationStep::resume);
        QTest::qWait(300);
        expectStopsAreTheControls(root.view, "resume drop zone");
    }
    ScreenFixture fixture(prepared(3));
    Root root(fixture);
    // The bar, the steps, the section, the buttons under it, the copilot card.
    const QString head = QStringLiteral("Prepare | Setup guide | History | Settings | Step 1 of 3: "
                                        "The role | Step 2 of 3: Your resume | Step 3 of 3: Your "
                                        "call | ");
    for (const auto& [step, section] : std::map<PreparationStep, const char*>{
             {PreparationStep::role, "Job title | Company | Job description, required | Continue"},
             {PreparationStep::resume, "Choose a file instead | View and edit resume text | "
                                       "Resume text, required | Back | Continue"},
             {PreparationStep::call, "English | French | Anything else I should know? · Optional "
                                     "| Additional information, optional | Edit the role | Edit "
                                     "your resume | Back | Start session"}}) {
        fixture.store().setSection(AppSection::profile);
        fixture.store().setPreparationStep(step);
        QTest::qWait(300);
        expandAll(root.view);
        expectStopsAreTheControls(root.view, "preparation",
                                  head + QString::fromUtf8(section) +
                                      QStringLiteral(" | Say hello to your cloud guide"));
    }
    const auto walkAfter = [&](const char* screen, bool expand, const auto& change) {
        change();
        QTest::qWait(50);
        if (expand)
            expandAll(root.view);
        expectStopsAreTheControls(root.view, screen);
    };
    walkAfter("settings", true, [&] { fixture.store().setSection(AppSection::settings); });
    walkAfter("history list", false, [&] { fixture.store().setSection(AppSection::history); });
    walkAfter("history record", false,
              [&] { fixture.store().setSelectedRecord(fixture.store().history().front()); });
    fixture.store().setSelectedRecord(std::nullopt);
    ASSERT_TRUE(fixture.startSession());
    walkAfter("session", true, [&] {
        fixture.store().setSection(AppSection::session);
        fixture.store().setQuestionDraft(QStringLiteral("Why this role?"));
    });
}

// Tab and Shift+Tab leave every multi-line field of the app and type nothing into it.
TEST(FocusWalk, TabLeavesEveryMultiLineField) {
    ScreenFixture fixture(prepared());
    Root root(fixture);
    const auto checkFields = [&](const char* screen) {
        SCOPED_TRACE(screen);
        expandAll(root.view);
        int fields = 0;
        for (TextArea* area : root.view.findChildren<TextArea*>()) {
            if (!area->isVisible())
                continue;
            ++fields;
            const QString before = area->text();
            for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
                focusByKeyboard(area->editor());
                press(root.view, key);
                EXPECT_FALSE(area->editor()->hasFocus()) << area->accessibleName().toStdString();
                EXPECT_EQ(area->text(), before);
            }
        }
        EXPECT_GE(fields, 1);
    };
    for (PreparationStep step :
         {PreparationStep::role, PreparationStep::resume, PreparationStep::call}) {
        fixture.store().setPreparationStep(step);
        QTest::qWait(300);
        checkFields("preparation");
    }
    ASSERT_TRUE(showSession(fixture));
    checkFields("session");
}

// From the typed question, Tab goes on in reading order up to "End session".
TEST(FocusWalk, TabFromTheManualQuestionReachesEndSession) {
    ScreenFixture fixture(prepared());
    Root root(fixture);
    ASSERT_TRUE(showSession(fixture));
    expandAll(root.view);
    TextArea* manual = nullptr;
    for (TextArea* area : root.view.findChildren<TextArea*>())
        manual = area->isVisible() ? area : manual;
    ASSERT_NE(manual, nullptr);
    focusByKeyboard(manual->editor());
    QTest::keyClicks(manual->editor(), QStringLiteral("Why this role?"));
    QTest::qWait(20);
    QStringList stops;
    for (int presses = 0; presses < 5; ++presses) {
        press(root.view, Qt::Key_Tab);
        stops.append(describe(focused()));
        EXPECT_TRUE(ringPaints(root.view, focused())) << stops.last().toStdString();
    }
    EXPECT_EQ(
        stops.join(QStringLiteral(", ")).toStdString(),
        "Suggest an answer, Interview language: English, Floating window, Pause, End session");
    EXPECT_EQ(manual->text(), QStringLiteral("Why this role?"));
}

// Opening a past interview, going back, starting and ending a session, by keyboard or mouse,
// leave the focus on a control of the new screen or nowhere, never on a navigation tab.
TEST(FocusWalk, ScreenChangesLeaveNoFocusOnTheTabs) {
    ScreenFixture fixture(prepared(2));
    fixture.store().setSection(AppSection::history);
    Root root(fixture);
    const auto expectSettled = [&](const char* change) {
        QTest::qWait(50);
        SCOPED_TRACE(change);
        EXPECT_EQ(qobject_cast<NavigationTab*>(focused()), nullptr)
            << describe(focused()).toStdString();
        for (NavigationTab* tab : root.view.findChildren<NavigationTab*>())
            EXPECT_FALSE(FocusRing::of(tab)->visible()) << tab->text().toStdString();
        EXPECT_TRUE(!focused() || root.view.screen()->isAncestorOf(focused()))
            << describe(focused()).toStdString();
    };
    auto* row = root.view.findChild<HistoryRecordButton*>();
    ASSERT_TRUE(tabTo(root.view, describe(row)));
    press(root.view, Qt::Key_Space);
    ASSERT_TRUE(fixture.store().selectedRecord().has_value());
    expectSettled("a record opened by keyboard");
    EXPECT_NE(focused(), nullptr) << "the keyboard user keeps a place on the page";
    ASSERT_TRUE(tabTo(root.view, QStringLiteral("All interviews")));
    press(root.view, Qt::Key_Space);
    ASSERT_FALSE(fixture.store().selectedRecord().has_value());
    expectSettled("back to the list by keyboard");

    row = root.view.findChild<HistoryRecordButton*>();
    QTest::mouseClick(row, Qt::LeftButton, {}, row->rect().center());
    expectSettled("a record opened by a click");
    fixture.store().setSelectedRecord(std::nullopt);
    expectSettled("back to the list from the store");

    fixture.store().setSection(AppSection::profile);
    fixture.store().setPreparationStep(PreparationStep::call);
    QTest::qWait(300);
    ASSERT_TRUE(tabTo(root.view, QStringLiteral("Start session")));
    press(root.view, Qt::Key_Space);
    ASSERT_TRUE(ScreenFixture::waitFor([&] { return fixture.store().isSessionActive(); }));
    QTest::qWait(100);
    expectSettled("a session started by keyboard");
    ASSERT_TRUE(tabTo(root.view, QStringLiteral("End session")));
    press(root.view, Qt::Key_Space);
    ASSERT_TRUE(ScreenFixture::waitFor([&] { return !fixture.store().isSessionActive(); }));
    QTest::qWait(100);
    expectSettled("a session ended by keyboard");
    EXPECT_TRUE(ringPaints(root.view, focused())) << describe(focused()).toStdString();
}

// Return and Enter press the top bar's tab or button that shows the ring, as Space does.
TEST(FocusWalk, ReturnPressesTheRingedTabOrButton) {
    ScreenFixture fixture(prepared(1));
    fixture.store().setSection(AppSection::settings);
    Root root(fixture);
    ASSERT_TRUE(tabTo(root.view, QStringLiteral("Prepare")));
    press(root.view, Qt::Key_Return);
    EXPECT_EQ(fixture.store().section(), AppSection::profile);
    ASSERT_TRUE(tabTo(root.view, QStringLiteral("History")));
    ASSERT_TRUE(ringPaints(root.view, focused()));
    press(root.view, Qt::Key_Enter);
    EXPECT_EQ(fixture.store().section(), AppSection::history);
}

// Opening the setup guide (from the top bar or Settings), skipping it and finishing it by
// keyboard hand the focus, ring and all, to the first control of what shows next.
TEST(FocusWalk, TheGuideAndThePreparationTakeOverTheKeyboardFocus) {
    ScreenFixture fixture;
    completeGuide();
    Entry entry(fixture);
    const auto pressOn = [&](const char* name) {
        ASSERT_TRUE(tabTo(entry.view, QString::fromUtf8(name)));
        press(entry.view, Qt::Key_Space);
        QTest::qWait(50);
    };
    const auto expectFirst = [&](const char* move, const char* name) {
        SCOPED_TRACE(move);
        EXPECT_EQ(describe(focused()).toStdString(), name);
        EXPECT_TRUE(ringPaints(entry.view, focused()));
    };
    const char* guideFirst = "Say hello to your cloud guide";
    const char* preparationFirst = "Step 1 of 3: The role";

    pressOn("Setup guide");
    ASSERT_TRUE(entry.view.showsGuide());
    expectFirst("the guide opened from the top bar", guideFirst);
    pressOn("Skip setup for now");
    ASSERT_FALSE(entry.view.showsGuide());
    expectFirst("the guide skipped", preparationFirst);

    pressOn("Setup guide");
    qobject_cast<OnboardingView*>(entry.view.content())->goTo(GuidedSetupStep::ready);
    QTest::qWait(600);
    pressOn("Prepare my interview");
    ASSERT_FALSE(entry.view.showsGuide());
    expectFirst("the guide finished", preparationFirst);

    fixture.store().setSection(AppSection::settings);
    QTest::qWait(50);
    pressOn("Open setup guide");
    ASSERT_TRUE(entry.view.showsGuide());
    expectFirst("the guide opened from Settings", guideFirst);
}

// A click ends keyboard use: after Tab presses, a click that changes the screen leaves no focus
// and no ring on the next one, also when the click does not move the focus (a navigation tab, or
// the focused button itself), and the next Tab brings the ring back.
TEST(FocusWalk, AClickAfterTabPressesRingsNothingOnTheNextScreen) {
    ScreenFixture fixture(prepared());
    fixture.store().setSection(AppSection::settings);
    completeGuide();
    Entry entry(fixture);
    const auto button = [&](const QString& name) -> QWidget* {
        for (QAbstractButton* button : entry.view.findChildren<QAbstractButton*>()) {
            if (button->isVisible() && describe(button) == name)
                return button;
        }
        return nullptr;
    };
    const auto clickAfterTabs = [&](const char* stop, const char* clicked) {
        SCOPED_TRACE(clicked);
        ASSERT_TRUE(tabTo(entry.view, QString::fromUtf8(stop)));
        ASSERT_TRUE(ringPaints(entry.view, focused()));
        QWidget* target = button(QString::fromUtf8(clicked));
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        QTest::qWait(50);
        EXPECT_EQ(ringed(entry.view).join(QStringLiteral(", ")).toStdString(), "");
        EXPECT_EQ(focused(), nullptr) << describe(focused()).toStdString();
        press(entry.view, Qt::Key_Tab);
        EXPECT_TRUE(ringPaints(entry.view, focused())) << "Tab brings keyboard use back";
    };

    clickAfterTabs("Open setup guide", "Open setup guide");
    ASSERT_TRUE(entry.view.showsGuide());
    clickAfterTabs("Say hello to your cloud guide", "Skip setup for now");
    ASSERT_FALSE(entry.view.showsGuide());
    ASSERT_TRUE(fixture.startSession());
    fixture.store().setSection(AppSection::profile);
    QTest::qWait(50);
    clickAfterTabs("Step 1 of 3: The role", "Session, live");
    EXPECT_EQ(fixture.store().section(), AppSection::session);
}

// "Continue" pressed by keyboard turns off when the next step needs a resume: the focus goes on
// into the new step instead of being dropped.
TEST(FocusWalk, AStepLeftByKeyboardKeepsTheFocusInThePage) {
    ScreenFixture fixture;
    InterviewContext context = fixture.store().context();
    context.jobDescription = QStringLiteral("Build the deployment platform.");
    fixture.store().setContext(context);
    fixture.store().setSection(AppSection::profile);
    Root root(fixture);
    QAbstractButton* next = nullptr;
    for (QAbstractButton* button : root.view.findChildren<QAbstractButton*>())
        next = button->isVisible() && button->text() == QStringLiteral("Continue") ? button : next;
    ASSERT_NE(next, nullptr);
    focusByKeyboard(next);
    press(root.view, Qt::Key_Space);
    QTest::qWait(300);
    ASSERT_EQ(fixture.store().preparationStep(), PreparationStep::resume);
    ASSERT_NE(focused(), nullptr);
    EXPECT_NE(focused(), next);
    EXPECT_TRUE(root.view.screen()->isAncestorOf(focused()));
    EXPECT_TRUE(ringPaints(root.view, focused())) << describe(focused()).toStdString();
}

// The ring takes no layout room: on the drawn pixels the gaps are as designed, and a keyboard
// ring moves nothing.
TEST(FocusWalk, TheRingTakesNoRoomGapsMeasuredOnPixels) {
    ScreenFixture fixture(prepared());
    Root root(fixture);
    ASSERT_TRUE(showSession(fixture));
    AppNavigation& bar = *root.view.navigation();
    const QImage top = root.view.grab().toImage();
    const auto ink = [&](const QWidget* widget) { return inkBox(top, widget, root.view); };
    // The title of "Prepare" to the current tab's square, "Session"'s.
    EXPECT_NEAR(ink(bar.sessionTab()).left() - ink(bar.prepareTab()).right() - 1, 24, 1)
        << "between the tabs";
    EXPECT_NEAR(ink(bar.historyButton()).left() - ink(bar.setupGuideButton()).right() - 1, 20, 2)
        << "between the top bar's buttons";
    EXPECT_NEAR(root.view.width() - ink(bar.settingsButton()).right() - 1, 36, 1)
        << "after Settings";
    for (QWidget* control :
         std::initializer_list<QWidget*>{bar.prepareTab(), bar.historyButton()}) {
        focusByKeyboard(control);
        QTest::qWait(10);
        ASSERT_TRUE(ringPaints(root.view, control));
        const QRect geometry = control->geometry();
        bar.layout()->activate();
        EXPECT_EQ(control->geometry(), geometry);
        control->clearFocus();
    }

    Guide guide(fixture);
    fixture.setPermission(MacPermissionKind::speech, MacPermissionStatus::restricted);
    ASSERT_NE(guide.view, nullptr);
    guide.goTo(GuidedSetupStep::speech);
    auto* step = qobject_cast<PermissionStepContent*>(guide.view->content());
    ASSERT_NE(step, nullptr);
    ASSERT_TRUE(step->checkAgainButton()->isVisible());
    const QImage image = guide.window->grab().toImage();
    const QRect button = inkBox(image, step->primaryButton(), *guide.window);
    const QRect check = inkBox(image, step->checkAgainButton(), *guide.window);
    const QFontMetricsF metrics(appFont(12, QFont::Medium));
    // The text's box starts a line's ascent above its baseline, the capital's top a cap height.
    const qreal aboveCapitals = metrics.ascent() - metrics.capHeight();
    EXPECT_NEAR(check.top() - button.bottom() - 1, 18 + aboveCapitals, 1.5) << "above Check again";
    EXPECT_NEAR(check.left(), button.left(), 1.5) << "Check again on the column's edge";
    EXPECT_NEAR(inkBox(image, step->laterButton(), *guide.window).left(), button.left(), 1.5)
        << "I’ll do this later on the column's edge";
}

// A window opens with nothing focused (Qt's first control would take Space unseen); the first
// Tab reaches that control, ring and all.
TEST(FocusWalk, AWindowOpensWithNothingFocused) {
    ScreenFixture fixture;
    Root root(fixture);
    QTest::qWait(20);
    EXPECT_EQ(focused(), nullptr) << describe(focused()).toStdString();
    press(root.view, Qt::Key_Tab);
    EXPECT_EQ(describe(focused()).toStdString(), "Prepare");
    EXPECT_TRUE(ringPaints(root.view, focused()));
}

// Shift+Tab visits the stops Tab visits, in reverse, also around the end of the window: a field
// moved in the Tab order leaves nothing behind that Shift+Tab would jump back to.
TEST(FocusWalk, ShiftTabRetracesTab) {
    ScreenFixture fixture(prepared());
    Root root(fixture);
    const auto retrace = [&](const char* screen) {
        SCOPED_TRACE(screen);
        expandAll(root.view);
        if (QWidget* widget = focused())
            widget->clearFocus();
        QStringList forward;
        for (int presses = 0; presses < 30; ++presses) {
            press(root.view, Qt::Key_Tab);
            forward.append(describe(focused()));
        }
        QStringList backward{forward.last()};
        for (int presses = 1; presses < 30; ++presses) {
            press(root.view, Qt::Key_Backtab);
            backward.prepend(describe(focused()));
        }
        EXPECT_EQ(backward.join(u" | ").toStdString(), forward.join(u" | ").toStdString());
    };
    QTest::qWait(300);
    retrace("preparation");
    ASSERT_TRUE(showSession(fixture));
    retrace("session");
}
