#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace settings {

// An INI text file kept line by line in file order: sections, keys, comments,
// blank lines and lines we do not understand all stay where they were, and a
// line that is not changed is written back byte for byte. QSettings cannot do
// this (it sorts and escapes keys), and the grid layout file needs its lines in
// their order.
//
// Reading rules:
// - The file is UTF-8, with or without a byte order mark. A line that is not
//   valid UTF-8 is read as Windows-1254 (the Turkish code page older tools
//   wrote), so its text stays readable; its bytes are kept as they were unless
//   the line is changed. A file starting with a UTF-16 byte order mark is
//   converted and written back as UTF-8 with a byte order mark.
// - Lines end in LF or CRLF. The style of the first line break is the file's
//   style; every line is written back with it. A file without any line break,
//   and a new file, use CRLF, the style of the desktop the files come from.
//   A missing final line break stays missing.
// - "[name]" opens a section (text after "]" is ignored); a line whose first
//   non-blank character is ";" or "#" is a comment; "key=value" is a key. The
//   key is the text before the first "=", the value the text after it, both
//   with surrounding blanks (spaces, tabs) trimmed and otherwise unchanged:
//   no quotes removed, no escapes. Any other line (no "=", an empty key) is
//   kept but is no key. Lines before the first section belong to no section.
// - Section and key names are matched without regard to ASCII case.
// - When a section name appears twice, the first such section is the one read
//   and written; later ones are kept in the file untouched. When a key appears
//   twice in a section, the first one gives the value.
// - Files larger than MaxFileSize are refused with a message.
//
// Not thread-safe; a plain value type.
class IniFile
{
public:
    enum class LineEnding { CrLf, Lf };

    // Settings files are a few kilobytes; anything this big is not one of ours.
    static constexpr qint64 MaxFileSize = 1024 * 1024;

    struct Status
    {
        enum class Code { Ok, Missing, TooLarge, ReadFailed, WriteFailed, DiskFull };
        Code code = Code::Ok;
        QString message; // Turkish, names the file; empty when ok()
        bool ok() const { return code == Code::Ok; }
    };

    struct Entry
    {
        QString key;
        QString value;
        friend bool operator==(const Entry &, const Entry &) = default;
    };

    IniFile() = default;
    explicit IniFile(const QString &path);

    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }

    // Reads the file at path(), replacing what this object held. On any
    // failure the object is left empty (as a new file) and the status says
    // why: Missing when there is no such file, TooLarge above MaxFileSize,
    // ReadFailed when it cannot be read.
    Status load();

    // Writes everything to path() whole or not at all: the text goes to a new
    // file beside it, which then replaces the old one. On failure the old file
    // is left exactly as it was and a Turkish message names the file:
    // DiskFull (naming the disk too) when there is no room left on it,
    // WriteFailed otherwise (folder missing or read-only, existing file
    // marked read-only).
    Status save() const;

    // Parses data as the contents of a file (same rules as load()).
    void setData(const QByteArray &data);
    // The contents save() writes.
    QByteArray data() const;

    LineEnding lineEnding() const { return m_lineEnding; }
    void setLineEnding(LineEnding ending) { m_lineEnding = ending; }
    bool hasByteOrderMark() const { return m_byteOrderMark; }

    // Section names in file order, duplicates included.
    QStringList sections() const;
    bool hasSection(const QString &section) const;

    // The value of key in section, or std::nullopt when either is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    // Every key line of the section in file order, duplicates included.
    QList<Entry> entries(const QString &section) const;
    // The text of every line of the section after its header, in file order
    // (keys, comments, blank and other lines), without line breaks.
    QStringList sectionLines(const QString &section) const;

    // Sets key in section to value (surrounding blanks of the value are not
    // kept, as reading would drop them). An existing key is changed in place,
    // keeping its spelling; a new key goes after the section's last key (or
    // right after its header); a missing section is created at the end of the
    // file. Returns false, changing nothing, when the section or key cannot be
    // written as one INI line (empty, holding "=", "]" or a line break,
    // starting with "[", ";" or "#") or the value holds a line break.
    bool setValue(const QString &section, const QString &key, const QString &value);

    // Removes every line of key in section. Returns whether one was removed.
    bool removeKey(const QString &section, const QString &key);

    // Removes every key of the section; its header, comments and blank lines
    // stay, so keys set afterwards land where the section was.
    void clearSection(const QString &section);

private:
    struct Line
    {
        enum class Kind { Blank, Comment, Section, Key, Other };
        Kind kind = Kind::Other;
        QByteArray raw; // the bytes of the line, without its line break
        QString name;   // section name or key
        QString value;  // key value
    };

    static Line parseLine(const QByteArray &raw);
    static Line keyLine(const QString &key, const QString &value);
    // Index of the first header of section, or -1.
    qsizetype findSection(const QString &section) const;
    // One past the last line of the section whose header is at index header.
    qsizetype sectionEnd(qsizetype header) const;
    void clear();
    Status failure(Status::Code code) const;

    QString m_path;
    QList<Line> m_lines;
    LineEnding m_lineEnding = LineEnding::CrLf;
    bool m_byteOrderMark = false;
    bool m_finalLineBreak = true;
};

} // namespace settings
