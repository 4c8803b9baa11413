#include <QApplication>

#include "processing/working_memory.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
    kestrelwick::keepWorkingMemoryBetweenClicks();
    QApplication app(argc, argv);
    Form1::setUpApplication();

    Form1 form;
    form.fitToScreen();
    form.show();
    return QApplication::exec();
}
