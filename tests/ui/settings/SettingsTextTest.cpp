#include "ui/settings/SettingsText.h"
#include "ui/settings/AccountCardState.h"
#include "ui/settings/PermissionRowText.h"

#include <gtest/gtest.h>

using namespace corvel;
using namespace corvel::settings;

TEST(SettingsTextTest, OpacityLabelTruncatesTheStoredValue) {
    const struct {
        double opacity;
        const char* label;
    } cases[] = {{0.35, "35 %"},   {0.57, "56 %"},  {0.58, "57 %"}, {0.84, "84 %"},
                 {0.8437, "84 %"}, {0.849, "84 %"}, {0.98, "98 %"}};
    for (const auto& c : cases)
        EXPECT_EQ(opacityLabel(c.opacity), QString::fromUtf8(c.label)) << c.opacity;
}

TEST(SettingsTextTest, LanguagePillsSelectEnglishOnlyForEnglishValues) {
    const auto& options = languageOptions();
    ASSERT_EQ(options.size(), 2u);
    EXPECT_EQ(options[0].stored, QStringLiteral("Français"));
    EXPECT_EQ(options[0].title, QStringLiteral("French"));
    EXPECT_EQ(options[1].stored, QStringLiteral("English"));
    const struct {
        const char* language;
        bool english;
    } cases[] = {{"English", true},   {" en-GB ", true}, {"anglais", true}, {"EN-us", true},
                 {"Français", false}, {"", false},       {"German", false}, {"en-AU", false}};
    for (const auto& c : cases) {
        const QString language = QString::fromUtf8(c.language);
        EXPECT_EQ(isSelected(options[1], language), c.english) << c.language;
        EXPECT_EQ(isSelected(options[0], language), !c.english) << c.language;
    }
}

TEST(SettingsTextTest, VersionLineFallsBackWithoutAVersion) {
    BundleInfo bundle;
    EXPECT_EQ(versionLine(bundle), QStringLiteral("Corvel Interview · 0.6.4 · Linux"));
    bundle.shortVersion = QStringLiteral("1.2.0");
    EXPECT_EQ(versionLine(bundle), QStringLiteral("Corvel Interview · 1.2.0 · Linux"));
}

TEST(SettingsTextTest, PrivateConnectionStatesByKeyCheckAndVerification) {
    const struct {
        bool key, checking, verified;
        const char* tag;
        bool positive;
        const char* placeholder;
        const char* check;
        bool checkEnabled;
    } cases[] = {
        {false, false, false, "Add a key", false, "Paste your OpenAI API key", "Check connection",
         false},
        {true, false, false, "Key saved", false, "Replace your API key", "Check connection", true},
        {true, true, false, "Key saved", false, "Replace your API key", "Checking…", false},
        {true, false, true, "Connection verified", true, "Replace your API key", "Check connection",
         true},
        // Verified wins over every other flag.
        {false, true, true, "Connection verified", true, "Paste your OpenAI API key", "Checking…",
         false},
    };
    for (const auto& c : cases) {
        const auto state = privateConnectionState(c.key, c.checking, c.verified);
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(state.tagText, QString::fromUtf8(c.tag));
        EXPECT_EQ(state.tagPositive, c.positive);
        EXPECT_EQ(state.placeholder, QString::fromUtf8(c.placeholder));
        EXPECT_EQ(state.checkTitle, QString::fromUtf8(c.check));
        EXPECT_EQ(state.checkIcon.isEmpty(), c.checking);
        EXPECT_EQ(state.checkEnabled, c.checkEnabled);
        EXPECT_EQ(state.entryEnabled, !c.checking);
        EXPECT_EQ(state.deleteShown, c.key);
    }
    EXPECT_FALSE(canSaveDraft(QStringLiteral(" \t\n"), false));
    EXPECT_TRUE(canSaveDraft(QStringLiteral("  sk-abc  "), false));
    EXPECT_FALSE(canSaveDraft(QStringLiteral("sk-abc"), true));
}

TEST(SettingsTextTest, AccountCardByFirstMatchingState) {
    const GoogleAccount named{
        QStringLiteral("1061"), QStringLiteral("ana@example.com"), QStringLiteral("Ana Lima"), {}};
    const GoogleAccount unnamed{
        QStringLiteral("1062"), QStringLiteral("bo@example.com"), QString(), {}};
    const auto failure = std::optional<QString>(QStringLiteral("Google sign-in cancelled."));

    auto in = AccountCardState::make(named, false, true, failure, false);
    EXPECT_EQ(in.tagText, QStringLiteral("Signed in"));
    EXPECT_TRUE(in.tagPositive);
    EXPECT_EQ(in.displayName, QStringLiteral("Ana Lima"));
    EXPECT_TRUE(in.signOutEnabled);
    EXPECT_EQ(in.signOutHelp, QStringLiteral("Sign out on this computer"));
    EXPECT_FALSE(in.sessionNoteShown);
    EXPECT_EQ(in.note, failure);

    // An empty name shows the e-mail twice.
    EXPECT_EQ(AccountCardState::make(unnamed, false, true, {}, false).displayName,
              QStringLiteral("bo@example.com"));

    auto during = AccountCardState::make(named, false, true, {}, true);
    EXPECT_FALSE(during.signOutEnabled);
    EXPECT_EQ(during.signOutHelp, QStringLiteral("End the session before changing accounts"));
    EXPECT_TRUE(during.sessionNoteShown);
    EXPECT_FALSE(AccountCardState::make(named, true, true, {}, false).signOutEnabled);

    auto out = AccountCardState::make(std::nullopt, false, true, {}, false);
    EXPECT_EQ(out.tagText, QStringLiteral("Preparation only"));
    EXPECT_FALSE(out.tagPositive);
    EXPECT_FALSE(out.cancelShown);
    EXPECT_FALSE(out.configurationNoteShown);

    auto busy = AccountCardState::make(std::nullopt, true, true, {}, false);
    EXPECT_TRUE(busy.cancelShown);
    EXPECT_TRUE(busy.cancelEnabled);
    auto busyDuring = AccountCardState::make(std::nullopt, true, true, {}, true);
    EXPECT_TRUE(busyDuring.cancelShown);
    EXPECT_FALSE(busyDuring.cancelEnabled);

    // Unconfigured: the fixed note replaces any message.
    auto unconfigured = AccountCardState::make(std::nullopt, false, false, failure, false);
    EXPECT_TRUE(unconfigured.configurationNoteShown);
    EXPECT_FALSE(unconfigured.note);
}

TEST(SettingsTextTest, PermissionRowsForEveryStatus) {
    EXPECT_EQ(PermissionRowText::of(MacPermissionStatus::allowed),
              (PermissionRowText{QStringLiteral("checkmark"), QStringLiteral("Allowed")}));
    EXPECT_EQ(PermissionRowText::of(MacPermissionStatus::needsAccess),
              (PermissionRowText{QStringLiteral("minus"), QStringLiteral("Not allowed")}));
    EXPECT_EQ(PermissionRowText::of(MacPermissionStatus::denied),
              PermissionRowText::of(MacPermissionStatus::needsAccess));
    EXPECT_EQ(PermissionRowText::of(MacPermissionStatus::restricted),
              (PermissionRowText{QStringLiteral("minus"),
                                 QStringLiteral("Not available on this computer")}));
}
