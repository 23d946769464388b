#pragma once

#include "StoreHarness.h"
#include "listening/FakeCaptureStack.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace corvel::test {

// The real capture engine over a fake input and recogniser, which starts a new recognition
// segment after each final result, as the recogniser does at every pause.
class SessionSegments : public ::testing::Test {
protected:
    void SetUp() override {
        h.realAudio = &audio;
        h.realAudioClock = &h.clock;
        h.makeStore(QStringLiteral("sk-test"), true);
        h.prepare();
        ASSERT_TRUE(h.startListening());
    }
    void say(const QString& text, bool isFinal) {
        stack.recognizer->current().result(text, isFinal);
        h.settle();
    }
    // Time passes in 0.1 s steps, each with the interviewer's voice or in silence.
    void advance(double seconds, bool audible) {
        for (int step = 0; step < qRound(seconds * 10); ++step) {
            const std::vector<qint16> sound(1600, audible ? 8000 : 0);
            stack.input().samples(sound.data(), sound.size());
            h.clock.advance(0.1);
            h.settle();
        }
    }
    // The interviewer says `words` over 0.6 s after a 0.2 s pause, the recogniser giving each
    // growing prefix as a partial result; the final result, when given, follows.
    void goOn(const QStringList& words, const std::optional<QString>& final) {
        advance(0.2, false);
        for (qsizetype i = 1; i <= words.size(); ++i) {
            advance(0.6 / words.size(), true);
            say(words.first(i).join(u' '), false);
        }
        if (final)
            say(*final, true);
    }

    StoreHarness h;
    FakeCaptureStack stack;
    AudioCapture audio{std::nullopt, stack.platform(), h.clock};
};

} // namespace corvel::test
