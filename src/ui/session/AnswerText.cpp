#include "ui/session/AnswerText.h"

#include "ui/foundation/Palette.h"

namespace corvel {

AnswerText::AnswerText(const QString& text, bool inverse, bool compact, bool isStreaming,
                       QWidget* parent)
    : AnswerCueView(text, inverse, compact, isStreaming, accents(), parent) {}

QList<QColor> AnswerText::accents() {
    return {Palette::pink(), Palette::cyan(), Palette::green(), Palette::orange()};
}

} // namespace corvel
