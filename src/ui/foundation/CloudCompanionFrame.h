#pragma once

#include "ui/foundation/CloudMood.h"

#include <QPointF>

#include <optional>

namespace corvel {

// Everything one picture of the cloud companion depends on. A still companion is the default
// frame of its mood: time zero, pointer centred, no greeting.
struct CloudCompanionFrame {
    static constexpr double greetingDuration = 0.9;

    CloudMood mood = CloudMood::welcome;
    // Seconds since the companion appeared.
    double time = 0;
    // Seconds since the last greeting started, when one was started.
    std::optional<double> greetingElapsed;
    // Pointer position, -1...1 on each axis, (0, 0) the centre.
    QPointF pointer;
    bool hovering = false;

    // The greeting's progress in [0, 1) while it runs; none once it has ended.
    std::optional<double> greetingProgress() const;
    // 0.12 during the 0.2 s blink that comes every 6.8 s, else 1 (eyes open).
    double blink() const;

    bool operator==(const CloudCompanionFrame&) const = default;
};

} // namespace corvel
