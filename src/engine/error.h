#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace engine {

// Numeric engine codes carried by Error. The window that started an action
// looks at them to decide how to tell the user (a key violation, for one, is
// answered with the program's own message).
namespace code {
inline constexpr int KeyViolation = 9729;    // a key value stored twice
inline constexpr int NotOurTable = 12033;     // the file is no table of this program
inline constexpr int FileNotFound = 9474;     // no such table file
inline constexpr int TableBusy = 10243;       // the file is open elsewhere (exclusive use)
inline constexpr int ReadOnly = 10498;        // the file or folder cannot be written
inline constexpr int DiskFull = 9989;         // no room left on the disk
inline constexpr int IoError = 8453;          // any other failure of the file system
inline constexpr int NoCurrentRow = 8705;     // a row operation on an empty table
inline constexpr int NotEditing = 10245;      // a field written while not editing
inline constexpr int InvalidValue = 11013;    // a value the field cannot take
inline constexpr int SqlSyntax = 11825;       // a local SQL text the engine does not understand
inline constexpr int UnknownField = 10024;    // a field the table does not have
inline constexpr int TableClosed = 10757;     // an operation on a closed table
inline constexpr int TableExists = 13059;     // a table created over an existing file
} // namespace code

// The one error type the engine raises. what() is a Turkish message fit to
// show to the user as it stands.
class Error : public std::runtime_error
{
public:
    Error(std::string message, std::vector<int> codes)
        : std::runtime_error(std::move(message)), m_codes(std::move(codes))
    {}
    Error(std::string message, int code) : Error(std::move(message), std::vector<int>{code}) {}

    const std::vector<int> &codes() const { return m_codes; }
    bool hasCode(int code) const
    {
        for (int c : m_codes)
            if (c == code)
                return true;
        return false;
    }

private:
    std::vector<int> m_codes;
};

} // namespace engine
