#pragma once

#include "fixture/ScreenFixture.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace corvel::gallery {

// The --set values given for one screen rendering. The fixture applies its own keys before the
// screen is built; a screen reads the keys it declared.
struct ScreenOptions {
    fixture::ScreenFixture::Settings settings;

    QString value(const QString& key, const QString& fallback = {}) const {
        return settings.value(key, fallback);
    }
    bool flag(const QString& key, bool fallback = false) const {
        if (!settings.contains(key))
            return fallback;
        const QString text = settings.value(key);
        return text == QLatin1String("1") || text == QLatin1String("true");
    }
};

// One whole screen built over the fixture's real stores. `keys` are the --set keys the screen
// reads itself (beyond the fixture's), each "name: help". A screen must render with no --set.
struct Screen {
    QString name;
    QString summary;
    QStringList keys;
    std::function<QWidget*(fixture::ScreenFixture&, const ScreenOptions&)> make;
};

using ScreenList = QList<Screen>;

// `content` over the window backdrop, as the app shows its screens.
QWidget* onBackdrop(QWidget* content);

// The --set key of the live moments, and the moment it names played over a started session.
extern const QString liveKey;
void playLiveMoment(fixture::ScreenFixture& fixture, const ScreenOptions& options);

// Each area adds its screens in its own file.
void addFoundationScreens(ScreenList& screens);
void addShellScreens(ScreenList& screens);
void addSessionScreens(ScreenList& screens);
void addPreparationScreens(ScreenList& screens);
void addSettingsScreens(ScreenList& screens);

} // namespace corvel::gallery
