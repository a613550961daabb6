// selvora-import: imports a data folder left by the older program. Everything
// it does lives in selvora_import, so the tests drive the same code; the data
// folder it imports into by default follows the rule every program follows.
#include "legacy/importcommand.h"
#include "location/datalocation.h"

#include <QCoreApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char *argv[])
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    int qtArgc = 1;
    QCoreApplication application(qtArgc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Selvora"));
    const std::string dataFolder = location::DataLocation::forRunningProgram().dataFolder().toStdString();
    return legacy::runImportCommand(arguments, std::cout, std::cerr, dataFolder);
}
