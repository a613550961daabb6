#include "legacy/importcommand.h"

#include "legacy/folderimport.h"

#include <charconv>
#include <filesystem>

namespace legacy {

namespace {

const char *const kUsage =
    "Kullanım: selvora-import [--dry-run] [--code-page=N] ESKİ-KLASÖR [YENİ-KLASÖR]\n"
    "  Eski programın Paradox tablolarını (firma_cek.db, museri_cek.db, ...) bu programın\n"
    "  tablolarına aktarır. İki klasör aynı olabilir; eski dosyalar silinmez, klasörün\n"
    "  içinde eski-YYYY-AA-GG adlı bir klasöre taşınır. YENİ-KLASÖR verilmezse programın\n"
    "  kendi veri klasörüne (Veriler) aktarır.\n"
    "  --dry-run       her şeyi okur ve denetler, hiçbir dosyayı değiştirmez\n"
    "  --code-page=N   metinleri tablonun bildirdiği yerine N kod sayfasında okur\n"
    "                  (437, 850, 857, 1252 ya da 1254)\n";

} // namespace

int runImportCommand(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err,
                     const std::string &defaultNewFolder)
{
    ImportOptions options;
    std::vector<std::string> folders;
    for (const std::string &argument : arguments) {
        if (argument == "--dry-run") {
            options.dryRun = true;
        } else if (argument.rfind("--code-page=", 0) == 0) {
            const std::string number = argument.substr(12);
            const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), options.codePage);
            if (error != std::errc() || end != number.data() + number.size() || number.empty()) {
                err << "Kod sayfası bir sayı olmalı: " << argument << "\n" << kUsage;
                return 2;
            }
        } else if (argument == "--help" || argument == "-h") {
            out << kUsage;
            return 0;
        } else if (argument.rfind("--", 0) == 0) {
            err << "Bilinmeyen seçenek: " << argument << "\n" << kUsage;
            return 2;
        } else {
            folders.push_back(argument);
        }
    }
    if (folders.size() == 1 && !defaultNewFolder.empty())
        folders.push_back(defaultNewFolder);
    if (folders.size() != 2) {
        err << kUsage;
        return 2;
    }
    try {
        const ImportSummary summary =
            importFolder(std::filesystem::u8path(folders[0]), std::filesystem::u8path(folders[1]), options);
        out << summary.text();
        out.flush();
        return summary.ok ? 0 : 1;
    } catch (const std::exception &e) {
        err << "Aktarma yapılamadı: " << e.what() << "\n";
        return 1;
    }
}

} // namespace legacy
