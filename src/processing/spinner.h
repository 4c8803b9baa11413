#pragma once

// Spinning a spin text as a spinner does: every group {a~b~c} (or {a|b|c})
// is replaced by one of its alternatives, picked at random, each equally
// likely; the text between groups is kept as it is. Outside a group the
// separator is plain text.
//
// A text that cannot be spun says where: a { without its }, a } without its
// {, or a { inside a group, at its line and column (both from 1; a line
// ends at CR LF, LF or a lone CR, and a column counts 16-bit code units).
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

// One article spun from the text, or where the text cannot be spun.
std::variant<std::u16string, SpinError> spinArticle(std::u16string_view text, SpinFormat format,
                                                    SpinRandom& random);

// The same spin text in another format: the separators between the
// alternatives of every group swapped, nothing else changed. Nothing when
// the text cannot be spun in its format, or when an alternative holds the
// other format's separator, which would split it there.
std::optional<std::u16string> changeSpinFormat(std::u16string_view text, SpinFormat from,
                                               SpinFormat to);

}  // namespace kestrelwick
