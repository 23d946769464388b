#pragma once

#include "listening/MacPermissionKind.h"
#include "listening/MacPermissionStatus.h"
#include "platform/Cancellation.h"

#include <QCoroTask>

namespace corvel {

// What the system says about the permissions listening needs, and how to ask for them.
class MacPermissionProvider {
public:
    virtual ~MacPermissionProvider() = default;
    virtual MacPermissionStatus status(MacPermissionKind kind) = 0;
    // Asks the system when it has not decided yet and returns once it has; throws
    // CancellationError when the token is cancelled meanwhile.
    virtual QCoro::Task<> request(MacPermissionKind kind, CancelToken token) = 0;
    // Opens the settings where the user can grant the kind; false when nothing could be opened.
    virtual bool openSettings(MacPermissionKind kind) = 0;
};

} // namespace corvel
