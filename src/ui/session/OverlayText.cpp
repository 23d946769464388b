#include "ui/session/OverlayText.h"

#include "ui/foundation/Palette.h"
#include "ui/session/SystemWording.h"

namespace corvel {

namespace {
bool hasAnswer(const OverlayState& state) {
    return !state.answer.trimmed().isEmpty();
}
} // namespace

bool OverlayText::compact(const QSize& size) {
    return size.width() < roomyMinimum.width() || size.height() < roomyMinimum.height();
}

bool OverlayText::showsAnswerLayout(const OverlayState& state) {
    return hasAnswer(state) || !state.question.isEmpty();
}

std::optional<OverlayText::Tag> OverlayText::statusTag(const OverlayState& state) {
    if (!hasAnswer(state))
        return std::nullopt;
    const bool interrupted = state.phase == SessionPhase::error;
    Tag tag;
    tag.square = interrupted        ? Palette::orange()
                 : state.generating ? Palette::cyan()
                                    : Palette::green();
    if (state.paused)
        tag.caption = QStringLiteral("Paused");
    else if (interrupted)
        tag.caption = QStringLiteral("Interrupted");
    else if (state.generating)
        tag.caption = QStringLiteral("Writing answer");
    else
        tag.caption = QStringLiteral("Answer ready");
    return tag;
}

std::optional<QString> OverlayText::statusLabel(SessionPhase phase) {
    switch (phase) {
    case SessionPhase::idle:
        return QStringLiteral("Floating window");
    case SessionPhase::preparing:
        return QStringLiteral("Preparing");
    case SessionPhase::answering:
        return QStringLiteral("Generating answer");
    case SessionPhase::paused:
        return QStringLiteral("Paused");
    case SessionPhase::error:
        return QStringLiteral("Action required");
    case SessionPhase::waiting:
    case SessionPhase::listening:
        break;
    }
    return std::nullopt;
}

QString OverlayText::emptyTitle(const OverlayState& state) {
    if (state.generating)
        return QStringLiteral("Your answer is on its way…");
    if (state.phase == SessionPhase::preparing)
        return QStringLiteral("Starting audio capture…");
    if (state.phase == SessionPhase::paused)
        return QStringLiteral("Listening is paused.");
    if (state.phase == SessionPhase::error)
        return QStringLiteral("Listening needs attention.");
    if (state.manualMode)
        return QStringLiteral("Confirm the question.");
    if (state.health == AudioCaptureHealth::stalled)
        return QStringLiteral("Check the interview language.");
    if (state.health == AudioCaptureHealth::noAudio)
        return QStringLiteral("Waiting for call audio.");
    if (state.transcript.isEmpty())
        return QStringLiteral("Ready for the first question.");
    return QStringLiteral("Listening for a question.");
}

QString OverlayText::emptyHint(const OverlayState& state) {
    switch (state.phase) {
    case SessionPhase::error:
        if (state.captureError)
            return *state.captureError;
        if (state.message)
            return *state.message;
        return QStringLiteral("Read the message below, then try again.");
    case SessionPhase::waiting:
        if (state.manualMode)
            return SystemWording::manualModeHint;
        return QStringLiteral("Your suggested answers appear when a question is recognised.");
    case SessionPhase::listening:
        if (state.manualMode)
            return SystemWording::manualModeHint;
        return QStringLiteral("Questions from your call are processed automatically.");
    case SessionPhase::idle:
        return QStringLiteral("Add the job description and your resume to begin.");
    case SessionPhase::preparing:
        return SystemWording::preparingHint;
    case SessionPhase::answering:
        return QStringLiteral("Your answer appears as it is generated.");
    case SessionPhase::paused:
        return QStringLiteral("Listening has stopped. Resume when you are ready.");
    }
    return {};
}

QString OverlayText::footerNote(const OverlayState& state) {
    if (state.phase == SessionPhase::error && hasAnswer(state))
        return QStringLiteral("This answer may be incomplete. Check the app.");
    return QStringLiteral("A starting point. Make it your own.");
}

QString OverlayText::resumeFooter() {
    return QStringLiteral("Your resume and the job description guide every answer.");
}

double OverlayText::backgroundOpacity(double overlayOpacity, bool reduceTransparency,
                                      bool translucencyAvailable) {
    return reduceTransparency || !translucencyAvailable ? 1.0 : overlayOpacity;
}

} // namespace corvel
