#include <QApplication>

#include "app/startup_window.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    return tunnel::RunProgram(app);
}
