#pragma once

#include "core/AnswerLatencyMetrics.h"

#include <optional>

namespace corvel {

// Whole milliseconds from `earlier` to `later` (seconds of uptime), truncated, never negative.
qint64 elapsedMilliseconds(double earlier, double later);

// The latency of one answer as the user lives it, in seconds of uptime.
struct AnswerTimingTrace {
    double startedAt = 0;
    AnswerLatencyMetrics metrics;

    AnswerTimingTrace(double startedAt, std::optional<double> questionUpdatedAt);
    // One streamed delta; each figure is set once, by the first delta that qualifies.
    void receivedText(double at, bool hasSpeakableCue);
};

} // namespace corvel
