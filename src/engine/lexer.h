#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// Tokens of the engine's small SQL dialects (local SQL and creation scripts).
struct Token
{
    enum Kind {
        Word,       // a name or keyword: letters, digits, "_" and "." (firma_cek.db)
        QuotedName, // "firma_cek.DB", quotes removed
        String,     // 'text', quotes removed and doubled quotes made single
        Number,     // 12, 12.50
        Symbol,     // ( ) , ; * = < > <= >= <>
        End,
    };
    Kind kind = End;
    std::string text;
    std::size_t position = 0; // 1-based character offset in the source text

    bool isWord(std::string_view keyword) const; // ASCII case-insensitive
    bool isSymbol(std::string_view symbol) const { return kind == Symbol && text == symbol; }
};

// Splits source into tokens, ending with one End token. Raises Error
// (code::SqlSyntax) naming the position of an unterminated quote or a
// character the dialect does not know.
std::vector<Token> tokenize(std::string_view source);

// Text of a position for messages: "3. karakter".
std::string positionText(std::size_t position);

} // namespace engine
