#pragma once

#include "engine/database.h"
#include "engine/rowsource.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace engine {

// Told of a change after it has been made (for a post: after it has been
// stored). An observer must not raise: the change cannot be taken back.
class TableObserver
{
public:
    virtual ~TableObserver() = default;
    // The rows or their order changed (open, close, index change, post, delete).
    virtual void tableReset() {}
    // The cursor moved to another row.
    virtual void currentRowChanged() {}
    // The state (browse / edit / insert), the modified flag or a field of the
    // row being edited changed.
    virtual void editStateChanged() {}
};

// A cursor over one table file of a Database, in the order of the active
// index. The order is held in memory as a list of row ids; row contents are
// fetched on demand and a bounded number of them cached, so a table of a
// million rows opens fast and stays small.
//
// States: Browse; Edit (the current row is being changed); Insert (a new row,
// not yet stored, stands after the last row). Leaving Edit or Insert happens
// through post() or cancel(); moving the cursor while editing first posts a
// modified row or cancels an unmodified one.
class Table
{
public:
    enum class State { Inactive, Browse, Edit, Insert };

    Table(Database &database, std::string fileName);
    ~Table();
    Table(const Table &) = delete;
    Table &operator=(const Table &) = delete;

    Database &database() const { return m_database; }
    const std::string &fileName() const { return m_fileName; }
    void setFileName(std::string fileName); // Precondition: closed.

    // Values that append() writes into a new row, by field name (the data
    // component's defaults; "YOK" and false for a new customer cheque).
    void setDefaultValues(std::vector<std::pair<std::string, Value>> defaults);

    // Opens the table in its primary order (the key, else the stored order)
    // and stands on the first row. Raises Error as Database::open does.
    void open(bool exclusive = false);
    // Closes the table; an unposted row is dropped. Never raises.
    void close();
    bool isOpen() const { return m_file != nullptr; }

    const TableLayout &layout() const; // Precondition: open.
    const std::vector<FieldDef> &fields() const { return layout().fields; }
    int fieldIndex(std::string_view name) const { return layout().fieldIndex(name); }
    // Like fieldIndex(), but raises Error (UnknownField) when there is none.
    int requireField(std::string_view name) const;

    // The indexes of the table, in the order they were created.
    const std::vector<IndexDef> &indexes() const { return layout().indexes; }
    // Makes the named index active (rows ordered by its field, ascending, ties
    // by row id); an empty name activates the primary order. Keeps the cursor
    // on the same row. Raises Error for an unknown name.
    void setActiveIndex(std::string_view name);
    const std::string &activeIndex() const { return m_activeIndex; }

    // Number of stored rows (an unposted new row is not counted).
    std::int64_t rowCount() const { return std::int64_t(m_order.size()); }
    bool isEmpty() const { return m_order.empty(); }
    // Position of the cursor in the active order: 0..rowCount()-1, rowCount()
    // while inserting, -1 on an empty table.
    std::int64_t position() const;
    // True when the last move tried to go before the first / past the last row.
    bool atBegin() const { return m_bof; }
    bool atEnd() const { return m_eof; }

    void first();
    void prior();
    void next();
    void last();
    // Moves to the row at position (clamped into range).
    void moveTo(std::int64_t position);
    // Moves to the row with the given row id; false (and no move) when there is none.
    bool moveToRowId(std::int64_t rowId);
    std::int64_t currentRowId() const; // -1 when there is none or while inserting

    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }
    // True once any field of the current row was written since edit or insert
    // began (writing the value it already had counts); false after post or cancel.
    bool isModified() const { return m_modified; }

    // Enters Insert state on a new row holding the default values. An edited
    // row is posted or cancelled first, as a move would.
    void append();
    // Enters Edit state on the current row; no effect while editing or
    // inserting. Raises Error (NoCurrentRow) on an empty table.
    void edit();
    // Stores the row being edited or inserted, durably, and returns to Browse
    // on that row in its place in the active order. Raises Error when the
    // file refuses (KeyViolation, ReadOnly, DiskFull...): the row stays in
    // its state with every value, and the file stays as it was. Never raises
    // once the row is stored: what is read back is read before the commit.
    void post();
    // Leaves Edit or Insert without storing; a new row is dropped and the
    // cursor goes back to the row it stood on before append().
    void cancel();
    // Deletes the current row; the cursor moves to the next row, or to the new
    // last row. Raises Error (the row stays).
    void remove();

    // The value of a field of the current row (of the row being edited while
    // editing). Null on an empty table.
    const Value &value(int field) const;
    const Value &value(std::string_view fieldName) const { return value(requireField(fieldName)); }
    // A field of the row at position, without moving the cursor.
    const Value &valueAt(std::int64_t position, int field) const;
    // Writes a field of the row being edited or inserted. Raises Error:
    // NotEditing in Browse state; InvalidValue when the value does not fit the
    // field (wrong type, text longer than the field, AUTOINC field).
    void setValue(int field, Value value);
    void setValue(std::string_view fieldName, Value value) { setValue(requireField(fieldName), std::move(value)); }

    // Nearest match on the active index: moves to the first row whose key is
    // not less than the typed text and returns true, or returns false without
    // moving when there is none. On a DATE or MONEY index a text that is not
    // yet a whole value never raises: it does not move.
    bool findNearest(std::string_view typed);
    // Moves to the first row, in the active order, whose field equals value
    // under Turkish case-insensitive comparison; returns false without moving
    // when there is none.
    bool locate(std::string_view fieldName, std::string_view value);

    // A walk over the stored rows in the active order that does not move the
    // cursor. Valid while the table stays open and unchanged.
    std::unique_ptr<RowSource> rows() const;

    // The one observer of the table (not owned; may be null).
    void setObserver(TableObserver *observer) { m_observer = observer; }
    TableObserver *observer() const { return m_observer; }

private:
    using Row = std::vector<Value>;

    void requireOpen() const;
    void loadOrder();
    const Row &rowById(std::int64_t rowId) const;
    // The row at position; on a miss the rows around it are read in one go.
    const Row &rowAt(std::int64_t position) const;
    void checkBrowseMode();
    void setPosition(std::int64_t position);
    std::int64_t indexOfRowId(std::int64_t rowId) const;
    // Position at which a row with the given key values would stand.
    std::int64_t insertionPoint(const Row &row, std::int64_t rowId) const;
    // Stores the edit buffer: as a new row when rowId is -1, else over that
    // row. Returns the row's id. Raises Error.
    std::int64_t writeBuffer(std::int64_t rowId);
    int compareRows(const Row &a, std::int64_t idA, const Row &b, std::int64_t idB) const;
    std::vector<int> orderFields() const;
    std::string orderByClause() const;
    void notifyReset();
    void notifyCurrent();
    void notifyState();

    Database &m_database;
    std::string m_fileName;
    std::shared_ptr<TableFile> m_file;
    std::vector<std::pair<std::string, Value>> m_defaults;
    std::string m_activeIndex;
    std::vector<std::int64_t> m_order;
    std::int64_t m_position = -1;
    std::int64_t m_positionBeforeInsert = -1;
    bool m_bof = true;
    bool m_eof = true;
    State m_state = State::Inactive;
    bool m_modified = false;
    Row m_buffer;
    mutable std::unordered_map<std::int64_t, Row> m_cache;
    TableObserver *m_observer = nullptr;

    class Statements;
    std::unique_ptr<Statements> m_statements;
};

} // namespace engine
