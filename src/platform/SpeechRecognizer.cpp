#include "platform/SpeechRecognizer.h"

#include "platform/PocketSphinxRecognizer.h"

namespace corvel {

std::shared_ptr<SpeechRecognizer> SpeechRecognizer::create(const QString& localeIdentifier) {
    return PocketSphinxRecognizer::create(localeIdentifier, PocketSphinxRecognizer::Options());
}

QStringList SpeechRecognizer::installedLocales() {
    return PocketSphinxRecognizer::installedLocales();
}

} // namespace corvel
