#pragma once

#include "core/PreparationStep.h"
#include "ui/foundation/CloudMood.h"

#include <QString>

#include <optional>

namespace corvel {

class AppStore;
class GoogleAuthStore;

// Everything the preparation screen and its copilot card decide from: the stores' state reduced
// to what the rules read.
struct PreparationFacts {
    PreparationStep step = PreparationStep::role;
    bool hasJob = false;
    bool hasResume = false;
    bool prepared = false;
    bool sessionActive = false;
    bool starting = false;
    bool cloudConfigured = false;
    // The answer route works: the cloud account when the cloud is configured, else a stored key.
    bool routeReady = false;
    bool signedIn = false;
    bool signInConfigured = false;
    bool refreshing = false;
    bool accountLoaded = false;
    std::optional<QString> accountError;

    static PreparationFacts read(const AppStore& store, const GoogleAuthStore& auth);
};

// Below these heights the screen and the card use their compact sizes.
inline bool isCompactPreparation(int height) {
    return height < 700;
}
inline bool isCompactCopilot(int height) {
    return height < 580;
}

QString preparationStepTitle(PreparationStep step);
QString preparationStepHeading(PreparationStep step);
QString preparationStepSubtitle(PreparationStep step);
// role 1, resume 2, call 3.
int preparationStepNumber(PreparationStep step);

// One item of the step navigation.
struct StepMarkerLook {
    bool current = false;
    bool complete = false;
    bool filled = false;
    // A check replaces the number once the step is complete and not current.
    bool check = false;
    QString number;
    QString accessibleLabel;
    QString accessibleValue;
};

StepMarkerLook stepMarkerLook(PreparationStep step, const PreparationFacts& facts);

// The footer: a hint or Back on the left, then the primary button or the account area.
struct PreparationFooterLook {
    enum class Right { primary, signIn, loading, accountButton };
    enum class Action { select, returnToSession, launch, refreshAccount, openSettings, none };

    QString hint;
    std::optional<PreparationStep> back;
    Right right = Right::primary;
    QString title;
    bool enabled = false;
    Action action = Action::none;
    std::optional<PreparationStep> target;
};

PreparationFooterLook preparationFooterLook(const PreparationFacts& facts);

// The copilot card beside the steps.
struct CopilotLook {
    enum class Square { ready, refreshing, missing };
    enum class Action { none, connect, refresh };

    QString heading;
    QString guidance;
    QString caption;
    CloudMood mood = CloudMood::welcome;
    bool routeBlock = false;
    Square square = Square::missing;
    QString summary;
    Action action = Action::none;
    QString actionTitle;
};

CopilotLook copilotLook(const PreparationFacts& facts);

} // namespace corvel
