#pragma once

// Whether two articles of a spin text read the same. Two different choices
// are two different texts when they differ in one group only, but not always
// when they differ in more: in {x~x y} {y z~z} the first alternatives of
// both groups and the second of both spell "x y z" alike. A batch never
// holds the same text twice, nor a text the user wrote already.
//
// An article's fingerprint folds polynomial hashes (mod 2^61 - 1) of its
// pieces, the text between the groups and each chosen alternative, so that
// it costs a step per group rather than per character, and comes out the
// same however the text is cut into pieces. Equal fingerprints are confirmed
// by comparing the two texts piece by piece.

#include <cstdint>
#include <vector>

#include "processing/spin_choices.h"

namespace kestrelwick {

class ArticleSpellings {
  public:
    explicit ArticleSpellings(const SpinChoices& choices);

    // Equal for two articles that read the same.
    std::uint64_t fingerprint(const ArticleChoice& article) const;
    // Whether two articles read the same, character for character.
    bool same(const ArticleChoice& a, const ArticleChoice& b) const;

  private:
    // A piece's hash and the base to the power of its length.
    struct Piece {
        std::uint64_t hash = 0;
        std::uint64_t shift = 1;
    };

    const SpinChoices& choices_;
    std::vector<Piece> plain_;                // before each group, and after the last
    std::vector<std::vector<Piece>> chosen_;  // of each group's kept alternatives
};

// The articles of a batch that read the same as one before them or as one
// of the given others (the written articles), by their place in the batch.
std::vector<std::size_t> sameSpellings(const ArticleSpellings& spellings,
                                       const std::vector<ArticleChoice>& batch,
                                       const std::vector<ArticleChoice>& others);

}  // namespace kestrelwick
