#include "aboutwindow.h"

#include <QApplication>
#include <QIcon>

// The about program. Its one parameter names the main program's executable, such
// as " torven"; anything else on the command line is ignored.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Selvora"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/selvora/selvora-48.png")));

    const QStringList arguments = QApplication::arguments();
    const QString named = arguments.size() > 1 ? arguments.at(1) : QString();
    AboutWindow window(AboutWindow::dataFolderFor(QApplication::applicationDirPath(), named));
    window.show();
    return app.exec();
}
