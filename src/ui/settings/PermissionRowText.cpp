#include "ui/settings/PermissionRowText.h"

#include "ui/settings/ComputerWording.h"

namespace corvel {

PermissionRowText PermissionRowText::of(MacPermissionStatus status) {
    switch (status) {
    case MacPermissionStatus::allowed:
        return {QStringLiteral("checkmark"), QStringLiteral("Allowed")};
    case MacPermissionStatus::needsAccess:
    case MacPermissionStatus::denied:
        return {QStringLiteral("minus"), QStringLiteral("Not allowed")};
    case MacPermissionStatus::restricted:
        return {QStringLiteral("minus"), wording::restricted()};
    }
    return {};
}

} // namespace corvel
