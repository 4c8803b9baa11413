#pragma once

// A link's website opened in the user's browser: through the Windows shell's
// "open" action on Windows, through the desktop elsewhere. When the address
// cannot be opened, a message says so and shows it for the user to copy.

#include <QString>

#include <cstdint>

class QWidget;

namespace kestrelwick {

// Asks the desktop to open a web address; returns the shell's result: above
// 32 when the address was taken. showState is the shell's window state.
std::int32_t openLink(const QString& address, std::int32_t showState);

// Opens a link's website, or tells the user, over parent, that it cannot.
void followLink(QWidget* parent, const QString& address);

}  // namespace kestrelwick
