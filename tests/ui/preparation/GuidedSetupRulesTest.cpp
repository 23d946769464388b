#include "ui/preparation/GuidedSetupRules.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {
constexpr auto allowed = MacPermissionStatus::allowed;
constexpr auto needsAccess = MacPermissionStatus::needsAccess;
constexpr auto denied = MacPermissionStatus::denied;
constexpr auto restricted = MacPermissionStatus::restricted;
constexpr auto speech = MacPermissionKind::speech;
constexpr auto callAudio = MacPermissionKind::callAudio;

GuidedSetupState state(MacPermissionStatus speechStatus, MacPermissionStatus callStatus,
                       bool requesting = false, bool attempted = false) {
    GuidedSetupState s;
    s.speech = speechStatus;
    s.callAudio = callStatus;
    s.requesting = requesting;
    s.attemptedCallAudio = attempted;
    return s;
}
} // namespace

TEST(GuidedSetupRulesTest, StepsMoveForwardAndBackWithinTheFour) {
    using S = GuidedSetupStep;
    EXPECT_EQ(advancedStep(S::welcome), S::speech);
    EXPECT_EQ(advancedStep(S::speech), S::callAudio);
    EXPECT_EQ(advancedStep(S::callAudio), S::ready);
    EXPECT_EQ(advancedStep(S::ready), S::ready);
    EXPECT_EQ(previousStep(S::ready), S::callAudio);
    EXPECT_EQ(previousStep(S::callAudio), S::speech);
    EXPECT_EQ(previousStep(S::speech), S::welcome);
    EXPECT_FALSE(guidedSetupStepFromRaw(4));
    EXPECT_FALSE(guidedSetupStepFromRaw(-1));

    EXPECT_EQ(guideContentLabel(S::speech), QStringLiteral("2 of 4 · Speech"));
    EXPECT_EQ(guideProgressLabel(S::callAudio), QStringLiteral("Setup, step 3 of 4"));
}

TEST(GuidedSetupRulesTest, MoodAndSentenceFollowTheFirstMatchingRow) {
    using S = GuidedSetupStep;
    struct Row {
        S step;
        GuidedSetupState state;
        CloudMood mood;
        const char* sentence;
    };
    const Row rows[] = {
        {S::welcome, state(needsAccess, needsAccess), CloudMood::welcome,
         "I’ll help you find your starting point."},
        // A request in progress wins on every step, even on a ready computer.
        {S::welcome, state(needsAccess, needsAccess, true), CloudMood::thinking,
         "I’ll help you find your starting point."},
        {S::ready, state(allowed, allowed, true), CloudMood::thinking,
         "Your computer is ready. Let’s tell your story."},
        {S::speech, state(allowed, needsAccess), CloudMood::listening,
         "Perfect. We can turn speech into words."},
        {S::speech, state(restricted, allowed), CloudMood::listening,
         "First, let’s make the questions clear."},
        {S::callAudio, state(restricted, allowed), CloudMood::listening,
         "All set. Your microphone stays out of it."},
        {S::callAudio, state(allowed, needsAccess), CloudMood::listening,
         "I’ll listen to the call, so you can focus."},
        {S::ready, state(allowed, allowed), CloudMood::ready,
         "Your computer is ready. Let’s tell your story."},
        {S::ready, state(allowed, needsAccess), CloudMood::listening,
         "You can prepare now and finish setup later."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.sentence);
        EXPECT_EQ(guideMood(row.step, row.state), row.mood);
        EXPECT_EQ(guideSentence(row.step, row.state), QString::fromUtf8(row.sentence));
    }
}

TEST(GuidedSetupRulesTest, PermissionStepsByStatusAttemptAndRequest) {
    using A = PermissionStepLook::Action;
    struct Row {
        MacPermissionKind kind;
        GuidedSetupState state;
        const char* title;
        A action;
        bool checkAgain;
        const char* hintStart;
    };
    const Row rows[] = {
        {speech, state(allowed, needsAccess), "Continue", A::advance, false,
         "Speech recognition is allowed."},
        {speech, state(restricted, needsAccess), "Open Settings", A::openSettings, true,
         "This is not available on this computer yet."},
        {speech, state(denied, needsAccess), "Open Settings", A::openSettings, true,
         "Install the speech model"},
        {speech, state(needsAccess, needsAccess), "Allow speech recognition", A::request, false,
         "Speech recognition runs on this computer."},
        {callAudio, state(allowed, allowed), "Continue", A::advance, false,
         "Call audio is allowed."},
        {callAudio, state(allowed, needsAccess), "Allow call audio", A::request, false,
         "Call audio is what your computer plays"},
        // After one request that changed nothing, asking again would do nothing: settings help.
        {callAudio, state(allowed, needsAccess, false, true), "Open Settings", A::openSettings,
         true, "Check in Settings → Sound"},
        {callAudio, state(allowed, restricted), "Open Settings", A::openSettings, true,
         "This is not available on this computer yet."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        const PermissionStepLook look = permissionStepLook(row.kind, row.state);
        EXPECT_EQ(look.buttonTitle, QString::fromUtf8(row.title));
        EXPECT_EQ(look.action, row.action);
        EXPECT_EQ(look.checkAgain, row.checkAgain);
        EXPECT_TRUE(look.hint.startsWith(QString::fromUtf8(row.hintStart)))
            << look.hint.toStdString();
        EXPECT_TRUE(look.buttonEnabled);
        EXPECT_TRUE(look.laterEnabled);
        EXPECT_EQ(look.buttonIsDefault, look.allowed);
    }

    // While any request runs: waiting, disabled, spinner, no check-again, later disabled.
    for (const MacPermissionKind kind : {speech, callAudio}) {
        const PermissionStepLook look =
            permissionStepLook(kind, state(needsAccess, needsAccess, true, true));
        EXPECT_FALSE(look.buttonEnabled);
        EXPECT_TRUE(look.spinner);
        EXPECT_FALSE(look.checkAgain);
        EXPECT_FALSE(look.laterEnabled);
    }
}

TEST(GuidedSetupRulesTest, ReadyStepSummaryAccountAndMicrophone) {
    GuidedSetupState both = state(allowed, allowed);
    both.microphone = allowed;
    ReadyStepLook look = readyStepLook(both, true, false, true);
    EXPECT_FALSE(look.finishAudioNote);
    EXPECT_EQ(look.accountStatus, QStringLiteral("Ready"));
    EXPECT_TRUE(look.microphoneAllowed);
    EXPECT_TRUE(look.microphoneButtonTitle.isEmpty());

    GuidedSetupState partial = state(allowed, denied);
    partial.microphone = restricted;
    look = readyStepLook(partial, false, false, true);
    EXPECT_TRUE(look.finishAudioNote);
    EXPECT_EQ(look.accountStatus, QStringLiteral("Sign in for live answers"));
    EXPECT_TRUE(look.signInButton);
    EXPECT_EQ(look.microphoneAction, PermissionStepLook::Action::openSettings);

    look = readyStepLook(partial, false, true, true);
    EXPECT_EQ(look.accountStatus, QStringLiteral("Check in Settings"));
    EXPECT_FALSE(look.signInButton);
    EXPECT_FALSE(readyStepLook(partial, false, false, false).signInButton);

    GuidedSetupState asking = state(allowed, allowed, true);
    look = readyStepLook(asking, true, true, true);
    EXPECT_EQ(look.microphoneAction, PermissionStepLook::Action::request);
    EXPECT_FALSE(look.microphoneButtonEnabled);
    EXPECT_FALSE(look.prepareEnabled);
    asking.requesting = false;
    asking.attemptedMicrophone = true;
    EXPECT_EQ(readyStepLook(asking, true, true, true).microphoneAction,
              PermissionStepLook::Action::openSettings);

    EXPECT_TRUE(interviewAccountReady(true, true, false));
    EXPECT_FALSE(interviewAccountReady(true, false, true));
    EXPECT_TRUE(interviewAccountReady(false, false, true));
}
