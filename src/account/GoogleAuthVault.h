#pragma once

#include "account/GoogleStoredSession.h"

#include <optional>

namespace corvel {

// Where the sign-in store keeps the direct Google session. Every failure throws
// GoogleAuthError::secureStorage.
class GoogleAuthVault {
public:
    virtual ~GoogleAuthVault() = default;
    // None when no session is stored.
    virtual std::optional<GoogleStoredSession> load() = 0;
    virtual void save(const GoogleStoredSession& session) = 0;
    // Removing an absent session is no error.
    virtual void remove() = 0;
};

} // namespace corvel
