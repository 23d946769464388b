#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace corvel {

// Picks out of a stretch of live transcript, French or English, the question or request that the
// interviewer put to the candidate, with fixed word lists and no state. Small talk, the
// candidate's own story and reported speech are rejected; direct questions, polite requests,
// short follow-ups and a recruiter's self-introduction followed by a request are accepted.
class TranscriptQuestionTracker final {
public:
    TranscriptQuestionTracker() = delete;

    // The question held by `text`, cut from the clause where it starts; `isFinal` tells whether
    // the recogniser marked the text as final (a partial result must look more complete).
    static std::optional<QString> question(const QString& text, bool isFinal);

    // The part of `transcript` that follows what `consumed` already covered, or the whole
    // transcript when the recogniser has rewritten it; none when nothing new remains.
    static std::optional<QString> unconsumedText(const QString& transcript, const QString& consumed,
                                                 qsizetype minimumSuffixLength);

    // Whether `question` ends on a word after which the asker may still go on ("What are you
    // most proud of?", "What do you think about"): it is whole only once they have stopped.
    static bool mayContinue(const QString& question);

    // Whether `text` opens with a question or request of its own: a question word or an auxiliary
    // opening one ("Which tools…", "Is there…", not "What we…") or a request ("Tell me…",
    // "Describe…"), after greetings and fillers. Words that follow a question that may go on
    // and open this way are a new question, not its continuation.
    static bool opensQuestion(const QString& text);

    // Whether `text` reads as what such a question's last word waits for: a noun phrase, with or
    // without a clause of its own ("our roadmap", "the last project you led"), a clause opened
    // by a question word ("how we ship") or a gerund phrase ("working with remote teams"). Words
    // that make a sentence of their own, a subject and its verb ("It can be anything.", "Our
    // team loves open source."), are a remark, and so is one word alone. Tells verbs from nouns
    // with EnglishTagger.
    static bool readsAsObject(const QString& text);

    // One token without case, accents or punctuation: "C’est" gives "cest".
    static QString normalize(QStringView token);

    // Whether two questions are the same words, allowing a recogniser's small rewording.
    static bool isSameQuestion(const QString& a, const QString& b);
};

} // namespace corvel
