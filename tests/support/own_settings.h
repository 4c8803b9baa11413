#pragma once

// Settings of a test program's own, in a folder that goes with it: test
// programs that run at the same time never read each other's spin format.

#include <QSettings>
#include <QTemporaryDir>

namespace kestrelwick::testing {

inline void useOwnSettings() {
    static QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}

}  // namespace kestrelwick::testing
