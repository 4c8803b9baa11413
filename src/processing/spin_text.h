#pragma once

// The spin text: one group per paragraph of the third article, holding the
// versions of that paragraph that the articles give, between braces.
//
//   {title 1~title 2~title 3}
//
//
//   {intro 1~intro 2~intro 3}
//
//   ...
//
// A group holds the versions whose article has the paragraph and where it is
// not blank, in article order, and is followed by an empty line; a paragraph
// that no article offers adds nothing, so every group is complete and on its
// own line. The title's group is followed by one more line break.
//
// Two formats write the same groups: AMA format {a~b~c}, the default, and the
// pipe format {a|b|c} that most other spinners read.
//
// A check gives the groups as views into the articles; the text itself is
// written only when it is shown, into one buffer of exactly its size.

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "processing/counted_articles.h"
#include "processing/working_memory.h"

namespace kestrelwick {

enum class SpinFormat { Ama, Pipe };

// The characters that open a group, close it and separate its versions.
struct SpinMarks {
    char16_t open;
    char16_t close;
    char16_t separator;

    // The three, as words.h and the report's note take them.
    std::array<char16_t, 3> all() const { return {open, close, separator}; }
};
SpinMarks spinMarks(SpinFormat format);
// The marks as the report names them: u"{, } or ~".
std::u16string_view spinMarksText(SpinFormat format);

struct SpinGroup {
    std::size_t paragraph = 0;  // of the third article, from 0
    std::array<std::u16string_view, kArticleCount> versions;
    std::size_t count = 0;  // versions in use, from the first: 1 to 3

    std::u16string_view version(std::size_t k) const { return versions[k]; }
};

struct SpinText {
    std::vector<SpinGroup> groups;
    // Whether the third article has a title line, after which the text has
    // one more line break (also when no article offers a title).
    bool hasTitleLine = false;
};

SpinText buildSpinText(const CountedArticles& articles);

// The text of the spin text, CR LF line breaks, in a buffer sized to fit.
WorkingText writeSpinText(const SpinText& spin, SpinFormat format = SpinFormat::Ama);

}  // namespace kestrelwick
