#include "ui/settings/TextButton.h"

namespace corvel {

TextButton::TextButton(const QString& title, const QFont& font, const QColor& color,
                       QWidget* parent)
    : QPushButton(title, parent) {
    setFlat(true);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    QPalette colors = palette();
    colors.setColor(QPalette::ButtonText, color);
    setPalette(colors);
}

} // namespace corvel
