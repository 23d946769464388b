#include "ui/session/CaptureText.h"
#include "ui/foundation/Palette.h"
#include "ui/session/SessionFacts.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {
QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}
} // namespace

TEST(CaptureText, HealthTextAndBarColour) {
    using H = AudioCaptureHealth;
    struct Row {
        H health;
        const char* text;
        QColor color;
    };
    const Row table[] = {
        {H::idle, "Listening stopped", Palette::cyan()},
        {H::starting, "Starting audio", Palette::cyan()},
        {H::waitingForAudio, "Waiting for audio", Palette::cyan()},
        {H::receivingAudio, "Audio received", Palette::green()},
        {H::transcribing, "Speech recognised", Palette::green()},
        {H::noAudio, "No audio detected", Palette::orange()},
        {H::stalled, "Audio received · no words yet", Palette::orange()},
    };
    for (const Row& row : table) {
        EXPECT_EQ(CaptureText::health(false, row.health), s(row.text));
        EXPECT_EQ(CaptureText::barColor(false, row.health), row.color);
        EXPECT_EQ(CaptureText::health(true, row.health), s("Listening paused"));
        EXPECT_EQ(CaptureText::barColor(true, row.health), Palette::secondary());
    }
}

TEST(CaptureText, BarsFollowTheLevelExceptWhilePaused) {
    using Heights = std::array<double, 4>;
    EXPECT_EQ(CaptureText::barHeights(1, false), (Heights{10, 16, 13, 8}));
    EXPECT_EQ(CaptureText::barHeights(0, false), (Heights{2, 2, 2, 2}));
    EXPECT_EQ(CaptureText::barHeights(0.5, false), (Heights{6, 9, 7.5, 5}));
    EXPECT_EQ(CaptureText::barHeights(1, true), (Heights{2, 2, 2, 2}));
    // Out-of-range readings stay inside the 16-pixel frame.
    EXPECT_EQ(CaptureText::barHeights(7, false), (Heights{10, 16, 13, 8}));
    EXPECT_EQ(CaptureText::barHeights(-1, false), (Heights{2, 2, 2, 2}));
}

TEST(CaptureText, HelpShowsOnlyForFailuresWithATargetedHint) {
    using H = AudioCaptureHealth;
    for (H health :
         {H::idle, H::starting, H::waitingForAudio, H::receivingAudio, H::transcribing}) {
        EXPECT_FALSE(CaptureText::helpVisible(false, health));
        EXPECT_TRUE(CaptureText::helpHint(health, AudioSource::system).isEmpty());
    }
    EXPECT_TRUE(CaptureText::helpVisible(false, H::noAudio));
    EXPECT_TRUE(CaptureText::helpVisible(false, H::stalled));
    EXPECT_FALSE(CaptureText::helpVisible(true, H::stalled));

    EXPECT_TRUE(CaptureText::helpHint(H::stalled, AudioSource::microphone)
                    .startsWith(s("Sound is arriving.")));
    EXPECT_TRUE(CaptureText::helpHint(H::noAudio, AudioSource::microphone)
                    .endsWith(s("check the microphone selected in the system Sound settings.")));
    EXPECT_TRUE(CaptureText::helpHint(H::noAudio, AudioSource::system)
                    .startsWith(s("The other person’s voice must play on this computer.")));
}

TEST(CaptureText, LanguageChoiceAndMenu) {
    EXPECT_EQ(CaptureText::languages(), (QStringList{s("English"), s("French")}));
    EXPECT_EQ(CaptureText::languageCaption(true), s("Changing language restarts listening."));
    EXPECT_EQ(CaptureText::languageCaption(false),
              s("Choose the language spoken during the call."));

    struct Row {
        bool live, starting, active, enabled;
    };
    const Row table[] = {
        {false, false, false, true}, {false, false, true, false}, {false, true, false, false},
        {true, false, true, true},   {true, true, true, false},
    };
    for (const Row& row : table)
        EXPECT_EQ(CaptureText::languageChoiceEnabled(row.live, row.starting, row.active),
                  row.enabled);

    EXPECT_FALSE(CaptureText::languageMenuEnabled(AudioCaptureHealth::starting));
    EXPECT_TRUE(CaptureText::languageMenuEnabled(AudioCaptureHealth::stalled));
    EXPECT_EQ(CaptureText::source(AudioSource::system), s("Call audio"));
    EXPECT_EQ(CaptureText::source(AudioSource::microphone), s("Microphone"));
}

TEST(CaptureText, LanguageLabelFollowsTheEnglishRule) {
    for (const char* english : {"English", " EN-GB \n", "anglais", "en", "en-us"})
        EXPECT_EQ(SessionFacts::languageLabel(s(english)), s("English")) << english;
    for (const char* french : {"fr", "french", "", "Français", "en_GB"})
        EXPECT_EQ(SessionFacts::languageLabel(s(french)), s("French")) << french;
}
