// The form of a spoken English clause: what asks the listener, in every way an interviewer asks,
// and what tells the speaker's own story.
#include "language/EnglishClause.h"
#include "language/TextFolding.h"

#include <gtest/gtest.h>

using namespace corvel;

// What opens a question of its own, and what does not: the object a question waits for, a
// remark, one word that cannot tell.
TEST(EnglishClause, WhatOpensAQuestion) {
    enum Opens { question, object, neither };
    const std::pair<const char16_t*, Opens> cases[] = {
        {u"Which tools have you worked with?", question},
        {u"Which tools", question},
        {u"And how would you change it?", question},
        {u"Okay. Is there anything else?", question},
        {u"What did you build?", question},
        {u"Tell me about your team.", question},
        {u"Describe it.", question},
        {u"Don't you think?", question},
        {u"Our roadmap.", object},
        {u"Other roadmap", object},
        {u"What we do here.", object},
        {u"how we ship", object},
        {u"The team you would join?", object},
        {u"Leading a team.", object},
        {u"2 or 3 people", object},
        {u"Which", neither},
        {u"Our", neither},
        {u"I mean, in your last job.", neither},
        {u"In your last job.", neither},
        {u"Take your time.", neither},
        {u"Right. Sure.", neither},
        {u"", neither},
    };
    for (const auto& [text, opens] : cases) {
        const QString words = QString::fromUtf16(text);
        EXPECT_EQ(EnglishClause::opensQuestion(spokenWords(words)), opens == question)
            << qPrintable(words);
    }
}
