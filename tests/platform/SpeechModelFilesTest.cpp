#include "platform/SpeechModelFiles.h"

#include "support/Files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

using namespace corvel;
using namespace Qt::StringLiterals;

namespace {

QByteArray md5(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex();
}

// A model as a package installs it: an acoustic model folder with a README the library never
// opens, a dictionary and the package's sum list naming them under the folder it was installed to.
// The library reads the folder's mdef and means, and a feature transform when there is one.
struct Model {
    Model() {
        QDir(directory.path()).mkpath(u"en/en"_s);
        test::writeFile(path(u"en/en/mdef"_s), mdef);
        test::writeFile(path(u"en/en/means"_s), "means");
        test::writeFile(path(u"en/en/README"_s), "readme");
        test::writeFile(path(u"en/dict"_s), "hello HH AH L OW\n");
        test::writeFile(path(u"sums"_s),
                        md5(mdef) + "  usr/share/model/en/en/mdef\n" + md5("means") +
                            " *usr/share/model/en/en/means\n" + md5("readme") +
                            "  usr/share/model/en/en/README\n" + md5("hello HH AH L OW\n") +
                            "  usr/share/model/en/dict\n" + md5("other") +
                            "  usr/share/doc/en/README\n" + "not a sum  usr/share/model/en/x\n");
        files.addSums(path(u"sums"_s), u"usr/share/model/"_s, directory.path());
        for (const QString& name : {u"mdef"_s, u"means"_s, u"feature_transform"_s})
            files.addFileIfPresent(path(u"en/en/"_s + name));
        files.addFile(path(u"en/dict"_s));
    }
    QString path(const QString& name) const { return directory.filePath(name); }

    QTemporaryDir directory;
    QByteArray mdef = "0.3\n42 n_base\n";
    SpeechModelFiles files;
};

} // namespace

TEST(SpeechModelFiles, OnlyFilesMatchingTheirRecordedSumsAreIntact) {
    Model model;
    EXPECT_TRUE(model.files.intact());

    QByteArray changed = model.mdef;
    changed[5] = '3';
    test::writeFile(model.path(u"en/en/mdef"_s), changed);
    EXPECT_FALSE(model.files.intact()) << "one byte differs, same size";
    test::writeFile(model.path(u"en/en/mdef"_s), model.mdef);

    ASSERT_TRUE(QFile::remove(model.path(u"en/en/means"_s)));
    EXPECT_FALSE(model.files.intact()) << "a recorded file the library reads is missing";
    test::writeFile(model.path(u"en/en/means"_s), "means");
    test::writeFile(model.path(u"en/en/feature_transform"_s), "read by the library, unchecked");
    EXPECT_FALSE(model.files.intact()) << "a file the library reads has no sum";
    ASSERT_TRUE(QFile::remove(model.path(u"en/en/feature_transform"_s)));

    // A desktop's folder settings, notes and an edited README are never read.
    test::writeFile(model.path(u"en/en/.directory"_s), "[Desktop Entry]\nIcon=folder\n");
    test::writeFile(model.path(u"en/en/notes.txt"_s), "notes");
    test::writeFile(model.path(u"en/en/README"_s), "readme, edited");
    EXPECT_TRUE(model.files.intact());
    model.files.addFile(test::writeFile(model.path(u"en/lm"_s), "lm"));
    EXPECT_FALSE(model.files.intact()) << "a file with no sum";
}

TEST(SpeechModelFiles, StateChangesWithAnyFileWrittenReplacedOrRemoved) {
    Model model;
    const QByteArray before = model.files.state();
    EXPECT_EQ(model.files.state(), before);

    test::writeFile(model.path(u"en/dict"_s), "hello HH AH L OW\n\n");
    const QByteArray written = model.files.state();
    EXPECT_NE(written, before);

    // The same bytes in a new file put in its place.
    test::writeFile(model.path(u"mdef.new"_s), model.mdef);
    ASSERT_EQ(::rename(QFile::encodeName(model.path(u"mdef.new"_s)).constData(),
                       QFile::encodeName(model.path(u"en/en/mdef"_s)).constData()),
              0);
    const QByteArray replaced = model.files.state();
    EXPECT_NE(replaced, written);

    ASSERT_TRUE(QFile::remove(model.path(u"en/en/means"_s)));
    const QByteArray removed = model.files.state();
    EXPECT_NE(removed, replaced);
    test::writeFile(model.path(u"en/en/means"_s), "means");
    const QByteArray restored = model.files.state();
    EXPECT_NE(restored, removed);

    test::writeFile(model.path(u"en/en/notes.txt"_s), "notes");
    EXPECT_EQ(model.files.state(), restored) << "a file the library never opens";
    test::writeFile(model.path(u"en/en/feature_transform"_s), "transform");
    EXPECT_NE(model.files.state(), restored) << "a file the library reads when present appeared";
}
