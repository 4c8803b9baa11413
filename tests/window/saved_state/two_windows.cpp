// One of two windows started at the same moment, for two_windows_test.sh:
// a window with its saved work, as the program makes them, that prints
// "owns" when it keeps the saved work, or "not saved" when its title says
// it does not, and then stays until a file appears.
//
//   kestrelwick_two_windows STATE-FILE DONE-FILE

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>

#include "window/form1.h"
#include "window/saved_state/saved_state.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestrelwick_two_windows STATE-FILE DONE-FILE\n");
        return 2;
    }
    QApplication app(argc, argv);
    kestrelwick::Form1::setUpApplication();
    kestrelwick::Form1 form;
    kestrelwick::SavedState state(&form, form.controls().largeBoxes(),
                                  QString::fromLocal8Bit(argv[1]));
    const bool owns = state.restore();
    const bool marked = form.windowTitle().contains(kestrelwick::SavedState::kNotSaved);
    std::printf("%s\n", owns ? "owns" : marked ? "not saved" : "neither");
    std::fflush(stdout);
    const QString done = QString::fromLocal8Bit(argv[2]);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&done] {
        if (QFile::exists(done)) {
            QApplication::quit();
        }
    });
    poll.start(20);
    return QApplication::exec();
}
