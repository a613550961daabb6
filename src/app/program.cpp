#include "app/program.h"

#include "app/datafolderlock.h"
#include "data/datastore.h"
#include "forms/backup/closingbackup.h"
#include "forms/main/mainwindow.h"
#include "location/datalocation.h"
#include "widgets/messageservice.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
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
    // The desktop entry and the icon of an installed program (and of a copied one).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.selvora.Selvora"));
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/selvora/selvora-%1.png").arg(size));
    QApplication::setWindowIcon(icon);

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

    // Beside the executable for a copied program folder, in the user's data
    // folder for an installed program.
    MainWindow window(location::DataLocation::forRunningProgram().folder());
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
    // The main window has gone; the tables are still open and the lock held,
    // and the backup copies the tables as they stand.
    forms::runClosingBackup(window.programFolder());
    return 0;
}

} // namespace app
