#include "ui/foundation/FontRegistry.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/FontFaceDescriptor.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace corvel;

namespace {

const QString variableFile = QStringLiteral("/usr/share/fonts/truetype/inter-vf/Inter.var.ttf");
const QString staticFolder = QStringLiteral("/usr/share/fonts/opentype/inter");

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

FontFaceDescriptor face(const char* name,
                        std::initializer_list<std::pair<const char*, double>> axes) {
    FontFaceDescriptor result{QString::fromLatin1(name), {}};
    for (const auto& [tag, value] : axes)
        result.variations.insert(QByteArray(tag), value);
    return result;
}

// The family of every face that draws part of `text` in `font`.
std::set<std::string> drawingFaces(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    std::set<std::string> faces;
    for (const QGlyphRun& run : layout.glyphRuns())
        faces.insert(run.rawFont().familyName().toStdString());
    return faces;
}

int warnings = 0;
void countWarnings(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type != QtDebugMsg && type != QtInfoMsg)
        ++warnings;
}

} // namespace

TEST(FontRegistryTest, AxisRuleTakesTheFirstUprightRegularFace) {
    EXPECT_EQ(FontRegistry::chooseRegularFace({face("Thin", {{"wght", 100}, {"slnt", 0}}),
                                               face("Italic", {{"wght", 400}, {"slnt", -10}}),
                                               face("Regular", {{"wght", 400}, {"slnt", 0}}),
                                               face("Later", {{"wght", 400}})})
                  ->postScriptName,
              QStringLiteral("Regular"));
    // Every face off 400 (or slanted): no name, so text falls back to the system font.
    EXPECT_FALSE(FontRegistry::chooseRegularFace(
        {face("Bold", {{"wght", 700}}), face("Slanted", {{"wght", 400}, {"slnt", -10}})}));
    EXPECT_FALSE(FontRegistry::chooseRegularFace({face("Near", {{"wght", 400.5}})}));
    // A static face has no axes and passes at once.
    EXPECT_EQ(
        FontRegistry::chooseRegularFace({face("Static", {}), face("Other", {})})->postScriptName,
        QStringLiteral("Static"));
    EXPECT_FALSE(FontRegistry::chooseRegularFace({}));
}

TEST(FontRegistryTest, ReadsTheFacesOfRealFontFiles) {
    const QByteArray variable = readFile(variableFile);
    ASSERT_FALSE(variable.isEmpty()) << "fonts-inter-variable is not installed";
    const QList<FontFaceDescriptor> faces = FontFaceDescriptor::readAll(variable);
    ASSERT_GT(faces.size(), 2);
    EXPECT_EQ(faces.first().variations.value("wght"), 100.0);
    const auto regular = FontRegistry::chooseRegularFace(faces);
    ASSERT_TRUE(regular);
    EXPECT_EQ(regular->postScriptName, QStringLiteral("Inter-Regular"));
    EXPECT_EQ(regular->variations.value("wght"), 400.0);
    EXPECT_EQ(regular->variations.value("slnt"), 0.0);

    const QList<FontFaceDescriptor> statics =
        FontFaceDescriptor::readAll(readFile(staticFolder + QStringLiteral("/Inter-Medium.otf")));
    ASSERT_EQ(statics.size(), 1);
    EXPECT_TRUE(statics.first().variations.isEmpty());
    EXPECT_EQ(statics.first().postScriptName, QStringLiteral("Inter-Medium"));
}

TEST(FontRegistryTest, DamagedFontDataIsReadSafely) {
    const QByteArray variable = readFile(variableFile);
    ASSERT_FALSE(variable.isEmpty());
    for (qsizetype length : {0, 3, 12, 200, 4000})
        EXPECT_TRUE(FontFaceDescriptor::readAll(variable.left(length)).isEmpty());
    // A collection header that claims far more faces than the data holds.
    QByteArray collection("ttcf\x00\x01\x00\x00\x7f\xff\xff\xff", 12);
    collection.append(QByteArray(16, '\xff'));
    EXPECT_TRUE(FontFaceDescriptor::readAll(collection).isEmpty());
    EXPECT_TRUE(FontFaceDescriptor::readAll(QByteArray(64, '\0')).isEmpty());
}

TEST(FontRegistryTest, MissingFileFallsBackQuietlyToTheSystemFontAtTheSameSizes) {
    warnings = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countWarnings);
    const auto missing =
        FontRegistry::registerFontFile(QStringLiteral("/nonexistent/App.var.ttf"), staticFolder);
    const QFont fallback = appFont(14, QFont::Medium, missing);
    qInstallMessageHandler(previous);
    EXPECT_FALSE(missing);
    EXPECT_EQ(warnings, 0);
    EXPECT_EQ(fallback.family(),
              QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family());

    const auto registered = FontRegistry::registerFontFile(variableFile, staticFolder);
    ASSERT_TRUE(registered);
    EXPECT_EQ(registered->postScriptName, QStringLiteral("Inter-Regular"));
    // Pixel sizes whatever the screen's DPI, the same with either font.
    for (const auto& font :
         {appFont(13, QFont::DemiBold, registered), appFont(13, QFont::DemiBold, std::nullopt)}) {
        EXPECT_EQ(font.pixelSize(), 13);
        EXPECT_EQ(font.weight(), QFont::DemiBold);
    }
    EXPECT_EQ(appFont(13, QFont::DemiBold, registered).family(), registered->family);
}

TEST(FontRegistryTest, WeightsRenderWithTheirOwnFaces) {
    const auto registered = FontRegistry::registerFontFile(variableFile, staticFolder);
    ASSERT_TRUE(registered);
    const QString sample = QStringLiteral("Hamburgefonstiv");
    const QFont regular = appFont(14, QFont::Normal, registered);
    const QFont medium = appFont(14, QFont::Medium, registered);
    const QFont semibold = appFont(14, QFont::DemiBold, registered);
    EXPECT_EQ(QFontInfo(regular).styleName(), QStringLiteral("Regular"));
    EXPECT_EQ(QFontInfo(medium).styleName(), QStringLiteral("Medium"));
    EXPECT_EQ(QFontInfo(semibold).styleName(), QStringLiteral("Semi Bold"));
    EXPECT_LT(QFontMetricsF(regular).horizontalAdvance(sample),
              QFontMetricsF(semibold).horizontalAdvance(sample));
}

// The system font may be an alias ("Sans Serif"): digits, "/", ":" and spaces must still come
// from a text face, never from the emoji face.
TEST(FontRegistryTest, TextIsDrawnByTheTextFaceAndOnlyEmojiByTheEmojiFace) {
    const auto registered = FontRegistry::registerFontFile(variableFile, staticFolder);
    ASSERT_TRUE(registered);
    const std::string systemFace =
        QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family().toStdString();
    const std::string emojiFace = "Noto Color Emoji";
    ASSERT_NE(systemFace, emojiFace);
    const QString text = QStringLiteral("12:34 · 3/5 questions · Hamburgefonstiv 0123456789");
    for (const auto& [font, face] :
         {std::pair{appFont(13, QFont::Normal, std::nullopt), systemFace},
          std::pair{appFont(13, QFont::Normal, registered), registered->family.toStdString()}}) {
        EXPECT_EQ(drawingFaces(font, text), std::set{face});
        // A character the text face lacks still shows, from the emoji face.
        EXPECT_EQ(drawingFaces(font, QStringLiteral("\U0001F98A")), std::set{emojiFace});
    }
}
