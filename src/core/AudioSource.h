#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace corvel {

// `system` is call audio: everything the computer plays.
enum class AudioSource { microphone, system };

// Stored raw value ("Microphone", "Audio de l’appel" with U+2019).
QString rawValue(AudioSource source);
std::optional<AudioSource> audioSourceFromRaw(const QString& raw);
const std::vector<AudioSource>& allAudioSources();

} // namespace corvel
