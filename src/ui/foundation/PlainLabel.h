#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>

namespace corvel {

// A QLabel that shows its text as plain text, in the given font and colour.
class PlainLabel : public QLabel {
    Q_OBJECT

public:
    PlainLabel(const QString& text, const QFont& font, const QColor& color,
               QWidget* parent = nullptr);

    void setTextColor(const QColor& color);
};

// A tool tip that shows `text` as it is: Qt reads a tool tip that looks like markup as rich text.
QString plainToolTip(const QString& text);

} // namespace corvel
