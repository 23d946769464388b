#include "core/CharacterCount.h"

#include <QTextBoundaryFinder>

namespace corvel {

qsizetype characterCount(QStringView text, qsizetype limit) {
    // Below U+0300 and without a carriage return, every code unit is a character of its own.
    bool simple = true;
    for (const QChar c : text) {
        if (c.unicode() >= 0x300 || c == u'\r') {
            simple = false;
            break;
        }
    }
    if (simple)
        return text.size();

    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1) {
        ++count;
        if (limit >= 0 && count > limit)
            break;
    }
    return count;
}

} // namespace corvel
