// What a sentence is: where the rule splits a paragraph and where it does
// not, each case written out as the sentences it gives.

#include "processing/sentences.h"

#include <gtest/gtest.h>

#include "processing/words.h"

#include <string>
#include <vector>

namespace kestrelwick {
namespace {

std::vector<std::u16string> sentencesOf(std::u16string_view paragraph) {
    std::vector<Sentence> found;
    splitSentences(paragraph, found);
    std::vector<std::u16string> texts;
    for (const Sentence& sentence : found) {
        texts.emplace_back(paragraph.substr(sentence.start, sentence.end - sentence.start));
        // Its words, counted as it was read, are those of the word count.
        EXPECT_EQ(WordCount(sentence.words), countWords(texts.back()));
    }
    return texts;
}

TEST(Sentences, SplitWhereTheRuleSays) {
    struct Case {
        const char* name;
        std::u16string paragraph;
        std::vector<std::u16string> sentences;
    };
    const std::vector<Case> cases = {
        {"every end mark",
         u"One. Two! Three? Four\u2026 Five",
         {u"One.", u"Two!", u"Three?", u"Four\u2026", u"Five"}},
        {"runs of marks", u"Wait... Really?! Yes.", {u"Wait...", u"Really?!", u"Yes."}},
        {"a lower-case word goes on",
         u"Wait... what? Yes\u2026 no. Fine.",
         {u"Wait... what?", u"Yes\u2026 no.", u"Fine."}},
        {"abbreviations",
         u"Mr. Smith met Dr. Jones, St. Paul etc. Then approx. 5 left. Yes.",
         {u"Mr. Smith met Dr. Jones, St. Paul etc. Then approx. 5 left.", u"Yes."}},
        {"initials and dotted words",
         u"J. R. R. Tolkien wrote, e.g. Hobbits, i.e. Elves. In the U.S. Too.",
         {u"J. R. R. Tolkien wrote, e.g. Hobbits, i.e. Elves.", u"In the U.S. Too."}},
        {"an abbreviation in brackets",
         u"Compare (cf. Smith) the two. Done.",
         {u"Compare (cf. Smith) the two.", u"Done."}},
        {"only listed spellings",
         u"He is no Mister. Mr Smith is. MR. Jones",
         {u"He is no Mister.", u"Mr Smith is.", u"MR.", u"Jones"}},
        {"numbers",
         u"It costs 3.5 euros, or 4.75. In 2019. 10 people came.",
         {u"It costs 3.5 euros, or 4.75.", u"In 2019.", u"10 people came."}},
        {"closing quotes and brackets",
         u"She said \"Stop.\" Then 'no.' (It rained.) [Yes!] \u201cGo.\u201d \u2018Hm?\u2019 "
         u"\u00abOui.\u00bb End",
         {u"She said \"Stop.\"", u"Then 'no.'", u"(It rained.)", u"[Yes!]", u"\u201cGo.\u201d",
          u"\u2018Hm?\u2019", u"\u00abOui.\u00bb", u"End"}},
        {"a quoted end that a lower-case word follows",
         u"\u201cGo!\u201d she said. He left. \"why\" he asked. (then) more. \u00bfQu\u00e9? "
         u"\u00a1S\u00ed!",
         {u"\u201cGo!\u201d she said.", u"He left. \"why\" he asked. (then) more.",
          u"\u00bfQu\u00e9?", u"\u00a1S\u00ed!"}},
        {"only a space ends a sentence",
         u"One.\tTwo. Three.\u00a0Four.End. Five.",
         {u"One.\tTwo.", u"Three.\u00a0Four.End.", u"Five."}},
        {"spaces around", u"  First.   Second.  ", {u"  First.", u"Second.  "}},
        {"no word after the end", u"Only one. ", {u"Only one. "}},
        {"one sentence", u"No end mark at all", {u"No end mark at all"}},
        {"an end mark alone", u"Hm . Next", {u"Hm .", u"Next"}},
        {"Chinese and Japanese are not split",
         u"\u7b2c\u4e00\u53e5\u3002\u7b2c\u4e8c\u53e5\u3002 \u3053\u308c\u3002",
         {u"\u7b2c\u4e00\u53e5\u3002\u7b2c\u4e8c\u53e5\u3002 \u3053\u308c\u3002"}},
        {"Cyrillic",
         u"\u042d\u0442\u043e \u0434\u043e\u043c. \u044d\u0442\u043e. \u0414\u0430.",
         {u"\u042d\u0442\u043e \u0434\u043e\u043c. \u044d\u0442\u043e.", u"\u0414\u0430."}},
        {"Greek",
         u"\u039d\u03b1\u03b9. \u03cc\u03c7\u03b9. \u039f\u03c7\u03b9.",
         {u"\u039d\u03b1\u03b9. \u03cc\u03c7\u03b9.", u"\u039f\u03c7\u03b9."}},
        {"Polish",
         u"By\u0142. \u0142\u00f3d\u017a. \u0141\u00f3d\u017a.",
         {u"By\u0142. \u0142\u00f3d\u017a.", u"\u0141\u00f3d\u017a."}},
        {"an empty paragraph", u"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sentencesOf(c.paragraph), c.sentences) << c.name;
    }
}

TEST(Sentences, LowerCaseLettersAreThoseListed) {
    for (const char16_t c :
         std::u16string_view(u"az\u00df\u00e0\u00ff\u0101\u0138\u013a\u0149"
                             u"\u014b\u017e\u017f\u03ac\u03c9\u03ce\u0430\u045f")) {
        EXPECT_TRUE(isLowerCaseLetter(c)) << int(c);
    }
    for (const char16_t c : std::u16string_view(u"AZ1.\u00c0\u00de\u00f7\u0100\u0139\u0147\u014a"
                                                u"\u0178\u017d\u0391\u03a9\u0410\u042f\u4e2d")) {
        EXPECT_FALSE(isLowerCaseLetter(c)) << int(c);
    }
}

}  // namespace
}  // namespace kestrelwick
