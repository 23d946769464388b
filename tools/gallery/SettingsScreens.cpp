#include "Screen.h"

namespace corvel::gallery {

// The settings screens; see ShellScreens.cpp for how one is registered.
void addSettingsScreens(ScreenList&) {}

} // namespace corvel::gallery
