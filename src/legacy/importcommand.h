#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace legacy {

// The command line of selvora-import, without the program name:
//
//   selvora-import [--dry-run] [--code-page=N] OLD-FOLDER [NEW-FOLDER]
//
// Imports the old Paradox tables of OLD-FOLDER into NEW-FOLDER (which may be
// the same folder; defaultNewFolder, the program's own data folder, when it is
// left out) and writes the Turkish summary, UTF-8, to out; a usage
// mistake goes to err. Returns the exit code: 0 on success, 1 when the import
// failed (nothing changed), 2 for a usage mistake. Never raises.
int runImportCommand(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err,
                     const std::string &defaultNewFolder = {});

} // namespace legacy
