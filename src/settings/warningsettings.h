#pragma once

#include "colourcode.h"
#include "inifile.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace settings {

// The due-date warning settings. The main window holds one for the life of
// the program; the loader fills it from Ayarlar.ini, the settings dialog
// writes it back.
//
// File: section CEK_AYARLARI of Ayarlar.ini in the program folder.
//   RENK_DURUMU  colouring switch: whole number, 0 off, any other on (default on)
//   GUN          warning days: whole number, lowest 8 bits kept (default 0)
//   VADEDOL      due-text colour: colour text (default clBlue)
//   SECILEN      second warning (background) colour: colour text (default clYellow)
// Whole numbers are decimal, or hexadecimal after "$", "0x" or "0X"; a key
// that is missing or holds no whole number takes its default.
struct WarningSettings
{
    bool colouring = true;
    ColourCode dueTextColour = ColourCode::fromBgr(0x00FF0000);
    ColourCode secondColour = ColourCode::fromBgr(0x0000FFFF);
    quint8 warningDays = 0;
    QDate warningDate; // today + warningDays when loaded

    struct LoadResult;

    static QString fileName() { return QStringLiteral("Ayarlar.ini"); }
    static QString sectionName() { return QStringLiteral("CEK_AYARLARI"); }

    // Reads the settings from the INI file at path; today is the date the
    // warning date counts from (the caller takes it from the clock).
    //
    // Never fails as a whole: a missing file gives the defaults without a
    // problem; a file that cannot be read (too large, unreadable) gives the
    // defaults and one problem. A colour text that is neither a colour name
    // nor a whole number gives that key's default and a problem quoting the
    // text; the keys after it are still read. The file is only read.
    static LoadResult load(const QString &path, const QDate &today);
    // The same from an INI file already in memory.
    static LoadResult load(const IniFile &ini, const QDate &today);

    // Writes RENK_DURUMU ("1"/"0"), VADEDOL, SECILEN and GUN, in that order,
    // into section CEK_AYARLARI of the INI file at path, keeping everything
    // else in the file; the day count is brought into 0..99 first. The file is
    // written whole or not at all: on failure it is left as it was and the
    // status carries a Turkish message naming it. A file that exists but
    // cannot be read is not overwritten (its contents would be lost).
    IniFile::Status save(const QString &path) const;

    // The day count as the program keeps it: days brought into 0..99.
    static quint8 clampedDays(int days);

    friend bool operator==(const WarningSettings &, const WarningSettings &) = default;
};

struct WarningSettings::LoadResult
{
    WarningSettings settings;
    QStringList problems; // Turkish messages for the caller to show; empty when all was read
};

} // namespace settings
