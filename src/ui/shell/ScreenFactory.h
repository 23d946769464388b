#pragma once

#include "core/AppSection.h"
#include "ui/foundation/AppEnvironment.h"

#include <functional>

class QWidget;

namespace corvel {

// The one place where the main window's screens are made; each is built afresh on every call.
// The screen of a section, as the root view shows it.
QWidget* makeSectionScreen(AppSection section, const AppEnvironment& environment);
// The guided setup from its first step; `onFinish` runs when the user finishes or skips it.
QWidget* makeGuide(const AppEnvironment& environment, std::function<void()> onFinish);

} // namespace corvel
