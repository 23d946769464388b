#pragma once

#include "platform/SpeechRecognitionResult.h"
#include "platform/SpeechRecognitionTask.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace corvel {

// A live speech recogniser for one locale. Each backend implements it; `create` picks the
// first installed backend that supports the locale.
class SpeechRecognizer {
public:
    // Called on the recogniser's own thread.
    using ResultHandler = std::function<void(const SpeechRecognitionResult&)>;

    virtual ~SpeechRecognizer() = default;
    virtual bool isAvailable() const = 0;
    virtual bool supportsOnDeviceRecognition() const = 0;
    virtual std::shared_ptr<SpeechRecognitionTask> recognize(bool requiresOnDevice,
                                                             ResultHandler onResult) = 0;

    // Null when no installed model speaks the locale's language.
    static std::shared_ptr<SpeechRecognizer> create(const QString& localeIdentifier);
    // Locales for which a model is installed.
    static QStringList installedLocales();
};

} // namespace corvel
