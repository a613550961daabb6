#include "app/program.h"
#include "forms/main/mainwindow.h"

#include <QTimer>

// The program users run, built from the same sources for the tests and
// benchmarks that start it as a whole: it closes its main window through the
// normal close path as soon as the first show's set-up has run.
int main(int argc, char *argv[])
{
    return app::run(argc, argv, [](MainWindow &window) { QTimer::singleShot(0, &window, &QWidget::close); });
}
