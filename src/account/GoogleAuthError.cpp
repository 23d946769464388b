#include "account/GoogleAuthError.h"

namespace corvel {

GoogleAuthError::GoogleAuthError(Case errorCase)
    : std::runtime_error("sign-in failed"), m_case(errorCase) {}

QString GoogleAuthError::description() const {
    switch (m_case) {
    case notConfigured:
        return QStringLiteral("Google sign-in is not available in this build yet. You can continue "
                              "on this computer.");
    case invalidConfiguration:
        return QStringLiteral("Google sign-in is unavailable in this build. You can continue on "
                              "this computer.");
    case invalidCallback:
        return QStringLiteral("Google sign-in could not be verified. Please try again.");
    case denied:
        return QStringLiteral("You did not allow Google sign-in.");
    case cancelled:
        return QStringLiteral("Google sign-in cancelled.");
    case browserUnavailable:
        return QStringLiteral("The Google sign-in window could not open. Please try again from the "
                              "app window.");
    case invalidToken:
        return QStringLiteral("Google could not complete your sign-in. Please try again.");
    case invalidIdentity:
        return QStringLiteral("Your Google profile and verified email could not be confirmed.");
    case sessionExpired:
        return QStringLiteral("Your Google session has expired or been revoked. Please sign in "
                              "again.");
    case identityChanged:
        return QStringLiteral("The Google account does not match your saved session. Please sign "
                              "in again.");
    case connection:
        return QStringLiteral("Google could not be reached. Check your connection and try again.");
    case server:
        return QStringLiteral("Google could not finish signing you in. Please try again in a "
                              "moment.");
    case secureStorage:
        return QStringLiteral("Your Google session could not be updated in the keyring. Unlock "
                              "your computer and try again.");
    case randomGeneration:
        return QStringLiteral("Secure sign-in could not be prepared. Please try again.");
    }
    return {};
}

} // namespace corvel
