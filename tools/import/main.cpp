// selvora-import: imports a data folder left by the older program. Everything
// it does lives in selvora_import, so the tests drive the same code.
#include "legacy/importcommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char *argv[])
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return legacy::runImportCommand(arguments, std::cout, std::cerr);
}
