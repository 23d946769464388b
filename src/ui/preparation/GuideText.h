#pragma once

#include <QString>

class QWidget;

namespace corvel {

class SpacedLabel;

// The two text styles every guide step shares: the step title (46 semibold, a heading) and the
// step description (15 regular, secondary). Both wrap and grow to fit.
SpacedLabel* makeGuideTitle(const QString& text, QWidget* parent);
SpacedLabel* makeGuideDescription(const QString& text, QWidget* parent);

} // namespace corvel
