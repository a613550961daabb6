#pragma once

#include "text/date.h"

#include <cstdint>
#include <string>
#include <variant>

namespace engine {

// The declared type of a field, as the creation texts name it.
enum class FieldType {
    AutoInc, // 32-bit row number assigned by the engine on first post
    Char,    // text of at most FieldDef::size characters
    Date,    // calendar date
    Money,   // exact amount, an integer count of kuruş
    Boolean, // true / false
    Memo,    // text of any length
    Integer, // whole number (query results such as count(*))
};

struct FieldDef
{
    std::string name;
    FieldType type = FieldType::Char;
    int size = 0; // characters for Char, 0 otherwise
};

// One field value. Which alternative a non-null value holds follows the field's
// type: Char and Memo hold std::string (UTF-8), Date holds text::Date, Money
// holds kuruş and AutoInc/Integer a whole number as std::int64_t, Boolean bool.
using Value = std::variant<std::monostate, std::int64_t, bool, std::string, text::Date>;

inline bool isNull(const Value &value) { return std::holds_alternative<std::monostate>(value); }

} // namespace engine
