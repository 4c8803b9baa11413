#include <QApplication>

#include "processing/working_memory.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
    kestrelwick::keepWorkingMemoryBetweenClicks();
    QApplication app(argc, argv);
    // Only the name: a display name would be appended to the window titles.
    QApplication::setApplicationName(QStringLiteral("prjKestrelwick"));
    QApplication::setApplicationVersion(QStringLiteral(KESTRELWICK_VERSION_TEXT));
    QApplication::setWindowIcon(Form1::applicationIcon());
    QApplication::setDesktopFileName(QStringLiteral("kestrelwick"));

    Form1 form;
    form.fitToScreen();
    form.show();
    return QApplication::exec();
}
