#pragma once

#include "engine/value.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

struct IndexDef
{
    std::string name;
    std::vector<std::string> fields;
    bool unique = false;
    bool descending = false;
    bool caseInsensitive = false;
};

// The layout of one table: its fields in stored order, its primary key and
// its secondary indexes.
struct TableLayout
{
    std::vector<FieldDef> fields;
    std::vector<std::string> primaryKey; // field names; empty when the table has no key
    std::vector<IndexDef> indexes;

    // The index of the field named name (ASCII case-insensitive), or -1.
    int fieldIndex(std::string_view name) const;
    // The AUTOINC field, or -1.
    int autoIncField() const;
};

// ASCII case-insensitive equality, as field, index and file names compare.
bool equalsAscii(std::string_view a, std::string_view b);
std::string lowerAscii(std::string_view s);

// SQL text for a name quoted as an identifier.
std::string quoteIdentifier(std::string_view name);

} // namespace engine
