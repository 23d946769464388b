#pragma once

#include "listening/AudioCapturePlatform.h"
#include "listening/CaptureError.h"
#include "platform/Wakeup.h"
#include "support/AwaitTask.h"

#include <QCoreApplication>

#include <memory>
#include <optional>
#include <vector>

namespace corvel::test {

// Runs queued calls and zero-delay timers, as the next event-loop turns would.
inline void settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

inline void finish(QCoro::Task<> task) {
    awaitTask(std::move(task));
}

class FakeRecognitionTask final : public SpeechRecognitionTask {
public:
    FakeRecognitionTask(bool onDevice, SpeechRecognizer::ResultHandler handler)
        : requiresOnDevice(onDevice), m_handler(std::move(handler)) {}
    void append(const qint16* samples, std::size_t count) override {
        audio.insert(audio.end(), samples, samples + count);
    }
    void endAudio() override { ended = true; }
    void cancel() override { cancelled = true; }
    void result(const QString& text, bool isFinal = false) { deliver({text, isFinal, {}}); }
    void fail(QString domain, int code, QString description = QStringLiteral("It broke.")) {
        deliver({std::nullopt, false,
                 AudioRecognitionFailure{std::move(domain), code, std::move(description)}});
    }
    // As a real recogniser, a cancelled task may still have a result in flight.
    void deliver(const SpeechRecognitionResult& result) {
        m_handler(result);
        settle();
    }

    const bool requiresOnDevice;
    std::vector<qint16> audio;
    bool ended = false;
    bool cancelled = false;

private:
    SpeechRecognizer::ResultHandler m_handler;
};

class FakeRecognizer final : public SpeechRecognizer {
public:
    bool isAvailable() const override { return available; }
    bool supportsOnDeviceRecognition() const override { return onDevice; }
    std::shared_ptr<SpeechRecognitionTask> recognize(bool requiresOnDevice,
                                                     ResultHandler onResult) override {
        previousStillOpen.push_back(!tasks.empty() && !tasks.back()->ended);
        tasks.push_back(
            std::make_shared<FakeRecognitionTask>(requiresOnDevice, std::move(onResult)));
        return tasks.back();
    }
    FakeRecognitionTask& current() { return *tasks.back(); }

    bool available = true;
    bool onDevice = true;
    std::vector<std::shared_ptr<FakeRecognitionTask>> tasks;
    // Per request: whether the previous task still took audio then (a hand-over).
    std::vector<bool> previousStillOpen;
};

// What a test sees of one input; it outlives the input, which the engine owns.
struct FakeInputState {
    Wakeup ready;
    std::optional<CaptureError> startFailure;
    bool stopped = false;
    AudioInput::SamplesHandler samples;
    AudioInput::FailureHandler failure;
};

class FakeInput final : public AudioInput {
public:
    explicit FakeInput(std::shared_ptr<FakeInputState> state) : m_state(std::move(state)) {}
    QCoro::Task<> start(CancelToken token) override {
        auto state = m_state; // the input may be gone when this resumes
        Wakeup wakeup = state->ready;
        const auto registration = token.onCancel([wakeup]() mutable { wakeup.fireSoon(); });
        co_await wakeup;
        token.throwIfCancelled();
        if (state->startFailure)
            throw *state->startFailure;
    }
    void stop() override {
        m_state->stopped = true;
        m_state->ready.fireSoon();
    }

private:
    std::shared_ptr<FakeInputState> m_state;
};

// The platform components of one engine, kept by the test to drive them.
struct FakeCaptureStack {
    FakeCaptureStack() { recognizer = std::make_shared<FakeRecognizer>(); }

    AudioCapturePlatform platform() {
        return {
            [this](AudioSource source, AudioInput::SamplesHandler onSamples,
                   AudioInput::FailureHandler onFailure) -> std::unique_ptr<AudioInput> {
                auto state = std::make_shared<FakeInputState>();
                state->samples = std::move(onSamples);
                state->failure = std::move(onFailure);
                if (startsAtOnce)
                    state->ready.fire();
                state->startFailure = std::exchange(nextStartFailure, std::nullopt);
                sources.push_back(source);
                inputs.push_back(state);
                return std::make_unique<FakeInput>(state);
            },
            [this](const QString& locale) -> std::shared_ptr<SpeechRecognizer> {
                locales.push_back(locale);
                return locale == QStringLiteral("fr-FR") ? nullptr : recognizer;
            },
        };
    }
    FakeInputState& input() { return *inputs.back(); }

    std::shared_ptr<FakeRecognizer> recognizer;
    bool startsAtOnce = true;
    std::optional<CaptureError> nextStartFailure;
    std::vector<AudioSource> sources;
    std::vector<QString> locales;
    std::vector<std::shared_ptr<FakeInputState>> inputs;
};

} // namespace corvel::test
