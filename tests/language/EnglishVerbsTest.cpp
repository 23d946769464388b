#include "language/EnglishVerbs.h"

#include "language/EnglishNouns.h"

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

// Verbs of saying, thinking or making, and nouns of concrete things and spans of time, go by the
// WordNet files their counted senses are in, through any form of the word.
TEST(EnglishVerbs, VerbsOfSayingAndConcreteNouns) {
    for (const char* word : {"tell", "summarise", "summarized", "picking", "sketch", "rate"})
        EXPECT_TRUE(EnglishVerbs::speaks(QString::fromLatin1(word))) << word;
    for (const char* word : {"give", "take", "feel", "let", "grab", "the", ""})
        EXPECT_FALSE(EnglishVerbs::speaks(QString::fromLatin1(word))) << word;
    for (const char* word : {"screen", "seconds", "glass", "minute", "coffees"})
        EXPECT_TRUE(EnglishNouns::isConcrete(QString::fromLatin1(word))) << word;
    for (const char* word : {"example", "mistakes", "overview", "thoughts", ""})
        EXPECT_FALSE(EnglishNouns::isConcrete(QString::fromLatin1(word))) << word;
}
