#pragma once

namespace corvel {

// What the user is told about listening: whether the call is heard and turned into text.
enum class AudioCaptureHealth {
    idle,            // not listening
    starting,        // a start is in progress (set by the capture engine only)
    waitingForAudio, // listening, nothing audible recently
    receivingAudio,  // audible sound within the last 1.5 s
    transcribing,    // transcript text within the last 3 s
    noAudio,         // nothing audible and no text for 8 s since monitoring began
    stalled,         // sound keeps arriving but no text follows
};

} // namespace corvel
