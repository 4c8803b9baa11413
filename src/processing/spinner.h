#pragma once

// Spinning a spin text as a spinner does: every group {a~b~c} (or {a|b|c},
// in the format given) is replaced by one of its alternatives, picked at
// random, each equally likely; the text between groups is kept as it is.
// Outside a group the separator is plain text.
//
// A text that cannot be spun says where: a { without its }, a } without its
// {, or a { inside a group, at its line and column (Refusal::Kind::CannotSpin).
//
// Also here, as it reads the groups the same way: the same spin text written
// in another format.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "processing/refusal.h"
#include "processing/spin_formats.h"
#include "processing/spin_random.h"

namespace kestrelwick {

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
    const std::optional<Refusal>& error() const { return error_; }
    SpinMarks marks() const { return marks_; }

  private:
    void fail(std::u16string_view what, std::size_t offset);

    std::u16string_view text_;
    SpinMarks marks_;
    std::size_t from_ = 0;
    std::size_t open_ = 0;
    std::size_t close_ = 0;
    std::optional<Refusal> error_;
};

// One article spun from the text, or where the text cannot be spun.
OrRefusal<std::u16string> spinArticle(std::u16string_view text, SpinFormat format,
                                      SpinRandom& random);

// The same spin text in another format, with the separators between the
// alternatives of every group swapped and nothing else changed; or why that
// would change what the text means: it cannot be spun in its format
// (CannotSpin), or an alternative holds the other format's separator, which
// would split it (WouldSplit, placed at that separator).
OrRefusal<std::u16string> changeSpinFormat(std::u16string_view text, SpinFormat from,
                                           SpinFormat to);

}  // namespace kestrelwick
