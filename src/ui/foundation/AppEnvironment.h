#pragma once

namespace corvel {

class AppNotifications;
class AppStore;
class GoogleAuthStore;
class MacPermissionStore;

// The objects every screen reaches: the three stores and the app's announcements.
struct AppEnvironment {
    AppStore& store;
    GoogleAuthStore& auth;
    MacPermissionStore& permissions;
    AppNotifications& notifications;
};

} // namespace corvel
