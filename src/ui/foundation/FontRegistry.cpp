#include "ui/foundation/FontRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>

namespace corvel {

namespace {

// Well above any real font file; keeps a wrong path from reading something huge.
constexpr qint64 maxFontFileSize = 64 * 1024 * 1024;

// The upright static faces of Debian's fonts-inter, one per weight.
const QStringList& staticFaceFiles() {
    static const QStringList files = {
        QStringLiteral("Inter-Thin.otf"),   QStringLiteral("Inter-ExtraLight.otf"),
        QStringLiteral("Inter-Light.otf"),  QStringLiteral("Inter-Regular.otf"),
        QStringLiteral("Inter-Medium.otf"), QStringLiteral("Inter-SemiBold.otf"),
        QStringLiteral("Inter-Bold.otf"),   QStringLiteral("Inter-ExtraBold.otf"),
        QStringLiteral("Inter-Black.otf")};
    return files;
}

QString defaultStaticFolder() {
    const QString overridden = qEnvironmentVariable("CORVEL_FONT_STATIC_DIR");
    return overridden.isEmpty() ? QStringLiteral("/usr/share/fonts/opentype/inter") : overridden;
}

} // namespace

QString FontRegistry::defaultFontFile() {
    const QString overridden = qEnvironmentVariable("CORVEL_FONT_FILE");
    return overridden.isEmpty() ? QStringLiteral("/usr/share/fonts/truetype/inter-vf/Inter.var.ttf")
                                : overridden;
}

std::optional<FontFaceDescriptor>
FontRegistry::chooseRegularFace(const QList<FontFaceDescriptor>& faces) {
    for (const FontFaceDescriptor& face : faces) {
        const auto weight = face.variations.constFind(QByteArrayLiteral("wght"));
        const auto slant = face.variations.constFind(QByteArrayLiteral("slnt"));
        const bool weightPasses = weight == face.variations.cend() || *weight == 400.0;
        const bool slantPasses = slant == face.variations.cend() || *slant == 0.0;
        if (weightPasses && slantPasses)
            return face;
    }
    return std::nullopt;
}

std::optional<RegisteredFont> FontRegistry::registerFontFile(const QString& file,
                                                             const QString& staticFolder) {
    QFile input(file);
    if (input.size() > maxFontFileSize || !input.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = input.read(maxFontFileSize);
    const int id = QFontDatabase::addApplicationFontFromData(data);
    if (id < 0)
        return std::nullopt;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    const auto regular = chooseRegularFace(FontFaceDescriptor::readAll(data));
    if (families.isEmpty() || !regular)
        return std::nullopt;
    const QDir folder(staticFolder);
    for (const QString& name : staticFaceFiles()) {
        const QString path = folder.filePath(name);
        if (QFileInfo::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
    return RegisteredFont{regular->postScriptName, families.constFirst()};
}

const std::optional<RegisteredFont>& FontRegistry::registeredFont() {
    static const std::optional<RegisteredFont> font =
        registerFontFile(defaultFontFile(), defaultStaticFolder());
    return font;
}

std::optional<QString> FontRegistry::registeredName() {
    const auto& font = registeredFont();
    if (!font)
        return std::nullopt;
    return font->postScriptName;
}

} // namespace corvel
