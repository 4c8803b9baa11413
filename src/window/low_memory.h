#pragma once

// The window when memory runs short. A task that runs out (a check, showing
// its result, a switch of format or of grouping, a preview, a drop, reading
// the saved work) stops before it changes a box, and the user is told what
// was not done; the program goes on.
//
// So that the window can still draw itself, show that message and start the
// threads that drawing and saving use once a task has taken all the memory
// there is, a reserve of address space is kept from the start and given back
// when a task runs short, then taken again. Threads are started with small
// stacks (2 MiB), so that starting one needs little.

#include <QString>

class QWidget;

namespace kestrelwick {

// Called once at start, before any thread: small stacks, and the reserve.
void prepareForLowMemory();

// Tells the user, over parent, that memory ran short and what was not done;
// the reserve is given back first and taken again after.
void warnShortOfMemory(QWidget* parent, const QString& notDone);
// The same once the event loop has shown the window.
void warnShortOfMemoryOnceShown(QWidget* parent, const QString& notDone);

}  // namespace kestrelwick
