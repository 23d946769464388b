#include "ui/foundation/FontFaceDescriptor.h"

#include <QtEndian>

#include <optional>

namespace corvel {

namespace {

constexpr quint32 tag(const char (&text)[5]) {
    return (quint32(quint8(text[0])) << 24) | (quint32(quint8(text[1])) << 16) |
           (quint32(quint8(text[2])) << 8) | quint32(quint8(text[3]));
}

// Bounds-checked big-endian reads: every offset comes from the file itself.
class Reader final {
public:
    explicit Reader(const QByteArray& data) : m_data(data) {}

    bool has(qint64 offset, qint64 length) const {
        return offset >= 0 && length >= 0 && offset + length <= m_data.size();
    }
    std::optional<quint16> u16(qint64 offset) const {
        if (!has(offset, 2))
            return std::nullopt;
        return qFromBigEndian<quint16>(m_data.constData() + offset);
    }
    std::optional<quint32> u32(qint64 offset) const {
        if (!has(offset, 4))
            return std::nullopt;
        return qFromBigEndian<quint32>(m_data.constData() + offset);
    }
    QByteArray bytes(qint64 offset, qint64 length) const {
        return has(offset, length) ? m_data.mid(offset, length) : QByteArray();
    }

private:
    const QByteArray& m_data;
};

struct Table {
    qint64 offset = 0;
    qint64 length = 0;
};

std::optional<Table> findTable(const Reader& in, qint64 faceOffset, quint32 wanted) {
    const auto count = in.u16(faceOffset + 4);
    if (!count)
        return std::nullopt;
    for (int i = 0; i < *count; ++i) {
        const qint64 record = faceOffset + 12 + 16 * i;
        const auto tagValue = in.u32(record);
        const auto offset = in.u32(record + 8);
        const auto length = in.u32(record + 12);
        if (!tagValue || !offset || !length)
            return std::nullopt;
        if (*tagValue == wanted && in.has(*offset, *length))
            return Table{*offset, *length};
    }
    return std::nullopt;
}

// A name record, preferring Windows Unicode English, then any Windows Unicode, then Mac Roman.
QString nameString(const Reader& in, const std::optional<Table>& name, quint16 nameId) {
    if (!name)
        return {};
    const auto count = in.u16(name->offset + 2);
    const auto storage = in.u16(name->offset + 4);
    if (!count || !storage)
        return {};
    QString best;
    int bestRank = 0;
    for (int i = 0; i < *count; ++i) {
        const qint64 record = name->offset + 6 + 12 * i;
        const auto platform = in.u16(record);
        const auto encoding = in.u16(record + 2);
        const auto language = in.u16(record + 4);
        const auto id = in.u16(record + 6);
        const auto length = in.u16(record + 8);
        const auto offset = in.u16(record + 10);
        if (!platform || !encoding || !language || !id || !length || !offset || *id != nameId)
            continue;
        const QByteArray raw = in.bytes(name->offset + *storage + *offset, *length);
        if (raw.size() != *length)
            continue;
        int rank = 0;
        QString text;
        if (*platform == 3 && (*encoding == 1 || *encoding == 10)) {
            rank = *language == 0x409 ? 3 : 2;
            for (qsizetype j = 0; j + 1 < raw.size(); j += 2)
                text.append(QChar(qFromBigEndian<quint16>(raw.constData() + j)));
        } else if (*platform == 1 && *encoding == 0) {
            rank = 1;
            text = QString::fromLatin1(raw);
        }
        if (rank > bestRank) {
            bestRank = rank;
            best = text;
        }
    }
    return best;
}

QString withoutSpaces(QString text) {
    text.remove(QLatin1Char(' '));
    return text;
}

// A face whose table directory points outside the data is damaged, not a face without tables.
bool isIntact(const Reader& in, qint64 faceOffset) {
    const auto count = in.u16(faceOffset + 4);
    if (!count)
        return false;
    for (int i = 0; i < *count; ++i) {
        const qint64 record = faceOffset + 12 + 16 * i;
        const auto offset = in.u32(record + 8);
        const auto length = in.u32(record + 12);
        if (!offset || !length || !in.has(*offset, *length))
            return false;
    }
    return true;
}

void readFace(const Reader& in, qint64 faceOffset, QList<FontFaceDescriptor>& out) {
    if (!isIntact(in, faceOffset))
        return;
    const auto name = findTable(in, faceOffset, tag("name"));
    const auto fvar = findTable(in, faceOffset, tag("fvar"));
    if (!fvar) {
        out.append({nameString(in, name, 6), {}});
        return;
    }
    const qint64 base = fvar->offset;
    const auto axesOffset = in.u16(base + 4);
    const auto axisCount = in.u16(base + 8);
    const auto axisSize = in.u16(base + 10);
    const auto instanceCount = in.u16(base + 12);
    const auto instanceSize = in.u16(base + 14);
    if (!axesOffset || !axisCount || !axisSize || !instanceCount || !instanceSize ||
        *axisSize < 20 || *instanceSize < 4 + 4 * *axisCount)
        return;
    QList<QByteArray> tags;
    for (int a = 0; a < *axisCount; ++a) {
        const QByteArray axisTag = in.bytes(base + *axesOffset + qint64(a) * *axisSize, 4);
        if (axisTag.size() != 4)
            return;
        tags.append(axisTag);
    }
    // Instances without their own PostScript name get one derived from the family, as the
    // OpenType variation naming rules do.
    QString prefix = nameString(in, name, 25);
    if (prefix.isEmpty())
        prefix = nameString(in, name, 16);
    if (prefix.isEmpty())
        prefix = nameString(in, name, 1);
    prefix = withoutSpaces(prefix);
    if (*instanceCount == 0) {
        // No named instances: the file's one face is its default instance.
        FontFaceDescriptor face{nameString(in, name, 6), {}};
        for (int a = 0; a < tags.size(); ++a) {
            const auto fixed = in.u32(base + *axesOffset + qint64(a) * *axisSize + 8);
            if (!fixed)
                return;
            face.variations.insert(tags.at(a), qint32(*fixed) / 65536.0);
        }
        out.append(face);
        return;
    }
    const qint64 instances = base + *axesOffset + qint64(*axisCount) * *axisSize;
    for (int i = 0; i < *instanceCount; ++i) {
        const qint64 record = instances + qint64(i) * *instanceSize;
        const auto subfamilyId = in.u16(record);
        if (!subfamilyId)
            return;
        FontFaceDescriptor face;
        for (int a = 0; a < tags.size(); ++a) {
            const auto fixed = in.u32(record + 4 + 4 * a);
            if (!fixed)
                return;
            face.variations.insert(tags.at(a), qint32(*fixed) / 65536.0);
        }
        QString psName;
        if (*instanceSize >= 6 + 4 * *axisCount) {
            const auto psId = in.u16(record + 4 + 4 * *axisCount);
            if (psId && *psId != 0xFFFF)
                psName = nameString(in, name, *psId);
        }
        if (psName.isEmpty())
            psName = prefix + QLatin1Char('-') + withoutSpaces(nameString(in, name, *subfamilyId));
        face.postScriptName = psName;
        out.append(face);
    }
}

} // namespace

QList<FontFaceDescriptor> FontFaceDescriptor::readAll(const QByteArray& data) {
    const Reader in(data);
    QList<FontFaceDescriptor> faces;
    const auto first = in.u32(0);
    if (!first)
        return faces;
    if (*first != tag("ttcf")) {
        if (*first == 0x00010000 || *first == tag("OTTO") || *first == tag("true"))
            readFace(in, 0, faces);
        return faces;
    }
    const auto count = in.u32(8);
    if (!count)
        return faces;
    // A collection header larger than the file cannot be honest; the loop stops at the data's end.
    for (quint32 i = 0; i < *count; ++i) {
        const auto offset = in.u32(12 + 4 * qint64(i));
        if (!offset)
            break;
        readFace(in, *offset, faces);
    }
    return faces;
}

} // namespace corvel
