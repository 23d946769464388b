#pragma once

#include <QString>

namespace corvel {

// A recogniser's error, reduced to plain values so it can leave the recogniser's thread.
struct AudioRecognitionFailure {
    QString domain;
    int code = 0;
    QString description;

    bool operator==(const AudioRecognitionFailure&) const = default;
};

} // namespace corvel
