#include "Form1.h"

#include <QApplication>

int main(int, char** argv) {
    // Vantrel takes no command line: Qt is given the program's name and nothing else.
    int argc = 1;
    QApplication application(argc, argv);
    Form1 form;
    form.show();
    return application.exec();
}
