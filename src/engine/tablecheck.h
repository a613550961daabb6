#pragma once

#include "engine/database.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// What a table holds, in the figures a backup's manifest records.
struct TableSummary
{
    std::int64_t rows = 0;
    std::int64_t sum = 0; // of the summed MONEY field, in kuruş; 0 when none was asked for
};

// Copies the table file at source into a new file at target with SQLite's
// online backup: the copy is one consistent state of the table, also while
// this or another program has it open and writes to it. The source is only
// read. Raises Error: NotOurTable when source is no table of this program
// (nothing is copied), TableExists when target exists, IoError/ReadOnly/
// DiskFull when the copy cannot be written; no target is left after a failure.
void copyTableFile(const std::filesystem::path &source, const std::filesystem::path &target);

// The problems SQLite's integrity check finds in a table of database, its
// indexes (in the Turkish order) included; empty when the file is sound.
// Raises Error as Database::open does, and when the file is too damaged to be
// checked at all.
std::vector<std::string> integrityProblems(Database &database, std::string_view fileName);

// The number of rows of a table of database and, when sumField names one of
// its fields, the sum of that field in kuruş (an amount another program
// stored as a real number counts rounded, as it is read). Raises Error as
// Database::open does, UnknownField for a field the table does not have.
TableSummary summarizeTable(Database &database, std::string_view fileName, std::string_view sumField = {});

} // namespace engine
