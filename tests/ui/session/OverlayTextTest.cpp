#include "ui/session/OverlayText.h"
#include "ui/foundation/Palette.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {
QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}
OverlayState inPhase(SessionPhase phase) {
    OverlayState state;
    state.phase = phase;
    return state;
}
} // namespace

TEST(OverlayText, CompactBelowTheRoomySize) {
    EXPECT_FALSE(OverlayText::compact({480, 550}));
    EXPECT_FALSE(OverlayText::compact({560, 660}));
    EXPECT_TRUE(OverlayText::compact({480, 549}));
    EXPECT_TRUE(OverlayText::compact({479, 700}));
    EXPECT_TRUE(OverlayText::compact({440, 350}));
}

TEST(OverlayText, StatusTagCaptionsFirstMatch) {
    struct Row {
        SessionPhase phase;
        bool paused, generating;
        const char* caption;
        QColor square;
    };
    const Row table[] = {
        {SessionPhase::error, true, true, "Paused", Palette::orange()},
        {SessionPhase::paused, true, false, "Paused", Palette::green()},
        {SessionPhase::error, false, true, "Interrupted", Palette::orange()},
        {SessionPhase::answering, false, true, "Writing answer", Palette::cyan()},
        {SessionPhase::waiting, false, false, "Answer ready", Palette::green()},
    };
    for (const Row& row : table) {
        OverlayState state = inPhase(row.phase);
        state.paused = row.paused;
        state.generating = row.generating;
        state.answer = s("Start with the migration.");
        EXPECT_EQ(OverlayText::statusTag(state), (OverlayText::Tag{s(row.caption), row.square}));
    }
    OverlayState blank = inPhase(SessionPhase::answering);
    blank.answer = s(" \n ");
    EXPECT_FALSE(OverlayText::statusTag(blank));
    EXPECT_FALSE(OverlayText::showsAnswerLayout(blank));
    blank.question = s("Why us?");
    EXPECT_TRUE(OverlayText::showsAnswerLayout(blank));
}

TEST(OverlayText, StatusLabelByPhase) {
    const std::pair<SessionPhase, const char*> table[] = {
        {SessionPhase::idle, "Floating window"},        {SessionPhase::preparing, "Preparing"},
        {SessionPhase::answering, "Generating answer"}, {SessionPhase::paused, "Paused"},
        {SessionPhase::error, "Action required"},
    };
    for (const auto& [phase, label] : table)
        EXPECT_EQ(OverlayText::statusLabel(phase), s(label));
    EXPECT_FALSE(OverlayText::statusLabel(SessionPhase::waiting));
    EXPECT_FALSE(OverlayText::statusLabel(SessionPhase::listening));
}

TEST(OverlayText, EmptyTitleFirstMatch) {
    using H = AudioCaptureHealth;
    struct Row {
        SessionPhase phase;
        bool generating, manual;
        H health;
        const char* transcript;
        const char* title;
    };
    const Row table[] = {
        {SessionPhase::error, true, true, H::stalled, "", "Your answer is on its way…"},
        {SessionPhase::preparing, false, true, H::stalled, "", "Starting audio capture…"},
        {SessionPhase::paused, false, true, H::stalled, "", "Listening is paused."},
        {SessionPhase::error, false, true, H::stalled, "", "Listening needs attention."},
        {SessionPhase::idle, false, true, H::stalled, "", "Confirm the question."},
        {SessionPhase::waiting, false, true, H::noAudio, "", "Confirm the question."},
        {SessionPhase::listening, false, true, H::idle, "hi", "Confirm the question."},
        {SessionPhase::waiting, false, false, H::stalled, "hi", "Check the interview language."},
        {SessionPhase::waiting, false, false, H::noAudio, "hi", "Waiting for call audio."},
        {SessionPhase::waiting, false, false, H::transcribing, "", "Ready for the first question."},
        {SessionPhase::listening, false, false, H::transcribing, "hi", "Listening for a question."},
    };
    for (const Row& row : table) {
        OverlayState state = inPhase(row.phase);
        state.generating = row.generating;
        state.manualMode = row.manual;
        state.health = row.health;
        state.transcript = s(row.transcript);
        EXPECT_EQ(OverlayText::emptyTitle(state), s(row.title));
    }
}

TEST(OverlayText, EmptyHintFirstMatch) {
    struct Row {
        SessionPhase phase;
        bool manual;
        std::optional<QString> error, message;
        const char* hint;
    };
    const QString error = s("The sound server went away.");
    const QString message = s("Answer failed.");
    const char* manualHint = "Confirm the interviewer’s question in the app or with Ctrl+↵. Your "
                             "own speech does not trigger automatic answers.";
    const Row table[] = {
        {SessionPhase::error, true, error, message, "The sound server went away."},
        {SessionPhase::error, true, std::nullopt, message, "Answer failed."},
        {SessionPhase::error, true, std::nullopt, std::nullopt,
         "Read the message below, then try again."},
        {SessionPhase::waiting, true, error, message, manualHint},
        {SessionPhase::listening, true, error, message, manualHint},
        {SessionPhase::waiting, false, error, message,
         "Your suggested answers appear when a question is recognised."},
        {SessionPhase::idle, true, error, message,
         "Add the job description and your resume to begin."},
        {SessionPhase::preparing, true, error, message,
         "Approve the permissions requested by the system."},
        {SessionPhase::listening, false, error, message,
         "Questions from your call are processed automatically."},
        {SessionPhase::answering, true, error, message, "Your answer appears as it is generated."},
        {SessionPhase::paused, true, error, message,
         "Listening has stopped. Resume when you are ready."},
    };
    for (const Row& row : table) {
        OverlayState state = inPhase(row.phase);
        state.manualMode = row.manual;
        state.captureError = row.error;
        state.message = row.message;
        EXPECT_EQ(OverlayText::emptyHint(state), s(row.hint));
    }
}

TEST(OverlayText, FooterAndBackground) {
    OverlayState state = inPhase(SessionPhase::error);
    EXPECT_EQ(OverlayText::footerNote(state), s("A starting point. Make it your own."));
    state.answer = s("Partial");
    EXPECT_EQ(OverlayText::footerNote(state), s("This answer may be incomplete. Check the app."));
    state.phase = SessionPhase::waiting;
    EXPECT_EQ(OverlayText::footerNote(state), s("A starting point. Make it your own."));

    EXPECT_EQ(OverlayText::backgroundOpacity(0.6, false, true), 0.6);
    EXPECT_EQ(OverlayText::backgroundOpacity(0.6, true, true), 1.0);
    EXPECT_EQ(OverlayText::backgroundOpacity(0.6, false, false), 1.0);
}
