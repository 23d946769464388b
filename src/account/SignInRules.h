#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace corvel::signin {

// Tokens, codes, states and identifiers: 1 to 16,384 UTF-8 bytes of printable ASCII.
bool validOpaqueValue(QStringView value);
// A Google subject from the user-information reply.
bool validGoogleSubject(QStringView subject);
// A Firebase user identifier.
bool validFirebaseSubject(QStringView subject);
// At most 320 characters, exactly one "@" with text on both sides, no space or control.
bool validEmail(QStringView email);

// A bad name or picture never fails a sign-in: the account simply goes without it.
std::optional<QString> accountName(const std::optional<QString>& received);
std::optional<QUrl> accountPicture(const std::optional<QString>& received);

} // namespace corvel::signin
