#pragma once

#include <QString>

namespace corvel {

// The last `count` user-perceived characters of `text` (all of it when shorter): never half of a
// surrogate pair or of a combining sequence.
QString lastCharacters(const QString& text, qsizetype count);

} // namespace corvel
