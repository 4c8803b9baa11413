#include "window/window_application.h"

#include <new>

#include "window/low_memory.h"

namespace kestrelwick {

bool WindowApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        warnShortOfMemory(activeWindow(), QStringLiteral("There is not enough memory to do what "
                                                         "was asked last; it was not done."));
        return false;
    }
}

}  // namespace kestrelwick
