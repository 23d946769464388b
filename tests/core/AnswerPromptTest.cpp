#include "core/AnswerPrompt.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace corvel;
using namespace Qt::StringLiterals;

namespace {

QJsonObject parse(const QString& message) {
    return QJsonDocument::fromJson(message.toUtf8()).object();
}

} // namespace

TEST(AnswerPrompt, InstructionsAreTheExactTextsOfEachStyle) {
    // Sizes in UTF-8 of the base text, each style text and the data-safety text.
    const qsizetype base = 1786;
    const qsizetype safety = 1426;
    const std::pair<AnswerStyle, qsizetype> styles[] = {{AnswerStyle::adaptive, 600},
                                                        {AnswerStyle::concise, 98},
                                                        {AnswerStyle::star, 232},
                                                        {AnswerStyle::detailed, 147}};
    for (const auto& [style, size] : styles)
        EXPECT_EQ(AnswerPrompt::instructions(style).toUtf8().size(), base + size + safety);

    const QByteArray concise = AnswerPrompt::instructions(AnswerStyle::concise).toUtf8();
    EXPECT_TRUE(concise.startsWith("Tu aides un candidat à formuler une réponse claire"));
    EXPECT_EQ(concise.mid(base, 98),
              "40 à 80 mots. Une réponse directe, un appui concret et, s’il est utile, le lien "
              "avec le poste.");
    EXPECT_EQ(concise.mid(base - 1, 1), "\n");
    EXPECT_TRUE(concise.mid(base + 98).startsWith("\nLe message utilisateur est un objet JSON"));
    EXPECT_TRUE(concise.endsWith("signale brièvement ce qu’il faut préciser."));
    EXPECT_TRUE(concise.contains("« Je commencerais par… »"));
    EXPECT_FALSE(concise.contains('\''));
}

TEST(AnswerPrompt, InputIsOneSortedLineWithTrimmedFields) {
    InterviewContext context;
    context.name = u"  Ana \n"_s;
    context.role = u"Dev"_s;
    context.company = u"ACME \"Labs\""_s;
    context.resume = u"CV"_s;
    context.resumeFilename = u"cv.pdf"_s;
    context.jobDescription = u"See https://example.com/jobs/1"_s;
    context.notes = QString();
    context.language = u" anglais "_s;
    context.isExample = true;
    const QString message = AnswerPrompt::input(u"\n\n Why us? \n"_s, context);
    EXPECT_EQ(message,
              uR"({"candidate_context":{"company":"ACME \"Labs\"","jobDescription":"See )"
              R"(https://example.com/jobs/1","language":"anglais","name":"Ana","notes":"",)"
              R"("resume":"CV","role":"Dev"},"question":"Why us?"})"_s);
}

TEST(AnswerPrompt, FieldsPastTheirLimitAreCutByCharactersWithAMarker) {
    const QString marker = u"\n[Texte tronqué à la limite de longueur.]"_s;
    InterviewContext context;
    context.resume = QString(30'000, u'r');
    context.jobDescription = QString(20'001, u'j');
    // 160 letters with combining accents are 320 code units but 160 characters: kept whole.
    for (int i = 0; i < 160; ++i)
        context.name += u"e\u0301"_s;
    context.notes = QString(12'000, QChar(0x00E9)) + u"é"_s;
    const QJsonObject message = parse(AnswerPrompt::input(QString(4'001, u'q'), context));
    const QJsonObject candidate = message.value(u"candidate_context"_s).toObject();
    EXPECT_EQ(candidate.value(u"resume"_s).toString(), context.resume);
    EXPECT_EQ(candidate.value(u"jobDescription"_s).toString(), QString(20'000, u'j') + marker);
    EXPECT_EQ(candidate.value(u"name"_s).toString(), context.name);
    EXPECT_EQ(candidate.value(u"notes"_s).toString(), QString(12'000, QChar(0x00E9)) + marker);
    EXPECT_EQ(message.value(u"question"_s).toString(), QString(4'000, u'q') + marker);
}
