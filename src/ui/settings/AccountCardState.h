#pragma once

#include "account/GoogleAccount.h"

#include <QString>

#include <optional>

namespace corvel {

// What the account card shows for the sign-in store's state and the session flag.
struct AccountCardState {
    QString tagText;
    bool tagPositive = false;
    bool signedIn = false;
    // Signed in: the name, or the e-mail when the name is absent or empty; and the e-mail.
    QString displayName;
    QString email;
    bool signOutEnabled = false;
    QString signOutHelp;
    bool sessionNoteShown = false;
    // Signed out.
    bool cancelShown = false;
    bool cancelEnabled = false;
    bool configurationNoteShown = false;
    // The sign-in store's message, shown only while sign-in is configured.
    std::optional<QString> note;

    bool operator==(const AccountCardState&) const = default;

    static AccountCardState make(const std::optional<GoogleAccount>& account, bool isBusy,
                                 bool isConfigured, const std::optional<QString>& message,
                                 bool isSessionActive);
};

} // namespace corvel
