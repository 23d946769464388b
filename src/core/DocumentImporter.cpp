#include "core/DocumentImporter.h"

#include "core/CharacterCount.h"
#include "core/DocumentImportError.h"
#include "core/FileAccessError.h"
#include "core/RtfReader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <poppler-qt6.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>

namespace corvel {

namespace {

using Error = DocumentImportError;

// At most one byte past the limit, so a file that grew since it was measured is still caught.
std::optional<QByteArray> readBounded(const QString& path, QString* reason) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.read(DocumentImporter::maximumFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        return std::nullopt;
    }
    if (bytes.size() > DocumentImporter::maximumFileSize)
        throw Error(Error::tooLarge);
    return bytes;
}

QByteArray readOrThrow(const QString& path) {
    QString reason;
    auto bytes = readBounded(path, &reason);
    if (!bytes)
        throw FileAccessError(path, reason);
    return *bytes;
}

QString pdfText(const QString& path) {
    QString reason;
    const auto bytes = readBounded(path, &reason);
    if (!bytes)
        throw Error(Error::unreadable);
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(*bytes);
    if (!document || document->isLocked())
        throw Error(Error::unreadable);
    QStringList pages;
    qsizetype total = 0;
    for (int i = 0; i < document->numPages(); ++i) {
        const std::unique_ptr<Poppler::Page> page = document->page(i);
        QString text = page ? page->text(QRectF()) : QString();
        // Poppler ends every text line, the page's last one too, with a line feed.
        if (text.endsWith(u'\n'))
            text.chop(1);
        total += characterCount(text, DocumentImporter::maximumCharacters - total);
        if (total > DocumentImporter::maximumCharacters)
            throw Error(Error::tooMuchText);
        pages.append(std::move(text));
    }
    return pages.join(QStringLiteral("\n\n"));
}

// UTF-16 only behind its byte-order mark: reading any other undecodable file as UTF-16 would turn
// a legacy 8-bit resume into gibberish.
QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;

    QStringDecoder::Encoding encoding;
    if (bytes.startsWith("\xFF\xFE"))
        encoding = QStringDecoder::Utf16LE;
    else if (bytes.startsWith("\xFE\xFF"))
        encoding = QStringDecoder::Utf16BE;
    else
        throw Error(Error::unreadable);
    if (bytes.size() % 2 != 0)
        throw Error(Error::unreadable);
    QStringDecoder utf16(encoding);
    text = utf16.decode(bytes);
    if (utf16.hasError())
        throw Error(Error::unreadable);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            throw Error(Error::unreadable);
    }
    return text;
}

QString cleaned(QString text) {
    text.remove(QChar(0));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.trimmed();
}

} // namespace

QString DocumentImporter::extractText(const QString& filePath) {
    struct stat status {};
    if (::stat(QFile::encodeName(filePath).constData(), &status) != 0)
        throw FileAccessError(filePath, QString::fromLocal8Bit(std::strerror(errno)));
    // Anything but a regular file (a folder, a pipe that would block) is not a document.
    if (!S_ISREG(status.st_mode))
        throw Error(Error::unreadable);
    if (status.st_size > maximumFileSize)
        throw Error(Error::tooLarge);

    const QString extension = QFileInfo(filePath).suffix().toLower();
    QString text;
    if (extension == QLatin1String("pdf")) {
        text = pdfText(filePath);
    } else if (extension == QLatin1String("txt") || extension == QLatin1String("md") ||
               extension == QLatin1String("markdown")) {
        text = decodeText(readOrThrow(filePath));
    } else if (extension == QLatin1String("rtf")) {
        auto rtf = RtfReader::plainText(readOrThrow(filePath));
        if (!rtf)
            throw Error(Error::unreadable);
        text = std::move(*rtf);
    } else {
        throw Error(Error::unsupportedFormat);
    }

    text = cleaned(std::move(text));
    if (text.isEmpty())
        throw Error(Error::noText);
    if (characterCount(text, maximumCharacters) > maximumCharacters)
        throw Error(Error::tooMuchText);
    return text;
}

} // namespace corvel
