#include "listening/AudioCapturePlatform.h"

#include "listening/PulseAudioInput.h"

#include <map>

namespace corvel {

AudioCapturePlatform AudioCapturePlatform::system() {
    // Keep each locale's recogniser for the engine's life; it holds its models only while
    // listening.
    auto loaded = std::make_shared<std::map<QString, std::shared_ptr<SpeechRecognizer>>>();
    return {
        [](AudioSource source, AudioInput::SamplesHandler onSamples,
           AudioInput::FailureHandler onFailure) -> std::unique_ptr<AudioInput> {
            return std::make_unique<PulseAudioInput>(source, std::move(onSamples),
                                                     std::move(onFailure));
        },
        [loaded](const QString& localeIdentifier) -> std::shared_ptr<SpeechRecognizer> {
            auto& recognizer = (*loaded)[localeIdentifier];
            if (!recognizer)
                recognizer = SpeechRecognizer::create(localeIdentifier);
            return recognizer;
        },
    };
}

} // namespace corvel
