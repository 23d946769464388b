#pragma once

#include <QHashFunctions>
#include <QString>

#include <stdexcept>

namespace corvel {

// The one failure of the sign-in subsystem; its description is what the user sees.
class GoogleAuthError final : public std::runtime_error {
public:
    enum Case {
        notConfigured,
        invalidConfiguration,
        invalidCallback,
        denied,
        cancelled,
        browserUnavailable,
        invalidToken,
        invalidIdentity,
        sessionExpired,
        identityChanged,
        connection,
        server,
        secureStorage,
        randomGeneration,
    };

    explicit GoogleAuthError(Case errorCase);
    Case errorCase() const { return m_case; }
    QString description() const;

    bool operator==(const GoogleAuthError& other) const { return m_case == other.m_case; }

private:
    Case m_case;
};

inline size_t qHash(const GoogleAuthError& error, size_t seed = 0) {
    return ::qHash(static_cast<int>(error.errorCase()), seed);
}

} // namespace corvel
