#include "engine/table.h"

#include "engine/error.h"
#include "engine/sqlite.h"
#include "text/money.h"
#include "text/turkish.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

namespace engine {

namespace {

// Rows kept in memory at most; a grid shows a few dozen at a time.
constexpr std::size_t kCacheLimit = 4096;
// Rows read together when the cursor or a grid reaches a row not in memory:
// a page around it, read under one lock of the file.
constexpr std::int64_t kPageBefore = 16;
constexpr std::int64_t kPageAfter = 48;

const Value &nullValue()
{
    static const Value value;
    return value;
}

int compareValues(const Value &a, const Value &b, FieldType type)
{
    const bool nullA = isNull(a), nullB = isNull(b);
    if (nullA || nullB)
        return nullA == nullB ? 0 : nullA ? -1 : 1; // NULL sorts first, as in SQLite
    switch (type) {
    case FieldType::Char:
    case FieldType::Memo:
        return text::compareTurkish(std::get<std::string>(a), std::get<std::string>(b));
    case FieldType::Date: {
        const auto &x = std::get<text::Date>(a), &y = std::get<text::Date>(b);
        return x < y ? -1 : y < x ? 1 : 0;
    }
    case FieldType::Boolean:
        return int(std::get<bool>(a)) - int(std::get<bool>(b));
    case FieldType::Money:
    case FieldType::AutoInc:
    case FieldType::Integer: {
        const auto x = std::get<std::int64_t>(a), y = std::get<std::int64_t>(b);
        return x < y ? -1 : y < x ? 1 : 0;
    }
    }
    return 0;
}

bool fits(const Value &value, const FieldDef &field)
{
    if (isNull(value))
        return true;
    switch (field.type) {
    case FieldType::Char:
    case FieldType::Memo:
        return std::holds_alternative<std::string>(value);
    case FieldType::Date:
        return std::holds_alternative<text::Date>(value) && text::isValid(std::get<text::Date>(value));
    case FieldType::Boolean:
        return std::holds_alternative<bool>(value);
    case FieldType::Money:
    case FieldType::Integer:
    case FieldType::AutoInc:
        return std::holds_alternative<std::int64_t>(value);
    }
    return false;
}

// The key a typed text stands for on a field of the given type, or null when
// the text is not (yet) a whole value of that type.
Value keyFromTyped(std::string_view typed, FieldType type)
{
    switch (type) {
    case FieldType::Char:
    case FieldType::Memo:
        return std::string(typed);
    case FieldType::Date:
        if (auto date = text::parseDate(typed))
            return *date;
        return {};
    case FieldType::Money:
        for (const char *decimal : {",", "."})
            if (auto amount = text::parseAmount(typed, text::NumberMarks{"", decimal}))
                return *amount;
        return {};
    case FieldType::AutoInc:
    case FieldType::Integer: {
        std::int64_t number = 0;
        const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), number);
        if (error == std::errc() && end == typed.data() + typed.size())
            return number;
        return {};
    }
    case FieldType::Boolean:
        return {};
    }
    return {};
}

} // namespace

class Table::Statements
{
public:
    explicit Statements(const TableFile &file)
        : selectRow(file.connection(), selectSql(file) + " WHERE rowid = ?1")
    {}

    static std::string columnList(const TableFile &file)
    {
        std::string sql;
        for (const FieldDef &field : file.layout().fields)
            sql += (sql.empty() ? "" : ", ") + quoteIdentifier(field.name);
        return sql;
    }
    static std::string selectSql(const TableFile &file)
    {
        return "SELECT " + columnList(file) + " FROM " + quoteIdentifier(file.tableName());
    }

    sqlite::Statement selectRow;
};

namespace {

// The rows of a table in its active order, read with one statement.
class TableRows : public RowSource
{
public:
    TableRows(std::shared_ptr<TableFile> file, std::string sql, std::int64_t count)
        : m_file(std::move(file)), m_sql(std::move(sql)), m_count(count)
    {}

    const std::vector<FieldDef> &fields() const override { return m_file->layout().fields; }
    void restart() override { m_statement.reset(); }
    bool next() override
    {
        if (!m_statement)
            m_statement = std::make_unique<sqlite::Statement>(m_file->connection(), m_sql);
        if (!m_statement->step()) {
            m_row.clear();
            return false;
        }
        const auto &all = fields();
        m_row.resize(all.size());
        for (std::size_t i = 0; i < all.size(); ++i)
            m_row[i] = m_statement->column(int(i), all[i].type);
        return true;
    }
    const Value &value(std::size_t field) const override { return m_row[field]; }
    std::int64_t rowCountHint() const override { return m_count; }

private:
    std::shared_ptr<TableFile> m_file;
    std::string m_sql;
    std::int64_t m_count;
    std::unique_ptr<sqlite::Statement> m_statement;
    std::vector<Value> m_row;
};

} // namespace

Table::Table(Database &database, std::string fileName) : m_database(database), m_fileName(std::move(fileName)) {}

Table::~Table()
{
    close();
}

void Table::setFileName(std::string fileName)
{
    m_fileName = std::move(fileName);
}

void Table::setDefaultValues(std::vector<std::pair<std::string, Value>> defaults)
{
    m_defaults = std::move(defaults);
}

void Table::requireOpen() const
{
    if (!m_file)
        throw Error(m_fileName + ": tablo açık değil.", code::TableClosed);
}

const TableLayout &Table::layout() const
{
    requireOpen();
    return m_file->layout();
}

int Table::requireField(std::string_view name) const
{
    const int field = fieldIndex(name);
    if (field < 0)
        throw Error(m_fileName + ": " + std::string(name) + " alanı yok.", code::UnknownField);
    return field;
}

void Table::open(bool exclusive)
{
    if (m_file)
        return;
    auto file = m_database.open(m_fileName, exclusive);
    auto statements = std::make_unique<Statements>(*file);
    m_file = std::move(file);
    m_statements = std::move(statements);
    m_activeIndex.clear();
    m_state = State::Browse;
    m_modified = false;
    try {
        loadOrder();
    } catch (...) {
        close();
        throw;
    }
    m_position = m_order.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_order.empty();
    notifyReset();
}

void Table::close()
{
    if (!m_file)
        return;
    m_statements.reset();
    m_file.reset();
    m_order.clear();
    m_order.shrink_to_fit();
    m_cache.clear();
    m_buffer.clear();
    m_position = -1;
    m_state = State::Inactive;
    m_modified = false;
    m_activeIndex.clear();
    notifyReset();
}

std::vector<int> Table::orderFields() const
{
    const TableLayout &l = layout();
    std::vector<int> fields;
    if (m_activeIndex.empty()) {
        if (l.autoIncField() < 0)
            for (const std::string &key : l.primaryKey)
                fields.push_back(l.fieldIndex(key));
        return fields; // empty: row id order
    }
    for (const IndexDef &index : l.indexes)
        if (equalsAscii(index.name, m_activeIndex))
            for (const std::string &name : index.fields)
                fields.push_back(l.fieldIndex(name));
    return fields;
}

std::string Table::orderByClause() const
{
    std::string clause = " ORDER BY ";
    for (int field : orderFields()) {
        const FieldDef &def = layout().fields[std::size_t(field)];
        clause += quoteIdentifier(def.name);
        if (def.type == FieldType::Char || def.type == FieldType::Memo)
            clause += " COLLATE TR";
        clause += ", ";
    }
    return clause + "rowid";
}

void Table::loadOrder()
{
    sqlite::Statement select(m_file->connection(),
                             "SELECT rowid FROM " + quoteIdentifier(m_file->tableName()) + orderByClause());
    std::vector<std::int64_t> order;
    while (select.step())
        order.push_back(select.columnInt(0));
    m_order = std::move(order);
}

void Table::setActiveIndex(std::string_view name)
{
    requireOpen();
    std::string found;
    if (!name.empty()) {
        for (const IndexDef &index : layout().indexes)
            if (equalsAscii(index.name, name))
                found = index.name;
        if (found.empty())
            throw Error(m_fileName + ": " + std::string(name) + " dizini yok.", code::UnknownField);
    }
    checkBrowseMode();
    const std::int64_t current = currentRowId();
    const std::string previous = m_activeIndex;
    m_activeIndex = found;
    try {
        loadOrder();
    } catch (...) {
        m_activeIndex = previous;
        throw;
    }
    m_position = current >= 0 ? indexOfRowId(current) : (m_order.empty() ? -1 : 0);
    notifyReset();
}

std::int64_t Table::position() const
{
    return m_state == State::Insert ? rowCount() : m_position;
}

std::int64_t Table::currentRowId() const
{
    if (m_state == State::Insert || m_position < 0 || m_position >= rowCount())
        return -1;
    return m_order[std::size_t(m_position)];
}

std::int64_t Table::indexOfRowId(std::int64_t rowId) const
{
    const auto it = std::find(m_order.begin(), m_order.end(), rowId);
    return it == m_order.end() ? -1 : std::int64_t(it - m_order.begin());
}

const Table::Row &Table::rowById(std::int64_t rowId) const
{
    if (auto it = m_cache.find(rowId); it != m_cache.end())
        return it->second;
    if (m_cache.size() >= kCacheLimit)
        m_cache.clear();
    sqlite::Statement &select = m_statements->selectRow;
    select.reset();
    select.bindInt(1, rowId);
    Row row;
    const auto &all = m_file->layout().fields;
    if (select.step()) {
        row.reserve(all.size());
        for (std::size_t i = 0; i < all.size(); ++i)
            row.push_back(select.column(int(i), all[i].type));
    } else {
        row.resize(all.size()); // deleted behind our back: show an empty row
    }
    select.reset();
    return m_cache.emplace(rowId, std::move(row)).first->second;
}

const Table::Row &Table::rowAt(std::int64_t position) const
{
    const std::int64_t rowId = m_order[std::size_t(position)];
    if (auto it = m_cache.find(rowId); it != m_cache.end())
        return it->second;
    if (m_cache.size() + std::size_t(kPageBefore + kPageAfter) >= kCacheLimit)
        m_cache.clear();
    sqlite::ReadTransaction read(m_file->connection());
    const std::int64_t from = std::max<std::int64_t>(0, position - kPageBefore);
    const std::int64_t to = std::min<std::int64_t>(rowCount(), position + kPageAfter);
    for (std::int64_t p = from; p < to; ++p)
        rowById(m_order[std::size_t(p)]);
    return rowById(rowId);
}

void Table::checkBrowseMode()
{
    if (m_state == State::Edit || m_state == State::Insert) {
        if (m_modified)
            post();
        else
            cancel();
    }
}

void Table::setPosition(std::int64_t position)
{
    checkBrowseMode();
    const std::int64_t before = m_position;
    m_position = m_order.empty() ? -1 : std::clamp<std::int64_t>(position, 0, rowCount() - 1);
    if (m_position != before)
        notifyCurrent();
}

void Table::first()
{
    requireOpen();
    setPosition(0);
    m_bof = true;
    m_eof = m_order.empty();
}

void Table::last()
{
    requireOpen();
    setPosition(rowCount() - 1);
    m_eof = true;
    m_bof = m_order.empty();
}

void Table::next()
{
    requireOpen();
    checkBrowseMode();
    if (m_position + 1 >= rowCount()) {
        m_eof = true;
        return;
    }
    setPosition(m_position + 1);
    m_bof = m_eof = false;
}

void Table::prior()
{
    requireOpen();
    checkBrowseMode();
    if (m_position <= 0) {
        m_bof = true;
        return;
    }
    setPosition(m_position - 1);
    m_bof = m_eof = false;
}

void Table::moveTo(std::int64_t position)
{
    requireOpen();
    setPosition(position);
    m_bof = m_eof = false;
}

bool Table::moveToRowId(std::int64_t rowId)
{
    requireOpen();
    const std::int64_t position = indexOfRowId(rowId);
    if (position < 0)
        return false;
    moveTo(position);
    return true;
}

void Table::append()
{
    requireOpen();
    checkBrowseMode();
    const auto &all = layout().fields;
    m_buffer.assign(all.size(), Value{});
    for (const auto &[name, value] : m_defaults) {
        const int field = fieldIndex(name);
        if (field >= 0 && fits(value, all[std::size_t(field)]))
            m_buffer[std::size_t(field)] = value;
    }
    m_positionBeforeInsert = m_position;
    m_state = State::Insert;
    m_modified = false;
    notifyReset();
    notifyState();
}

void Table::edit()
{
    requireOpen();
    if (isEditing())
        return;
    if (m_order.empty() || m_position < 0)
        throw Error(m_fileName + ": düzenlenecek kayıt yok.", code::NoCurrentRow);
    m_buffer = rowById(m_order[std::size_t(m_position)]);
    m_state = State::Edit;
    m_modified = false;
    notifyState();
}

int Table::compareRows(const Row &a, std::int64_t idA, const Row &b, std::int64_t idB) const
{
    const auto &all = layout().fields;
    for (int field : orderFields()) {
        const int c = compareValues(a[std::size_t(field)], b[std::size_t(field)], all[std::size_t(field)].type);
        if (c != 0)
            return c;
    }
    return idA < idB ? -1 : idA > idB ? 1 : 0;
}

std::int64_t Table::insertionPoint(const Row &row, std::int64_t rowId) const
{
    if (orderFields().empty()) // row id order: no row needs reading
        return std::int64_t(std::lower_bound(m_order.begin(), m_order.end(), rowId) - m_order.begin());
    sqlite::ReadTransaction read(m_file->connection());
    const auto it = std::lower_bound(m_order.begin(), m_order.end(), rowId, [&](std::int64_t id, std::int64_t) {
        return compareRows(rowById(id), id, row, rowId) < 0;
    });
    return std::int64_t(it - m_order.begin());
}

void Table::post()
{
    requireOpen();
    if (!isEditing())
        return;
    const bool inserting = m_state == State::Insert;
    const std::int64_t editedPosition = m_position;
    std::int64_t rowId = inserting ? -1 : m_order[std::size_t(editedPosition)];
    // The row is written, read back as stored and placed in the active order
    // inside one transaction. Once it has committed only memory is touched,
    // so a post that raises has stored nothing, and a stored row is never
    // reported as a failure (the user would type the cheque a second time).
    if (!inserting)
        m_order.erase(m_order.begin() + editedPosition);
    Row stored;
    std::int64_t at = 0;
    try {
        sqlite::Transaction transaction(m_file->connection());
        rowId = writeBuffer(rowId);
        m_cache.erase(rowId);
        stored = rowById(rowId); // a copy: the search below may empty the cache
        at = insertionPoint(stored, rowId);
        transaction.commit();
    } catch (...) {
        // Rolled back: the cache may hold the row as the transaction wrote it.
        if (rowId >= 0)
            m_cache.erase(rowId);
        if (!inserting)
            m_order.insert(m_order.begin() + editedPosition, rowId);
        throw;
    }
    m_order.insert(m_order.begin() + at, rowId);
    m_position = at;
    m_state = State::Browse;
    m_modified = false;
    m_buffer.clear();
    notifyReset();
    notifyState();
}

std::int64_t Table::writeBuffer(std::int64_t rowId)
{
    const auto &all = layout().fields;
    sqlite::Connection &connection = m_file->connection();
    std::vector<int> bound;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].type != FieldType::AutoInc)
            bound.push_back(int(i));
    std::string sql;
    if (rowId < 0) {
        std::string columns, values;
        for (int i : bound) {
            columns += (columns.empty() ? "" : ", ") + quoteIdentifier(all[std::size_t(i)].name);
            values += (values.empty() ? "?" : ", ?");
        }
        sql = "INSERT INTO " + quoteIdentifier(m_file->tableName());
        sql += columns.empty() ? " DEFAULT VALUES" : " (" + columns + ") VALUES (" + values + ")";
    } else {
        if (bound.empty())
            return rowId;
        std::string assignments;
        for (int i : bound)
            assignments += (assignments.empty() ? "" : ", ") + quoteIdentifier(all[std::size_t(i)].name) + " = ?";
        sql = "UPDATE " + quoteIdentifier(m_file->tableName()) + " SET " + assignments + " WHERE rowid = ?";
    }
    sqlite::Statement statement(connection, sql);
    for (std::size_t k = 0; k < bound.size(); ++k)
        statement.bind(int(k) + 1, m_buffer[std::size_t(bound[k])], all[std::size_t(bound[k])].type);
    if (rowId >= 0)
        statement.bindInt(int(bound.size()) + 1, rowId);
    statement.run();
    return rowId < 0 ? connection.lastInsertRowId() : rowId;
}

void Table::cancel()
{
    requireOpen();
    if (!isEditing())
        return;
    const bool wasInsert = m_state == State::Insert;
    m_state = State::Browse;
    m_modified = false;
    m_buffer.clear();
    if (wasInsert) {
        m_position = m_order.empty() ? -1 : std::clamp<std::int64_t>(m_positionBeforeInsert, 0, rowCount() - 1);
        notifyReset();
    }
    notifyState();
}

void Table::remove()
{
    requireOpen();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_order.empty() || m_position < 0)
        throw Error(m_fileName + ": silinecek kayıt yok.", code::NoCurrentRow);
    const std::int64_t rowId = m_order[std::size_t(m_position)];
    sqlite::Statement remove(m_file->connection(),
                             "DELETE FROM " + quoteIdentifier(m_file->tableName()) + " WHERE rowid = ?1");
    remove.bindInt(1, rowId);
    remove.run();
    m_state = State::Browse;
    m_modified = false;
    m_buffer.clear();
    m_cache.erase(rowId);
    m_order.erase(m_order.begin() + m_position);
    if (m_position >= rowCount())
        m_position = rowCount() - 1;
    notifyReset();
    notifyState();
}

const Value &Table::value(int field) const
{
    if (!m_file || field < 0 || std::size_t(field) >= layout().fields.size())
        return nullValue();
    if (isEditing())
        return m_buffer[std::size_t(field)];
    if (m_position < 0 || m_position >= rowCount())
        return nullValue();
    return rowAt(m_position)[std::size_t(field)];
}

const Value &Table::valueAt(std::int64_t position, int field) const
{
    if (!m_file || field < 0 || std::size_t(field) >= layout().fields.size())
        return nullValue();
    if ((m_state == State::Insert && position == rowCount()) || (m_state == State::Edit && position == m_position))
        return m_buffer[std::size_t(field)];
    if (position < 0 || position >= rowCount())
        return nullValue();
    return rowAt(position)[std::size_t(field)];
}

void Table::setValue(int field, Value value)
{
    requireOpen();
    const auto &all = layout().fields;
    if (field < 0 || std::size_t(field) >= all.size())
        throw Error(m_fileName + ": böyle bir alan yok.", code::UnknownField);
    const FieldDef &def = all[std::size_t(field)];
    if (!isEditing())
        throw Error(m_fileName + ": tablo düzenleme durumunda değil.", code::NotEditing);
    if (def.type == FieldType::AutoInc)
        throw Error(def.name + " alanı program tarafından verilir; değiştirilemez.", code::InvalidValue);
    if (!fits(value, def))
        throw Error(def.name + " alanına bu türde bir değer yazılamaz.", code::InvalidValue);
    if (const auto *text = std::get_if<std::string>(&value); text && def.type == FieldType::Char) {
        const std::string &s = *text;
        if (!text::isValidUtf8(s))
            throw Error(def.name + " alanına geçersiz karakterler yazılamaz.", code::InvalidValue);
        if (text::characterCount(s) > std::size_t(def.size))
            throw Error(def.name + " alanı en çok " + std::to_string(def.size) + " karakter alabilir.",
                        code::InvalidValue);
    }
    m_buffer[std::size_t(field)] = std::move(value);
    m_modified = true;
    notifyState();
}

bool Table::findNearest(std::string_view typed)
{
    requireOpen();
    if (m_order.empty())
        return false;
    const std::vector<int> fields = orderFields();
    const auto &all = layout().fields;
    const int field = fields.empty() ? all.empty() ? -1 : (layout().autoIncField()) : fields.front();
    if (field < 0)
        return false; // stored order has no key to search
    const FieldType type = all[std::size_t(field)].type;
    const Value key = keyFromTyped(typed, type);
    if (isNull(key))
        return false;
    std::int64_t found = -1;
    {
        sqlite::ReadTransaction read(m_file->connection());
        const auto it = std::lower_bound(m_order.begin(), m_order.end(), 0, [&](std::int64_t id, int) {
            return compareValues(rowById(id)[std::size_t(field)], key, type) < 0;
        });
        if (it != m_order.end())
            found = std::int64_t(it - m_order.begin());
    }
    // The move happens after the read lock is gone: leaving an edited row posts it.
    if (found < 0)
        return false;
    moveTo(found);
    return true;
}

bool Table::locate(std::string_view fieldName, std::string_view value)
{
    requireOpen();
    const int field = requireField(fieldName);
    sqlite::Statement select(m_file->connection(), "SELECT rowid FROM " + quoteIdentifier(m_file->tableName())
                                                       + " WHERE trlower(" + quoteIdentifier(layout().fields[std::size_t(field)].name)
                                                       + ") = ?1");
    select.bindText(1, text::toLowerTurkish(value));
    std::unordered_set<std::int64_t> matches;
    while (select.step())
        matches.insert(select.columnInt(0));
    if (matches.empty())
        return false;
    for (std::size_t i = 0; i < m_order.size(); ++i) {
        if (matches.count(m_order[i])) {
            moveTo(std::int64_t(i));
            return true;
        }
    }
    return false;
}

std::unique_ptr<RowSource> Table::rows() const
{
    requireOpen();
    return std::make_unique<TableRows>(m_file, Statements::selectSql(*m_file) + orderByClause(), rowCount());
}

void Table::notifyReset()
{
    m_bof = m_position <= 0;
    if (m_observer)
        m_observer->tableReset();
}

void Table::notifyCurrent()
{
    if (m_observer)
        m_observer->currentRowChanged();
}

void Table::notifyState()
{
    if (m_observer)
        m_observer->editStateChanged();
}

} // namespace engine
