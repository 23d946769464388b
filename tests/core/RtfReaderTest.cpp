#include "core/RtfReader.h"

#include <QList>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace corvel;

namespace {

QString read(const char* rtf) {
    return RtfReader::plainText(QByteArrayView(rtf)).value_or(QStringLiteral("<none>"));
}

} // namespace

TEST(RtfReader, GroupsEscapesAndUnicode) {
    EXPECT_EQ(read("{\\rtf1 a{b{\\i c}d}e}trailing"), QStringLiteral("abcde"));
    EXPECT_EQ(read("{\\rtf1 \\{ \\} \\\\ x\\~y\\-z}"), QStringLiteral("{ } \\ x\u00A0yz"));
    EXPECT_EQ(read("{\\rtf1 one\\\ntwo\\tab three\\emdash\\ldblquote q\\rdblquote}"),
              QStringLiteral("one\ntwo\tthree—“q”"));
    // Windows-1252 differs from Latin-1 in 0x80–0x9F.
    EXPECT_EQ(read("{\\rtf1 \\'93\\'80\\'e9\\'zz}"), QStringLiteral("“€ézz"));

    // The fallback after \uN is skipped: one character by default, \ucN of them, until a group
    // ends; a control word or an escape counts as one.
    EXPECT_EQ(read("{\\rtf1 r\\u233?sum\\u233\\'e9}"), QStringLiteral("résumé"));
    EXPECT_EQ(read("{\\rtf1\\uc2 \\u8364\\'80\\'80 euro{\\uc0\\u233}\\u233??}"),
              QStringLiteral("€ euroé\u00E9"));
    EXPECT_EQ(read("{\\rtf1 {\\u233}x}"), QStringLiteral("éx"));
    EXPECT_EQ(read("{\\rtf1 \\u-10179?\\u-8704?}"), QStringLiteral("😀"));
    EXPECT_EQ(read("{\\rtf1 \\u-10179?x}"), QStringLiteral("\uFFFDx"));
}

TEST(RtfReader, SkipsWhatIsNotDocumentText) {
    EXPECT_EQ(read("{\\rtf1{\\fonttbl{\\f0 Times;}}{\\colortbl;\\red0;}{\\stylesheet{Normal;}}"
                   "{\\info{\\author Me}}{\\*\\unknown dest}{\\pict\\bin4 }}}}}a"
                   "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}"),
              QStringLiteral("alink"));
    EXPECT_EQ(read("Jane"), QStringLiteral("<none>"));
    EXPECT_EQ(read("{\\rtf1 cut sho"), QStringLiteral("cut sho"));
    EXPECT_EQ(RtfReader::plainText(QByteArray(5000, '{').prepend("{\\rtf1")), std::nullopt);
}

TEST(RtfReader, SurvivesArbitraryInput) {
    const QList<QByteArray> tokens = {"{",      "}",           "\\",        "\\'", "\\'e9", "\\u",
                                      "-",      "65535",       "\\uc",      "9",   "\\bin", "\\*",
                                      "\\pict", "\\par",       " ",         "a",   "\\'f",  "\\u-1",
                                      "\r\n",   "99999999999", "\\fonttbl", "\xff"};
    QRandomGenerator random(20261206);
    for (int sample = 0; sample < 3000; ++sample) {
        QByteArray input = "{\\rtf1";
        const int length = random.bounded(0, 60);
        for (int i = 0; i < length; ++i) {
            if (random.bounded(4) == 0)
                input += char(random.bounded(256));
            else
                input += tokens[random.bounded(int(tokens.size()))];
        }
        const auto text = RtfReader::plainText(input);
        if (!text)
            continue;
        for (qsizetype i = 0; i < text->size(); ++i) {
            if ((*text)[i].isHighSurrogate() && i + 1 < text->size() &&
                (*text)[i + 1].isLowSurrogate())
                ++i;
            else
                EXPECT_FALSE((*text)[i].isSurrogate()) << input.toHex().toStdString();
        }
    }
}
