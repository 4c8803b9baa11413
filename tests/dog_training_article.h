#pragma once

// One short article in three wordings, four paragraphs each, and what Check
// Articles makes of it. Shared by the engine and the window tests.

#include <string_view>

namespace kestrelwick::testing {

inline constexpr std::u16string_view kDogs1 =
    u"Dog Training Tips\r\n"
    u"Training a dog takes patience.\r\n"
    u"Start with simple commands like sit and stay.\r\n"
    u"Reward good behaviour every time.";
inline constexpr std::u16string_view kDogs2 =
    u"Tips For Training Dogs\r\n"
    u"Teaching a dog needs a lot of patience.\r\n"
    u"Begin with easy commands.\r\n"
    u"Always reward good behaviour.";
inline constexpr std::u16string_view kDogs3 =
    u"How To Train A Dog\r\n"
    u"Dog training requires patience.\r\n"
    u"Simple commands such as sit come first.\r\n"
    u"Praise every success.";

// Paragraphs 1 to 3; the counts of paragraph 0 (3, 4, 5) stand in no line.
inline constexpr std::u16string_view kDogsGrid = u"5\t8\t4\t\r\n8\t4\t7\t\r\n5\t4\t3\t\r\n";

inline constexpr std::u16string_view kDogsSpin =
    u"{Dog Training Tips~Tips For Training Dogs~How To Train A Dog}\r\n\r\n\r\n"
    u"{Training a dog takes patience.~Teaching a dog needs a lot of patience."
    u"~Dog training requires patience.}\r\n\r\n"
    u"{Start with simple commands like sit and stay.~Begin with easy commands."
    u"~Simple commands such as sit come first.}\r\n\r\n"
    u"{Reward good behaviour every time.~Always reward good behaviour."
    u"~Praise every success.}\r\n\r\n";

}  // namespace kestrelwick::testing
