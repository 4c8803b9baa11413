#pragma once

// A link's website opened in the user's browser: through the Windows shell's
// "open" action on Windows, through the desktop elsewhere. When the address
// cannot be opened, a message says so and shows it for the user to copy.

#include <QString>

class QWidget;

namespace kestrelwick {

// Asks the desktop to open a web address in the user's browser; returns
// whether it took the address.
bool openLink(const QString& address);

// Opens a link's website, or tells the user, over parent, that it cannot.
void followLink(QWidget* parent, const QString& address);

}  // namespace kestrelwick
