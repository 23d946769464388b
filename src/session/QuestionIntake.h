#pragma once

#include "listening/AutomaticQuestionTurns.h"

#include <QString>

#include <limits>
#include <optional>

namespace corvel {

// What the store makes of the call's transcript, apart from its timers: the transcript of the
// current recognition segment, what of it already gave a question, and a final question that may
// go on ("What are you most proud of?") while it waits for the interviewer to stop.
//
// The recogniser ends a result at every pause, so such a question is carried into the next
// segment. The final result of the words that follow it there continues it when they read as
// the object it waits for ("… about" "our roadmap"), joined as one sentence; otherwise (a question
// of their own, a remark) it stands as it was heard. With no words after it, or none that reach a
// final result, it is claimed when the wait ends.
class QuestionIntake final {
public:
    // A question and the transcript the store claims it by.
    struct Decided {
        QString transcript;
        QString question;
        bool operator==(const Decided&) const = default;
    };
    // What one transcript update leads to.
    struct Heard {
        // A waiting question that the words after it left as it stood: its transcript is to be
        // claimed as final before the rest, then marked `taken`.
        std::optional<Decided> stands;
        // The question the transcript shows now: a waiting one as it stands or as the words
        // after it continue it, else the question they hold.
        std::optional<QString> question;
        // Then `transcript()` is claimed as final at once, or once the interviewer has stopped
        // (a final whose question may go on is the waiting question meanwhile).
        enum class Next { nothing, claim, wait } next = Next::nothing;
    };
    // What the end of the wait claims.
    struct Claim {
        QString transcript;
        QString question;
        bool isFinal = false;
    };

    // The current segment's transcript, led by a carried question.
    const QString& transcript() const { return m_transcript; }
    bool isWaiting() const { return m_waiting.has_value(); }
    // Whether words after the waiting question have begun: their final result decides what
    // they make of it, and the recogniser gives it a moment after the interviewer stops.
    bool awaitsContinuation() const;

    // A new session: nothing heard, nothing taken, nothing asked.
    void reset();
    // Listening starts: what was taken belonged to the segments before.
    void listeningStarted();
    // The recogniser starts a segment: a waiting question opens it, nothing else is carried.
    void segmentStarted();
    // A transcript update of the current segment, heard at uptime `now`.
    void record(const QString& text, double now = 0);
    // The question in the update just recorded, from call audio, and what to do with it;
    // `automatic` when questions are asked without the user.
    Heard judge(bool isFinal, bool automatic);
    // A waiting question's transcript, standing or claimed at the end of the wait, counts as
    // taken even when the store could not claim it.
    void taken(const QString& transcript);
    // The wait is over: the waiting question, whole with the words that continue it so far,
    // then to be marked `taken`. None when nothing waits (the wait was for a partial result).
    std::optional<Claim> waitEnded();
    void dropWaiting() { m_waiting.reset(); }
    // The new question in `transcript`, if it is not a repeat; what it covered is taken.
    std::optional<QString> claim(const QString& transcript, bool isFinal, double now);
    // Everything heard so far is taken, and `question` counts as just asked.
    void takeAll(const QString& question, double now);

private:
    using Waiting = Decided;
    // The words after the waiting question in the transcript, if any.
    std::optional<QString> wordsAfterWaiting() const;
    // The words after the waiting question read as its object: the transcript reads as one
    // sentence with them.
    void joinWaiting(const QString& more);
    void decide(Heard& heard, const QString& question, bool isFinal, bool automatic);

    AutomaticQuestionTurns m_turns;
    QString m_transcript;
    // The waiting question's text without its closing mark, leading this segment's transcript.
    QString m_carried;
    std::optional<Waiting> m_waiting;
    // A question decided here (one that stands, or one continued), with the transcript the store
    // claims it by: claimed as decided, not looked for again in the transcript, where the
    // detector would take the "we" of its object for the candidate's own story ("… about how we
    // ship").
    std::optional<Waiting> m_decided;
    // A question taken from the whole of this segment, and in the next one, the question taken
    // just before it: words that only go on with it are no question of their own.
    std::optional<QString> m_takenWhole;
    std::optional<QString> m_following;
    // Words of the segment before that stopped where no sentence ends: they lead this segment
    // if its first words come soon after them.
    std::optional<QString> m_unfinished;
    bool m_fresh = false;
    bool m_carriesUnfinished = false;
    double m_heardAt = 0;
    double m_finalAt = -std::numeric_limits<double>::infinity();
};

} // namespace corvel
