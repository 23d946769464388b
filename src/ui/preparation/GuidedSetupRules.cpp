#include "ui/preparation/GuidedSetupRules.h"

#include "ui/preparation/ComputerTexts.h"

#include <algorithm>

namespace corvel {

MacPermissionStatus GuidedSetupState::status(MacPermissionKind kind) const {
    switch (kind) {
    case MacPermissionKind::speech:
        return speech;
    case MacPermissionKind::callAudio:
        return callAudio;
    case MacPermissionKind::microphone:
        break;
    }
    return microphone;
}

bool GuidedSetupState::attempted(MacPermissionKind kind) const {
    switch (kind) {
    case MacPermissionKind::speech:
        return attemptedSpeech;
    case MacPermissionKind::callAudio:
        return attemptedCallAudio;
    case MacPermissionKind::microphone:
        break;
    }
    return attemptedMicrophone;
}

// A request that leaves the status undecided would otherwise offer the same request forever.
bool GuidedSetupState::needsSettings(MacPermissionKind kind) const {
    const MacPermissionStatus current = status(kind);
    return current == MacPermissionStatus::denied || current == MacPermissionStatus::restricted ||
           (current == MacPermissionStatus::needsAccess && attempted(kind));
}

GuidedSetupStep advancedStep(GuidedSetupStep step) {
    return *guidedSetupStepFromRaw(std::min(rawValue(step), 2) + 1);
}

GuidedSetupStep previousStep(GuidedSetupStep step) {
    return *guidedSetupStepFromRaw(std::max(rawValue(step) - 1, 0));
}

CloudMood guideMood(GuidedSetupStep step, const GuidedSetupState& state) {
    if (state.requesting)
        return CloudMood::thinking;
    if (step == GuidedSetupStep::ready && state.callReady())
        return CloudMood::ready;
    if (step == GuidedSetupStep::welcome)
        return CloudMood::welcome;
    return CloudMood::listening;
}

QString guideSentence(GuidedSetupStep step, const GuidedSetupState& state) {
    switch (step) {
    case GuidedSetupStep::welcome:
        return QStringLiteral("I’ll help you find your starting point.");
    case GuidedSetupStep::speech:
        return state.speech == MacPermissionStatus::allowed
                   ? QStringLiteral("Perfect. We can turn speech into words.")
                   : QStringLiteral("First, let’s make the questions clear.");
    case GuidedSetupStep::callAudio:
        return state.callAudio == MacPermissionStatus::allowed
                   ? QStringLiteral("All set. Your microphone stays out of it.")
                   : QStringLiteral("I’ll listen to the call, so you can focus.");
    case GuidedSetupStep::ready:
        break;
    }
    return state.callReady() ? ComputerTexts::readySentence()
                             : QStringLiteral("You can prepare now and finish setup later.");
}

QString guideContentLabel(GuidedSetupStep step) {
    static const char* const names[] = {"", "Speech", "Call audio", "Your interview"};
    if (step == GuidedSetupStep::welcome)
        return QStringLiteral("A little setup. A clearer head.");
    return QString::number(rawValue(step) + 1) + QStringLiteral(" of 4 · ") +
           QString::fromUtf8(names[rawValue(step)]);
}

QString guideProgressLabel(GuidedSetupStep step) {
    return QStringLiteral("Setup, step %1 of 4").arg(rawValue(step) + 1);
}

namespace {

QString permissionHint(MacPermissionKind kind, const GuidedSetupState& state) {
    const bool speech = kind == MacPermissionKind::speech;
    const MacPermissionStatus status = state.status(kind);
    if (status == MacPermissionStatus::allowed)
        return speech ? QStringLiteral("Speech recognition is allowed. Transcription begins only "
                                       "when you start a session.")
                      : QStringLiteral("Call audio is allowed. Use headphones and stop other audio "
                                       "playback before your interview.");
    if (status == MacPermissionStatus::restricted)
        return ComputerTexts::restrictedHint();
    if (state.needsSettings(kind))
        return speech ? ComputerTexts::speechDeniedHint() : ComputerTexts::callAudioDeniedHint();
    return speech ? ComputerTexts::speechNeedsAccessHint()
                  : ComputerTexts::callAudioNeedsAccessHint();
}

} // namespace

PermissionStepLook permissionStepLook(MacPermissionKind kind, const GuidedSetupState& state) {
    PermissionStepLook look;
    look.allowed = state.status(kind) == MacPermissionStatus::allowed;
    look.statusLine = look.allowed ? QStringLiteral("Access allowed")
                                   : ComputerTexts::permissionPrefix() +
                                         (kind == MacPermissionKind::speech
                                              ? ComputerTexts::speechSettingName()
                                              : ComputerTexts::callAudioSettingName());
    look.hint = permissionHint(kind, state);
    look.laterEnabled = !state.requesting;
    if (look.allowed) {
        look.buttonTitle = QStringLiteral("Continue");
        look.buttonIcon = QStringLiteral("arrow.right");
        look.action = PermissionStepLook::Action::advance;
        look.buttonIsDefault = true;
        return look;
    }
    const bool settings = state.needsSettings(kind);
    look.action =
        settings ? PermissionStepLook::Action::openSettings : PermissionStepLook::Action::request;
    look.buttonEnabled = !state.requesting;
    look.spinner = state.requesting;
    look.checkAgain = settings && !state.requesting;
    if (state.requesting) {
        look.buttonTitle = ComputerTexts::waitingForSystem();
        return look;
    }
    look.buttonIcon = QStringLiteral("arrow.up.right");
    if (settings)
        look.buttonTitle = ComputerTexts::openSettings();
    else if (kind == MacPermissionKind::speech)
        look.buttonTitle = QStringLiteral("Allow speech recognition");
    else
        look.buttonTitle = QStringLiteral("Allow call audio");
    return look;
}

bool interviewAccountReady(bool cloudConfigured, bool cloudAccountReady, bool hasAPIKey) {
    return cloudConfigured ? cloudAccountReady : hasAPIKey;
}

ReadyStepLook readyStepLook(const GuidedSetupState& state, bool accountReady, bool signedIn,
                            bool signInConfigured) {
    ReadyStepLook look;
    const bool callReady = state.callReady();
    look.title =
        callReady ? ComputerTexts::readyTitle() : QStringLiteral("A good start.\nLet’s prepare.");
    look.speechAllowed = state.speech == MacPermissionStatus::allowed;
    look.callAudioAllowed = state.callAudio == MacPermissionStatus::allowed;
    look.accountReady = accountReady;
    look.accountStatus = accountReady ? QStringLiteral("Ready")
                         : signedIn   ? QStringLiteral("Check in Settings")
                                      : QStringLiteral("Sign in for live answers");
    look.signInButton = !signedIn && signInConfigured;
    look.prepareEnabled = !state.requesting;
    look.finishAudioNote = !callReady;
    look.microphoneAllowed = state.microphone == MacPermissionStatus::allowed;
    if (!look.microphoneAllowed) {
        const bool settings = state.needsSettings(MacPermissionKind::microphone);
        look.microphoneButtonTitle = settings ? QStringLiteral("Open microphone settings")
                                              : QStringLiteral("Allow microphone");
        look.microphoneAction = settings ? PermissionStepLook::Action::openSettings
                                         : PermissionStepLook::Action::request;
        look.microphoneButtonEnabled = !state.requesting;
    }
    return look;
}

} // namespace corvel
