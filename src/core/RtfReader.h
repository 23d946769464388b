#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace corvel {

// The plain text of an RTF document: paragraphs become line feeds, formatting and the tables of
// fonts, colours, styles and document information are dropped, pictures and objects skipped.
// 8-bit text and \'hh escapes are read as Windows-1252.
class RtfReader final {
public:
    // None when `rtf` is not an RTF document or nests groups beyond any real document.
    static std::optional<QString> plainText(QByteArrayView rtf);
};

} // namespace corvel
