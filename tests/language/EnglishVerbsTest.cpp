#include "language/EnglishVerbs.h"

#include <gtest/gtest.h>

using namespace corvel;

// Whether a verb mostly takes an object goes by WordNet's frames and counts, through whichever
// form of it a question uses, irregular ones included.
TEST(EnglishVerbs, WhetherAVerbTakesAnObject) {
    for (const char16_t* word :
         {u"learn", u"learned", u"thinking", u"said", u"spent", u"reported", u"knows"})
        EXPECT_EQ(EnglishVerbs::takesObject(QString::fromUtf16(word)), true)
            << qPrintable(QString::fromUtf16(word));
    for (const char16_t* word :
         {u"work", u"working", u"relies", u"relied", u"went", u"talked", u"struggling", u"belong"})
        EXPECT_EQ(EnglishVerbs::takesObject(QString::fromUtf16(word)), false)
            << qPrintable(QString::fromUtf16(word));
    for (const char16_t* word : {u"the", u"quickly", u"kubernetes", u"", u"caf\u00e9"})
        EXPECT_EQ(EnglishVerbs::takesObject(QString::fromUtf16(word)), std::nullopt)
            << qPrintable(QString::fromUtf16(word));
}
