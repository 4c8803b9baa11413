#pragma once

// Why something was not done, in one shape for the engine and the files
// room alike: what kind of refusal it is, for a caller that acts on it, and
// the words to show, for one that only says it. Where the refusal is about a
// place in a spin text, the place comes with it, so that the window can put
// the cursor there.
//
// The words are a clause a front end fits into its own sentence where it
// says more ("the spin text in \"a.txt\" cannot be spun: " + text), or a
// whole sentence where they are all there is to say; each kind says which.

#include <optional>
#include <string>
#include <variant>

#include "processing/text_place.h"

namespace kestrelwick {

struct Refusal {
    enum class Kind {
        // A spin text that cannot be spun: "line 3, column 5: a { has no }
        // to close it." (place)
        CannotSpin,
        // A change of format that would split an alternative: "line 2,
        // column 4: an alternative holds |, ..." (place)
        WouldSplit,
        // Not a refusal of the text but of another format's separator in it,
        // which is read as plain text: "the spin text's groups hold both ~
        // and |: ..." (place: the first group holding it)
        MixedFormats,
        // No spin text at all: a sentence.
        NoSpinText,
        // More articles asked for than the text gives: a sentence that says
        // how many it gives.
        TooFewArticles,
        // A count no batch can be written with: a sentence.
        CountTooLarge,
        // A file of a batch's names is there already: a sentence naming it.
        FileInTheWay,
        // A file that cannot be read as an article: a sentence naming it.
        CannotRead,
        // A file or folder that cannot be written or made: a sentence.
        CannotWrite,
        // Too little memory for the task: "not enough memory to spin this
        // text", which a front end may put in its own words.
        NoMemory,
    };

    Kind kind = Kind::CannotSpin;
    std::u16string text = {};
    std::optional<TextPlace> place = {};

    bool operator==(const Refusal&) const = default;
};

// A value, or why there is none.
template <typename Value>
using OrRefusal = std::variant<Value, Refusal>;

}  // namespace kestrelwick
