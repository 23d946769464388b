#include "core/AnswerEntry.h"
#include "core/AnswerStyle.h"
#include "core/AudioSource.h"
#include "core/InterviewContext.h"
#include "core/InterviewRecord.h"
#include "core/JsonCoding.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace corvel;
using namespace Qt::StringLiterals;

namespace {
QJsonObject parse(const char* text) {
    return json::decodeObject(QByteArray(text));
}
} // namespace

TEST(InterviewContext, TitleAndReadiness) {
    InterviewContext context;
    context.role = u" \n\t "_s;
    EXPECT_EQ(context.title(), u"Your next interview"_s);
    context.role = u"  Staff Engineer \n"_s;
    EXPECT_EQ(context.title(), u"Staff Engineer"_s);

    context.resume = u" \n "_s;
    context.jobDescription = u"A long description"_s;
    EXPECT_FALSE(context.ready());
    context.resume = u"x"_s;
    context.jobDescription = u"y"_s;
    EXPECT_TRUE(context.ready());
}

TEST(InterviewContext, EnglishLanguageRule) {
    for (const char* english : {" english ", "EN-GB", "Anglais", "en", "en-us\n"})
        EXPECT_TRUE(isEnglishLanguage(QString::fromUtf8(english))) << english;
    for (const char* french : {"en_US", "English (UK)", "", "French", "Français"})
        EXPECT_FALSE(isEnglishLanguage(QString::fromUtf8(french))) << french;
}

TEST(Enumerations, RawValuesMatchExactlyUnderCanonicalEquivalence) {
    EXPECT_EQ(answerStyleFromRaw(QString::fromUtf8("Me\xcc\x81thode STAR")), AnswerStyle::star);
    EXPECT_EQ(answerStyleFromRaw(QString::fromUtf8("méthode star")), std::nullopt);
    EXPECT_EQ(answerStyleFromRaw(u"Adaptive"_s), std::nullopt);
    EXPECT_EQ(audioSourceFromRaw(QString::fromUtf8("Audio de l\xe2\x80\x99"
                                                   "appel")),
              AudioSource::system);
    EXPECT_EQ(audioSourceFromRaw(u"Audio de l'appel"_s), std::nullopt);
    for (AnswerStyle style : allAnswerStyles())
        EXPECT_EQ(answerStyleFromRaw(rawValue(style)), style);
}

TEST(AnswerEntry, AbsentOptionalsAreLeftOutAndReadBack) {
    AnswerEntry entry;
    entry.question = u"Why us?"_s;
    entry.answer = u"Because…"_s;
    const QJsonObject object = entry.toJson();
    EXPECT_FALSE(object.contains(u"firstTokenMilliseconds"_s));
    EXPECT_FALSE(object.contains(u"latency"_s));
    const AnswerEntry back = AnswerEntry::fromJson(object);
    EXPECT_EQ(back.id, entry.id);
    EXPECT_FALSE(back.firstTokenMilliseconds);
    EXPECT_FALSE(back.latency);

    // Null reads as absent too; a partially filled latency keeps only what it has.
    const auto withNulls = AnswerEntry::fromJson(
        parse(R"({"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","question":"q","answer":"a",)"
              R"("date":"2026-01-02T03:04:05Z","firstTokenMilliseconds":null,)"
              R"("latency":{"totalMilliseconds":1200,"firstCueMilliseconds":null}})"));
    EXPECT_FALSE(withNulls.firstTokenMilliseconds);
    ASSERT_TRUE(withNulls.latency);
    EXPECT_EQ(withNulls.latency->totalMilliseconds, 1200);
    EXPECT_FALSE(withNulls.latency->firstCueMilliseconds);
}

TEST(InterviewRecord, StrictDecodingRejectsEveryMalformedField) {
    const char* good =
        R"({"id":"6f9619ff-8b86-d011-b42d-00c04fc964ff","date":"2026-01-02T03:04:05Z",)"
        R"("role":"r","company":"c","duration":42,"isDemo":false,"entries":[],"extra":1})";
    const InterviewRecord record = InterviewRecord::fromJson(parse(good));
    EXPECT_EQ(record.duration, 42);
    EXPECT_EQ(json::uuidText(record.id), u"6F9619FF-8B86-D011-B42D-00C04FC964FF"_s);

    const std::vector<std::pair<QString, QString>> breakages = {
        {u"\"duration\":42"_s, u"\"duration\":\"42\""_s},
        {u"\"duration\":42"_s, u"\"duration\":4.5"_s},
        {u"\"isDemo\":false"_s, u"\"isDemo\":0"_s},
        {u"\"role\":\"r\","_s, QString()},
        {u"2026-01-02T03:04:05Z"_s, u"2026-01-02T03:04:05.250Z"_s},
        {u"2026-01-02T03:04:05Z"_s, u"2026-01-02 03:04:05"_s},
        {u"2026-01-02T03:04:05Z"_s, u"9999-12-31T23:59:59-01:00"_s},
        {u"6f9619ff-8b86-d011-b42d-00c04fc964ff"_s, u"{6f9619ff-8b86-d011-b42d-00c04fc964ff}"_s},
        {u"\"entries\":[]"_s, u"\"entries\":[{\"id\":1}]"_s},
        {u"\"entries\":[]"_s, u"\"entries\":null"_s},
    };
    for (const auto& [from, to] : breakages) {
        QString text = QString::fromUtf8(good);
        text.replace(from, to);
        EXPECT_THROW(InterviewRecord::fromJson(json::decodeObject(text.toUtf8())),
                     JsonDecodingError)
            << text.toStdString();
    }
}

TEST(JsonCoding, DatesAreWholeSecondsInUtc) {
    const auto date = json::parseDate(u"2026-03-01T10:00:00+02:00"_s);
    ASSERT_TRUE(date);
    EXPECT_EQ(json::dateText(*date), u"2026-03-01T08:00:00Z"_s);
    EXPECT_FALSE(json::parseDate(u"2026-02-30T10:00:00Z"_s));
    const QDateTime withMilliseconds = QDateTime::fromMSecsSinceEpoch(1'700'000'000'999, Qt::UTC);
    EXPECT_EQ(json::dateText(withMilliseconds), u"2023-11-14T22:13:20Z"_s);

    // Only the exact forms: no fraction, space, other digits, trailing text or offset past a day.
    EXPECT_EQ(json::parseDate(u"2026-03-01T10:00:00-00:30"_s),
              QDateTime(QDate(2026, 3, 1), QTime(10, 30), Qt::UTC));
    for (const QString& bad :
         {u"2026-03-01T10:00:00.5Z"_s, u"2026-03-01 10:00:00Z"_s, u"2026-03-01T10:00:00Z\n"_s,
          u"2026-03-01T10:00:00"_s, u"2026-03-01T1\u0661:00:00Z"_s, u"2026-03-01T10:00:00+24:00"_s,
          u"2026-03-01T10:00:00+02:60"_s, u"2026-03-01T10:00:00*02:00"_s, u"2026-13-01T10:00:00Z"_s,
          u"+026-03-01T10:00:00Z"_s, u"9999-12-31T23:59:59-01:00"_s,
          u"0001-01-01T00:59:59+01:00"_s})
        EXPECT_FALSE(json::parseDate(bad)) << bad.toStdString();
    // Whatever is read can be written back and read again as the same date.
    for (const QString& edge : {u"9999-12-31T23:59:59Z"_s, u"9999-12-31T23:59:59+01:00"_s,
                                u"0001-01-01T00:00:00Z"_s, u"0001-01-01T00:59:59-01:00"_s}) {
        const auto read = json::parseDate(edge);
        ASSERT_TRUE(read) << edge.toStdString();
        EXPECT_EQ(json::parseDate(json::dateText(*read)), read) << edge.toStdString();
    }

    const QString id = u"6F9619FF-8B86-D011-B42D-00CF4FC964FF"_s;
    EXPECT_EQ(json::uuidText(*json::parseUuid(id.toLower())), id);
    for (const QString& bad :
         {u"{6F9619FF-8B86-D011-B42D-00CF4FC964FF}"_s, u"6F9619FF8B86-D011-B42D-00CF4FC964FF0"_s,
          u"6F9619FF-8B86-D011-B42D-00CF4FC964FG"_s, id + u"\n"_s})
        EXPECT_FALSE(json::parseUuid(bad)) << bad.toStdString();
}
