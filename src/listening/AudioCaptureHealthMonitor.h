#pragma once

#include "listening/AudioCaptureHealth.h"

#include <optional>

namespace corvel {

// The timestamps behind the capture health, all in seconds of uptime. The capture engine feeds it
// level readings and transcript text and asks for the health after each event and on a timer.
struct AudioCaptureHealthMonitor {
    // A reading is audible above this level (the same threshold as the last audible uptime).
    static constexpr double audibleLevel = 0.12;

    std::optional<double> startedAt; // none while idle
    std::optional<double> lastSampleAt;
    std::optional<double> lastAudibleAt;
    std::optional<double> lastTextAt;
    std::optional<double> pendingSoundAt; // start of the sound not yet followed by text
    double pendingSoundDuration = 0;      // audible time accumulated in that stretch
    bool previousSampleWasAudible = false;

    static bool isAudible(double level) { return level > audibleLevel; }
    // An empty monitor that began monitoring at `at`.
    static AudioCaptureHealthMonitor startedAtUptime(double at);

    void receive(double level, double at);
    void receiveText(double at);
    AudioCaptureHealth health(double at) const;

    bool operator==(const AudioCaptureHealthMonitor&) const = default;
};

} // namespace corvel
