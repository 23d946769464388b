#include "language/QuestionContinuation.h"

#include <gtest/gtest.h>

using namespace corvel;
using Reading = QuestionContinuation::Reading;

namespace {

const char* name(Reading reading) {
    switch (reading) {
    case Reading::object:
        return "object";
    case Reading::question:
        return "question";
    case Reading::remark:
        return "remark";
    }
    return "";
}

void expectReadings(const QString& question,
                    std::initializer_list<std::pair<const char16_t*, Reading>> cases) {
    for (const auto& [text, expected] : cases) {
        const QString words = QString::fromUtf16(text);
        EXPECT_STREQ(name(QuestionContinuation::read(question, words)), name(expected))
            << qPrintable(question) << " … " << qPrintable(words);
    }
}

} // namespace

// The wait is for a question cut at any preposition or particle, told by its part of speech
// there: "like" after "look" is one, after "would you" it is a verb; "far" in "so far" and "ago"
// are adverbs.
TEST(QuestionContinuation, QuestionsThatMayGoOn) {
    for (const char16_t* question : {u"What are you most proud of?",
                                     u"Who does this role report to",
                                     u"Tell me about.",
                                     u"What kind of team do you enjoy working IN ?",
                                     u"What is your opinion on?",
                                     u"What are you working on?",
                                     u"Where are you from?",
                                     u"What are you good at?",
                                     u"What does a good day look like?",
                                     u"What do you think about?",
                                     u"How would you be judged by?",
                                     u"How did you get into?",
                                     u"What did you learn over?",
                                     u"How do you choose between?",
                                     u"Can you walk me through?",
                                     u"How do you protect the team against?",
                                     u"What are your thoughts regarding?",
                                     u"How did it turn out?",
                                     u"What is more important than?",
                                     u"Have you provisioned servers using?",
                                     u"What did you do before?",
                                     u"What has changed since?"})
        EXPECT_TRUE(QuestionContinuation::mayGoOn(QString::fromUtf16(question)))
            << qPrintable(QString::fromUtf16(question));
    for (const char16_t* question :
         {u"Tell me about your last project?", u"What is your biggest strength?",
          u"What would you like?", u"Why do you think that?", u"What would you do if",
          u"How are you?", u"Any questions for us?", u"What are you working?",
          u"Pourquoi ce choix ?", u"Of course not", u"?", u"", u"How has your week been so far?",
          u"What have you learned so far?", u"You started that job how long ago?",
          u"What has changed since then?"})
        EXPECT_FALSE(QuestionContinuation::mayGoOn(QString::fromUtf16(question)))
            << qPrintable(QString::fromUtf16(question));
}

// A question is whole as asked when its question phrase is the object of the preposition it ends
// on: after "be" and an adjective or participle, after a verb that takes no object, or after a
// verb whose own object is there. Where the phrase could be a verb's object or the complement of
// "be", or where no phrase stands for a noun, the preposition still lacks its object.
TEST(QuestionContinuation, QuestionsWholeAsAsked) {
    for (const char16_t* question :
         {u"What are you most proud of?", u"What kind of work are you drawn to?",
          u"Which framework would you go with?", u"What do you spend your evenings on?",
          u"Who did you learn the most from?", u"Okay so what are you proudest of?",
          u"What would you like to work on?", u"What does a good day look like?",
          u"Which offer are you leaning towards?", u"What have you been focused on?",
          u"What were you up against?", u"What's the team responsible for?",
          u"What do you spend most of your time on?"})
        EXPECT_TRUE(QuestionContinuation::isWholeAsAsked(QString::fromUtf16(question)))
            << qPrintable(QString::fromUtf16(question));
    for (const char16_t* question :
         {u"What is your opinion on?", u"What did you learn from?", u"What do you think about?",
          u"How do you feel about?", u"Tell me about.", u"What would your last manager say about?",
          u"What do you like most about?", u"What are you looking for beyond?",
          u"What would you say is the main lesson from?", u"Who reports to?",
          u"What do you want to learn about?", u"What did you learn about yourself from?",
          u"What did you find interesting about?", u"Where are you from?",
          u"What do your students like most about?",
          u"What would your reports want us to know about?", u"What?", u""})
        EXPECT_FALSE(QuestionContinuation::isWholeAsAsked(QString::fromUtf16(question)))
            << qPrintable(QString::fromUtf16(question));
}

// What follows a question that may go on: a question of its own, the object the question
// waited for, or a remark (one word that cannot tell among them).
TEST(QuestionContinuation, WhatFollowsAQuestionThatMayGoOn) {
    expectReadings(QStringLiteral("What do you think about?"),
                   {
                       {u"Which tools have you worked with?", Reading::question},
                       {u"Which tools", Reading::question},
                       {u"And how would you change it?", Reading::question},
                       {u"Okay. Is there anything else?", Reading::question},
                       {u"What did you build?", Reading::question},
                       {u"Tell me about your team.", Reading::question},
                       {u"Describe it.", Reading::question},
                       {u"Don't you think?", Reading::question},
                       {u"Who leads the team?", Reading::question},
                       {u"Who is leading the team?", Reading::question},
                       {u"What is saying here is confidential?", Reading::remark},
                       {u"Our roadmap.", Reading::object},
                       {u"Other roadmap", Reading::object},
                       {u"What we do here.", Reading::object},
                       {u"how we ship", Reading::object},
                       {u"How our teams work?", Reading::object},
                       {u"What you meant by that?", Reading::object},
                       {u"The team you would join?", Reading::object},
                       {u"Leading a team.", Reading::object},
                       {u"2 or 3 people", Reading::object},
                       {u"Which", Reading::remark},
                       {u"Our", Reading::remark},
                       {u"I mean, in your last job.", Reading::remark},
                       {u"In your last job.", Reading::remark},
                       {u"Take your time.", Reading::remark},
                       {u"Right. Sure.", Reading::remark},
                       {u"How we ship is up to you.", Reading::remark},
                       {u"", Reading::remark},
                   });
    // Words that cannot begin a sentence after a question join it; a question stopped before
    // its verb takes whatever follows that is not a reply
    expectReadings(QStringLiteral("Who you report to?"),
                   {{u"will depend on the site.", Reading::object}});
    expectReadings(
        QStringLiteral("What size cable?"),
        {{u"would you run for a radial.", Reading::object}, {u"Okay.", Reading::remark}});
    expectReadings(QStringLiteral("Would you prefer mornings or?"),
                   {{u"do you like a lie in?", Reading::object}});
    // No words asked: nothing to continue, not even a name after a preposition
    expectReadings(QStringLiteral("?"), {{u"React hooks.", Reading::remark},
                                         {u"Which tools have you used?", Reading::question}});
}

// What the interviewer says after "What are you most proud of?" or "What do you think about?",
// as the recogniser writes it: the object the question waits for, or a sentence of its own.
TEST(QuestionContinuation, WhatReadsAsTheObjectAQuestionWaitsFor) {
    const QString about = QStringLiteral("What do you think about?");
    expectReadings(about, {
                              {u"Our roadmap.", Reading::object},
                              {u"Your time at the bank.", Reading::object},
                              {u"The last project you led.", Reading::object},
                              {u"How we ship.", Reading::object},
                              {u"Working with remote teams.", Reading::object},
                              {u"Remote work.", Reading::object},
                              {u"Our plans for next year.", Reading::object},
                              {u"Our product plans.", Reading::object},
                              {u"The tools we use.", Reading::object},
                              {u"The way we work.", Reading::object},
                              {u"The way our team works.", Reading::object},
                              {u"Something you're proud of.", Reading::object},
                              {u"Everything you built.", Reading::object},
                              {u"Your team's culture.", Reading::object},
                              {u"Your experience with python.", Reading::object},
                              {u"The job you have now.", Reading::object},
                              {u"Your decision to leave.", Reading::object},
                              {u"Open source.", Reading::object},
                              {u"Anything at all.", Reading::object},
                              {u"Managing people.", Reading::object},
                              {u"Whatever comes to mind.", Reading::object},
                              {u"our roadmap", Reading::object},
                              {u"Teamwork.", Reading::object},
                              {u"Features customers ask for and tech debt.", Reading::object},
                              {u"Code that nobody wants to touch.", Reading::object},
                          });
    expectReadings(about, {
                              {u"It can be anything.", Reading::remark},
                              {u"It doesn't have to be work related.", Reading::remark},
                              {u"Our team loves open source.", Reading::remark},
                              {u"Our team was open source.", Reading::remark},
                              {u"That's a big one.", Reading::remark},
                              {u"There is no wrong answer.", Reading::remark},
                              {u"It's up to you.", Reading::remark},
                              {u"Anything works.", Reading::remark},
                              {u"Everyone has one.", Reading::remark},
                              {u"Our team builds tools.", Reading::remark},
                              {u"Our team works remotely.", Reading::remark},
                              {u"The team really likes it.", Reading::remark},
                              {u"Your time at the bank was great.", Reading::remark},
                              {u"Your team's great.", Reading::remark},
                              {u"People often say family.", Reading::remark},
                              {u"We all have something.", Reading::remark},
                              {u"You can pick anything.", Reading::remark},
                              {u"Take your time.", Reading::remark},
                              {u"Feel free to take a minute.", Reading::remark},
                              {u"In your last job.", Reading::remark},
                              {u"Oh a roadmap.", Reading::remark},
                              {u"Our roadmap and the", Reading::remark},
                              {u"' '", Reading::remark},
                              {u"Guess if you need to.", Reading::remark},
                              {u"Personal or professional.", Reading::remark},
                              {u"Thanks.", Reading::remark},
                          });
    // Where the lexicon or the tagger has the wrong reading, the neighbours tell.
    expectReadings(about,
                   {
                       {u"Supply chain risk management.", Reading::object},
                       {u"Our build pipeline.", Reading::object},
                       {u"Sales calls each week.", Reading::object},
                       {u"Letting someone go.", Reading::object},
                       {u"What to cut when the budget shrinks?", Reading::object},
                       {u"Which features the team builds first?", Reading::object},
                       {u"Zoom.", Reading::object},
                       {u"Customer churn metrics.", Reading::object},
                       {u"Everything you do here is confidential.", Reading::remark},
                       {u"Anyone who joins sales gets a mentor.", Reading::remark},
                       {u"Our finance team forecasts revenue every quarter.", Reading::remark},
                       {u"Our support queue usually peaks on mondays.", Reading::remark},
                       {u"The hiring manager signs off on every offer.", Reading::remark},
                       {u"Something you said earlier stuck with me.", Reading::remark},
                       {u"Sorry about the background noise.", Reading::remark},
                       {u"Your audio cut out there.", Reading::remark},
                       {u"The nurse who trained me always asked this.", Reading::remark},
                       {u"Support answers most calls in under a minute.", Reading::remark},
                       {u"Quality matters most here.", Reading::remark},
                       {u"Bear with me.", Reading::remark},
                       {u"No right or wrong answer here.", Reading::remark},
                       {u"Erm.", Reading::remark},
                   });
    // Tagged after the question, a name that is also a verb is its object.
    expectReadings(QStringLiteral("What is your experience with?"),
                   {{u"Go.", Reading::object}, {u"Go ahead.", Reading::remark}});
}

// After a question that is whole as asked, only words that name its topic join it. Replies,
// quantifiers standing for a subject and "else" questions stand apart after any question, and a
// lone object pronoun completes a cut one.
TEST(QuestionContinuation, AfterAWholeQuestionOnlyItsTopicJoins) {
    expectReadings(QStringLiteral("What are you most excited about?"),
                   {
                       {u"The product you shipped in the spring.", Reading::object},
                       {u"Coaching junior nurses.", Reading::object},
                       {u"Somebody you learned from.", Reading::object},
                       {u"Kubernetes.", Reading::object},
                       {u"Anything at all.", Reading::remark},
                       {u"You.", Reading::remark},
                       {u"Both.", Reading::remark},
                       {u"How we ship.", Reading::object},
                       {u"Whatever comes to mind.", Reading::remark},
                       {u"Looks good.", Reading::remark},
                       {u"Okay, makes sense.", Reading::remark},
                       {u"Mm-hmm.", Reading::remark},
                       {u"These matter a lot.", Reading::remark},
                       {u"Either one works.", Reading::remark},
                       {u"Each is valid.", Reading::remark},
                       {u"None of them apply here.", Reading::remark},
                       {u"Each of those counts.", Reading::remark},
                       {u"Every one of those tools.", Reading::object},
                       {u"Shipping costs us a fortune.", Reading::remark},
                       {u"What else excites you?", Reading::question},
                   });
    expectReadings(QStringLiteral("What would your team say about?"),
                   {
                       {u"Them.", Reading::object},
                       {u"Me.", Reading::object},
                       {u"Himself.", Reading::object},
                       {u"How we ship.", Reading::object},
                       {u"Both design and code.", Reading::object},
                       {u"Great teams.", Reading::object},
                       {u"Sounds fair.", Reading::remark},
                       {u"Okay, got it.", Reading::remark},
                       {u"Right, thanks.", Reading::remark},
                       {u"Who else was there?", Reading::question},
                   });
}

// A long question is read at its end, past the words the tagger reads at once.
TEST(QuestionContinuation, ALongQuestionIsReadAtItsEnd) {
    const QString start = QStringLiteral(
        "Thinking back over the last few years of your career and all the teams and projects and "
        "managers you have worked with in that time, ");
    EXPECT_TRUE(
        QuestionContinuation::mayGoOn(start + QStringLiteral("what are you most proud of?")));
    EXPECT_TRUE(QuestionContinuation::mayGoOn(start + QStringLiteral("could you describe?")));
    EXPECT_FALSE(
        QuestionContinuation::mayGoOn(start + QStringLiteral("what has gone well so far?")));
    EXPECT_FALSE(QuestionContinuation::mayGoOn(start + QStringLiteral("why did you leave?")));
}

// What is said after a question asked whole only goes on with it when it cannot begin a sentence
// there, says where or when the question holds, or is the object of the verb it ended on; a
// question of its own, a reply or a remark does not.
TEST(QuestionContinuation, WhatOnlyGoesOnWithAQuestionJustAsked) {
    const std::tuple<const char16_t*, const char16_t*, bool> rows[] = {
        {u"Why did you leave?", u"your last job", true},
        {u"How you would explain a pension to someone?", u"who's never had one", true},
        {u"How you keep track of deadlines?", u"when you've got thirty files open", true},
        {u"Can you tell us about a time you disagreed?",
         u"with your manager and how that played out", true},
        {u"What's your notice period?", u"any flexibility on that", false},
        {u"Why did you leave?", u"what did you learn there", false},
        {u"Why did you leave?", u"okay", false},
        {u"What's your notice period?", u"in your last job what did you do", false},
    };
    for (const auto& [question, words, goesOn] : rows)
        EXPECT_EQ(
            QuestionContinuation::goesOn(QString::fromUtf16(question), QString::fromUtf16(words)),
            goesOn)
            << qPrintable(QString::fromUtf16(words));
    EXPECT_EQ(QuestionContinuation::asAsked(QStringLiteral("Would you prefer mornings or?")),
              QStringLiteral("Would you prefer mornings?"));
    EXPECT_EQ(QuestionContinuation::asAsked(QStringLiteral("Do you drive?")),
              QStringLiteral("Do you drive?"));
}
