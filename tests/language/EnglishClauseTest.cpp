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

namespace {

using Form = EnglishClause::Form;

struct Row {
    const char* words;
    Form form;
    bool asks;
    bool aboutSpeaker = false;
};

void expectReadings(std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
        const auto reading = EnglishClause::read(spokenWords(QString::fromUtf8(row.words)));
        EXPECT_EQ(int(reading.form), int(row.form)) << row.words;
        EXPECT_EQ(reading.asks, row.asks) << row.words;
        EXPECT_EQ(reading.aboutSpeaker, row.aboutSpeaker) << row.words;
    }
}

} // namespace

// Each way of asking, read as the form the finisher marks and the detector asks.
TEST(EnglishClause, EachWayOfAskingHasItsForm) {
    expectReadings({
        {"has the new rota helped your team", Form::interrogative, true},
        {"weren't the targets a bit unrealistic", Form::interrogative, true},
        {"do you reckon the plan will hold", Form::interrogative, true},
        {"okay um so which site did you prefer", Form::interrogative, true},
        {"if the budget doubled what would you hire first", Form::interrogative, true},
        {"looking at your portfolio why so much print work", Form::interrogative, true},
        {"sketch the architecture you would choose", Form::imperative, true},
        {"please compare the two offers you have", Form::imperative, true},
        {"give us a summary of your thesis", Form::imperative, true},
        {"run me through the launch plan", Form::imperative, true},
        {"i'm curious how you plan your week", Form::indirectRequest, true},
        {"i'd love to know what you read lately", Form::indirectRequest, true},
        {"any thoughts on our pricing", Form::followUp, true},
        {"how about travel", Form::followUp, true},
    });
}

// What asks nothing: courtesy, the speaker's own story and questions about the speaker.
TEST(EnglishClause, CourtesyAndTheSpeakersStoryAskNothing) {
    expectReadings({
        {"take your time", Form::imperative, false},
        {"give me a minute to find it", Form::imperative, false},
        {"let me check my notes", Form::imperative, false},
        {"grab a coffee if you like", Form::imperative, false},
        {"we hired four people last spring", Form::statement, false, true},
        {"my manager asked why the numbers dropped", Form::statement, false, true},
        {"how should i phrase this", Form::interrogative, false, true},
        {"where were we", Form::interrogative, false, true},
        {"what i liked most was the team", Form::statement, false},
        {"what surprised me was the pace", Form::statement, false},
        {"the clinic has nine beds", Form::statement, false},
        // Too short for a closing tag
        {"okay", Form::statement, false},
        {"", Form::statement, false},
    });
}

// Only what asks the listener asks: a quoted question, a question word's clause with a verb of
// its own, a question its speaker answers, the generic "you", a courtesy; the polite and
// performed requests and a question about a quote do ask.
TEST(EnglishClause, WhatOnlySoundsLikeAQuestion) {
    expectReadings({
        {"the courier asked us can you sign for it", Form::statement, false},
        {"and she goes have you checked the fridge", Form::statement, false},
        {"the last question on the form was are you a driver", Form::statement, false},
        {"which shift you get depends on the rota", Form::statement, false},
        {"how much notice you give is up to you", Form::statement, false},
        {"who runs the tills is decided each morning", Form::statement, false},
        {"what's the word resilient", Form::interrogative, false, true},
        {"was it tuesday no wednesday", Form::interrogative, false, true},
        {"what's next on my list", Form::interrogative, false, true},
        {"you never quite know who will turn up", Form::statement, false},
        {"as you can imagine the phones are busy", Form::statement, false},
        {"enjoy the rest of your afternoon", Form::imperative, false},
        {"drop me an email if anything comes up", Form::imperative, false},
        {"go through the double doors", Form::imperative, false},
        {"did your last manager ever ask you to work late", Form::interrogative, true},
        {"if a patient asked you for advice what would you say", Form::interrogative, true},
        {"it would be great if you could share an example", Form::indirectRequest, true},
        {"i'd love for you to tell me about the rota", Form::indirectRequest, true},
        {"i'm trying to work out what your part was", Form::indirectRequest, true},
        {"sell me this stapler", Form::imperative, true},
        {"you haven't driven a van before have you", Form::interrogative, true},
    });
}

// A question word without inversion, short follow-ups, a lead-in that names the question and a
// thought put to the listener ask; a clause such a word opens as a subject, compliments and
// reassurance do not.
TEST(EnglishClause, WaysOfAskingWithoutInversion) {
    expectReadings({
        {"where you see yourself in five years", Form::interrogative, true},
        {"which database you would pick for this", Form::interrogative, true},
        {"how long you been in london", Form::interrogative, true},
        {"what your supervisor at the lab would say about you", Form::interrogative, true},
        {"how you handle a customer who is shouting", Form::interrogative, true},
        {"when you could start if we offered you the job", Form::interrogative, true},
        {"what if you're already on one", Form::interrogative, true},
        {"you mean the leeds office", Form::interrogative, true},
        {"such as", Form::followUp, true},
        {"and then", Form::followUp, true},
        {"and the rest of the team", Form::followUp, true},
        {"since when", Form::followUp, true},
        {"what i'd really like to know is how you'd handle a team", Form::indirectRequest, true},
        {"my last question is what you're hoping to learn", Form::indirectRequest, true},
        {"what i wanted to ask about is the gap on your cv", Form::indirectRequest, true},
        {"how you answer that isn't what we're marking", Form::statement, false},
        {"who you report to will depend on the site", Form::statement, false},
        {"what you said earlier stuck with me", Form::statement, false},
        {"the thing is if a person knows early on you're not", Form::statement, false},
        {"that's a good question a lot of people ask that", Form::statement, false},
        {"nice catch most people miss that bit", Form::statement, false},
        {"we just want to get to know you", Form::statement, false, true},
        {"it's just an informal chat really", Form::statement, false},
    });
}
