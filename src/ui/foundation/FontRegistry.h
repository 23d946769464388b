#pragma once

#include "ui/foundation/FontFaceDescriptor.h"

#include <QList>
#include <QString>

#include <optional>

namespace corvel {

// The application's own font face, registered for this process only.
struct RegisteredFont {
    QString postScriptName;
    QString family;

    bool operator==(const RegisteredFont&) const = default;
};

class FontRegistry final {
public:
    FontRegistry() = delete;

    // PostScript name of the upright regular face of the app font, or none; computed once per
    // process on first use, from defaultFontFile().
    static std::optional<QString> registeredName();
    static const std::optional<RegisteredFont>& registeredFont();

    // The variable font file: $CORVEL_FONT_FILE when set, else the one Debian's
    // fonts-inter-variable installs.
    static QString defaultFontFile();

    // Registers `file` and, when it yields a regular face, the weight-specific static faces of
    // the same family found in `staticFolder` (Qt 6.4 exposes only one instance of a variable
    // file, so 500 and 600 would otherwise look like 400). Not cached.
    static std::optional<RegisteredFont> registerFontFile(const QString& file,
                                                          const QString& staticFolder);

    // The first face whose "wght" is absent or exactly 400 and whose "slnt" is absent or exactly 0.
    static std::optional<FontFaceDescriptor>
    chooseRegularFace(const QList<FontFaceDescriptor>& faces);
};

} // namespace corvel
