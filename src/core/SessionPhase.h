#pragma once

namespace corvel {

// Phase of the live session; never stored, no raw values.
enum class SessionPhase { idle, preparing, waiting, listening, answering, paused, error };

} // namespace corvel
