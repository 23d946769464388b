#include "core/AnswerTimingTrace.h"

#include <cmath>

namespace corvel {

qint64 elapsedMilliseconds(double earlier, double later) {
    // The nudge keeps 0.8 s read as 800 ms when uptime subtraction lands a hair below it.
    const double milliseconds = std::trunc((later - earlier) * 1000.0 + 1e-6);
    if (!(milliseconds > 0))
        return 0;
    return static_cast<qint64>(milliseconds);
}

AnswerTimingTrace::AnswerTimingTrace(double startedAt, std::optional<double> questionUpdatedAt)
    : startedAt(startedAt) {
    if (questionUpdatedAt)
        metrics.questionStabilityMilliseconds = elapsedMilliseconds(*questionUpdatedAt, startedAt);
}

void AnswerTimingTrace::receivedText(double at, bool hasSpeakableCue) {
    const qint64 elapsed = elapsedMilliseconds(startedAt, at);
    if (!metrics.firstTokenMilliseconds)
        metrics.firstTokenMilliseconds = elapsed;
    if (hasSpeakableCue && !metrics.firstCueMilliseconds)
        metrics.firstCueMilliseconds = elapsed;
}

} // namespace corvel
