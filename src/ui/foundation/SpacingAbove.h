#pragma once

#include <Qt>

class QBoxLayout;
class QWidget;

namespace corvel {

// Adds `widget` to a vertical `layout` with `spacing` above it that counts only while the widget
// is shown, as padding that belongs to the widget would: a hidden widget leaves no gap.
void addWithSpacingAbove(QBoxLayout* layout, QWidget* widget, int spacing,
                         Qt::Alignment alignment = {});

} // namespace corvel
