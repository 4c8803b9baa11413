#pragma once

// What each large box says of itself: the grey text it shows while it is
// empty, naming what it takes and how, and its tooltip, the keys that work
// in it. Both take their keys from the window's list (shortcuts.h), so they
// name the keys the window answers.

#include <QString>

#include <cstddef>

namespace kestrelwick {

// Box 0 to 2 are the article boxes, 3 the output box.
QString boxPlaceholder(std::size_t box);
QString boxToolTip(std::size_t box);

}  // namespace kestrelwick
