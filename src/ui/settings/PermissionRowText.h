#pragma once

#include "listening/MacPermissionStatus.h"

#include <QString>

namespace corvel {

// The symbol and the caption of one permission row of the permission panel.
struct PermissionRowText {
    QString symbol;
    QString status;

    bool operator==(const PermissionRowText&) const = default;

    static PermissionRowText of(MacPermissionStatus status);
};

} // namespace corvel
