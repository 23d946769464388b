#include "fixture/ScreenFixture.h"

#include <gtest/gtest.h>

using namespace corvel;
using fixture::ScreenFixture;

// The screen tool and the screen tests rely on the fixture doing what a script asks, and on it
// refusing what it does not know rather than drawing something else.
TEST(ScreenFixture, AppliesTheScriptedStateAndRefusesUnknownKeysOrValues) {
    ScreenFixture fixture({{QStringLiteral("session"), QStringLiteral("active")},
                           {QStringLiteral("account"), QStringLiteral("signedIn")},
                           {QStringLiteral("accountName"), QStringLiteral("Ana")},
                           {QStringLiteral("history"), QStringLiteral("3")},
                           {QStringLiteral("section"), QStringLiteral("history")},
                           {QStringLiteral("message"), QStringLiteral("one\\ntwo")},
                           {QStringLiteral("speech"), QStringLiteral("restricted")}});
    EXPECT_TRUE(fixture.store().isSessionActive());
    EXPECT_EQ(fixture.store().section(), AppSection::history);
    EXPECT_EQ(fixture.store().history().size(), 3u);
    EXPECT_EQ(fixture.store().message(), QStringLiteral("one\ntwo"));
    ASSERT_TRUE(fixture.auth().account());
    EXPECT_EQ(fixture.auth().account()->name, QStringLiteral("Ana"));
    EXPECT_EQ(fixture.permissions().speech(), MacPermissionStatus::restricted);

    fixture.hear(QStringLiteral("How do you handle an outage?"), true);
    EXPECT_TRUE(ScreenFixture::waitFor([&] { return !fixture.store().questionDraft().isEmpty(); }));

    EXPECT_THROW(ScreenFixture({{QStringLiteral("sesion"), QStringLiteral("active")}}),
                 std::invalid_argument);
    EXPECT_THROW(ScreenFixture({{QStringLiteral("section"), QStringLiteral("home")}}),
                 std::invalid_argument);
}
