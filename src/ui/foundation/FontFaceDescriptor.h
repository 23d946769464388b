#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

namespace corvel {

// One face a font file offers: a static face, or one named instance of a variable face with its
// axis values keyed by four-character tag ("wght", "slnt").
struct FontFaceDescriptor {
    QString postScriptName;
    QMap<QByteArray, double> variations;

    bool operator==(const FontFaceDescriptor&) const = default;

    // Reads the faces of a TrueType/OpenType file or collection, in file order. Malformed or
    // truncated data yields the faces read so far; nothing outside `data` is read.
    static QList<FontFaceDescriptor> readAll(const QByteArray& data);
};

} // namespace corvel
