#pragma once

#include "core/AudioSource.h"
#include "platform/BundleInfo.h"

#include <QString>

#include <vector>

namespace corvel {

// What the settings page shows for a state; pure, so the rules are tested as tables.
namespace settings {

// The build allows the user's own OpenAI key.
bool allowsPrivateConnection(const BundleInfo& bundle);
// The private key and model controls are offered: allowed by the build and no cloud configured.
bool isPrivateRoute(bool allowsPrivateConnection, bool isCloudConfigured);

// The opacity as a whole percentage, truncated: 0.57 reads "56 %" (0.57 × 100 is just below 57).
QString opacityLabel(double opacity);

QString audioSourceTitle(AudioSource source);
QString audioSourceCaption(AudioSource source);
QString automaticAnswersCaption(AudioSource source);

// An interview-language pill: the value it stores and its title.
struct LanguageOption {
    QString stored;
    QString title;
};
// "French" (stores "Français"), then "English".
const std::vector<LanguageOption>& languageOptions();
// "English" is selected exactly when the language reads as English; any other value, the empty
// one included, selects "French".
bool isSelected(const LanguageOption& option, const QString& contextLanguage);

// "Corvel Interview · <version> · Linux"; "0.6.4" when the build carries no version.
QString versionLine(const BundleInfo& bundle);

// The private connection's status tag, field and check button for the store's key state.
struct PrivateConnectionState {
    QString tagText;
    bool tagPositive = false;
    QString placeholder;
    QString caption;
    QString checkTitle;
    QString checkIcon;
    bool checkEnabled = false;
    bool entryEnabled = false;
    bool deleteShown = false;

    bool operator==(const PrivateConnectionState&) const = default;
};
PrivateConnectionState privateConnectionState(bool hasAPIKey, bool isCheckingConnection,
                                              bool connectionVerified);
// "Save" and Return act only on a draft with something besides white space.
bool canSaveDraft(const QString& draft, bool isCheckingConnection);

} // namespace settings

} // namespace corvel
