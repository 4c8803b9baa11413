#pragma once

// Spinning a spin text as a spinner does: every group {a~b~c} (or {a|b|c})
// is replaced by one of its alternatives, picked at random, each equally
// likely; the text between groups is kept as it is. Outside a group the
// separator is plain text.
//
// A text that cannot be spun says where: a { without its }, a } without its
// {, or a { inside a group, at its line and column (placeOf).
//
// The picks come from a generator of this program's own (SplitMix64), so
// that one seed gives the same article on every platform.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "processing/spin_text.h"

namespace kestrelwick {

// A place in a text as the user finds it: line and column, both from 1. A
// line ends at CR LF, LF or a lone CR; a column counts characters as the
// user sees them (code points: a surrogate pair is one).
struct TextPlace {
    std::size_t line;
    std::size_t column;
};
TextPlace placeOf(std::u16string_view text, std::size_t offset);

struct SpinError {
    enum class Kind { UnclosedGroup, StrayClose, NestedGroup };
    Kind kind;
    std::size_t line;
    std::size_t column;

    // Where and what is wrong: "line 3, column 5: a { has no } to close it."
    std::u16string text() const;
};

// The same seed gives the same picks.
class SpinRandom {
  public:
    explicit SpinRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // A number from 0 to count - 1, each equally likely.
    std::size_t below(std::size_t count);

  private:
    std::uint64_t state_;
};

// The groups of a spin text from the first to the last, as a spinner reads
// them: next() finds the next group, or stops at the end of the text or at
// the first place where the text cannot be spun. Outside a group the
// separator is plain text.
class SpinScanner {
  public:
    SpinScanner(std::u16string_view text, SpinFormat format);

    // Finds the next group; false at the end of the text or at a fault
    // (error()).
    bool next();
    // The group found: where its { and } stand, and the text between them.
    std::size_t open() const { return open_; }
    std::size_t close() const { return close_; }
    std::u16string_view body() const { return text_.substr(open_ + 1, close_ - open_ - 1); }
    // The alternatives of the group found: how many, and the one numbered
    // index (from 0).
    std::size_t alternatives() const;
    std::u16string_view alternative(std::size_t index) const;

    // Where the text cannot be spun, once next() has stopped there.
    const std::optional<SpinError>& error() const { return error_; }
    SpinMarks marks() const { return marks_; }

  private:
    std::u16string_view text_;
    SpinMarks marks_;
    std::size_t from_ = 0;
    std::size_t open_ = 0;
    std::size_t close_ = 0;
    std::optional<SpinError> error_;
};

// One article spun from the text, or where the text cannot be spun.
std::variant<std::u16string, SpinError> spinArticle(std::u16string_view text, SpinFormat format,
                                                    SpinRandom& random);

// The format a spin text is written in, where none is given: the pipe
// format when its groups hold a | and none a ~, AMA format otherwise. A
// format given is the format. A text whose groups hold both separators is
// mixed: the place is the first group that holds the separator which the
// format leaves as plain text.
struct FoundFormat {
    SpinFormat format = SpinFormat::Ama;
    std::optional<TextPlace> mixed;

    // "line 3, column 1: this group holds a |, which AMA format reads as
    // plain text."
    std::u16string warning() const;
};
FoundFormat findSpinFormat(std::u16string_view text, std::optional<SpinFormat> given);

// The same spin text in another format, with the separators between the
// alternatives of every group swapped and nothing else changed; or why that
// would change what the text means: it cannot be spun in its format
// (broken), or an alternative holds the other format's separator, which
// would split it (splits: the place of that separator).
struct FormatChange {
    std::optional<std::u16string> text;
    std::optional<SpinError> broken;
    std::optional<TextPlace> splits;
};
FormatChange changeSpinFormat(std::u16string_view text, SpinFormat from, SpinFormat to);

}  // namespace kestrelwick
