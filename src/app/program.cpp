#include "app/program.h"

#include "app/datafolderlock.h"
#include "data/datastore.h"
#include "forms/main/mainwindow.h"
#include "widgets/messageservice.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace app {

int run(int argc, char *argv[], const std::function<void(MainWindow &)> &setUpFinished)
{
    // The program takes no arguments: whatever is passed is ignored, including
    // options Qt itself would otherwise act on.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    // The name only: a display name would be appended to every window's
    // caption on X11 ("... — Selvora").
    QApplication::setApplicationName(QStringLiteral("Selvora"));

    // The windows were laid out in MS Sans Serif and Arial; where those are
    // missing, Liberation Sans (Arial's metric twin) keeps the captions inside
    // their buttons.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial Black"), QStringLiteral("Liberation Sans"));

    // Standard dialogs and buttons speak Turkish.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    MainWindow window(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    // One copy per data folder. The lock is taken on the folder the window's
    // tables live in, before the window is shown: until then nothing has
    // been opened or written, so a second copy ends without a trace.
    DataFolderLock lock(QFileInfo(window.dataStore().folder()).filePath());
    if (lock.take() == DataFolderLock::Outcome::InUse) {
        widgets::MessageService::warning(lock.inUseMessage());
        return 1;
    }

    if (setUpFinished)
        QObject::connect(&window, &MainWindow::setUpFinished, &window, [&window, &setUpFinished] {
            setUpFinished(window);
        });
    window.show();
    application.exec();
    return 0;
}

} // namespace app
