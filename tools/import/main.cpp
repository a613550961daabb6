// selvora-import: imports a data folder left by the older program. Everything
// it does lives in selvora_import, so the tests drive the same code.
#include "legacy/importcommand.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

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
    return legacy::runImportCommand(arguments, std::cout, std::cerr);
}
#else
int main(int argc, char *argv[])
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return legacy::runImportCommand(arguments, std::cout, std::cerr);
}
#endif
