#include "engine/query.h"

#include "engine/error.h"
#include "engine/lexer.h"
#include "engine/sqlite.h"
#include "text/money.h"

#include <charconv>

namespace engine {

namespace {

class Parser
{
public:
    Parser(std::string_view text, const std::function<const TableLayout &(const std::string &)> &layoutOf)
        : m_tokens(tokenize(text)), m_cursor(m_tokens, "SQL hatası", 0, m_tokens.size() - 1), m_layoutOf(layoutOf)
    {}

    TranslatedQuery parse()
    {
        m_cursor.expectWord("SELECT");
        if (m_cursor.peek().isSymbol("*")) {
            m_cursor.advance();
        } else if (m_cursor.peek().isWord("count")) {
            m_cursor.advance();
            m_cursor.expectSymbol("(");
            m_cursor.expectSymbol("*");
            m_cursor.expectSymbol(")");
            m_query.count = true;
            m_query.countName = "COUNT";
            if (m_cursor.peek().isWord("AS")) {
                m_cursor.advance();
                const Token &name = m_cursor.advance();
                if (name.kind != Token::Word && name.kind != Token::QuotedName)
                    m_cursor.fail(name, "AS sonrasında bir ad bekleniyordu.");
                m_query.countName = name.text;
            }
        } else {
            m_cursor.fail(m_cursor.peek(), "SELECT sonrasında * ya da count(*) bekleniyordu.");
        }
        m_cursor.expectWord("FROM");
        const Token &table = m_cursor.advance();
        if (table.kind != Token::Word && table.kind != Token::QuotedName)
            m_cursor.fail(table, "FROM sonrasında bir tablo adı bekleniyordu.");
        m_query.fileName = table.text;
        if (m_query.fileName.find('.') == std::string::npos)
            m_query.fileName += ".db";
        m_layout = &m_layoutOf(m_query.fileName);

        if (m_cursor.peek().isWord("WHERE")) {
            m_cursor.advance();
            m_query.where = parseOr();
        }
        if (m_cursor.peek().isWord("ORDER")) {
            if (m_query.count)
                m_cursor.fail(m_cursor.peek(), "count(*) sorgusunda ORDER BY kullanılamaz.");
            m_cursor.advance();
            m_cursor.expectWord("BY");
            const Token &field = m_cursor.advance();
            m_query.orderField = requireField(field).name;
            if (m_cursor.peek().isWord("ASC")) {
                m_cursor.advance();
            } else if (m_cursor.peek().isWord("DESC")) {
                m_cursor.advance();
                m_query.descending = true;
            }
        }
        if (m_cursor.peek().isSymbol(";"))
            m_cursor.advance();
        if (m_cursor.peek().kind != Token::End)
            m_cursor.fail(m_cursor.peek(), "sorgu burada bitmeliydi.");
        return std::move(m_query);
    }

private:
    const FieldDef &requireField(const Token &token)
    {
        if (token.kind != Token::Word && token.kind != Token::QuotedName)
            m_cursor.fail(token, "bir alan adı bekleniyordu.");
        const int field = m_layout->fieldIndex(token.text);
        if (field < 0)
            throw Error("SQL hatası, " + positionText(token.position) + ": " + m_query.fileName + " tablosunda "
                            + token.text + " alanı yok.",
                        code::UnknownField);
        return m_layout->fields[std::size_t(field)];
    }

    std::string parseOr()
    {
        std::string sql = parseAnd();
        while (m_cursor.peek().isWord("OR")) {
            m_cursor.advance();
            sql += " OR " + parseAnd();
        }
        return sql;
    }

    std::string parseAnd()
    {
        std::string sql = parseFactor();
        while (m_cursor.peek().isWord("AND")) {
            m_cursor.advance();
            sql += " AND " + parseFactor();
        }
        return sql;
    }

    std::string parseFactor()
    {
        if (m_cursor.peek().isSymbol("(")) {
            m_cursor.advance();
            std::string inner = parseOr();
            m_cursor.expectSymbol(")");
            return "(" + inner + ")";
        }
        if (m_cursor.peek().isWord("NOT")) {
            m_cursor.advance();
            return "NOT " + parseFactor();
        }
        const FieldDef &field = requireField(m_cursor.advance());
        const Token &op = m_cursor.advance();
        static const char *const operators[] = {"=", "<>", "<", ">", "<=", ">="};
        bool known = false;
        for (const char *candidate : operators)
            known = known || op.isSymbol(candidate);
        if (!known)
            m_cursor.fail(op, "karşılaştırma işleci (=, <>, <, >, <=, >=) bekleniyordu.");
        const Token &literal = m_cursor.advance();
        m_query.parameters.push_back(literalValue(literal, field));
        m_query.parameterTypes.push_back(field.type);
        m_query.whereFields.emplace_back(field.name, op.text);
        std::string sql = quoteIdentifier(field.name);
        if (field.type == FieldType::Char || field.type == FieldType::Memo)
            sql += " COLLATE TR";
        return sql + " " + op.text + " ?" + std::to_string(m_query.parameters.size());
    }

    Value literalValue(const Token &literal, const FieldDef &field)
    {
        const bool isText = literal.kind == Token::String;
        const bool isNumber = literal.kind == Token::Number;
        switch (field.type) {
        case FieldType::Char:
        case FieldType::Memo:
            if (isText || isNumber)
                return literal.text;
            break;
        case FieldType::Date:
            if (isText) {
                std::string reason;
                if (auto date = text::parseDate(literal.text, &reason))
                    return *date;
                m_cursor.fail(literal, "'" + literal.text + "' geçerli bir tarih değil. " + reason);
            }
            break;
        case FieldType::Money:
            if (isText || isNumber) {
                for (const char *decimal : {".", ","})
                    if (auto amount = text::parseAmount(literal.text, text::NumberMarks{"", decimal}))
                        return *amount;
                m_cursor.fail(literal, "'" + literal.text + "' geçerli bir tutar değil.");
            }
            break;
        case FieldType::Boolean:
            if (literal.isWord("TRUE"))
                return true;
            if (literal.isWord("FALSE"))
                return false;
            break;
        case FieldType::AutoInc:
        case FieldType::Integer:
            if (isNumber || isText) {
                std::int64_t number = 0;
                const auto [end, error] =
                    std::from_chars(literal.text.data(), literal.text.data() + literal.text.size(), number);
                if (error == std::errc() && end == literal.text.data() + literal.text.size())
                    return number;
                m_cursor.fail(literal, "'" + literal.text + "' bir tam sayı değil.");
            }
            break;
        }
        m_cursor.fail(literal, field.name + " alanı için uygun bir değer bekleniyordu.");
    }

    std::vector<Token> m_tokens;
    TokenCursor m_cursor;
    const std::function<const TableLayout &(const std::string &)> &m_layoutOf;
    const TableLayout *m_layout = nullptr;
    TranslatedQuery m_query;
};

} // namespace

TranslatedQuery translateQuery(std::string_view text,
                               const std::function<const TableLayout &(const std::string &fileName)> &layoutOf)
{
    return Parser(text, layoutOf).parse();
}

Query::Query(Database &database) : m_database(database) {}

Query::~Query()
{
    close();
}

void Query::setSql(std::string sql)
{
    close();
    m_sql = std::move(sql);
}

void Query::open()
{
    close();
    std::shared_ptr<TableFile> file;
    const auto layoutOf = [&](const std::string &fileName) -> const TableLayout & {
        file = m_database.open(fileName);
        return file->layout();
    };
    const TranslatedQuery query = translateQuery(m_sql, layoutOf);

    std::string sql = "SELECT ";
    std::vector<FieldDef> fields;
    if (query.count) {
        sql += "count(*)";
        fields.push_back(FieldDef{query.countName, FieldType::Integer, 0});
    } else {
        for (const FieldDef &field : file->layout().fields) {
            sql += (fields.empty() ? "" : ", ") + quoteIdentifier(field.name);
            fields.push_back(field);
        }
    }
    sql += " FROM " + quoteIdentifier(file->tableName());
    if (!query.where.empty())
        sql += " WHERE " + query.where;
    if (!query.count) {
        sql += " ORDER BY ";
        if (!query.orderField.empty()) {
            const int field = file->layout().fieldIndex(query.orderField);
            const FieldType type = file->layout().fields[std::size_t(field)].type;
            sql += quoteIdentifier(query.orderField)
                + (type == FieldType::Char || type == FieldType::Memo ? " COLLATE TR" : "")
                + (query.descending ? " DESC, " : ", ");
        }
        sql += "rowid";
    }
    auto statement = std::make_unique<sqlite::Statement>(file->connection(), sql);
    for (std::size_t i = 0; i < query.parameters.size(); ++i)
        statement->bind(int(i) + 1, query.parameters[i], query.parameterTypes[i]);
    m_file = std::move(file);
    m_fields = std::move(fields);
    m_statement = std::move(statement);
    m_needsReset = false;
}

void Query::close()
{
    m_statement.reset();
    m_file.reset();
    m_fields.clear();
    m_row.clear();
}

void Query::restart()
{
    if (m_statement) {
        // Keep the bound parameters: only rewind the statement.
        m_needsReset = true;
    }
    m_row.clear();
}

bool Query::next()
{
    if (!m_statement)
        throw Error("Sorgu açık değil.", code::TableClosed);
    if (m_needsReset) {
        m_statement->rewind();
        m_needsReset = false;
    }
    if (!m_statement->step()) {
        m_row.clear();
        return false;
    }
    m_row.resize(m_fields.size());
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        m_row[i] = m_statement->column(int(i), m_fields[i].type);
    return true;
}

std::int64_t Query::firstInteger()
{
    restart();
    if (!next())
        throw Error("Sorgu hiç satır döndürmedi.", code::NoCurrentRow);
    const Value &first = m_row.front();
    return std::holds_alternative<std::int64_t>(first) ? std::get<std::int64_t>(first) : 0;
}

} // namespace engine
