#include "mainwindow/Program.h"

#include <QApplication>
#include <QLabel>

namespace tavrelo {

int RunProgram(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel placeholder("Tavrelo version 1.10");
    placeholder.show();
    return app.exec();
}

} // namespace tavrelo
