#pragma once

// The window's application: where memory runs short in handling an event
// that no task of the window catches itself, the event is left undone and
// the user told (window/low_memory.h), rather than the program ended.

#include <QApplication>

namespace kestrelwick {

class WindowApplication : public QApplication {
    Q_OBJECT

  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace kestrelwick
