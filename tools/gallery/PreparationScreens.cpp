#include "Screen.h"

namespace corvel::gallery {

// The preparation screens; see ShellScreens.cpp for how one is registered.
void addPreparationScreens(ScreenList&) {}

} // namespace corvel::gallery
