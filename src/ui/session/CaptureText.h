#pragma once

#include "core/AudioSource.h"
#include "listening/AudioCaptureHealth.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <array>

namespace corvel {

// What the capture status row, the capture help and the language choice show for a state.
struct CaptureText {
    CaptureText() = delete;

    static constexpr std::array<double, 4> barWeights = {8, 14, 11, 6};

    static QString health(bool paused, AudioCaptureHealth health);
    static QColor barColor(bool paused, AudioCaptureHealth health);
    // Bar heights in pixels: the level (counted as 0 while paused) times each weight, plus 2.
    static std::array<double, 4> barHeights(double level, bool paused);
    static QString source(AudioSource source);
    static bool languageMenuEnabled(AudioCaptureHealth health);

    // The capture help shows only while listening runs and fails.
    static bool helpVisible(bool paused, AudioCaptureHealth health);
    // The hint for a failing health; empty for any other.
    static QString helpHint(AudioCaptureHealth health, AudioSource source);

    static const QStringList& languages();
    static QString languageCaption(bool live);
    // Before a session the choice is locked while one runs; a start in progress locks it always.
    static bool languageChoiceEnabled(bool live, bool isStarting, bool isSessionActive);
};

} // namespace corvel
