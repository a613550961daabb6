// selvora-rapor: the ready-made and custom reports without a window, for a
// terminal or a scheduled job. Everything it does lives in
// selvora_commandline, so the tests drive the same code.
#include "commandline/reportcommand.h"
#include "location/datalocation.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

// Qt's own notes (a missing XDG_RUNTIME_DIR under a scheduled job, say) would
// land in every mailed report; only its real errors go to standard error.
void quietQt(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "selvora-rapor: %s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    // No window is ever shown: the PDF is laid out offscreen, also where no
    // display is (a scheduled job).
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQt);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    int qtArgc = argc > 0 ? 1 : 0;
    QGuiApplication application(qtArgc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Selvora"));

    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    const int code = commandline::runReportCommand(arguments, location::DataLocation::forRunningProgram().folder(),
                                                   QDate::currentDate(), out, err);
    out.flush();
    return code;
}
