#pragma once

#include <QStringView>

namespace corvel {

// User-perceived characters (grapheme clusters) in `text`. Counting stops once it passes `limit`,
// so a huge text costs no more than the limit it is checked against.
qsizetype characterCount(QStringView text, qsizetype limit = -1);

} // namespace corvel
