#pragma once

#include <QColor>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace corvel::gallery {

// What the command line asks of one rendering: a state such as "hover" or "disabled+hover",
// free-form settings (--set key=value) a specimen may read.
struct SpecimenOptions {
    QString state = QStringLiteral("idle");
    QMap<QString, QString> settings;

    QString setting(const QString& key, const QString& fallback) const {
        return settings.value(key, fallback);
    }
    bool flag(const QString& key, bool fallback) const;
    bool hasState(const QString& word) const;
};

// One renderable control. The gallery applies the generic states itself (hover, pressed,
// disabled, focused); a specimen handles its own (such as "filled") in `make`.
struct Specimen {
    QString name;
    QStringList states;
    std::function<QWidget*(const SpecimenOptions&)> make;
    QColor background;
};

using SpecimenList = QList<Specimen>;

// Each group of controls adds its specimens here.
void addFoundationSpecimens(SpecimenList& specimens);
void addCloudSpecimens(SpecimenList& specimens);
void addControlSpecimens(SpecimenList& specimens);

} // namespace corvel::gallery
