#pragma once

namespace corvel {

// The expression of the cloud companion's face.
enum class CloudMood { welcome, listening, ready, thinking };

} // namespace corvel
