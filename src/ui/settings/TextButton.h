#pragma once

#include <QPushButton>

namespace corvel {

// A borderless button that is only its text.
class TextButton final : public QPushButton {
    Q_OBJECT

public:
    TextButton(const QString& title, const QFont& font, const QColor& color,
               QWidget* parent = nullptr);
};

} // namespace corvel
