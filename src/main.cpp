#include <QApplication>
#include <QCoreApplication>

#include "console/console.h"
#include "files/files.h"
#include "processing/check_articles.h"
#include "window/form1.h"
#include "window/low_memory.h"
#include "window/saved_state/saved_state.h"
#include "window/spin_format_choice.h"
#include "window/window_application.h"

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

    kestrelwick::keepWorkingMemoryBetweenChecks();
    kestrelwick::prepareForLowMemory();
    kestrelwick::WindowApplication app(argc, argv);
    kestrelwick::Form1::setUpApplication();

    kestrelwick::Form1 form;
    // The work of the last run comes back before the files named now go over it.
    kestrelwick::SavedState state(&form, form.controls().largeBoxes(),
                                  kestrelwick::SavedState::defaultPath());
    const bool kept = state.restore();
    form.setSavedWork({state.path(), kept});
    // The choice of spin format names the format the restored text is in.
    form.formatChoice()->followText();
    // Ended by the system: the boxes are saved first.
    state.saveOnShutdownSignals();
    form.fitToScreen();
    form.show();
    form.openArticleFiles(command.files);
    return QApplication::exec();
}
