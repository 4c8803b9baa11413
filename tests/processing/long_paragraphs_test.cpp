// The longest paragraph a box takes: paragraphs split where a box splits its
// text, numbered as its margin numbers them, measured in characters, and
// read across the pieces of an edit as one text. Limits here are a few
// characters, so that every case is short.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "processing/long_paragraphs.h"

namespace kestrelwick {
namespace {

struct Case {
    const char* what;
    std::vector<std::u16string> pieces;
    std::optional<LongParagraph> found;  // with a limit of 4 characters
};

std::optional<LongParagraph> findIn(const std::vector<std::u16string>& pieces) {
    switch (pieces.size()) {
        case 1:
            return findLongParagraph({pieces[0]}, 4);
        case 2:
            return findLongParagraph({pieces[0], pieces[1]}, 4);
        default:
            return findLongParagraph({pieces[0], pieces[1], pieces[2]}, 4);
    }
}

TEST(LongParagraphs, FoundWhereABoxWouldHoldThem) {
    const std::vector<Case> cases = {
        {"an empty text", {u""}, std::nullopt},
        {"a paragraph at the limit", {u"abcd"}, std::nullopt},
        {"one past it, measured whole", {u"abcdefghij"}, LongParagraph{1, 10}},
        {"the first of two, numbered", {u"ab\r\nabcde\r\nabcdef"}, LongParagraph{2, 5}},
        {"at the end of the text", {u"ab\r\nabcd\r\nabcde"}, LongParagraph{3, 5}},
        {"a lone LF ends a line", {u"abc\nabcde"}, LongParagraph{2, 5}},
        {"a lone CR too", {u"abc\rabcde"}, LongParagraph{2, 5}},
        {"LF CR is two breaks", {u"abc\n\rabcde"}, LongParagraph{3, 5}},
        {"a paragraph separator", {u"abc\u2029abcde"}, LongParagraph{2, 5}},
        {"the frame marks", {u"abc\ufdd0ab\ufdd1abcde"}, LongParagraph{3, 5}},
        {"a line separator stays inside", {u"ab\u2028ab"}, LongParagraph{1, 5}},
        {"tabs and vertical tabs count", {u"a\t\v\fb"}, LongParagraph{1, 5}},
        {"a surrogate pair is one character", {u"\U0001F375\U0001F375ab"}, std::nullopt},
        {"lone surrogates count each",
         {u"\xdc00\xd800\xd800\xdc00"
          u"ab"},
         LongParagraph{1, 5}},
        {"pieces make one line", {u"ab", u"cd", u"e"}, LongParagraph{1, 5}},
        {"a CR LF across two pieces", {u"ab\r", u"\nabcd", u"e"}, LongParagraph{2, 5}},
        {"a pair across two pieces", {u"abc\xd83c", u"\xdf75"}, std::nullopt},
        {"an empty piece between", {u"abc", u"", u"de"}, LongParagraph{1, 5}},
    };
    for (const Case& one : cases) {
        EXPECT_EQ(findIn(one.pieces), one.found) << one.what;
    }
}

}  // namespace
}  // namespace kestrelwick
