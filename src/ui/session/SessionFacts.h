#pragma once

#include "core/AudioSource.h"
#include "core/InterviewContext.h"

#include <QString>

namespace corvel {

class AppStore;

// What the live screens read of a session: the snapshots taken at its start when there are any,
// else the settings as they are now.
struct SessionFacts {
    AudioSource source = AudioSource::system;
    InterviewContext context;
    // "English" or "French".
    QString language;
    // Questions wait for the user: microphone source, or automatic answers off.
    bool manualMode = false;

    static SessionFacts of(const AppStore& store);
    static QString languageLabel(const QString& language);
    static bool isManualMode(AudioSource source, bool automaticAnswers);
};

} // namespace corvel
