#include "ui/shell/AccountChange.h"

namespace corvel {

AccountChange AccountChange::after(const std::optional<QString>& lastVerifiedAccountID,
                                   const std::optional<GoogleAccount>& account, bool sessionActive,
                                   const QString& interviewName) {
    // Signing out keeps the last subject, so signing back in with it is no change.
    if (!account)
        return {false, lastVerifiedAccountID, std::nullopt};
    AccountChange change;
    change.notice = lastVerifiedAccountID && *lastVerifiedAccountID != account->subject;
    change.lastVerifiedAccountID = account->subject;
    if (!sessionActive && interviewName.trimmed().isEmpty() && account->name &&
        !account->name->isEmpty())
        change.interviewName = *account->name;
    return change;
}

} // namespace corvel
