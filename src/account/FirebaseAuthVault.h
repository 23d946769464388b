#pragma once

#include "account/FirebaseStoredSession.h"

#include <optional>

namespace corvel {

// Where the sign-in store keeps the hosted-path Firebase session. Every failure throws
// GoogleAuthError::secureStorage.
class FirebaseAuthVault {
public:
    virtual ~FirebaseAuthVault() = default;
    // None when no session is stored.
    virtual std::optional<FirebaseStoredSession> load() = 0;
    virtual void save(const FirebaseStoredSession& session) = 0;
    // Removing an absent session is no error.
    virtual void remove() = 0;
};

} // namespace corvel
