#include "core/AudioSource.h"

#include "core/RawValue.h"

namespace corvel {

namespace {
const std::array<std::pair<AudioSource, QString>, 2>& rawTable() {
    static const std::array<std::pair<AudioSource, QString>, 2> table{{
        {AudioSource::microphone, QStringLiteral("Microphone")},
        {AudioSource::system, QStringLiteral("Audio de l’appel")},
    }};
    return table;
}
} // namespace

QString rawValue(AudioSource source) {
    return enumToRaw(rawTable(), source);
}

std::optional<AudioSource> audioSourceFromRaw(const QString& raw) {
    return enumFromRaw(rawTable(), raw);
}

const std::vector<AudioSource>& allAudioSources() {
    static const std::vector<AudioSource> all{AudioSource::microphone, AudioSource::system};
    return all;
}

} // namespace corvel
