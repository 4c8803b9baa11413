// The spin text a check writes: one complete group per paragraph, in any
// format, and the same groups in another format by their separators alone.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "processing/check_articles.h"
#include "processing/spinning.h"
#include "support/checked.h"
#include "support/dog_training_article.h"

namespace kestrelwick {
namespace {

using testing::checked;
using testing::kDogs1;
using testing::kDogs2;
using testing::kDogs3;
using testing::kDogsSpin;

TEST(SpinText, EveryGroupIsComplete) {
    struct Case {
        const char* name;
        std::u16string a1, a2, a3, out;
    };
    const std::vector<Case> cases = {
        {"two paragraphs", u"A1\r\nA2", u"B1\r\nB2", u"C1\r\nC2",
         u"{A1~B1~C1}\r\n\r\n\r\n{A2~B2~C2}\r\n\r\n"},
        {"empty lines between paragraphs", u"A1\r\n\r\nA2", u"B1\r\n\r\nB2", u"C1\r\n\r\nC2",
         u"{A1~B1~C1}\r\n\r\n\r\n{A2~B2~C2}\r\n\r\n"},
        {"third article shorter", u"A1\r\nA2\r\nA3", u"B1\r\nB2\r\nB3", u"C1\r\nC2",
         u"{A1~B1~C1}\r\n\r\n\r\n{A2~B2~C2}\r\n\r\n"},
        {"third article longer", u"A1", u"B1", u"C1\r\nC2\r\n ",
         u"{A1~B1~C1}\r\n\r\n\r\n{C2}\r\n\r\n"},
        {"first two blank", u"", u" ", u"C1\r\nC2", u"{C1}\r\n\r\n\r\n{C2}\r\n\r\n"},
        {"first version lacking", u"A1", u"B1\r\nB2", u"C1\r\nC2",
         u"{A1~B1~C1}\r\n\r\n\r\n{B2~C2}\r\n\r\n"},
        {"first version blank", u"A1\r\n  \r\nA3", u"B1\r\nB2", u"C1\r\nC2",
         u"{A1~B1~C1}\r\n\r\n\r\n{B2~C2}\r\n\r\n"},
        {"second version blank", u"A1\r\nA2", u"B1\r\n \r\nB3", u"C1\r\nC2",
         u"{A1~B1~C1}\r\n\r\n\r\n{A2~C2}\r\n\r\n"},
        {"third version blank", u"A1\r\nA2\r\nA3", u"B1\r\nB2\r\nB3", u"C1\r\n \r\nC3",
         u"{A1~B1~C1}\r\n\r\n\r\n{A2~B2}\r\n\r\n{A3~B3~C3}\r\n\r\n"},
        {"title blank everywhere", u"\r\nA1", u"\r\nB1", u"\r\nC1", u"\r\n{A1~B1~C1}\r\n\r\n"},
        {"title of the third article blank", u"A0\r\nA1", u"B0\r\nB1", u" \r\nC1",
         u"{A0~B0}\r\n\r\n\r\n{A1~B1~C1}\r\n\r\n"},
        {"tab is not blank", u"\t", u"b", u"c", u"{\t~b~c}\r\n\r\n\r\n"},
        {"outer spaces kept", u"t\r\n a \r\ne", u"t\r\nb  \r\ne", u"t\r\n c\r\ne",
         u"{t~t~t}\r\n\r\n\r\n{ a ~b  ~ c}\r\n\r\n{e~e~e}\r\n\r\n"},
        {"braces copied", u"{x}", u"~", u"}{", u"{{x}~~~}{}\r\n\r\n\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checked(c.a1, c.a2, c.a3).spinText, c.out) << c.name;
    }
}

// By sentence, a paragraph whose versions have as many sentences each, more
// than one, gives a group per sentence on its own line, one space apart;
// everything else is as by paragraph.
TEST(SpinText, BySentenceEvenParagraphsGiveAGroupPerSentence) {
    struct Case {
        const char* name;
        std::u16string a1, a2, a3, out;
    };
    const std::vector<Case> cases = {
        {"title, introduction and body",
         u"Big news. Read on.\r\nOne. Two.\r\nRed sky. Blue sea. Green land.",
         u"Huge news! Read it\r\nUno. Dos.\r\nRed dawn. Blue lake. Green hill.",
         u"Fresh news. Read now\r\nEin. Zwei.\r\nRed glow. Blue bay. Green field.",
         u"{Big news.~Huge news!~Fresh news.} {Read on.~Read it~Read now}\r\n\r\n\r\n"
         u"{One.~Uno.~Ein.} {Two.~Dos.~Zwei.}\r\n\r\n"
         u"{Red sky.~Red dawn.~Red glow.} {Blue sea.~Blue lake.~Blue bay.} "
         u"{Green land.~Green hill.~Green field.}\r\n\r\n"},
        {"uneven counts stay one group", u"T\r\nOne. Two.", u"T\r\nOne and two.", u"T\r\nUno. Dos.",
         u"{T~T~T}\r\n\r\n\r\n{One. Two.~One and two.~Uno. Dos.}\r\n\r\n"},
        {"a blank version takes no part", u"T\r\n  \r\nX1. X2.", u"T\r\nA1. A2.\r\nY1. Y2.",
         u"T\r\nB1. B2.\r\nZ1. Z2.",
         u"{T~T~T}\r\n\r\n\r\n{A1.~B1.} {A2.~B2.}\r\n\r\n{X1.~Y1.~Z1.} {X2.~Y2.~Z2.}\r\n\r\n"},
        {"spaces at the ends kept, between dropped", u"T\r\n  Sun.   Rain.  \r\nE",
         u"T\r\nSnow. Hail.\r\nE", u"T\r\nFog.  Mist.\r\nE",
         u"{T~T~T}\r\n\r\n\r\n{  Sun.~Snow.~Fog.} {Rain.  ~Hail.~Mist.}\r\n\r\n{E~E~E}\r\n\r\n"},
        {"the third article's title blank", u"Aa. Bb.\r\nX", u"Cc. Dd.\r\nY", u" \r\nZ",
         u"{Aa.~Cc.} {Bb.~Dd.}\r\n\r\n\r\n{X~Y~Z}\r\n\r\n"},
        {"one sentence each, as by paragraph", std::u16string(kDogs1), std::u16string(kDogs2),
         std::u16string(kDogs3), std::u16string(kDogsSpin)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checked(c.a1, c.a2, c.a3, SpinFormat::Ama, SpinBy::Sentence).spinText, c.out)
            << c.name;
    }
}

TEST(SpinText, RepeatsExactly) {
    const auto first = checked(kDogs1, kDogs2, kDogs3);
    const auto second = checked(kDogs1, kDogs2, kDogs3);
    EXPECT_EQ(second.tidied, first.tidied);
    EXPECT_EQ(second.spinText, first.spinText);
    EXPECT_EQ(second.grid, first.grid);
    EXPECT_EQ(second.captions, first.captions);
    EXPECT_EQ(second.message, first.message);
}

// The check's spin text in the other format: its separators changed where
// it wrote them, so that a ~ in a version stays plain text in the pipe
// format and the text is what a check in that format writes.
TEST(SpinText, ItsSeparatorsAloneChangeWithTheFormat) {
    const auto ama = checked(u"T\r\nprepare ~ well\r\nb", u"T2\r\nsow\r\n", u"T3\r\nx | y\r\nc");
    const auto pipe = checked(u"T\r\nprepare ~ well\r\nb", u"T2\r\nsow\r\n", u"T3\r\nx | y\r\nc",
                              SpinFormat::Pipe);
    std::vector<std::size_t> places;
    std::u16string text(writeSpinText(ama.result->spinText, SpinFormat::Ama, &places));
    EXPECT_EQ(text, ama.spinText);
    changeSeparators(text, places, SpinFormat::Pipe);
    EXPECT_EQ(text, pipe.spinText);
    changeSeparators(text, places, SpinFormat::Ama);
    EXPECT_EQ(text, ama.spinText);
}

}  // namespace
}  // namespace kestrelwick
