#pragma once

#include "data/schema.h"
#include "engine/layout.h"
#include "legacy/importsummary.h"
#include "legacy/paradoxtable.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace legacy {

// Turns the rows of one old Paradox table into rows of the program's table of
// the same name, field by field by name: dates as dates, amounts rounded to
// the kuruş, true/false, texts at most their field's width (a longer text is
// cut and noted with its whole old text), notes whole. Row numbers (OTO_SN)
// are kept; rows are put in row-number order. A table keyed on a text (the
// payees) keeps the first row of each key and notes the others.
//
// Anything that cannot be brought across as it was stored (a text that does
// not decode in the code page, a date outside the calendar, a memo that cannot
// be read, a row number stored twice) is a problem: the caller must not write
// the table then.
class TableConverter
{
public:
    // target: the layout of the new table (fields in stored order, its key).
    TableConverter(const data::TableInfo &info, engine::TableLayout target);

    // Reads every live row of source from its first one. progress(rowsDone) is
    // called every few thousand rows; returning false stops the reading (the
    // result is then incomplete and cancelled() is true). Raises ParadoxError
    // when the old file can no longer be read.
    void convert(ParadoxTable &source, const std::function<bool(std::int64_t)> &progress = {});

    const engine::TableLayout &layout() const { return m_target; }
    // The new rows, values in the target's field order.
    std::vector<std::vector<engine::Value>> &rows() { return m_rows; }
    const std::vector<ImportNote> &notes() const { return m_notes; }
    const std::vector<std::string> &problems() const { return m_problems; }
    bool cancelled() const { return m_cancelled; }
    std::int64_t rowsRead() const { return m_rowsRead; }
    // The index of the amount field in the target, or -1.
    int amountField() const { return m_amountField; }
    // The sum of the amounts of every row read, in kuruş.
    std::int64_t amountSum() const { return m_amountSum; }

private:
    void mapFields(const ParadoxTable &source);
    bool convertValue(const Value &value, std::size_t field, std::int64_t row, engine::Value &out);
    void addProblem(std::int64_t row, const std::string &field, const std::string &text);
    void note(ImportNote::Kind kind, std::int64_t row, const std::string &field, std::string text);
    void finishRowNumbers();
    std::string where(std::int64_t row, const std::string &field) const;

    const data::TableInfo &m_info;
    engine::TableLayout m_target;
    std::vector<int> m_sourceOf; // per target field: the source field, or -1
    std::string m_sourceName;
    int m_amountField = -1;
    int m_autoIncField = -1;
    std::vector<std::vector<engine::Value>> m_rows;
    std::vector<ImportNote> m_notes;
    std::vector<std::string> m_problems;
    std::int64_t m_rowsRead = 0;
    std::int64_t m_amountSum = 0;
    bool m_cancelled = false;
};

} // namespace legacy
