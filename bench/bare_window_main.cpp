// The baseline of the start-up benchmark: a bare 600x500 QMainWindow program,
// started, shown and ended the same way as the configurator.
#include "app/first_paint_exit_gui.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setFixedSize(600, 500);
    Exit_After_First_Paint_If_Asked(window);
    window.show();
    return app.exec();
}
