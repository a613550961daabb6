#pragma once

#include <stdexcept>
#include <string>

namespace legacy {

// What went wrong while reading an old table. The codes let the import decide
// what to do; the message is the Turkish text shown to the user and always
// names the file.
enum class ErrorCode {
    CannotOpen = 1,      // the file cannot be opened or read
    NotParadox,          // the bytes are no Paradox table
    SqliteFile,          // an SQLite database, not a Paradox table
    IndexFile,           // a Paradox index file (.PX, .Xnn, ...) rather than a table
    Encrypted,           // a password-protected table
    Truncated,           // a header, block or record reaches past the end of the file
    BadHeader,           // header fields contradict each other
    UnknownFieldType,    // a field type code this reader does not know
    UnsupportedCodePage, // the declared or requested code page is not one this reader knows
    BadBlock,            // a data block holds impossible values
    BlockLoop,           // the data block chain comes back to a block already read
    TextDecode,          // a text does not decode in the table's code page
    BadValue,            // a stored value names nothing (day outside the calendar, ...)
    MemoFileMissing,     // a value lives in the memo file, and there is none
    BadMemo,             // a memo pointer or memo block is invalid or out of range
};

class ParadoxError : public std::runtime_error
{
public:
    ParadoxError(ErrorCode code, const std::string &message)
        : std::runtime_error(message), m_code(code) {}

    ErrorCode code() const { return m_code; }

private:
    ErrorCode m_code;
};

} // namespace legacy
