#include "ui/session/SessionFacts.h"

#include "session/AppStore.h"

namespace corvel {

SessionFacts SessionFacts::of(const AppStore& store) {
    SessionFacts facts;
    facts.source = store.activeAudioSource().value_or(store.audioSource());
    facts.context = store.activeSessionContext().value_or(store.context());
    facts.language = languageLabel(facts.context.language);
    facts.manualMode = isManualMode(facts.source, store.automaticAnswers());
    return facts;
}

QString SessionFacts::languageLabel(const QString& language) {
    return isEnglishLanguage(language) ? QStringLiteral("English") : QStringLiteral("French");
}

bool SessionFacts::isManualMode(AudioSource source, bool automaticAnswers) {
    return source == AudioSource::microphone || !automaticAnswers;
}

} // namespace corvel
