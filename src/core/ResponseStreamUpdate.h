#pragma once

#include <QString>

namespace corvel {

// What one stream event means for the answer.
struct ResponseStreamUpdate {
    enum class Kind { delta, completed, ignore };
    Kind kind = Kind::ignore;
    QString text; // the delta's text

    static ResponseStreamUpdate delta(QString text) { return {Kind::delta, std::move(text)}; }
    bool operator==(const ResponseStreamUpdate&) const = default;
};

} // namespace corvel
