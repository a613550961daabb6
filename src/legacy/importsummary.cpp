#include "legacy/importsummary.h"

#include "text/money.h"

#include <filesystem>

namespace legacy {

namespace {

std::string amount(std::int64_t kurus)
{
    return text::formatAmountDisplay(kurus, text::NumberMarks{".", ","});
}

std::string fileNameOf(const std::string &path)
{
    const std::u8string name = std::filesystem::u8path(path).filename().u8string();
    return std::string(name.begin(), name.end());
}

const char *kindTitle(ImportNote::Kind kind)
{
    switch (kind) {
    case ImportNote::Kind::Skipped:
        return "Atlanan kayıtlar";
    case ImportNote::Kind::Truncated:
        return "Kısaltılan metinler";
    case ImportNote::Kind::Rounded:
        return "Yuvarlanan tutarlar";
    case ImportNote::Kind::Numbered:
        return "Numara verilen kayıtlar";
    case ImportNote::Kind::FieldLeftOut:
        return "Aktarılmayan alanlar";
    case ImportNote::Kind::FieldMissing:
        return "Eski tabloda olmayan alanlar";
    case ImportNote::Kind::Warning:
        return "Uyarılar";
    }
    return "Notlar";
}

} // namespace

const TableSummary *ImportSummary::table(data::TableId id) const
{
    for (const TableSummary &t : tables)
        if (t.id == id)
            return &t;
    return nullptr;
}

std::int64_t ImportSummary::notesOf(ImportNote::Kind kind) const
{
    std::int64_t count = 0;
    for (const ImportNote &note : notes)
        count += note.kind == kind ? 1 : 0;
    return count;
}

std::string ImportSummary::text() const
{
    std::string out;
    if (cancelled)
        out += "Eski tabloların aktarılması durduruldu; hiçbir şey değiştirilmedi.\n";
    else if (!ok)
        out += "Eski tablolar aktarılamadı; hiçbir şey değiştirilmedi.\n";
    else if (dryRun)
        out += "Deneme: eski tablolar sorunsuz aktarılabilir. Hiçbir dosya değiştirilmedi.\n";
    else
        out += "Eski tablolar aktarıldı.\n";
    out += "Eski klasör: " + oldFolder + "\n";
    out += "Yeni klasör: " + newFolder + "\n";

    if (!tables.empty())
        out += "\nTablolar:\n";
    for (const TableSummary &t : tables) {
        out += "  " + t.fileName + ": ";
        switch (t.kind) {
        case TableFileKind::Missing:
            out += "eski klasörde yok; program açılışta yenisini oluşturur.\n";
            continue;
        case TableFileKind::Ours:
            out += "zaten bu programın tablosu; dokunulmadı.\n";
            continue;
        case TableFileKind::Unreadable:
            out += "okunamadı.\n";
            continue;
        case TableFileKind::Paradox:
            break;
        }
        out += std::to_string(t.rowsRead) + " kayıt okundu";
        if (t.codePage != 0)
            out += " (kod sayfası " + std::to_string(t.codePage) + ")";
        if (t.imported) {
            out += ", " + std::to_string(t.rowsWritten) + (dryRun ? " kayıt yazılacak" : " kayıt yazıldı");
            if (t.hasAmounts)
                out += "; tutar toplamı " + amount(t.amountBefore) + (dryRun ? "" : " → " + amount(t.amountAfter));
        }
        out += ".\n";
    }

    if (!backupFolder.empty()) {
        out += "\nEski dosyalar silinmedi, şu klasöre taşındı: " + backupFolder + "\n";
        for (const std::string &file : movedFiles)
            out += "  " + fileNameOf(file) + "\n";
    } else if (ok && !dryRun && oldFolder != newFolder) {
        out += "\nEski klasördeki dosyalara dokunulmadı.\n";
    }

    static const ImportNote::Kind order[] = {
        ImportNote::Kind::Skipped,      ImportNote::Kind::Truncated,    ImportNote::Kind::Rounded,
        ImportNote::Kind::Numbered,     ImportNote::Kind::FieldLeftOut, ImportNote::Kind::FieldMissing,
        ImportNote::Kind::Warning,
    };
    for (ImportNote::Kind kind : order) {
        if (notesOf(kind) == 0)
            continue;
        out += std::string("\n") + kindTitle(kind) + ":\n";
        for (const ImportNote &note : notes) {
            if (note.kind != kind)
                continue;
            out += "  " + data::table(note.table).fileName;
            if (note.row > 0)
                out += ", " + std::to_string(note.row) + ". kayıt";
            if (!note.field.empty())
                out += ", " + note.field;
            out += ": " + note.text + "\n";
        }
    }

    if (!problems.empty()) {
        out += "\nSorunlar:\n";
        for (const std::string &problem : problems)
            out += "  " + problem + "\n";
    }
    return out;
}

} // namespace legacy
