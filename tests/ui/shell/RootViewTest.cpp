#include "ui/shell/RootView.h"

#include "fixture/ScreenFixture.h"
#include "ui/foundation/LinkButton.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/preparation/ProfileView.h"
#include "ui/shell/AppNavigation.h"
#include "ui/shell/MessageBanner.h"
#include "ui/shell/NavigationTab.h"

#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvel;
using fixture::ScreenFixture;

namespace {

struct Root {
    explicit Root(ScreenFixture& fixture) : view(fixture.environment()) {
        view.resize(1280, 860);
        view.show();
        QTest::qWait(10);
    }
    MessageBanner& banner() const { return *view.banner(); }
    AppNavigation& bar() const { return *view.navigation(); }
    // The screen's class.
    QString screenName() const {
        return view.screen() ? QString::fromLatin1(view.screen()->metaObject()->className())
                             : QString();
    }
    RootView view;
};

} // namespace

TEST(AppNavigation, LookFollowsTheSectionAndTheSession) {
    const QString idleHelp = QStringLiteral("Reopen the setup and permissions guide");
    const QString busyHelp = QStringLiteral("Finish your session before reopening setup");
    struct Case {
        AppSection section;
        bool session;
        AppNavigation::Look look;
    };
    const Case cases[] = {
        {AppSection::overview, false, {true, false, false, false, true, idleHelp, false, false}},
        {AppSection::profile, false, {true, false, false, false, true, idleHelp, false, false}},
        {AppSection::session, true, {false, true, true, true, false, busyHelp, false, false}},
        {AppSection::history, true, {false, false, true, true, false, busyHelp, true, false}},
        {AppSection::settings, false, {false, false, false, false, true, idleHelp, false, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AppNavigation::lookFor(c.section, c.session), c.look)
            << rawValue(c.section).toStdString() << " session " << c.session;
}

TEST(RootView, TheBannerShowsAMessageVerbatimWrapsItAndIsDismissed) {
    ScreenFixture fixture;
    Root root(fixture);
    EXPECT_TRUE(root.banner().isHidden());
    EXPECT_EQ(root.view.screen()->y(), root.bar().height()); // no gap without a message

    const QString markup = QStringLiteral("<img src=x> <a href=\"https://example.com\">open</a>");
    fixture.store().setMessage(markup);
    QTest::qWait(10);
    EXPECT_FALSE(root.banner().isHidden());
    EXPECT_EQ(root.banner().text()->text(), markup);
    const int oneLine = root.banner().height();

    fixture.store().setMessage(QStringLiteral("First line\nSecond line\nThird line"));
    QTest::qWait(10);
    EXPECT_GT(root.banner().height(), oneLine + 30);
    EXPECT_GE(root.view.screen()->y(), root.bar().height() + root.banner().height());
    QTest::mouseClick(root.banner().dismissButton(), Qt::LeftButton);
    EXPECT_EQ(fixture.store().message(), std::nullopt);
    EXPECT_TRUE(root.banner().isHidden());
}

TEST(RootView, EverySectionChangeBuildsAFreshScreen) {
    ScreenFixture fixture({{QStringLiteral("section"), QStringLiteral("overview")}});
    Root root(fixture);
    EXPECT_EQ(root.screenName(), QStringLiteral("corvel::ProfileView"));
    const std::pair<AppSection, const char*> steps[] = {
        {AppSection::history, "corvel::HistoryView"},
        {AppSection::session, "corvel::SessionView"},
        {AppSection::settings, "corvel::SettingsView"},
        {AppSection::profile, "corvel::ProfileView"}};
    for (const auto& [section, name] : steps) {
        const QPointer<QWidget> before = root.view.screen();
        fixture.store().setSection(section);
        QTest::qWait(10);
        EXPECT_EQ(root.screenName(), QLatin1String(name));
        EXPECT_TRUE(before.isNull()) << name;
    }
}

TEST(RootView, TabsAndButtonsSwitchSectionsAndFollowTheSession) {
    ScreenFixture fixture;
    Root root(fixture);
    AppNavigation& bar = root.bar();
    EXPECT_TRUE(bar.prepareTab()->isCurrent());
    EXPECT_FALSE(bar.sessionTab()->isEnabled());
    EXPECT_FALSE(bar.sessionTab()->showsLiveBadge());
    QTest::mouseClick(bar.sessionTab(), Qt::LeftButton);
    EXPECT_EQ(fixture.store().section(), AppSection::profile);

    QTest::mouseClick(bar.historyButton(), Qt::LeftButton);
    EXPECT_EQ(fixture.store().section(), AppSection::history);
    EXPECT_FALSE(bar.prepareTab()->isCurrent());
    QTest::mouseClick(bar.settingsButton(), Qt::LeftButton);
    EXPECT_EQ(fixture.store().section(), AppSection::settings);

    QSignalSpy guide(&fixture.notifications(), &AppNotifications::showSetupGuide);
    QTest::mouseClick(bar.setupGuideButton(), Qt::LeftButton);
    EXPECT_EQ(guide.count(), 1);

    ASSERT_TRUE(fixture.startSession());
    fixture.store().setSection(AppSection::history);
    EXPECT_TRUE(bar.sessionTab()->isEnabled());
    EXPECT_TRUE(bar.sessionTab()->showsLiveBadge()); // also on another section
    EXPECT_FALSE(bar.setupGuideButton()->isEnabled());
    QTest::mouseClick(bar.setupGuideButton(), Qt::LeftButton);
    EXPECT_EQ(guide.count(), 1);
    QTest::mouseClick(bar.sessionTab(), Qt::LeftButton);
    EXPECT_EQ(fixture.store().section(), AppSection::session);
    EXPECT_TRUE(bar.sessionTab()->isCurrent());
    QTest::mouseClick(bar.prepareTab(), Qt::LeftButton);
    EXPECT_EQ(fixture.store().section(), AppSection::profile);
}

// A shortcut that swaps the page or the section while the keyboard focus is inside it never
// hands the focus (and a ring) to a navigation tab.
TEST(RootView, ShortcutsLeaveNoFocusOnTheTabs) {
    ScreenFixture fixture({{QStringLiteral("section"), QStringLiteral("profile")}});
    Root root(fixture);
    QApplication::setActiveWindow(&root.view);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&root.view));
    const auto tabFocused = [] {
        return qobject_cast<NavigationTab*>(QApplication::focusWidget()) != nullptr;
    };
    const auto tabIntoScreen = [&] {
        for (int presses = 0; presses < 30; ++presses) {
            QWidget* focused = QApplication::focusWidget();
            if (focused && root.view.screen()->isAncestorOf(focused))
                return true;
            QTest::keyClick(focused ? focused : &root.view, Qt::Key_Tab);
        }
        return false;
    };
    for (const Qt::Key step : {Qt::Key_2, Qt::Key_3, Qt::Key_1}) {
        ASSERT_TRUE(tabIntoScreen());
        QTest::keyClick(QApplication::focusWidget(), step, Qt::ControlModifier);
        QTest::qWait(10);
        EXPECT_FALSE(tabFocused()) << "after Ctrl+" << char('0' + step - Qt::Key_0);
    }
    ASSERT_TRUE(tabIntoScreen());
    fixture.store().setSection(AppSection::settings);
    QTest::qWait(10);
    EXPECT_FALSE(tabFocused()) << "after a section change";
}
