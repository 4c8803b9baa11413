#include "window/low_memory.h"

#ifdef Q_OS_LINUX
#include <pthread.h>
#endif

#include <cstdlib>

#include "window/messages.h"

namespace kestrelwick {

namespace {

// Enough for a message box, the drawing of the window and two threads.
constexpr std::size_t kReserve = std::size_t{48} << 20;
void* reserve = nullptr;

void keepReserve() {
    if (reserve == nullptr) {
        // Address space only: the pages are never touched.
        reserve = std::malloc(kReserve);
    }
}

void releaseReserve() {
    std::free(reserve);
    reserve = nullptr;
}

}  // namespace

void prepareForLowMemory() {
#ifdef Q_OS_LINUX
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) == 0) {
        pthread_attr_setstacksize(&attributes, std::size_t{2} << 20);
        pthread_setattr_default_np(&attributes);
        pthread_attr_destroy(&attributes);
    }
#endif
    keepReserve();
}

void warnShortOfMemory(QWidget* parent, const QString& notDone) {
    releaseReserve();
    warn(parent, notDone);
    keepReserve();
}

void warnShortOfMemoryOnceShown(QWidget* parent, const QString& notDone) {
    onceShown(parent, [notDone](QWidget* window) { warnShortOfMemory(window, notDone); });
}

}  // namespace kestrelwick
