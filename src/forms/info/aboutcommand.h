#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace forms {

// The "Hakkında" command: starts the about program lying in the program folder,
// without waiting for it, with one parameter: a blank and the main executable's
// file name (" torven"). When the about program is missing it shows the error box
// "\r\nDosya bulunamadı.\r\n\r\nabout.exe" and starts nothing.
class AboutCommand
{
public:
    // Starts program detached with the arguments; the result is not looked at.
    using Launcher = std::function<bool(const QString &program, const QStringList &arguments)>;

    // programFolder and executableName default to the running executable's folder and file name;
    // the launcher defaults to QProcess::startDetached.
    explicit AboutCommand(const QString &programFolder = {}, const QString &executableName = {},
                          Launcher launcher = {});

    // Runs the command once.
    void run() const;

    // The full path of the about program: the program folder joined with aboutFileName().
    QString aboutProgramPath() const;
    // The parameter handed to the about program: " " followed by the executable's file name.
    QString parameter() const;

    // "about.exe" on Windows, "about" elsewhere.
    static QString aboutFileName();

private:
    QString m_programFolder;
    QString m_executableName;
    Launcher m_launcher;
};

} // namespace forms
