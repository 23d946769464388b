#pragma once

#include <QString>

namespace corvel {

// One talking point of an answer: a short title and the sentence or two to say.
struct AnswerCue {
    // The heading's number in order of appearance; headings that gave no cue leave gaps.
    int id = 0;
    QString title;
    // Empty only for a reminder.
    QString text;
    bool isReminder = false;

    bool operator==(const AnswerCue&) const = default;
};

} // namespace corvel
