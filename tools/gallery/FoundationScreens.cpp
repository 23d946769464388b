#include "Screen.h"

#include "ui/foundation/GoogleSignInButton.h"
#include "ui/foundation/NativeAppBackdrop.h"

#include <QVBoxLayout>

namespace corvel::gallery {

void addFoundationScreens(ScreenList& screens) {
    screens.append({QStringLiteral("sign-in-button"),
                    QStringLiteral("the Google sign-in button on the window backdrop"),
                    {},
                    [](fixture::ScreenFixture& fixture, const ScreenOptions&) -> QWidget* {
                        auto* backdrop = new NativeAppBackdrop(0.82);
                        auto* layout = new QVBoxLayout(backdrop);
                        layout->setContentsMargins(24, 24, 24, 24);
                        layout->addWidget(new GoogleSignInButton(fixture.environment()), 0,
                                          Qt::AlignLeft | Qt::AlignTop);
                        return backdrop;
                    }});
}

} // namespace corvel::gallery
