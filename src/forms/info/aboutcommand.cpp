#include "forms/info/aboutcommand.h"

#include "widgets/messageservice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace forms {

AboutCommand::AboutCommand(const QString &programFolder, const QString &executableName, Launcher launcher)
    : m_programFolder(programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder)
    , m_executableName(executableName.isEmpty() ? QFileInfo(QCoreApplication::applicationFilePath()).fileName()
                                                : executableName)
    , m_launcher(std::move(launcher))
{
    if (!m_launcher) {
        m_launcher = [](const QString &program, const QStringList &arguments) {
            return QProcess::startDetached(program, arguments, QString());
        };
    }
}

QString AboutCommand::aboutFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("about.exe");
#else
    return QStringLiteral("about");
#endif
}

QString AboutCommand::aboutProgramPath() const
{
    return QDir(m_programFolder).filePath(aboutFileName());
}

QString AboutCommand::parameter() const
{
    return QLatin1Char(' ') + m_executableName;
}

void AboutCommand::run() const
{
    const QString program = aboutProgramPath();
    // A folder of that name is no program either.
    if (!QFileInfo(program).isFile()) {
        widgets::MessageService::error(QStringLiteral("\r\nDosya bulunamadı.\r\n\r\nabout.exe"));
        return;
    }
    m_launcher(program, {parameter()});
}

} // namespace forms
