#pragma once

// The user's settings of Kestrelwick: the spin format and the folders the
// file dialogs were last left in. The registry under
// HKEY_CURRENT_USER\Software\Kestrelwick on Windows, a file in the
// configuration folder elsewhere; named in full, as the program names no
// organisation of its own.

#include <QCoreApplication>
#include <QSettings>

namespace kestrelwick {

inline QSettings userSettings() {
    return QSettings(QStringLiteral("Kestrelwick"), QCoreApplication::applicationName());
}

}  // namespace kestrelwick
