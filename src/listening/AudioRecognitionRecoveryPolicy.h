#pragma once

namespace corvel {

// How the capture engine recovers from recogniser failures during one session.
struct AudioRecognitionRecoveryPolicy {
    bool usesOnDeviceRecognition = false;
    int consecutiveQuickFailures = 0;

    bool operator==(const AudioRecognitionRecoveryPolicy&) const = default;
};

} // namespace corvel
