#include "core/DocumentImporter.h"
#include "core/DocumentImportError.h"
#include "core/FileAccessError.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace corvel;
using namespace Qt::StringLiterals;

namespace {

// A PDF in the base-14 Helvetica font, one page per list of lines. `encrypt` adds a standard
// security handler whose user password is not empty, as a password-protected export has.
QByteArray makePdf(const QList<QByteArrayList>& pages, bool encrypt = false, int fontSize = 10) {
    QList<QByteArray> objects = {"<< /Type /Catalog /Pages 2 0 R >>", "",
                                 "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
    QByteArray kids;
    for (qsizetype k = 0; k < pages.size(); ++k) {
        kids += QByteArray::number(4 + 2 * k) + " 0 R ";
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font "
                       "<< /F1 3 0 R >> >> /Contents " +
                       QByteArray::number(5 + 2 * k) + " 0 R >>");
        QByteArray body = "BT /F1 " + QByteArray::number(fontSize) + " Tf " +
                          QByteArray::number(fontSize * 1.2) + " TL 20 770 Td ";
        for (const QByteArray& line : pages[k])
            body += "(" + line + ") Tj T* ";
        body += "ET";
        objects.append("<< /Length " + QByteArray::number(body.size()) + " >>\nstream\n" + body +
                       "\nendstream");
    }
    objects[1] =
        "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages.size()) + " >>";
    QByteArray trailerExtra;
    if (encrypt) {
        objects.append("<< /Filter /Standard /V 1 /R 2 /O <" + QByteArray(32, 'a').toHex() +
                       "> /U <" + QByteArray(32, 'b').toHex() + "> /P -44 >>");
        trailerExtra = " /Encrypt " + QByteArray::number(objects.size()) + " 0 R /ID [<" +
                       QByteArray(16, 'c').toHex() + "> <" + QByteArray(16, 'c').toHex() + ">]";
    }
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R" +
           trailerExtra + " >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

class DocumentImporterTest : public ::testing::Test {
protected:
    QString write(const char* name, const QByteArray& bytes) {
        return test::writeFile(m_dir.filePath(QString::fromUtf8(name)), bytes);
    }

    // The import error's kind, or -1 when the file imported.
    static int kindOf(const QString& path) {
        try {
            DocumentImporter::extractText(path);
            return -1;
        } catch (const DocumentImportError& error) {
            return error.kind();
        }
    }
    int failure(const char* name, const QByteArray& bytes) { return kindOf(write(name, bytes)); }

    QString text(const char* name, const QByteArray& bytes) {
        return DocumentImporter::extractText(write(name, bytes));
    }

    QTemporaryDir m_dir;
};

QByteArray utf16(QStringEncoder::Encoding encoding, const QString& text) {
    QStringEncoder encoder(encoding, QStringEncoder::Flag::WriteBom);
    return encoder.encode(text);
}

} // namespace

TEST_F(DocumentImporterTest, ReadsPdfPagesInOrder) {
    const QByteArray twoPages =
        makePdf({{"Jane Doe", "Senior engineer"}, {"Experience", "Led the payments team"}});
    const QString expected = u"Jane Doe\nSenior engineer\n\nExperience\nLed the payments team"_s;
    EXPECT_EQ(text("cv.pdf", twoPages), expected);
    EXPECT_EQ(text("CV.PDF", twoPages), expected);

    // A scanned page has no text layer.
    EXPECT_EQ(failure("scan.pdf", makePdf({{}, {}})), DocumentImportError::noText);
    EXPECT_EQ(failure("locked.pdf", makePdf({{"Secret"}}, true)), DocumentImportError::unreadable);
    EXPECT_EQ(failure("fake.pdf", "Jane Doe, engineer"), DocumentImportError::unreadable);
    EXPECT_EQ(failure("cut.pdf", twoPages.first(twoPages.size() / 3)),
              DocumentImportError::unreadable);

    const QByteArrayList fullPage(600, QByteArray(100, 'a'));
    EXPECT_EQ(failure("long.pdf", makePdf({fullPage, {"More"}}, false, 1)),
              DocumentImportError::tooMuchText);
}

TEST_F(DocumentImporterTest, DecodesUtf8AndUtf16BehindItsMarkOnly) {
    EXPECT_EQ(text("cv.md", "# Jos\xC3\xA9 Garc\xC3\xAD"
                            "a\r\n\r\n- **Rust**\r\n"),
              u"# José García\n\n- **Rust**"_s);
    EXPECT_EQ(text("cv.txt", "\xEF\xBB\xBFJos\xC3\xA9"), u"José"_s);
    EXPECT_EQ(text("cv.markdown", QByteArrayLiteral("  A\0B\r\nC\rD \n\n")), u"AB\nC\rD"_s);

    const QString accented = u"José Dévé\r\nÉquipe 😀"_s;
    EXPECT_EQ(text("le.txt", utf16(QStringEncoder::Utf16LE, accented)), u"José Dévé\nÉquipe 😀"_s);
    EXPECT_EQ(text("be.txt", utf16(QStringEncoder::Utf16BE, accented)), u"José Dévé\nÉquipe 😀"_s);
    EXPECT_EQ(failure("odd.txt", utf16(QStringEncoder::Utf16LE, accented) + "x"),
              DocumentImportError::unreadable);
    EXPECT_EQ(failure("lone.txt", QByteArray("\xFF\xFE\x41\x00\x00\xD8", 6)),
              DocumentImportError::unreadable);

    // Latin-1 of even length: reading it as UTF-16 would have turned it into CJK gibberish.
    const QByteArray latin1 = "Jos\xE9 Garc\xED"
                              "a, d\xE9veloppeur";
    ASSERT_EQ(latin1.size() % 2, 0);
    EXPECT_EQ(failure("latin1.txt", latin1), DocumentImportError::unreadable);

    EXPECT_EQ(failure("blank.txt", " \n\t\r\n  \n"), DocumentImportError::noText);
}

// What RTF text holds is RtfReader's test; here, that .rtf files go through it.
TEST_F(DocumentImporterTest, ReadsRtfText) {
    EXPECT_EQ(
        text("cv.rtf", "{\\rtf1{\\fonttbl\\f0 Helvetica;}Caf\\'e9\\par\r\nLine two\\line end}"),
        u"Café\nLine two\nend"_s);
    EXPECT_EQ(failure("plain.rtf", "Jane Doe"), DocumentImportError::unreadable);
    EXPECT_EQ(failure("empty.rtf", "{\\rtf1{\\fonttbl Helvetica;}\\par}"),
              DocumentImportError::noText);
}

TEST_F(DocumentImporterTest, LimitsAndFileTypes) {
    // Exactly the size limit is read (and then holds too much text); one byte more is not.
    EXPECT_EQ(failure("max.txt", QByteArray(10'000'000, 'a')), DocumentImportError::tooMuchText);
    EXPECT_EQ(failure("big.txt", QByteArray(10'000'001, 'a')), DocumentImportError::tooLarge);
    EXPECT_EQ(failure("big.docx", QByteArray(10'000'001, 'a')), DocumentImportError::tooLarge);

    EXPECT_EQ(text("fits.txt", QByteArray(50'000, 'a')).size(), 50'000);
    EXPECT_EQ(failure("over.txt", QByteArray(50'001, 'a')), DocumentImportError::tooMuchText);
    // Characters as the user sees them: "é" written as e and a combining accent counts once.
    const QString combining = u"e\u0301"_s.repeated(50'000);
    EXPECT_EQ(text("accents.txt", combining.toUtf8()), combining);

    EXPECT_EQ(failure("cv.docx", "PK"), DocumentImportError::unsupportedFormat);
    EXPECT_EQ(failure("cv", "Jane"), DocumentImportError::unsupportedFormat);
}

TEST_F(DocumentImporterTest, FilesThatAreNoDocuments) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"folder.txt"_s));
    EXPECT_EQ(kindOf(m_dir.filePath(u"folder.txt"_s)), DocumentImportError::unreadable);
    // A pipe would block a reader forever.
    const QString pipe = m_dir.filePath(u"pipe.txt"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(kindOf(pipe), DocumentImportError::unreadable);

    try {
        DocumentImporter::extractText(m_dir.filePath(u"missing.pdf"_s));
        ADD_FAILURE() << "a missing file imported";
    } catch (const FileAccessError& error) {
        EXPECT_TRUE(error.message().contains(u"“missing.pdf”"_s)) << error.what();
    }
}
