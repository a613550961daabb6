#pragma once

#include "legacy/codepage.h"
#include "legacy/paradoxerror.h"
#include "legacy/paradoxfield.h"
#include "legacy/value.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace legacy {

class ByteSource;

struct OpenOptions
{
    // 0: decode text in the code page the table declares. Otherwise one of 437,
    // 850, 857, 1252, 1254, used whatever the table declares (declared code
    // pages are sometimes wrong).
    int codePage = 0;
};

// A value of one row that could not be read as stored. The row still holds
// something for the field (RawText for text that does not decode, NULL
// otherwise), so the caller decides whether to stop or go on.
struct FieldIssue
{
    int field = 0; // index into ParadoxTable::fields()
    ErrorCode code = ErrorCode::BadValue;
    std::string message; // Turkish; names the table, the row and the field
};

struct Row
{
    std::int64_t number = 0;        // 1-based position along the data block chain
    std::vector<Value> values;      // one per field, in field order
    std::vector<FieldIssue> issues; // empty when every value was read as stored
};

// A Paradox table file (.DB, versions 3.0 to 7.x) opened for reading, with the
// memo file (.MB) beside it when there is one. Only the live records are read,
// in the order of the data block chain; deleted records and stale bytes in the
// blocks are never seen. Every offset and length is checked against the file
// size: a truncated, looping or hostile file raises ParadoxError, never reads
// outside the file.
//
// Not copyable; movable. Not safe for use from two threads at once.
class ParadoxTable
{
public:
    // Opens the table at path. The memo file is looked for beside it under the
    // same name with the extension .MB, without regard to case (X.DB: X.MB, x.mb).
    // Reads and checks the header and walks the data block chain once.
    // Raises ParadoxError: CannotOpen, NotParadox, SqliteFile, IndexFile,
    // Encrypted, Truncated, BadHeader, UnknownFieldType, UnsupportedCodePage,
    // TextDecode (a field name), BadBlock, BlockLoop.
    static ParadoxTable open(const std::filesystem::path &path, const OpenOptions &options = {});

    // As open(), over bytes in memory; fileName stands for the file in messages.
    // memo holds the memo file's bytes, or std::nullopt when there is none.
    static ParadoxTable fromBytes(const std::string &fileName, std::string table,
                                  std::optional<std::string> memo, const OpenOptions &options = {});

    ParadoxTable(ParadoxTable &&) noexcept;
    ParadoxTable &operator=(ParadoxTable &&) noexcept;
    ~ParadoxTable();

    const std::string &fileName() const { return m_fileName; }
    // The version byte of the header: 3 = 3.0, 4 = 3.5, 5-9 = 4.x, 10-11 = 5.x, 12 = 7.x.
    int versionId() const { return m_versionId; }
    // "3.0", "3.5", "4.x", "5.x" or "7.x".
    std::string versionName() const;
    bool isKeyed() const { return m_fileType == 0; }
    // The first keyFieldCount() fields form the primary key.
    int keyFieldCount() const { return m_keyFieldCount; }
    // The code page the header names; 0 when it names none (version 3 tables).
    int declaredCodePage() const { return m_declaredCodePage; }
    // The code page text is decoded in: the override, else the declared one.
    int codePage() const { return m_codePage->number(); }
    // The sort order (language driver) name: "ascii", "intl", "turk", ...
    const std::string &sortOrderName() const { return m_sortOrderName; }
    const std::vector<FieldDescriptor> &fields() const { return m_fields; }
    int recordSize() const { return m_recordSize; }
    int blockSize() const { return m_blockSize; }
    // The live records found along the data block chain.
    std::int64_t recordCount() const { return m_recordCount; }
    // The record count the header states (may differ after an unclean close).
    std::int64_t headerRecordCount() const { return m_headerRecordCount; }
    // The value the next AutoInc would get.
    std::int64_t nextAutoInc() const { return m_nextAutoInc; }
    bool hasMemoFile() const { return m_memo != nullptr; }
    // Turkish notes worth showing but not stopping for: an unclean close, a
    // record count that disagrees with the header, an assumed code page, a
    // missing memo file.
    const std::vector<std::string> &warnings() const { return m_warnings; }

    // Reads the next live record into row. Returns false after the last one.
    // Values that cannot be read as stored are reported in row.issues.
    // Raises ParadoxError (CannotOpen) when the file can no longer be read.
    bool readNext(Row &row);
    // Starts again at the first record.
    void rewind();

    // A guess from the Alpha bytes of all live records: 1254 when the letters
    // typical of Turkish Windows text (D0 DD DE F0 FD FE) outnumber those of
    // Turkish DOS text (98 8D 9E 9F A6 A7), 857 for the reverse, 0 when neither
    // shows. Does not move the read position.
    int suggestedCodePage();

private:
    struct Block
    {
        std::uint64_t offset = 0; // of the block header in the file
        int records = 0;
    };

    ParadoxTable();
    void load(const OpenOptions &options);
    void readHeader(const OpenOptions &options);
    void walkChain();
    void loadBlock(std::size_t index, std::vector<std::uint8_t> &buffer);
    void decodeRecord(const std::uint8_t *record, Row &row);
    Value decodeBlob(const FieldDescriptor &field, int index, const std::uint8_t *bytes, Row &row);
    void addIssue(Row &row, int field, ErrorCode code, const std::string &what);
    [[noreturn]] void fail(ErrorCode code, const std::string &message) const;

    std::string m_fileName;
    std::string m_memoFileName;
    std::unique_ptr<ByteSource> m_db;
    std::unique_ptr<ByteSource> m_memo;
    std::optional<CodePage> m_codePage;
    int m_versionId = 0;
    int m_fileType = 0;
    int m_recordSize = 0;
    int m_headerSize = 0;
    int m_blockSize = 0;
    int m_keyFieldCount = 0;
    int m_declaredCodePage = 0;
    int m_firstBlock = 0;
    std::int64_t m_headerRecordCount = 0;
    std::int64_t m_recordCount = 0;
    std::int64_t m_nextAutoInc = 0;
    std::string m_sortOrderName;
    std::vector<FieldDescriptor> m_fields;
    std::vector<std::string> m_warnings;
    std::vector<Block> m_blocks;

    // Read position.
    std::size_t m_blockIndex = 0;
    int m_recordInBlock = 0;
    std::int64_t m_rowNumber = 0;
    std::size_t m_bufferedBlock = SIZE_MAX;
    std::vector<std::uint8_t> m_buffer;
};

} // namespace legacy
