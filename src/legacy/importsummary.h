#pragma once

#include "data/schema.h"

#include <cstdint>
#include <string>
#include <vector>

namespace legacy {

// What one of the seven names of the data folder holds.
enum class TableFileKind {
    Missing,    // no file of that name
    Paradox,    // a table of the older program, to be imported
    Ours,       // already a table of this program
    Unreadable, // neither: a damaged Paradox table or a foreign file
};

// Something the import did that the user should know of, without it stopping
// the import.
struct ImportNote
{
    enum class Kind {
        Skipped,      // a row was left out (a payee stored twice, a payee without a name)
        Truncated,    // a text longer than its field was cut to the field's width
        Rounded,      // an amount had parts of a kuruş and was rounded
        Numbered,     // a row without a row number was given the next free one
        FieldLeftOut, // a field of the old table has no place in the new one
        FieldMissing, // a field of the new table was not in the old one (left empty)
        Warning,      // a note of the reader (unclean close, record count, code page)
    };
    Kind kind = Kind::Warning;
    data::TableId table = data::TableId::CompanyCheques;
    std::int64_t row = 0; // 1-based row of the old table; 0 for the table as a whole
    std::string field;
    std::string text;     // Turkish
};

struct TableSummary
{
    data::TableId id = data::TableId::CompanyCheques;
    std::string fileName;   // the table's name in the new folder
    std::string sourcePath; // the old file, UTF-8; empty when there is none
    TableFileKind kind = TableFileKind::Missing;
    bool imported = false;  // rows were (or in a dry run would be) brought across
    int codePage = 0;       // the code page the old texts were read in
    std::int64_t rowsRead = 0;    // live rows of the old table
    std::int64_t rowsWritten = 0; // rows of the new table (after a dry run: that would be written)
    bool hasAmounts = false;      // the ledgers
    std::int64_t amountBefore = 0; // kuruş, each old amount rounded to the kuruş
    std::int64_t amountAfter = 0;  // kuruş, read back from the new table
};

// The outcome of importing an old data folder.
struct ImportSummary
{
    bool ok = false;
    bool dryRun = false;
    bool cancelled = false;
    std::string oldFolder; // UTF-8
    std::string newFolder;
    std::vector<TableSummary> tables; // the seven, in the data set-up's order
    std::vector<ImportNote> notes;
    // Why the import failed, one Turkish text each (naming the table, row and
    // field where there is one); empty on success.
    std::vector<std::string> problems;
    // The dated folder the replaced files were moved into, and those files
    // (UTF-8 paths); empty when nothing was moved.
    std::string backupFolder;
    std::vector<std::string> movedFiles;

    const TableSummary *table(data::TableId id) const;
    std::int64_t notesOf(ImportNote::Kind kind) const;

    // The summary as Turkish text for the user, lines ending in '\n': the outcome,
    // one line per table (rows, amounts before and after), where the old files
    // went, then the notes and problems. Amounts in the Turkish form 1.234,56.
    std::string text() const;
};

} // namespace legacy
