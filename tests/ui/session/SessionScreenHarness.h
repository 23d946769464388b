#pragma once

#include "account/GoogleAuthStore.h"
#include "listening/MacPermissionProvider.h"
#include "listening/MacPermissionStore.h"
#include "session/AppNotifications.h"
#include "session/StoreHarness.h"
#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/AppEnvironment.h"

#include <memory>

namespace corvel::test {

class AllowedPermissions final : public MacPermissionProvider {
public:
    MacPermissionStatus status(MacPermissionKind) override { return MacPermissionStatus::allowed; }
    QCoro::Task<> request(MacPermissionKind, CancelToken) override { co_return; }
    bool openSettings(MacPermissionKind) override { return true; }
};

// The real store (temporary workspace, fake capture, loopback answers, manual clock) with the
// rest of a screen's environment beside it. Reduce Motion is on so nothing animates.
struct SessionScreenHarness : StoreHarness {
    SessionScreenHarness()
        : permissions(std::make_shared<AllowedPermissions>()), auth(authCollaborators()) {
        preferences.setReduceMotion(true);
        prepare();
    }

    static GoogleAuthStore::Collaborators authCollaborators() {
        GoogleAuthStore::Collaborators collaborators;
        collaborators.automaticallyRestore = false;
        collaborators.secretStore = std::make_shared<MemorySecretStore>();
        return collaborators;
    }

    AppEnvironment environment() {
        return AppEnvironment{*store, auth, permissions, notifications, &preferences};
    }

    MacPermissionStore permissions;
    GoogleAuthStore auth;
    AppNotifications notifications;
    AccessibilityPreferences preferences;
};

} // namespace corvel::test
