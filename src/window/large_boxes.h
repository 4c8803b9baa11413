#pragma once

// The window's four large boxes: the three article boxes, then the output box
// with the spin text. The form lays them out and the saved work keeps their
// texts, so both take their number from here.

#include <cstddef>

#include "processing/check_articles.h"

namespace kestrelwick {

inline constexpr std::size_t kBoxCount = kArticleCount + 1;

}  // namespace kestrelwick
