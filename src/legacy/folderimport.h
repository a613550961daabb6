#pragma once

#include "data/schema.h"
#include "legacy/importsummary.h"
#include "text/date.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace legacy {

// What one of the seven table names of a data folder holds.
struct LegacyTable
{
    data::TableId id = data::TableId::CompanyCheques;
    std::string fileName;        // the schema's name (firma_cek.db)
    std::filesystem::path path;  // the file found, matched without regard to case; empty when Missing
    TableFileKind kind = TableFileKind::Missing;
    std::int64_t rowCount = 0;   // Paradox: its live rows
    int codePage = 0;            // Paradox: the code page its texts are read in
    std::string version;         // Paradox: "7.x", ...
    std::string message;         // Unreadable: why, in Turkish, naming the file
};

// Looks at the seven table names of dataFolder (any case) without changing
// anything. Returns seven entries in the data set-up's order (data::TableId).
// Never raises.
std::vector<LegacyTable> findLegacyTables(const std::filesystem::path &dataFolder);

// True when any entry is a Paradox table (the start-up question is then due).
bool hasParadoxTables(const std::vector<LegacyTable> &tables);

struct ImportProgress
{
    enum class Step { Reading, Writing, Checking, Moving };
    Step step = Step::Reading;
    // The table at hand; for Moving (all tables at once) fileName is empty.
    data::TableId table = data::TableId::CompanyCheques;
    std::string fileName;
    int tableNumber = 0;          // 1-based among the tables being imported
    int tableCount = 0;
    std::int64_t rowsDone = 0;    // Reading only
    std::int64_t rowsTotal = 0;
};

struct ImportOptions
{
    // Read and check everything, write nothing.
    bool dryRun = false;
    // 0: every table's texts in the code page it declares; else 437, 850, 857,
    // 1252 or 1254 for every table.
    int codePage = 0;
    // The day that names the folder of the old files; an invalid date (the
    // default) means the computer's date today.
    text::Date today;
    // Called now and then from the importing thread; return false to cancel
    // (the folders are then left as they were).
    std::function<bool(const ImportProgress &)> progress;
};

// Imports the Paradox tables of oldFolder into the program's tables in
// newFolder (the same folder for the in-place import at start-up).
//
// Every Paradox table among the seven names is read whole, converted (see
// TableConverter), written under the schema's name into a temporary folder
// inside newFolder in one transaction, and read back: rows per table and the
// sum of amounts per ledger must agree to the kuruş. Only when every table
// passed are the files of newFolder bearing those tables' names (the old .DB,
// .MB, .PX, ... in the in-place case; any earlier table of the same name
// otherwise) moved, never deleted, into newFolder/eski-YYYY-MM-DD (with "-2",
// "-3", ... when that exists), and the new files moved in. When oldFolder is
// another folder, it is only read.
//
// On any failure (an unreadable or truncated table, a text that does not
// decode, a date outside the calendar, a write or check that fails, a move
// that fails, cancellation) both folders are left as they were and the
// summary says why. Tables that are missing or already the program's own are
// left alone (the data set-up creates the missing ones). Never raises; the
// caller must have closed any table of newFolder it holds open.
ImportSummary importFolder(const std::filesystem::path &oldFolder, const std::filesystem::path &newFolder,
                           const ImportOptions &options = {});

} // namespace legacy
