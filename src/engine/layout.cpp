#include "engine/layout.h"

namespace engine {

bool equalsAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

std::string lowerAscii(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

std::string quoteIdentifier(std::string_view name)
{
    std::string out = "\"";
    for (char c : name) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

int TableLayout::fieldIndex(std::string_view name) const
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (equalsAscii(fields[i].name, name))
            return int(i);
    return -1;
}

int TableLayout::autoIncField() const
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].type == FieldType::AutoInc)
            return int(i);
    return -1;
}

} // namespace engine
