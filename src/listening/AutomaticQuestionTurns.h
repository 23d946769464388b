#pragma once

#include <QString>

#include <limits>
#include <optional>

namespace corvel {

// Turns the growing, rewritten transcript of one recognition segment into a sequence of distinct
// questions for automatic answers: only what follows the consumed transcript is examined, and the
// same question again within 12 seconds is refused.
struct AutomaticQuestionTurns {
    static constexpr double repeatWindow = 12.0;

    QString consumedTranscript; // the whole transcript as it stood when it last gave a question
    QString lastQuestion;
    // Seconds of uptime when `lastQuestion` was handed out; the first question is never a repeat.
    double lastQuestionTime = -std::numeric_limits<double>::infinity();

    // The new question in `transcript` at uptime `now`, or none. A question refused as a repeat
    // still consumes its transcript, so the same words do not come back on the next update.
    std::optional<QString> consume(const QString& transcript, bool isFinal, double now);
    // `question`, already found in `transcript`, as `consume` hands it out.
    std::optional<QString> take(const QString& transcript, const QString& question, double now);

    bool operator==(const AutomaticQuestionTurns&) const = default;
};

} // namespace corvel
