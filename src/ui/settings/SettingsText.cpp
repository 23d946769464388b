#include "ui/settings/SettingsText.h"

#include "core/InterviewContext.h"
#include "ui/settings/ComputerWording.h"

#include <cmath>

namespace corvel::settings {

bool allowsPrivateConnection(const BundleInfo& bundle) {
    return bundle.allowsPrivateAPIKeyFallback;
}

bool isPrivateRoute(bool allowsPrivateConnection, bool isCloudConfigured) {
    return allowsPrivateConnection && !isCloudConfigured;
}

QString opacityLabel(double opacity) {
    return QString::number(static_cast<int>(std::trunc(opacity * 100))) + QStringLiteral(" %");
}

QString audioSourceTitle(AudioSource source) {
    switch (source) {
    case AudioSource::microphone:
        return QStringLiteral("Microphone · manual");
    case AudioSource::system:
        return QStringLiteral("Call audio");
    }
    return {};
}

QString audioSourceCaption(AudioSource source) {
    switch (source) {
    case AudioSource::microphone:
        return QStringLiteral("The transcript stays a draft to review. Confirm the question "
                              "manually so your own answer does not trigger another suggestion.");
    case AudioSource::system:
        return QStringLiteral("Captures the other person’s audio from your call app without your "
                              "microphone. Use headphones and stop any other audio playback.");
    }
    return {};
}

QString automaticAnswersCaption(AudioSource source) {
    return source == AudioSource::microphone ? wording::suggestShortcutManual()
                                             : wording::suggestShortcutAutomatic();
}

const std::vector<LanguageOption>& languageOptions() {
    static const std::vector<LanguageOption> options = {
        {QStringLiteral("Français"), QStringLiteral("French")},
        {QStringLiteral("English"), QStringLiteral("English")},
    };
    return options;
}

bool isSelected(const LanguageOption& option, const QString& contextLanguage) {
    return isEnglishLanguage(option.stored) == isEnglishLanguage(contextLanguage);
}

QString versionLine(const BundleInfo& bundle) {
    const QString version =
        bundle.shortVersion.isEmpty() ? QStringLiteral("0.6.4") : bundle.shortVersion;
    return QStringLiteral("Corvel Interview · ") + version + QStringLiteral(" · ") +
           wording::systemName();
}

PrivateConnectionState privateConnectionState(bool hasAPIKey, bool isCheckingConnection,
                                              bool connectionVerified) {
    PrivateConnectionState state;
    if (connectionVerified)
        state.tagText = QStringLiteral("Connection verified");
    else if (hasAPIKey)
        state.tagText = QStringLiteral("Key saved");
    else
        state.tagText = QStringLiteral("Add a key");
    state.tagPositive = connectionVerified;
    state.placeholder = hasAPIKey ? QStringLiteral("Replace your API key")
                                  : QStringLiteral("Paste your OpenAI API key");
    state.caption = hasAPIKey ? QStringLiteral("Requests use your OpenAI API account. Check the "
                                               "connection before your first interview.")
                              : QStringLiteral("Add your key to enable live answers. You can "
                                               "prepare your interview now.");
    state.checkTitle =
        isCheckingConnection ? QStringLiteral("Checking…") : QStringLiteral("Check connection");
    state.checkIcon = isCheckingConnection ? QString() : QStringLiteral("checkmark");
    state.checkEnabled = hasAPIKey && !isCheckingConnection;
    state.entryEnabled = !isCheckingConnection;
    state.deleteShown = hasAPIKey;
    return state;
}

bool canSaveDraft(const QString& draft, bool isCheckingConnection) {
    return !isCheckingConnection && !draft.trimmed().isEmpty();
}

} // namespace corvel::settings
