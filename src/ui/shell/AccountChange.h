#pragma once

#include "account/GoogleAccount.h"

#include <QString>

#include <optional>

namespace corvel {

// What the entry gate does when the signed-in account's subject changes: a notice when a
// different account than the last one seen signs in, and the account's name for an interview
// that has none (only outside a session).
struct AccountChange {
    bool notice = false;
    std::optional<QString> lastVerifiedAccountID;
    std::optional<QString> interviewName;

    static AccountChange after(const std::optional<QString>& lastVerifiedAccountID,
                               const std::optional<GoogleAccount>& account, bool sessionActive,
                               const QString& interviewName);
    bool operator==(const AccountChange&) const = default;
};

} // namespace corvel
