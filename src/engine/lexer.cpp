#include "engine/lexer.h"

#include "engine/error.h"
#include "engine/layout.h"

#include <algorithm>

namespace engine {

namespace {

bool isWordByte(unsigned char c)
{
    // Bytes of multi-byte UTF-8 sequences count as letters, so names with
    // Turkish letters stay one word.
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.'
        || c >= 0x80;
}

std::size_t characterPosition(std::string_view source, std::size_t byteOffset)
{
    std::size_t count = 1;
    for (std::size_t i = 0; i < byteOffset && i < source.size(); ++i)
        if ((static_cast<unsigned char>(source[i]) & 0xC0) != 0x80)
            ++count;
    return count;
}

} // namespace

bool Token::isWord(std::string_view keyword) const
{
    return kind == Word && equalsAscii(text, keyword);
}

std::string positionText(std::size_t position)
{
    return std::to_string(position) + ". karakter";
}

std::vector<Token> tokenize(std::string_view source)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < source.size()) {
        const unsigned char c = static_cast<unsigned char>(source[i]);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        Token token;
        token.position = characterPosition(source, i);
        if (c == '\'' || c == '"') {
            token.kind = c == '\'' ? Token::String : Token::QuotedName;
            std::size_t j = i + 1;
            bool closed = false;
            while (j < source.size()) {
                if (source[j] == char(c)) {
                    if (j + 1 < source.size() && source[j + 1] == char(c)) {
                        token.text += char(c);
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                token.text += source[j++];
            }
            if (!closed)
                throw Error("SQL hatası, " + positionText(token.position) + ": kapanmamış tırnak.", code::SqlSyntax);
            i = j;
        } else if (c >= '0' && c <= '9') {
            token.kind = Token::Number;
            std::size_t j = i;
            while (j < source.size() && ((source[j] >= '0' && source[j] <= '9') || source[j] == '.'))
                ++j;
            token.text = std::string(source.substr(i, j - i));
            i = j;
        } else if (isWordByte(c)) {
            token.kind = Token::Word;
            std::size_t j = i;
            while (j < source.size() && isWordByte(static_cast<unsigned char>(source[j])))
                ++j;
            token.text = std::string(source.substr(i, j - i));
            i = j;
        } else {
            token.kind = Token::Symbol;
            const std::string_view two = source.substr(i, 2);
            if (two == "<=" || two == ">=" || two == "<>") {
                token.text = std::string(two);
                i += 2;
            } else if (c == '(' || c == ')' || c == ',' || c == ';' || c == '*' || c == '=' || c == '<' || c == '>') {
                token.text = std::string(1, char(c));
                ++i;
            } else {
                throw Error("SQL hatası, " + positionText(token.position) + ": beklenmeyen karakter '"
                                + std::string(1, char(c)) + "'.",
                            code::SqlSyntax);
            }
        }
        tokens.push_back(std::move(token));
    }
    Token end;
    end.kind = Token::End;
    end.position = characterPosition(source, source.size());
    tokens.push_back(end);
    return tokens;
}

TokenCursor::TokenCursor(const std::vector<Token> &tokens, std::string label, std::size_t begin, std::size_t end)
    : m_tokens(tokens), m_label(std::move(label)), m_index(begin), m_end(std::min(end, tokens.size() - 1))
{}

const Token &TokenCursor::peek() const
{
    return m_tokens[std::min(m_index, m_end)];
}

const Token &TokenCursor::advance()
{
    const Token &token = peek();
    if (m_index < m_end)
        ++m_index;
    return token;
}

void TokenCursor::expectWord(std::string_view word)
{
    if (!peek().isWord(word))
        fail(peek(), std::string(word) + " bekleniyordu.");
    advance();
}

void TokenCursor::expectSymbol(std::string_view symbol)
{
    if (!peek().isSymbol(symbol))
        fail(peek(), "'" + std::string(symbol) + "' bekleniyordu.");
    advance();
}

std::string TokenCursor::name(const char *what)
{
    const Token &token = advance();
    if (token.kind != Token::Word && token.kind != Token::QuotedName)
        fail(token, std::string(what) + " bekleniyordu.");
    return token.text;
}

void TokenCursor::fail(const Token &at, const std::string &what) const
{
    const std::string near = at.kind == Token::End ? std::string("metnin sonu") : "'" + at.text + "'";
    throw Error(m_label + ", " + positionText(at.position) + " (" + near + "): " + what, code::SqlSyntax);
}

} // namespace engine
