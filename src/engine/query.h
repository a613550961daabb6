#pragma once

#include "engine/database.h"
#include "engine/rowsource.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace engine {

namespace sqlite { class Statement; }

// A query in the program's local SQL:
//
//   SELECT * FROM <file>[.<ext>] [WHERE <condition>] [ORDER BY <field> [ASC|DESC]]
//   SELECT count(*) [AS <name>] FROM <file>[.<ext>] [WHERE <condition>]
//
// <condition> combines <field> <op> <literal> with AND, OR and parentheses;
// <op> is one of = <> < > <= >=; a literal is a quoted text ('' stands for a
// quote), a number, TRUE or FALSE. A text compared with a DATE field is read as
// dd.mm.yyyy. File names match without regard to case; a name without
// extension means the ".db" file. The text is parsed by the engine itself and
// every literal is bound as a parameter: no text of the query reaches SQLite
// as SQL.
class Query : public RowSource
{
public:
    explicit Query(Database &database);
    ~Query() override;

    void setSql(std::string sql); // closes the query
    const std::string &sql() const { return m_sql; }

    // Parses and runs the text; the query then stands before its first row.
    // Raises Error: SqlSyntax naming the position of what it does not know,
    // UnknownField, FileNotFound, NotOurTable, TableBusy.
    void open();
    void close();
    bool isOpen() const { return m_statement != nullptr; }

    // The first column of the first row as a whole number (for count queries).
    // Precondition: open. Raises Error when there is no row.
    std::int64_t firstInteger();

    // RowSource
    const std::vector<FieldDef> &fields() const override { return m_fields; }
    void restart() override;
    bool next() override;
    const Value &value(std::size_t field) const override { return m_row[field]; }

private:
    Database &m_database;
    std::string m_sql;
    std::shared_ptr<TableFile> m_file;
    std::vector<FieldDef> m_fields;
    std::unique_ptr<sqlite::Statement> m_statement;
    std::vector<Value> m_row;
    bool m_needsReset = false;
};

// What the local SQL parser makes of a text; exposed for tests.
struct TranslatedQuery
{
    std::string fileName;       // as written, extension added when missing
    bool count = false;         // SELECT count(*)
    std::string countName;      // AS name of the count column
    std::string where;          // SQLite condition with ?N parameters, or empty
    std::vector<std::pair<std::string, std::string>> whereFields; // (field, op) in order, for tests
    std::vector<Value> parameters;
    std::vector<FieldType> parameterTypes;
    std::string orderField;     // empty when none
    bool descending = false;
};

// Parses text against the layout of the table it names, looked up through
// layoutOf(fileName). Raises Error as Query::open() does.
TranslatedQuery translateQuery(std::string_view text,
                               const std::function<const TableLayout &(const std::string &fileName)> &layoutOf);

} // namespace engine
