#pragma once

#include <QEasingCurve>

class QWidget;

namespace corvel {

class AccessibilityPreferences;

// Cross-fades a change on screen: call it before `leaving` changes or goes away. The picture
// `leaving` shows now fades out where it stands while `entering` (the same widget changed, or the
// one that replaces it) fades in, over `durationMs`. Nothing moves; under Reduce Motion, or
// while `leaving` is not on screen, the change simply happens.
void crossFade(QWidget* leaving, QWidget* entering, int durationMs, const QEasingCurve& curve,
               const AccessibilityPreferences* preferences);

} // namespace corvel
