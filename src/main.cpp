#include "mainwindow/Program.h"

int main(int argc, char* argv[])
{
    return tavrelo::RunProgram(argc, argv);
}
