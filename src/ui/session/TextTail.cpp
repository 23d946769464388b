#include "ui/session/TextTail.h"

#include <QTextBoundaryFinder>

namespace corvel {

namespace {

// Where the `count`-th character from the end of text[from...] begins, found by walking grapheme
// boundaries backwards; `from` itself when the slice holds fewer characters.
qsizetype startOfLast(const QString& text, qsizetype from, qsizetype count) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.constData() + from,
                               text.size() - from);
    finder.toEnd();
    for (qsizetype i = 0; i < count; ++i) {
        if (finder.toPreviousBoundary() <= 0)
            return from;
    }
    return from + finder.position();
}

} // namespace

QString lastCharacters(const QString& text, qsizetype count) {
    // A character is at least one code unit, so a short text is whole.
    if (count <= 0)
        return {};
    if (text.size() <= count)
        return text;
    // A long transcript is searched only near its end. Boundaries found within a few units of the
    // window's own start may be wrong (a cluster cut by the window), so such a result falls back
    // to the whole text.
    constexpr qsizetype margin = 32;
    const qsizetype window = count * 4 + 2 * margin;
    if (text.size() > window) {
        const qsizetype from = text.size() - window;
        const qsizetype start = startOfLast(text, from, count);
        if (start >= from + margin)
            return text.sliced(start);
    }
    return text.sliced(startOfLast(text, 0, count));
}

} // namespace corvel
