#include "engine/script.h"

#include "engine/error.h"
#include "engine/lexer.h"

#include <charconv>

namespace engine {

namespace {

[[noreturn]] void syntaxError(const Token &at, const std::string &what)
{
    const std::string near = at.kind == Token::End ? std::string("metnin sonu") : "'" + at.text + "'";
    throw Error("Betik hatası, " + positionText(at.position) + " (" + near + "): " + what, code::SqlSyntax);
}

std::string withLowerCaseExtension(const std::string &fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos)
        return fileName + ".db";
    return fileName.substr(0, dot) + lowerAscii(fileName.substr(dot));
}

class Statement
{
public:
    Statement(const std::vector<Token> &tokens, std::size_t begin, std::size_t end)
        : m_tokens(tokens), m_index(begin), m_end(end)
    {}

    void run(Database &database)
    {
        expectWord("CREATE");
        if (peek().isWord("TABLE")) {
            advance();
            createTable(database);
        } else if (peek().isWord("INDEX")) {
            advance();
            createIndex(database);
        } else {
            syntaxError(peek(), "CREATE sonrasında TABLE ya da INDEX bekleniyordu.");
        }
        if (m_index != m_end)
            syntaxError(peek(), "deyim burada bitmeliydi.");
    }

private:
    const Token &peek() const
    {
        static const Token end;
        return m_index < m_end ? m_tokens[m_index] : (m_end < m_tokens.size() ? m_tokens[m_end] : end);
    }
    const Token &advance()
    {
        const Token &token = peek();
        if (m_index < m_end)
            ++m_index;
        return token;
    }
    void expectWord(std::string_view word)
    {
        if (!peek().isWord(word))
            syntaxError(peek(), std::string(word) + " bekleniyordu.");
        advance();
    }
    void expectSymbol(std::string_view symbol)
    {
        if (!peek().isSymbol(symbol))
            syntaxError(peek(), "'" + std::string(symbol) + "' bekleniyordu.");
        advance();
    }
    std::string name(const char *what)
    {
        const Token &token = advance();
        if (token.kind != Token::Word && token.kind != Token::QuotedName)
            syntaxError(token, std::string(what) + " bekleniyordu.");
        return token.text;
    }
    int number()
    {
        const Token &token = advance();
        int value = 0;
        const auto [end, error] = std::from_chars(token.text.data(), token.text.data() + token.text.size(), value);
        if (token.kind != Token::Number || error != std::errc() || end != token.text.data() + token.text.size())
            syntaxError(token, "bir sayı bekleniyordu.");
        return value;
    }
    std::vector<std::string> nameList()
    {
        std::vector<std::string> names;
        expectSymbol("(");
        names.push_back(name("bir alan adı"));
        while (peek().isSymbol(",")) {
            advance();
            names.push_back(name("bir alan adı"));
        }
        expectSymbol(")");
        return names;
    }

    FieldDef field()
    {
        FieldDef def;
        def.name = name("bir alan adı");
        const Token &type = advance();
        if (type.isWord("AUTOINC")) {
            def.type = FieldType::AutoInc;
        } else if (type.isWord("DATE")) {
            def.type = FieldType::Date;
        } else if (type.isWord("MONEY")) {
            def.type = FieldType::Money;
        } else if (type.isWord("BOOLEAN")) {
            def.type = FieldType::Boolean;
        } else if (type.isWord("INTEGER")) {
            def.type = FieldType::Integer;
        } else if (type.isWord("CHAR")) {
            def.type = FieldType::Char;
            expectSymbol("(");
            const Token &at = peek();
            def.size = number();
            if (def.size < 1 || def.size > 255)
                syntaxError(at, "CHAR uzunluğu 1 ile 255 arasında olmalı.");
            expectSymbol(")");
        } else if (type.isWord("BLOB")) {
            def.type = FieldType::Memo;
            if (peek().isSymbol("(")) {
                advance();
                number();
                while (peek().isSymbol(",")) {
                    advance();
                    number();
                }
                expectSymbol(")");
            }
        } else {
            syntaxError(type, "bilinmeyen alan türü.");
        }
        return def;
    }

    void createTable(Database &database)
    {
        const std::string fileName = withLowerCaseExtension(name("bir tablo adı"));
        TableLayout layout;
        expectSymbol("(");
        for (;;) {
            if (peek().isWord("PRIMARY")) {
                advance();
                expectWord("KEY");
                layout.primaryKey = nameList();
            } else {
                layout.fields.push_back(field());
            }
            if (peek().isSymbol(",")) {
                advance();
                continue;
            }
            break;
        }
        expectSymbol(")");
        database.createTable(fileName, layout);
    }

    void createIndex(Database &database)
    {
        IndexDef index;
        index.name = name("bir dizin adı");
        expectWord("ON");
        const std::string fileName = name("bir tablo adı");
        index.fields = nameList();
        database.createIndex(fileName, index);
    }

    const std::vector<Token> &m_tokens;
    std::size_t m_index;
    std::size_t m_end;
};

} // namespace

void runScript(Database &database, std::string_view script)
{
    const std::vector<Token> tokens = tokenize(script);
    std::size_t begin = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const bool boundary = tokens[i].isSymbol(";") || tokens[i].kind == Token::End;
        if (!boundary)
            continue;
        if (i > begin)
            Statement(tokens, begin, i).run(database);
        begin = i + 1;
    }
}

} // namespace engine
