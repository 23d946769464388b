#pragma once

class QWidget;

namespace corvel {

// Roles that QWidget has no setter for: a heading, and a decorative widget that assistive
// technology should skip, together with everything inside it. A widget that is interactive only
// at times can be hidden and shown again.
void markAccessibleHeading(QWidget* widget);
void hideFromAccessibility(QWidget* widget, bool hidden = true);

} // namespace corvel
