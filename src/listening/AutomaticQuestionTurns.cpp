#include "listening/AutomaticQuestionTurns.h"

#include "listening/TranscriptQuestionTracker.h"

namespace corvel {

std::optional<QString> AutomaticQuestionTurns::consume(const QString& transcript, bool isFinal,
                                                       double now) {
    const auto suffix =
        TranscriptQuestionTracker::unconsumedText(transcript, consumedTranscript, 1);
    if (!suffix) {
        return std::nullopt;
    }
    auto question = TranscriptQuestionTracker::question(*suffix, isFinal);
    if (!question) {
        return std::nullopt;
    }
    consumedTranscript = transcript;
    if (!(now - lastQuestionTime >= repeatWindow) &&
        TranscriptQuestionTracker::isSameQuestion(*question, lastQuestion)) {
        return std::nullopt;
    }
    lastQuestion = *question;
    lastQuestionTime = now;
    return question;
}

} // namespace corvel
