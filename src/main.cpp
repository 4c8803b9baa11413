#include <QApplication>
#include <QCoreApplication>

#include "console/command_line.h"
#include "files/file_names.h"
#include "processing/working_memory.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
    kestrelwick::holdStandardStreams();
    kestrelwick::CommandLine command =
        kestrelwick::parseCommandLine(kestrelwick::systemArguments(argc, argv));
    if (command.mode == kestrelwick::CommandLine::Mode::Window &&
        !kestrelwick::displayAvailable(command)) {
        command.mode = kestrelwick::CommandLine::Mode::NoDisplay;
    }

    // Help, the version, the check of files, a usage error and the lack of a
    // display are answered before any window system is touched.
    if (command.mode != kestrelwick::CommandLine::Mode::Window) {
        const QCoreApplication console(argc, argv);
        return kestrelwick::runConsole(command);
    }

    kestrelwick::keepWorkingMemoryBetweenClicks();
    QApplication app(argc, argv);
    Form1::setUpApplication();

    Form1 form;
    form.fitToScreen();
    form.show();
    form.openArticleFiles(command.files);
    return QApplication::exec();
}
