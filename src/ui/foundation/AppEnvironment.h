#pragma once

namespace corvel {

class AccessibilityPreferences;
class AppNotifications;
class AppStore;
class GoogleAuthStore;
class MacPermissionStore;

// The objects every screen reaches: the three stores, the app's announcements and the
// accessibility settings (none: motion and transparency as usual).
struct AppEnvironment {
    AppStore& store;
    GoogleAuthStore& auth;
    MacPermissionStore& permissions;
    AppNotifications& notifications;
    const AccessibilityPreferences* preferences = nullptr;
};

} // namespace corvel
