#pragma once

namespace corvel {

// What words said after a question make of it.
enum class FollowingReading {
    // The object the question waits for: the two are one question.
    object,
    // A question or request of its own.
    question,
    // Anything else, said after the question: it stands as it was heard.
    remark
};

} // namespace corvel
