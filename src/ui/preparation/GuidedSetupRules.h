#pragma once

#include "listening/MacPermissionKind.h"
#include "listening/MacPermissionStatus.h"
#include "ui/foundation/CloudMood.h"
#include "ui/preparation/GuidedSetupStep.h"

#include <QString>

#include <optional>

namespace corvel {

// What the guide shows for a step follows from the permission statuses, whether a request runs
// and what the user already tried; these pure rules decide it, the widgets only draw it.
struct GuidedSetupState {
    MacPermissionStatus speech = MacPermissionStatus::needsAccess;
    MacPermissionStatus callAudio = MacPermissionStatus::needsAccess;
    MacPermissionStatus microphone = MacPermissionStatus::needsAccess;
    bool requesting = false;
    bool attemptedSpeech = false;
    bool attemptedCallAudio = false;
    bool attemptedMicrophone = false;

    MacPermissionStatus status(MacPermissionKind kind) const;
    bool attempted(MacPermissionKind kind) const;
    // Refused, restricted, or still undecided after the user asked once: only the settings help.
    bool needsSettings(MacPermissionKind kind) const;

    bool callReady() const {
        return speech == MacPermissionStatus::allowed && callAudio == MacPermissionStatus::allowed;
    }
};

// min(raw, 2) + 1: from ready it stays on ready.
GuidedSetupStep advancedStep(GuidedSetupStep step);
// Back: welcome and speech both lead to welcome.
GuidedSetupStep previousStep(GuidedSetupStep step);

CloudMood guideMood(GuidedSetupStep step, const GuidedSetupState& state);
QString guideSentence(GuidedSetupStep step, const GuidedSetupState& state);
// "A little setup. A clearer head." on welcome, else "2 of 4 · Speech" and so on.
QString guideContentLabel(GuidedSetupStep step);
QString guideProgressLabel(GuidedSetupStep step);

// One permission step (speech or call audio) as the user sees it.
struct PermissionStepLook {
    enum class Action { advance, request, openSettings };

    bool allowed = false;
    QString statusLine;
    QString hint;
    QString buttonTitle;
    QString buttonIcon;
    Action action = Action::request;
    bool buttonEnabled = true;
    // Only "Continue" is the step's default button.
    bool buttonIsDefault = false;
    bool spinner = false;
    bool checkAgain = false;
    bool laterEnabled = true;
};

PermissionStepLook permissionStepLook(MacPermissionKind kind, const GuidedSetupState& state);

// Whether the answer route works: the cloud account when the cloud is configured, else a key.
bool interviewAccountReady(bool cloudConfigured, bool cloudAccountReady, bool hasAPIKey);

struct ReadyStepLook {
    QString title;
    bool speechAllowed = false;
    bool callAudioAllowed = false;
    bool accountReady = false;
    QString accountStatus;
    bool signInButton = false;
    bool prepareEnabled = true;
    bool finishAudioNote = false;
    bool microphoneAllowed = false;
    // Empty when the microphone is allowed.
    QString microphoneButtonTitle;
    PermissionStepLook::Action microphoneAction = PermissionStepLook::Action::request;
    bool microphoneButtonEnabled = true;
};

ReadyStepLook readyStepLook(const GuidedSetupState& state, bool accountReady, bool signedIn,
                            bool signInConfigured);

} // namespace corvel
