#include "StoreHarness.h"
#include "listening/TestGrammar.h"

#include <QProcess>

#include <gtest/gtest.h>

extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}
extern "C" const char* __lsan_default_suppressions() {
    // sphinxbase's JSGF parser, used only by the test grammar, keeps a few of its allocations.
    return "leak:jsgf_parse_string\n";
}

using namespace corvel;
using test::StoreHarness;
using test::TestHttpServer;

// Spoken words played into the call sink are captured, transcribed, picked out as a question,
// answered by the loopback service and kept as an answer of the session.
TEST(SessionEndToEnd, SpokenQuestionBecomesAStoredAnswer) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        << "needs the sound server that scripts/test starts";
    StoreHarness h(QStringLiteral("sk-test"), true, TestHttpServer::Mode::plain);
    AudioCapture audio(std::nullopt, test::platformWithTestGrammar());
    h.realAudio = &audio;
    h.makeStore(QStringLiteral("sk-test"), true);
    h.prepare();
    h.server->enqueue(StoreHarness::answer({"I rebuilt our deploys. "}));
    const QString speech = h.folder.filePath(QStringLiteral("question.wav"));
    ASSERT_EQ(
        QProcess::execute(QStringLiteral("espeak-ng"),
                          {QStringLiteral("-v"), QStringLiteral("en-us"), QStringLiteral("-w"),
                           speech, QStringLiteral("Hello. Tell me about your last project.")}),
        0);

    AppStore& store = *h.store;
    store.startSession();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return store.sessionPhase() == SessionPhase::waiting; }, 15000))
        << (store.message() ? store.message()->toStdString() : std::string());

    QProcess player;
    player.start(QStringLiteral("paplay"), {QStringLiteral("--device=call_sink"), speech});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !store.sessionEntries().empty(); }, 30000))
        << "transcript: " << audio.transcript().toStdString();
    player.waitForFinished(30000);

    const AnswerEntry& entry = store.sessionEntries().front();
    EXPECT_TRUE(entry.question.contains(QStringLiteral("tell me about your last project"),
                                        Qt::CaseInsensitive))
        << entry.question.toStdString();
    EXPECT_EQ(entry.answer, QStringLiteral("I rebuilt our deploys. "));
    ASSERT_TRUE(entry.latency);
    EXPECT_TRUE(entry.latency->totalMilliseconds);
    ASSERT_EQ(h.server->requests().size(), 1u);
    EXPECT_TRUE(h.server->requests()[0].body.contains("tell me about your last project"));
    store.endSession();
    EXPECT_EQ(store.history().size(), 1u);
}
