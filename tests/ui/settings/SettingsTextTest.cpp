#include "ui/settings/SettingsText.h"
#include "ui/settings/AccountCardState.h"

#include <gtest/gtest.h>

using namespace corvel;
using namespace corvel::settings;

TEST(SettingsTextTest, OpacityLabelTruncatesTheStoredValue) {
    const struct {
        double opacity;
        const char* label;
    } cases[] = {{0.35, "35 %"}, {0.57, "56 %"}, {0.849, "84 %"}, {0.98, "98 %"}};
    for (const auto& c : cases)
        EXPECT_EQ(opacityLabel(c.opacity), QString::fromUtf8(c.label)) << c.opacity;
}

TEST(SettingsTextTest, LanguagePillsSelectEnglishOnlyForEnglishValues) {
    const auto& options = languageOptions();
    ASSERT_EQ(options.size(), 2u);
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

// The tag and the sign-out help by state are checked through AccountSettingsView.
TEST(SettingsTextTest, AccountCardByAccountBusySessionAndConfiguration) {
    const GoogleAccount ana{
        QStringLiteral("1061"), QStringLiteral("ana@example.com"), QStringLiteral("Ana Lima"), {}};
    GoogleAccount unnamed = ana;
    unnamed.name = QString();
    const std::optional<QString> failure = QStringLiteral("Google sign-in cancelled.");
    const struct {
        std::optional<GoogleAccount> account;
        bool busy, configured, session;
        const char* name;
        bool signOut, cancelShown, cancelEnabled, configurationNote, note;
    } cases[] = {
        {ana, false, true, false, "Ana Lima", true, false, false, false, true},
        {unnamed, false, true, false, "ana@example.com", true, false, false, false, true},
        {ana, false, true, true, "Ana Lima", false, false, false, false, true},
        {ana, true, true, false, "Ana Lima", false, false, false, false, true},
        {std::nullopt, false, true, false, "", false, false, false, false, true},
        {std::nullopt, true, true, false, "", false, true, true, false, true},
        {std::nullopt, true, true, true, "", false, true, false, false, true},
        // Unconfigured: the fixed note replaces any message.
        {std::nullopt, false, false, false, "", false, false, false, true, false},
    };
    for (const auto& c : cases) {
        const auto card =
            AccountCardState::make(c.account, c.busy, c.configured, failure, c.session);
        SCOPED_TRACE(testing::Message() << c.name << c.busy << c.configured << c.session);
        EXPECT_EQ(card.displayName, QString::fromUtf8(c.name));
        EXPECT_EQ(card.signOutEnabled, c.signOut);
        EXPECT_EQ(card.sessionNoteShown, c.account && c.session);
        EXPECT_EQ(card.cancelShown, c.cancelShown);
        EXPECT_EQ(card.cancelEnabled, c.cancelEnabled);
        EXPECT_EQ(card.configurationNoteShown, c.configurationNote);
        EXPECT_EQ(card.note.has_value(), c.note);
    }
}
