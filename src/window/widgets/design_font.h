#pragma once

// The window's font: the face it was designed with, MS Sans Serif at 8.25
// points, or the first of its stand-ins that the system has: those Windows
// has installed since Windows XP and Wine ships (Microsoft Sans Serif,
// Tahoma, Arial), then the common faces of Linux desktops, and at the last a
// sans-serif face of the system's choosing. Every font the window asks for
// names all of them, so that no platform falls back to a serif face.

#include <QFont>

namespace kestrelwick {

QFont designFont(qreal pointSize = 8.25);

}  // namespace kestrelwick
