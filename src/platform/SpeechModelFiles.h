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
    void addFile(const QString& path);
    // A file the library reads only when it is there; one that has a recorded sum must be there.
    void addFileIfPresent(const QString& path);

    // Size, times and inode of every file: it changes when a file is written, replaced, removed
    // or, for one read when present, put there.
    QByteArray state() const;
    // Every file to be read is present, a regular file of bounded size, and has its recorded sum.
    bool intact() const;

private:
    QHash<QString, QByteArray> m_sums; // clean absolute path -> lower-case hex MD5
    QStringList m_files;
    QStringList m_filesIfPresent;
};

} // namespace corvel
