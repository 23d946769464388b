#pragma once

#include <QString>

#include <optional>

namespace corvel {

// What a sign-in callback URL must look like. Both sign-in paths read their callback through
// code(), which applies the checks they share in their order.
struct CallbackShape {
    QString scheme;
    std::optional<QString> host; // none: the callback must carry no host at all
    QString path;                // compared percent-encoded, as written
    bool onlyKnownItems = false; // refuse query items other than "state", "code" and "error"
    bool (*validCode)(QStringView) = nullptr;

    // The authorization code of a callback whose "state" is `state`. Throws GoogleAuthError:
    // denied or server when the provider reports an error, else invalidCallback.
    QString code(QStringView callback, QStringView state) const;
};

} // namespace corvel
