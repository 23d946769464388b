#include "platform/SpeechModelFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <algorithm>

namespace corvel {

namespace {

// A package's list is a few kilobytes.
constexpr qint64 maxListBytes = 1 << 20;
// The largest model file, the general language model, is under 30 MB.
constexpr qint64 maxModelFileBytes = qint64(512) << 20;

bool isHexSum(const QByteArray& text) {
    return text.size() == 32 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

} // namespace

void SpeechModelFiles::addSums(const QString& listPath, const QString& prefix,
                               const QString& folder) {
    QFile list(listPath);
    if (!list.open(QIODevice::ReadOnly))
        return;
    const QByteArray text = list.read(maxListBytes + 1);
    if (text.size() > maxListBytes)
        return;
    const QDir root(folder);
    for (const QByteArray& line : text.split('\n')) {
        // "<sum>  <path>", or "<sum> *<path>" for a list written in binary mode.
        const QByteArray sum = line.left(32).toLower();
        if (!isHexSum(sum) || line.size() < 35 || line[32] != ' ' ||
            (line[33] != ' ' && line[33] != '*'))
            continue;
        const QString path = QString::fromUtf8(line.mid(34));
        if (path.startsWith(prefix))
            m_sums.insert(QDir::cleanPath(root.filePath(path.mid(prefix.size()))), sum);
    }
}

void SpeechModelFiles::addFile(const QString& path) {
    m_files.append(QDir::cleanPath(path));
}

void SpeechModelFiles::addFileIfPresent(const QString& path) {
    m_filesIfPresent.append(QDir::cleanPath(path));
}

QByteArray SpeechModelFiles::state() const {
    QByteArray state;
    for (const QString& path : m_files + m_filesIfPresent) {
        const QByteArray name = QFile::encodeName(path);
        state += name + '\0';
        struct stat info {};
        if (::stat(name.constData(), &info) != 0) {
            state += "missing\n";
            continue;
        }
        for (const auto value : {qint64(info.st_dev), qint64(info.st_ino), qint64(info.st_size),
                                 qint64(info.st_mtim.tv_sec), qint64(info.st_mtim.tv_nsec),
                                 qint64(info.st_ctim.tv_sec), qint64(info.st_ctim.tv_nsec)})
            state += QByteArray::number(value) + ' ';
        state += '\n';
    }
    return state;
}

bool SpeechModelFiles::intact() const {
    QStringList paths = m_files;
    for (const QString& path : m_filesIfPresent) {
        if (m_sums.contains(path) || QFileInfo::exists(path))
            paths.append(path);
    }
    return std::all_of(paths.begin(), paths.end(), [this](const QString& path) {
        const QByteArray expected = m_sums.value(path);
        const QFileInfo info(path);
        QFile file(path);
        if (expected.isEmpty() || !info.isFile() || info.size() > maxModelFileBytes ||
            !file.open(QIODevice::ReadOnly))
            return false;
        QCryptographicHash hash(QCryptographicHash::Md5);
        return hash.addData(&file) && hash.result().toHex() == expected;
    });
}

} // namespace corvel
