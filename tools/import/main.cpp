// selvora-import: imports a data folder left by the older program. Everything
// it does lives in selvora_import, so the tests drive the same code; the data
// folder it imports into by default follows the rule every program follows.
#include "legacy/importcommand.h"
#include "location/datalocation.h"

#include <QCoreApplication>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

// The data folder the import goes into when none is named: the program's own,
// by the rule every program follows.
std::string programDataFolder(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Selvora"));
    return location::DataLocation::forRunningProgram().dataFolder().toStdString();
}

} // namespace

#ifdef _WIN32
// The folders are read as UTF-8 text. Windows hands a narrow main() its
// arguments in the system's code page, so a folder such as "Gökhan Çağ"
// is taken in UTF-16 and converted.
int wmain(int argc, wchar_t *argv[])
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::u8string text = std::filesystem::path(argv[i]).u8string();
        arguments.emplace_back(text.begin(), text.end());
    }
    // Qt reads the program's path from the system itself on Windows.
    char name[] = "selvora-import";
    char *qtArgv[] = {name, nullptr};
    return legacy::runImportCommand(arguments, std::cout, std::cerr, programDataFolder(1, qtArgv));
}
#else
int main(int argc, char *argv[])
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return legacy::runImportCommand(arguments, std::cout, std::cerr, programDataFolder(argc > 0 ? 1 : 0, argv));
}
#endif
