#include "engine/script.h"

#include "engine/error.h"
#include "engine/lexer.h"

#include <charconv>

namespace engine {

namespace {

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
        : m_cursor(tokens, "Betik hatası", begin, end)
    {}

    void run(Database &database)
    {
        m_cursor.expectWord("CREATE");
        if (m_cursor.peek().isWord("TABLE")) {
            m_cursor.advance();
            createTable(database);
        } else if (m_cursor.peek().isWord("INDEX")) {
            m_cursor.advance();
            createIndex(database);
        } else {
            m_cursor.fail(m_cursor.peek(), "CREATE sonrasında TABLE ya da INDEX bekleniyordu.");
        }
        if (!m_cursor.atEnd())
            m_cursor.fail(m_cursor.peek(), "deyim burada bitmeliydi.");
    }

private:
    int number()
    {
        const Token &token = m_cursor.advance();
        int value = 0;
        const auto [end, error] = std::from_chars(token.text.data(), token.text.data() + token.text.size(), value);
        if (token.kind != Token::Number || error != std::errc() || end != token.text.data() + token.text.size())
            m_cursor.fail(token, "bir sayı bekleniyordu.");
        return value;
    }
    std::vector<std::string> nameList()
    {
        std::vector<std::string> names;
        m_cursor.expectSymbol("(");
        names.push_back(m_cursor.name("bir alan adı"));
        while (m_cursor.peek().isSymbol(",")) {
            m_cursor.advance();
            names.push_back(m_cursor.name("bir alan adı"));
        }
        m_cursor.expectSymbol(")");
        return names;
    }

    FieldDef field()
    {
        FieldDef def;
        def.name = m_cursor.name("bir alan adı");
        const Token &type = m_cursor.advance();
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
            m_cursor.expectSymbol("(");
            const Token &at = m_cursor.peek();
            def.size = number();
            if (def.size < 1 || def.size > 255)
                m_cursor.fail(at, "CHAR uzunluğu 1 ile 255 arasında olmalı.");
            m_cursor.expectSymbol(")");
        } else if (type.isWord("BLOB")) {
            def.type = FieldType::Memo;
            if (m_cursor.peek().isSymbol("(")) {
                m_cursor.advance();
                number();
                while (m_cursor.peek().isSymbol(",")) {
                    m_cursor.advance();
                    number();
                }
                m_cursor.expectSymbol(")");
            }
        } else {
            m_cursor.fail(type, "bilinmeyen alan türü.");
        }
        return def;
    }

    void createTable(Database &database)
    {
        const std::string fileName = withLowerCaseExtension(m_cursor.name("bir tablo adı"));
        TableLayout layout;
        m_cursor.expectSymbol("(");
        for (;;) {
            if (m_cursor.peek().isWord("PRIMARY")) {
                m_cursor.advance();
                m_cursor.expectWord("KEY");
                layout.primaryKey = nameList();
            } else {
                layout.fields.push_back(field());
            }
            if (m_cursor.peek().isSymbol(",")) {
                m_cursor.advance();
                continue;
            }
            break;
        }
        m_cursor.expectSymbol(")");
        database.createTable(fileName, layout);
    }

    void createIndex(Database &database)
    {
        IndexDef index;
        index.name = m_cursor.name("bir dizin adı");
        m_cursor.expectWord("ON");
        const std::string fileName = m_cursor.name("bir tablo adı");
        index.fields = nameList();
        database.createIndex(fileName, index);
    }

    TokenCursor m_cursor;
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
