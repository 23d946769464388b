#pragma once

#include "ui/session/AnswerCueView.h"

namespace corvel {

// The answer as the live screens and the history show it: the cue view with the four accents,
// pink, cyan, green and orange.
class AnswerText final : public AnswerCueView {
    Q_OBJECT

public:
    AnswerText(const QString& text, bool inverse, bool compact, bool isStreaming,
               QWidget* parent = nullptr);

    static QList<QColor> accents();
};

} // namespace corvel
