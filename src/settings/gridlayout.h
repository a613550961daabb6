#pragma once

#include "inifile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace settings {

// The column layout of one ledger grid as GridAyarlari.ini keeps it.
//
// Each grid has one section, "cekformu" followed by the grid's name
// ("cekformuGridFirmaCek"), holding one line per column in column order:
//     FIELD=width;;title;;mark
// The width is in characters (average character widths of the grid's font),
// the unit of the built-in column lists; the grid turns it into pixels with
// its font. The mark is the column's read-only mark: "T", "F" or empty.
class GridLayout
{
public:
    struct Column
    {
        QString field;
        int width = DefaultWidth; // characters
        QString title;
        QString readOnlyMark; // "T", "F" or empty
        friend bool operator==(const Column &, const Column &) = default;
    };

    // Widths outside this range are brought into it, so no column is lost
    // as zero-wide or pushes the others out of sight.
    static constexpr int MinWidth = 2;
    static constexpr int MaxWidth = 250;
    // The width of a line whose width is no number.
    static constexpr int DefaultWidth = 10;
    // Longer titles are cut: a title is a header caption, not a document.
    static constexpr int MaxTitleLength = 255;

    enum class Outcome {
        Columns,         // use columns()
        KeepBuiltIn,     // no usable layout: the grid keeps its built-in columns
        DelimiterMissing // a line without ";;": show LoadResult::message, keep the previous columns
    };

    struct LoadResult;

    GridLayout() = default;
    explicit GridLayout(const QList<Column> &columns)
        : m_columns(columns)
    {}

    const QList<Column> &columns() const { return m_columns; }

    // "cekformu" + gridName.
    static QString sectionName(const QString &gridName);

    // Reads the layout in section of ini. knownFields are the ledger table's
    // field names; a line naming any other field gives no column, and a known
    // field is spelled as the table spells it (matched without regard to ASCII
    // case).
    //
    // Returns KeepBuiltIn when the section is missing, holds no key, or none of
    // its lines names a known field; DelimiterMissing (message "Key Delimiter
    // Not Found") when a line's value holds no ";;"; Columns otherwise. Lines
    // are read leniently: a width that is no number gets DefaultWidth, widths
    // are brought into MinWidth..MaxWidth, a field named a second time is
    // dropped, an empty title becomes the field's name, a mark other than
    // "T"/"F" (any case) becomes empty.
    static LoadResult load(const IniFile &ini, const QString &section,
                           const QStringList &knownFields);

    // Empties section in ini and writes one line per column in column order
    // (a missing section is created at the end of the file), with widths brought into range.
    // Columns whose field cannot be an INI key, and repeats of a field, are
    // skipped; line breaks in a title become blanks. Writing the file is the
    // caller's: ini.save().
    void save(IniFile &ini, const QString &section) const;

private:
    QList<Column> m_columns;
};

struct GridLayout::LoadResult
{
    Outcome outcome = Outcome::KeepBuiltIn;
    GridLayout layout;
    QString message; // the grid's message for DelimiterMissing, else empty
};

} // namespace settings
