#include "ui/session/CaptureText.h"

#include "ui/foundation/Palette.h"
#include "ui/session/SystemWording.h"

#include <algorithm>

namespace corvel {

QString CaptureText::health(bool paused, AudioCaptureHealth health) {
    if (paused)
        return QStringLiteral("Listening paused");
    switch (health) {
    case AudioCaptureHealth::idle:
        return QStringLiteral("Listening stopped");
    case AudioCaptureHealth::starting:
        return QStringLiteral("Starting audio");
    case AudioCaptureHealth::waitingForAudio:
        return QStringLiteral("Waiting for audio");
    case AudioCaptureHealth::receivingAudio:
        return QStringLiteral("Audio received");
    case AudioCaptureHealth::transcribing:
        return QStringLiteral("Speech recognised");
    case AudioCaptureHealth::noAudio:
        return QStringLiteral("No audio detected");
    case AudioCaptureHealth::stalled:
        return QStringLiteral("Audio received · no words yet");
    }
    return {};
}

QColor CaptureText::barColor(bool paused, AudioCaptureHealth health) {
    if (paused)
        return Palette::secondary();
    switch (health) {
    case AudioCaptureHealth::noAudio:
    case AudioCaptureHealth::stalled:
        return Palette::orange();
    case AudioCaptureHealth::receivingAudio:
    case AudioCaptureHealth::transcribing:
        return Palette::green();
    case AudioCaptureHealth::idle:
    case AudioCaptureHealth::starting:
    case AudioCaptureHealth::waitingForAudio:
        break;
    }
    return Palette::cyan();
}

std::array<double, 4> CaptureText::barHeights(double level, bool paused) {
    // The engine publishes 0...1; anything else would draw bars outside their frame.
    const double shown = paused ? 0.0 : std::clamp(level, 0.0, 1.0);
    std::array<double, 4> heights{};
    for (std::size_t i = 0; i < heights.size(); ++i)
        heights[i] = shown * barWeights[i] + 2;
    return heights;
}

QString CaptureText::source(AudioSource source) {
    return source == AudioSource::system ? QStringLiteral("Call audio")
                                         : QStringLiteral("Microphone");
}

bool CaptureText::languageMenuEnabled(AudioCaptureHealth health) {
    return health != AudioCaptureHealth::starting;
}

bool CaptureText::helpVisible(bool paused, AudioCaptureHealth health) {
    return !paused &&
           (health == AudioCaptureHealth::noAudio || health == AudioCaptureHealth::stalled);
}

QString CaptureText::helpHint(AudioCaptureHealth health, AudioSource source) {
    if (health == AudioCaptureHealth::stalled)
        return QStringLiteral("Sound is arriving. Check that the interview language matches the "
                              "person speaking.");
    if (health == AudioCaptureHealth::noAudio)
        return source == AudioSource::microphone ? SystemWording::microphoneHelpHint
                                                 : SystemWording::callAudioHelpHint;
    return {};
}

const QStringList& CaptureText::languages() {
    static const QStringList options = {QStringLiteral("English"), QStringLiteral("French")};
    return options;
}

QString CaptureText::languageCaption(bool live) {
    return live ? QStringLiteral("Changing language restarts listening.")
                : QStringLiteral("Choose the language spoken during the call.");
}

bool CaptureText::languageChoiceEnabled(bool live, bool isStarting, bool isSessionActive) {
    return !isStarting && (live || !isSessionActive);
}

} // namespace corvel
