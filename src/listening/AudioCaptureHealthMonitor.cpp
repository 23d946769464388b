#include "listening/AudioCaptureHealthMonitor.h"

#include <algorithm>
#include <cmath>

namespace corvel {

namespace {

constexpr double stretchGap = 3.0;        // silence that ends a stretch of sound
constexpr double maximumSampleStep = 0.5; // a longer gap between readings counts this much
constexpr double audibleRecency = 1.5;
constexpr double textRecency = 3.0;
constexpr double noAudioAfter = 8.0;
constexpr double stalledSoundDuration = 2.0;
constexpr double stalledAfter = 8.0;
constexpr double stalledSoundRecency = 10.0;

} // namespace

AudioCaptureHealthMonitor AudioCaptureHealthMonitor::startedAtUptime(double at) {
    AudioCaptureHealthMonitor monitor;
    monitor.startedAt = at;
    return monitor;
}

void AudioCaptureHealthMonitor::receive(double level, double at) {
    if (!startedAt || !std::isfinite(level)) {
        return;
    }
    const bool audible = isAudible(level);
    if (audible) {
        if (lastAudibleAt && at - *lastAudibleAt > stretchGap) {
            pendingSoundAt.reset();
            pendingSoundDuration = 0;
        }
        if (!pendingSoundAt) {
            pendingSoundAt = at;
        }
        if (previousSampleWasAudible && lastSampleAt) {
            pendingSoundDuration += std::clamp(at - *lastSampleAt, 0.0, maximumSampleStep);
        }
        lastAudibleAt = at;
    }
    lastSampleAt = at;
    previousSampleWasAudible = audible;
}

void AudioCaptureHealthMonitor::receiveText(double at) {
    if (!startedAt) {
        return;
    }
    lastTextAt = at;
    pendingSoundAt.reset();
    pendingSoundDuration = 0;
}

AudioCaptureHealth AudioCaptureHealthMonitor::health(double at) const {
    if (!startedAt) {
        return AudioCaptureHealth::idle;
    }
    if (!lastAudibleAt) {
        if (lastTextAt) {
            return at - *lastTextAt < textRecency ? AudioCaptureHealth::transcribing
                                                  : AudioCaptureHealth::waitingForAudio;
        }
        return at - *startedAt >= noAudioAfter ? AudioCaptureHealth::noAudio
                                               : AudioCaptureHealth::waitingForAudio;
    }
    if (pendingSoundAt && pendingSoundDuration >= stalledSoundDuration &&
        at - *pendingSoundAt >= stalledAfter && at - *lastAudibleAt < stalledSoundRecency) {
        return AudioCaptureHealth::stalled;
    }
    if (lastTextAt && at - *lastTextAt < textRecency) {
        return AudioCaptureHealth::transcribing;
    }
    if (at - *lastAudibleAt < audibleRecency) {
        return AudioCaptureHealth::receivingAudio;
    }
    return AudioCaptureHealth::waitingForAudio;
}

} // namespace corvel
