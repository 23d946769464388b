#include "ui/session/TextTail.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {
QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}
} // namespace

TEST(TextTail, CountsUserPerceivedCharacters) {
    EXPECT_EQ(lastCharacters(s("hello"), 10), s("hello"));
    EXPECT_EQ(lastCharacters(s("hello"), 3), s("llo"));
    EXPECT_EQ(lastCharacters(s("hello"), 0), QString());
    // A surrogate pair, a combining sequence and a flag each count as one.
    EXPECT_EQ(lastCharacters(s("ab😀"), 1), s("😀"));
    EXPECT_EQ(lastCharacters(s("abe\u0301"), 2), s("be\u0301"));
    EXPECT_EQ(lastCharacters(s("x🇫🇷🇬🇧"), 1), s("🇬🇧"));
    EXPECT_EQ(lastCharacters(s("x🇫🇷🇬🇧"), 2), s("🇫🇷🇬🇧"));
}

TEST(TextTail, LongTextsAreCutOnClusterBoundaries) {
    // Long enough that only the end is searched.
    const QString clusters = s("e\u0301").repeated(5000);
    const QString tail = lastCharacters(clusters, 400);
    EXPECT_EQ(tail.size(), 800);
    EXPECT_TRUE(tail.startsWith(u'e'));

    const QString emoji = s("😀").repeated(3000);
    EXPECT_EQ(lastCharacters(emoji, 400), s("😀").repeated(400));

    // A single cluster longer than the searched window is never split.
    const QString zalgo = s("a") + QString(3000, QChar(0x0301)) + s("bc");
    EXPECT_EQ(lastCharacters(zalgo, 3), zalgo);
    EXPECT_EQ(lastCharacters(s("xyz") + zalgo, 3), zalgo);
}
