#pragma once

namespace corvel {

// What the clause reader makes of one clause: its form, whether it asks the listener, and whose
// story it tells.
enum class ClauseForm {
    // Anything else: a statement, a remark, an imperative that asks for nothing.
    statement,
    // A question word opening a question, an auxiliary or modal before its subject, or a
    // closing tag ("…, right?").
    interrogative,
    // A verb in the base form without a subject that asks the listener to speak, recall,
    // choose or do something ("Summarise your last project.").
    imperative,
    // The speaker wanting to know or hear ("I'm curious what you think of…").
    indirectRequest,
    // A noun phrase asked as a question ("Any questions for us?", "What about weekends?").
    followUp
};

struct ClauseReading {
    ClauseForm form = ClauseForm::statement;
    // Whether it asks the listener: a question or request addressed to them, not one about
    // the speaker ("What was I saying?") nor a courtesy ("Take a moment if you need it.").
    bool asks = false;
    // Whether it tells the speaker's own story: a statement whose subject is the speaker
    // ("I…", "We…", "My team…"), reported speech among them, or a question about the speaker
    // that does not address the listener.
    bool aboutSpeaker = false;
    // Whether it is a statement in the past tense, as a story is told.
    bool past = false;
    // Whether it is written with a "?": built as a question, or a follow-up.
    bool isQuestion() const {
        return form == ClauseForm::interrogative || form == ClauseForm::followUp;
    }
};

} // namespace corvel
