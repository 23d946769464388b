#pragma once

#include <QString>

namespace corvel::GooglePKCE {

// 32 bytes from the system's secure random source as unpadded base64url: 43 characters.
QString randomValue();
// 43 to 128 characters, each unreserved (RFC 7636).
bool validVerifier(QStringView value);
// The "S256" challenge: unpadded base64url of the verifier's SHA-256.
QString challenge(QStringView verifier);

} // namespace corvel::GooglePKCE
