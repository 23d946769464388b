#include "Screen.h"

#include "ui/foundation/AppEntryView.h"

namespace corvel::gallery {

// To add a screen: append one entry with its name, a line of summary, the --set keys it reads
// itself, and a function that builds it over the fixture (the fixture has already applied the
// common keys such as section, message, session and account).
void addShellScreens(ScreenList& screens) {
    screens.append({QStringLiteral("entry"),
                    QStringLiteral("the main window's content"),
                    {},
                    [](fixture::ScreenFixture& fixture, const ScreenOptions&) -> QWidget* {
                        return new AppEntryView(fixture.environment());
                    }});
}

} // namespace corvel::gallery
