#include "ui/foundation/GoogleSignInButton.h"

#include "fixture/ScreenFixture.h"
#include "ui/foundation/ActivitySpinner.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvel;
using fixture::ScreenFixture;

TEST(GoogleSignInButton, LookByTheOrderOfConditions) {
    const QString idle = QStringLiteral("Sign in with Google");
    const QString busy = QStringLiteral("Signing in with Google");
    const QString inSession = QStringLiteral("End the session before changing accounts.");
    const QString opens = QStringLiteral("Opens Google's secure sign-in window.");
    const QString unavailable =
        QStringLiteral("Google sign-in is not available in this build yet.");
    struct Case {
        bool configured, busy, session;
        GoogleSignInButton::Look look;
    };
    const Case cases[] = {
        {true, false, false, {true, false, idle, opens}},
        {false, false, false, {false, false, idle, unavailable}},
        {true, true, false, {false, true, busy, opens}},
        {true, false, true, {false, false, idle, inSession}},
        {false, true, true, {false, true, busy, inSession}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GoogleSignInButton::lookFor(c.configured, c.busy, c.session), c.look)
            << c.configured << c.busy << c.session;
}

TEST(GoogleSignInButton, FollowsTheStoresAndStartsOneSignInPerClick) {
    ScreenFixture fixture;
    GoogleSignInButton button(fixture.environment());
    button.show();
    EXPECT_FALSE(button.showsArtwork());

    QSignalSpy busy(&fixture.auth(), &GoogleAuthStore::isBusyChanged);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(busy.count(), 1);
    EXPECT_TRUE(fixture.auth().isBusy());
    EXPECT_FALSE(button.isEnabled());
    EXPECT_TRUE(button.spinner()->isVisible());

    fixture.auth().cancel();
    EXPECT_TRUE(button.isEnabled());
    EXPECT_TRUE(button.spinner()->isHidden());
    ASSERT_TRUE(fixture.startSession());
    EXPECT_FALSE(button.isEnabled());
    EXPECT_EQ(button.accessibleDescription(),
              QStringLiteral("End the session before changing accounts."));
}

TEST(GoogleSignInButton, AnUnconfiguredSignInCannotBeStarted) {
    ScreenFixture fixture({{QStringLiteral("signInConfigured"), QStringLiteral("0")}});
    GoogleSignInButton button(fixture.environment());
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_FALSE(button.isEnabled());
    EXPECT_FALSE(fixture.auth().isBusy());
}

TEST(GoogleSignInButton, DrawsTheArtworkWhenTheAppCarriesIt) {
    QTemporaryDir resources;
    QImage art(188, 44, QImage::Format_RGB32);
    art.fill(Qt::red);
    ASSERT_TRUE(QDir(resources.path()).mkpath(QStringLiteral("SignIn")));
    ASSERT_TRUE(art.save(resources.filePath(QStringLiteral("SignIn/GoogleSignIn-Neutral.png"))));
    qputenv("CORVEL_RESOURCE_DIR", resources.path().toUtf8());
    ScreenFixture fixture;
    GoogleSignInButton button(fixture.environment());
    qunsetenv("CORVEL_RESOURCE_DIR");
    button.show();
    ASSERT_TRUE(button.showsArtwork());
    EXPECT_EQ(button.grab().toImage().pixelColor(94, 22), QColor(Qt::red));
}
