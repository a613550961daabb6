#pragma once

#include <QDialog>

// The about window: program name, version, what it is for, licence and where the
// data lives.
class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    // dataFolder is shown as it is given.
    explicit AboutWindow(const QString &dataFolder, QWidget *parent = nullptr);

    // The data folder of the executable named by argument (a file name such as
    // " torven", surrounding blanks ignored) when that file lies in
    // programFolder, else of programFolder itself: "Veriler" in the folder the
    // data-location rule gives (beside the program, or the user's data folder).
    // Anything odd in the argument (empty, a path, a file that is not there)
    // falls back to programFolder.
    static QString dataFolderFor(const QString &programFolder, const QString &argument);
};
