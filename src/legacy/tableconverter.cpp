#include "legacy/tableconverter.h"

#include "text/turkish.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <set>
#include <unordered_set>

namespace legacy {

namespace {

constexpr std::size_t kProblemLimit = 50;

bool hasReplacementCharacter(const std::string &text)
{
    return text.find("\xEF\xBF\xBD") != std::string::npos;
}

std::string inQuotes(const std::string &text)
{
    return "\"" + text + "\"";
}

} // namespace

TableConverter::TableConverter(const data::TableInfo &info, engine::TableLayout target)
    : m_info(info), m_target(std::move(target))
{
    m_autoIncField = m_target.autoIncField();
    for (std::size_t i = 0; i < m_target.fields.size(); ++i)
        if (m_target.fields[i].type == engine::FieldType::Money && m_amountField < 0)
            m_amountField = int(i);
}

std::string TableConverter::where(std::int64_t row, const std::string &field) const
{
    std::string text = m_sourceName;
    if (row > 0)
        text += ", " + std::to_string(row) + ". kayıt";
    if (!field.empty())
        text += ", " + field + " alanı";
    return text;
}

void TableConverter::addProblem(std::int64_t row, const std::string &field, const std::string &text)
{
    // Row 0 without a field: the text names its place itself (the reader's messages).
    if (m_problems.size() < kProblemLimit)
        m_problems.push_back(row == 0 && field.empty() ? text : where(row, field) + ": " + text);
    else if (m_problems.size() == kProblemLimit)
        m_problems.push_back(m_sourceName + ": daha başka sorunlar da var; yalnız ilk "
                             + std::to_string(kProblemLimit) + " tanesi gösterildi.");
}

void TableConverter::note(ImportNote::Kind kind, std::int64_t row, const std::string &field, std::string text)
{
    m_notes.push_back(ImportNote{kind, m_info.id, row, field, std::move(text)});
}

void TableConverter::mapFields(const ParadoxTable &source)
{
    const auto &fields = source.fields();
    m_sourceOf.assign(m_target.fields.size(), -1);
    std::vector<bool> used(fields.size(), false);
    for (std::size_t t = 0; t < m_target.fields.size(); ++t) {
        for (std::size_t s = 0; s < fields.size(); ++s) {
            if (!used[s] && engine::equalsAscii(fields[s].name, m_target.fields[t].name)) {
                m_sourceOf[t] = int(s);
                used[s] = true;
                break;
            }
        }
        if (m_sourceOf[t] < 0)
            note(ImportNote::Kind::FieldMissing, 0, m_target.fields[t].name,
                 "eski tabloda bu alan yok; yeni tabloda boş kaldı.");
    }
    if (std::none_of(m_sourceOf.begin(), m_sourceOf.end(), [](int s) { return s >= 0; }))
        addProblem(0, {}, m_sourceName + ": tabloda " + m_info.fileName
                              + " tablosunun alanlarından hiçbiri yok; başka bir tablo olmalı.");
    for (std::size_t s = 0; s < fields.size(); ++s)
        if (!used[s])
            note(ImportNote::Kind::FieldLeftOut, 0, fields[s].name,
                 "yeni tabloda bu alan yok; aktarılmadı (eski dosyada duruyor).");
}

bool TableConverter::convertValue(const Value &value, std::size_t field, std::int64_t row, engine::Value &out)
{
    const engine::FieldDef &def = m_target.fields[field];
    out = engine::Value{};
    if (isNull(value))
        return true;
    const auto mismatch = [&] {
        addProblem(row, def.name, "değer (" + describe(value) + ") bu alana uymuyor.");
        return false;
    };
    switch (def.type) {
    case engine::FieldType::AutoInc:
    case engine::FieldType::Integer:
        if (const auto *n = std::get_if<std::int64_t>(&value)) {
            out = *n;
            return true;
        }
        if (const auto *d = std::get_if<double>(&value); d && std::isfinite(*d) && std::trunc(*d) == *d
                                                          && std::fabs(*d) < 9.0e15) {
            out = std::int64_t(*d);
            return true;
        }
        return mismatch();
    case engine::FieldType::Date:
        if (const auto *d = std::get_if<text::Date>(&value)) {
            out = *d;
            return true;
        }
        if (const auto *t = std::get_if<Timestamp>(&value)) {
            out = t->date;
            return true;
        }
        return mismatch();
    case engine::FieldType::Money: {
        std::optional<std::int64_t> kurus;
        double exact = 0;
        if (const auto *d = std::get_if<double>(&value)) {
            kurus = toKurus(*d);
            exact = *d * 100.0;
        } else if (const auto *n = std::get_if<std::int64_t>(&value)) {
            kurus = *n * 100;
            exact = double(*n) * 100.0;
        } else if (const auto *dec = std::get_if<Decimal>(&value)) {
            const double d = std::strtod(dec->text.c_str(), nullptr);
            kurus = toKurus(d);
            exact = d * 100.0;
        } else {
            return mismatch();
        }
        if (!kurus) {
            addProblem(row, def.name, "tutar (" + describe(value) + ") kuruşa çevrilemiyor.");
            return false;
        }
        // A double of two decimals is never exact; only a real part of a
        // kuruş (more than a thousandth of one) is worth a note.
        if (std::fabs(exact - double(*kurus)) > 0.001)
            note(ImportNote::Kind::Rounded, row, def.name,
                 describe(value) + " kuruşa yuvarlandı.");
        out = *kurus;
        m_amountSum += *kurus;
        return true;
    }
    case engine::FieldType::Boolean:
        if (const auto *b = std::get_if<bool>(&value)) {
            out = *b;
            return true;
        }
        if (const auto *n = std::get_if<std::int64_t>(&value)) {
            out = *n != 0;
            return true;
        }
        return mismatch();
    case engine::FieldType::Char:
    case engine::FieldType::Memo: {
        std::string textValue;
        if (const auto *s = std::get_if<std::string>(&value))
            textValue = *s;
        else if (const auto *n = std::get_if<std::int64_t>(&value))
            textValue = std::to_string(*n);
        else
            return mismatch();
        if (!text::isValidUtf8(textValue) || hasReplacementCharacter(textValue)) {
            addProblem(row, def.name, "metin kod sayfasında çözülemedi.");
            return false;
        }
        if (def.type == engine::FieldType::Char && text::characterCount(textValue) > std::size_t(def.size)) {
            std::string cut(text::leftCharacters(textValue, std::size_t(def.size)));
            note(ImportNote::Kind::Truncated, row, def.name,
                 inQuotes(textValue) + " alanın genişliği olan " + std::to_string(def.size)
                     + " karaktere kısaltıldı: " + inQuotes(cut) + ".");
            textValue = std::move(cut);
        }
        out = std::move(textValue);
        return true;
    }
    }
    return mismatch();
}

void TableConverter::convert(ParadoxTable &source, const std::function<bool(std::int64_t)> &progress)
{
    m_sourceName = source.fileName();
    for (const std::string &warning : source.warnings())
        note(ImportNote::Kind::Warning, 0, {}, warning);
    mapFields(source);
    if (!m_problems.empty())
        return;

    // A table keyed on a text (the payees) keeps each key once.
    std::vector<int> keyFields;
    if (m_autoIncField < 0)
        for (const std::string &key : m_target.primaryKey)
            keyFields.push_back(m_target.fieldIndex(key));
    std::set<std::vector<std::string>> keys;

    m_rows.clear();
    m_rows.reserve(std::size_t(std::max<std::int64_t>(source.recordCount(), 0)));
    source.rewind();
    Row row;
    while (source.readNext(row)) {
        ++m_rowsRead;
        if (progress && m_rowsRead % 4096 == 0 && !progress(m_rowsRead)) {
            m_cancelled = true;
            return;
        }
        for (const FieldIssue &issue : row.issues)
            if (m_problems.size() <= kProblemLimit)
                addProblem(0, {}, issue.message);

        std::vector<engine::Value> values(m_target.fields.size());
        bool good = row.issues.empty();
        for (std::size_t t = 0; t < values.size(); ++t) {
            const int s = m_sourceOf[t];
            if (s < 0 || std::size_t(s) >= row.values.size())
                continue;
            if (!convertValue(row.values[std::size_t(s)], t, row.number, values[t]))
                good = false;
        }
        if (!good)
            continue;

        if (!keyFields.empty()) {
            std::vector<std::string> key;
            bool blank = true;
            for (int k : keyFields) {
                const auto *s = std::get_if<std::string>(&values[std::size_t(k)]);
                key.push_back(s ? *s : std::string());
                if (s && !s->empty())
                    blank = false;
            }
            const std::string &keyField = m_target.fields[std::size_t(keyFields.front())].name;
            if (blank) {
                note(ImportNote::Kind::Skipped, row.number, keyField, "adı boş olan kayıt atlandı.");
                continue;
            }
            if (!keys.insert(key).second) {
                note(ImportNote::Kind::Skipped, row.number, keyField,
                     inQuotes(key.front()) + " ikinci kez kayıtlı; ilki aktarıldı, bu kayıt atlandı.");
                continue;
            }
        }
        m_rows.push_back(std::move(values));
    }
    assert(m_rowsRead == std::int64_t(m_rows.size()) + std::int64_t(std::count_if(m_notes.begin(), m_notes.end(),
        [](const ImportNote &n) { return n.kind == ImportNote::Kind::Skipped; })) || !m_problems.empty());
    if (progress && !progress(m_rowsRead)) {
        m_cancelled = true;
        return;
    }
    if (m_autoIncField >= 0 && m_problems.empty())
        finishRowNumbers();
}

void TableConverter::finishRowNumbers()
{
    const auto field = std::size_t(m_autoIncField);
    const std::string &name = m_target.fields[field].name;
    std::int64_t largest = 0;
    std::unordered_set<std::int64_t> seen;
    seen.reserve(m_rows.size());
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const auto *n = std::get_if<std::int64_t>(&m_rows[i][field]);
        if (!n)
            continue;
        if (*n < 1 || *n > 2147483647) {
            addProblem(0, name, "sıra numarası " + std::to_string(*n) + " geçerli değil.");
            continue;
        }
        if (!seen.insert(*n).second)
            addProblem(0, name, "sıra numarası " + std::to_string(*n) + " iki kez kayıtlı.");
        largest = std::max(largest, *n);
    }
    if (!m_problems.empty())
        return;
    // Rows go in by row number, so the new table's stored order is its key order.
    std::stable_sort(m_rows.begin(), m_rows.end(), [field](const auto &a, const auto &b) {
        const bool aNull = engine::isNull(a[field]), bNull = engine::isNull(b[field]);
        if (aNull || bNull)
            return !aNull && bNull;
        return std::get<std::int64_t>(a[field]) < std::get<std::int64_t>(b[field]);
    });
    for (auto &values : m_rows) {
        if (!engine::isNull(values[field]))
            continue;
        values[field] = ++largest;
        note(ImportNote::Kind::Numbered, 0, name,
             "sıra numarası olmayan bir kayda " + std::to_string(largest) + " numarası verildi.");
    }
}

} // namespace legacy
