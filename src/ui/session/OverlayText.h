#pragma once

#include "core/SessionPhase.h"
#include "listening/AudioCaptureHealth.h"

#include <QColor>
#include <QSize>
#include <QString>

#include <optional>

namespace corvel {

// The state the floating window's words are chosen from.
struct OverlayState {
    SessionPhase phase = SessionPhase::idle;
    bool generating = false;
    bool paused = false;
    bool manualMode = false;
    AudioCaptureHealth health = AudioCaptureHealth::idle;
    QString transcript;
    std::optional<QString> captureError;
    std::optional<QString> message;
    QString question;
    QString answer;
};

// What the floating window shows for a state.
struct OverlayText {
    OverlayText() = delete;

    static constexpr QSize roomyMinimum{480, 550};
    static constexpr qsizetype lastWordsCharacters = 400;

    struct Tag {
        QString caption;
        QColor square;
        bool operator==(const Tag&) const = default;
    };

    static bool compact(const QSize& size);
    // A question or an answer is on screen (an answer of only white space does not count).
    static bool showsAnswerLayout(const OverlayState& state);
    // Only while an answer is on screen.
    static std::optional<Tag> statusTag(const OverlayState& state);
    static std::optional<QString> statusLabel(SessionPhase phase);
    static QString emptyTitle(const OverlayState& state);
    static QString emptyHint(const OverlayState& state);
    static QString footerNote(const OverlayState& state);
    static QString resumeFooter();
    // The card's opacity. Without a compositor translucent pixels turn black, so the card is
    // drawn opaque there, as under Reduce Transparency.
    static double backgroundOpacity(double overlayOpacity, bool reduceTransparency,
                                    bool translucencyAvailable);
};

} // namespace corvel
