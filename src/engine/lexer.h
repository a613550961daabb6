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

// Walks the tokens of one statement, [begin, end). Past its last token it
// stands on the token at end (the ";" or End that closes the statement).
// Errors are Error(code::SqlSyntax) naming the position and what was found,
// and start with the dialect's label ("SQL hatası", "Betik hatası").
class TokenCursor
{
public:
    TokenCursor(const std::vector<Token> &tokens, std::string label, std::size_t begin, std::size_t end);

    const Token &peek() const;
    const Token &advance();
    bool atEnd() const { return m_index >= m_end; }

    void expectWord(std::string_view word);
    void expectSymbol(std::string_view symbol);
    // A name: a word or a double-quoted name. what says what was expected.
    std::string name(const char *what);

    [[noreturn]] void fail(const Token &at, const std::string &what) const;
    const std::string &label() const { return m_label; }

private:
    const std::vector<Token> &m_tokens;
    std::string m_label;
    std::size_t m_index;
    std::size_t m_end;
};

} // namespace engine
