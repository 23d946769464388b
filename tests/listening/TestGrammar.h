#pragma once

#include "listening/AudioCapturePlatform.h"
#include "platform/PocketSphinxRecognizer.h"

namespace corvel::test {

// Synthetic speech is far from what the language model was trained on: end-to-end tests decode
// it against a small grammar, through the same capture and recognition code as the application.
inline QByteArray testGrammar() {
    return "#JSGF V1.0;\n"
           "grammar interview;\n"
           "public <utterance> = <sentence>+;\n"
           "<sentence> = hello | tell me about your last project | what is your greatest "
           "strength | why do you want this job | how did you work with your team;\n";
}

inline AudioCapturePlatform platformWithTestGrammar() {
    auto platform = AudioCapturePlatform::system();
    PocketSphinxRecognizer::Options options;
    options.grammar = testGrammar();
    auto recognizer = PocketSphinxRecognizer::create(QStringLiteral("en-US"), options);
    platform.recognizer = [recognizer](const QString& locale) -> std::shared_ptr<SpeechRecognizer> {
        return locale == QStringLiteral("en-US") ? recognizer : nullptr;
    };
    return platform;
}

} // namespace corvel::test
