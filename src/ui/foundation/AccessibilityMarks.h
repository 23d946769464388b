#pragma once

class QWidget;

namespace corvel {

// Roles that QWidget has no setter for: a heading, and a decorative widget that assistive
// technology should skip.
void markAccessibleHeading(QWidget* widget);
void hideFromAccessibility(QWidget* widget);

} // namespace corvel
