#include "ui/foundation/PlainLabel.h"

namespace corvel {

PlainLabel::PlainLabel(const QString& text, const QFont& font, const QColor& color, QWidget* parent)
    : QLabel(parent) {
    // Inside a button a label would otherwise take the button's text role and ignore its colour.
    setForegroundRole(QPalette::WindowText);
    setTextFormat(Qt::PlainText);
    setText(text);
    setFont(font);
    setTextColor(color);
}

void PlainLabel::setTextColor(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, color);
    setPalette(colors);
}

QString plainToolTip(const QString& text) {
    return QStringLiteral("<qt>%1</qt>").arg(text.toHtmlEscaped());
}

} // namespace corvel
