#pragma once

namespace corvel {

enum class MacPermissionStatus { allowed, needsAccess, denied, restricted };

} // namespace corvel
