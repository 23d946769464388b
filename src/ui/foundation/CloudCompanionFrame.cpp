#include "ui/foundation/CloudCompanionFrame.h"

#include <algorithm>
#include <cmath>

namespace corvel {

std::optional<double> CloudCompanionFrame::greetingProgress() const {
    if (!greetingElapsed)
        return std::nullopt;
    const double progress = std::max(0.0, *greetingElapsed / greetingDuration);
    if (progress >= 1)
        return std::nullopt;
    return progress;
}

double CloudCompanionFrame::blink() const {
    const double phase = std::fmod(time, 6.8);
    return phase > 5.9 && phase < 6.1 ? 0.12 : 1.0;
}

} // namespace corvel
