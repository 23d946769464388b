#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace corvel {

// The files the speech library reads for one decoder, each with the MD5 sum its package or the
// build recorded. The library ends the whole program on many malformed files, so none reaches it
// before every one matches its sum.
class SpeechModelFiles final {
public:
    // A list in md5sum's format ("<hex>  <path>" a line): the entries whose path starts with
    // `prefix`, with that prefix standing for `folder`.
    void addSums(const QString& listPath, const QString& prefix, const QString& folder);
    // A folder whose every file is read: its files and the ones recorded for it.
    void addFolder(const QString& folder);
    void addFile(const QString& path);

    // Size, times and inode of every file: it changes when a file is written, replaced or removed.
    QByteArray state() const;
    // Every file is present, a regular file of bounded size, and has its recorded sum.
    bool intact() const;

private:
    QStringList files() const;

    QHash<QString, QByteArray> m_sums; // clean absolute path -> lower-case hex MD5
    QStringList m_folders;
    QStringList m_files;
};

} // namespace corvel
