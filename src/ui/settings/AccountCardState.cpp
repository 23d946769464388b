#include "ui/settings/AccountCardState.h"

#include "ui/settings/ComputerWording.h"

namespace corvel {

AccountCardState AccountCardState::make(const std::optional<GoogleAccount>& account, bool isBusy,
                                        bool isConfigured, const std::optional<QString>& message,
                                        bool isSessionActive) {
    AccountCardState state;
    state.signedIn = account.has_value();
    state.tagText =
        state.signedIn ? QStringLiteral("Signed in") : QStringLiteral("Preparation only");
    state.tagPositive = state.signedIn;
    if (account) {
        state.displayName =
            account->name && !account->name->isEmpty() ? *account->name : account->email;
        state.email = account->email;
        state.signOutEnabled = !isSessionActive && !isBusy;
        state.signOutHelp = isSessionActive
                                ? QStringLiteral("End the session before changing accounts")
                                : wording::signOutHelp();
        state.sessionNoteShown = isSessionActive;
    } else {
        state.cancelShown = isBusy;
        state.cancelEnabled = isBusy && !isSessionActive;
        state.configurationNoteShown = !isConfigured;
    }
    if (isConfigured)
        state.note = message;
    return state;
}

} // namespace corvel
