#include "Screen.h"

namespace corvel::gallery {

// The session screens; see ShellScreens.cpp for how one is registered.
void addSessionScreens(ScreenList&) {}

} // namespace corvel::gallery
