#include "commandline/reportrequest.h"

#include "reports/customreportcriteria.h"
#include "text/date.h"
#include "text/turkish.h"

namespace commandline {

namespace {

QString folded(const QString &text)
{
    return QString::fromStdString(text::toLowerTurkish(text.trimmed().toStdString()));
}

bool isWord(const QString &given, std::initializer_list<const char16_t *> spellings)
{
    for (const char16_t *spelling : spellings)
        if (folded(given) == QString::fromUtf16(spelling))
            return true;
    return false;
}

std::optional<QDate> dateOf(const QString &text, QString *error)
{
    std::string reason;
    const auto date = text::parseDate(text.toStdString(), &reason);
    if (!date) {
        *error = QStringLiteral("\"%1\" bir tarih değil (gg.aa.yyyy olmalı): %2").arg(text, QString::fromStdString(reason));
        return std::nullopt;
    }
    return QDate(date->year, date->month, date->day);
}

// The item of the sort list named by a caption or a field name, or -1.
int sortIndexOf(reports::Ledger ledger, const QString &name)
{
    const QStringList captions = reports::customReportSortCaptions(ledger);
    for (int i = 1; i < captions.size(); ++i) {
        const QString field = reports::customReportOrderText(ledger, i).mid(9).trimmed(); // after "ORDER BY "
        if (folded(captions.at(i)) == folded(name) || field.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

ParsedCall parseReportCall(const QStringList &arguments)
{
    ParsedCall call;
    const auto wrong = [&call](const QString &why) {
        call.error = why;
        return call;
    };
    ReportRequest request;
    QStringList words;
    QString sortName;
    bool sortGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString argument = arguments.at(i);
        if (argument == u"--help" || argument == u"-h" || argument == u"--yardim") {
            call.help = true;
            return call;
        }
        if (!argument.startsWith(QLatin1String("--"))) {
            words << argument;
            continue;
        }
        QString value;
        bool hasValue = false;
        if (const qsizetype equals = argument.indexOf(u'='); equals > 0) {
            value = argument.mid(equals + 1);
            argument = argument.left(equals);
            hasValue = true;
        }
        const auto takeValue = [&]() -> bool {
            if (hasValue)
                return true;
            if (i + 1 >= arguments.size())
                return false;
            value = arguments.at(++i);
            return true;
        };
        if (argument == u"--azalan" && !hasValue) {
            request.descending = true;
        } else if (argument == u"--durum" || argument == u"--sirala" || argument == u"--bicim"
                   || argument == u"--dosya") {
            if (!takeValue())
                return wrong(QStringLiteral("%1 seçeneğinin değeri eksik.").arg(argument));
            if (argument == u"--durum") {
                request.statuses << value;
            } else if (argument == u"--sirala") {
                sortName = value;
                sortGiven = true;
            } else if (argument == u"--dosya") {
                if (value.isEmpty())
                    return wrong(QStringLiteral("--dosya seçeneğinin değeri boş."));
                request.file = value;
            } else if (isWord(value, {u"metin"})) {
                request.format = ReportRequest::Format::Text;
            } else if (isWord(value, {u"csv"})) {
                request.format = ReportRequest::Format::Csv;
            } else if (isWord(value, {u"pdf"})) {
                request.format = ReportRequest::Format::Pdf;
            } else if (isWord(value, {u"xlsx"})) {
                request.format = ReportRequest::Format::Xlsx;
            } else {
                return wrong(QStringLiteral("Bilinmeyen biçim: \"%1\" (metin, csv, pdf ya da xlsx olmalı).").arg(value));
            }
        } else {
            return wrong(QStringLiteral("Bilinmeyen seçenek: %1").arg(arguments.at(i)));
        }
    }

    if (words.isEmpty())
        return wrong(QStringLiteral("Defter eksik: firma ya da musteri."));
    if (isWord(words.at(0), {u"firma"}))
        request.ledger = reports::Ledger::Company;
    else if (isWord(words.at(0), {u"musteri", u"müşteri"}))
        request.ledger = reports::Ledger::Customer;
    else
        return wrong(QStringLiteral("Bilinmeyen defter: \"%1\" (firma ya da musteri olmalı).").arg(words.at(0)));
    if (words.size() < 2)
        return wrong(QStringLiteral("Rapor eksik: hepsi, bugun, uyari, gun N ya da aralik BAŞLANGIÇ BİTİŞ."));
    const QString &kind = words.at(1);
    qsizetype needed = 2;
    if (isWord(kind, {u"hepsi"})) {
        request.kind = ReportRequest::Kind::All;
    } else if (isWord(kind, {u"bugun", u"bugün"})) {
        request.kind = ReportRequest::Kind::Today;
    } else if (isWord(kind, {u"uyari", u"uyarı"})) {
        request.kind = ReportRequest::Kind::WarningDate;
    } else if (isWord(kind, {u"gun", u"gün"})) {
        request.kind = ReportRequest::Kind::InDays;
        needed = 3;
        if (words.size() < 3)
            return wrong(QStringLiteral("\"gun\" raporu bir gün sayısı ister (örneğin: gun 3)."));
        bool number = false;
        request.days = words.at(2).toInt(&number);
        if (!number)
            return wrong(QStringLiteral("\"%1\" bir gün sayısı değil.").arg(words.at(2)));
    } else if (isWord(kind, {u"aralik", u"aralık"})) {
        request.kind = ReportRequest::Kind::Range;
        needed = 4;
        if (words.size() < 4)
            return wrong(QStringLiteral("\"aralik\" raporu iki tarih ister: BAŞLANGIÇ BİTİŞ (gg.aa.yyyy)."));
        QString error;
        const auto start = dateOf(words.at(2), &error);
        const auto end = start ? dateOf(words.at(3), &error) : std::nullopt;
        if (!start || !end)
            return wrong(error);
        if (*end < *start)
            return wrong(QStringLiteral("Başlangıç tarihi bitiş tarihinden büyük olamaz."));
        request.start = *start;
        request.end = *end;
    } else {
        return wrong(QStringLiteral("Bilinmeyen rapor: \"%1\" (hepsi, bugun, uyari, gun ya da aralik olmalı).").arg(kind));
    }
    if (words.size() > needed)
        return wrong(QStringLiteral("Fazla değer: \"%1\".").arg(words.at(needed)));
    if (request.kind != ReportRequest::Kind::Range && (!request.statuses.isEmpty() || sortGiven))
        return wrong(QStringLiteral("--durum ve --sirala yalnız \"aralik\" raporunda kullanılır."));
    if (sortGiven) {
        request.sortIndex = sortIndexOf(request.ledger, sortName);
        if (request.sortIndex < 0)
            return wrong(QStringLiteral("Bilinmeyen sıralama alanı: \"%1\". Seçenekler: %2.")
                             .arg(sortName, reports::customReportSortCaptions(request.ledger).mid(1).join(u", ")));
    }
    call.request = request;
    return call;
}

QString reportUsage()
{
    return QStringLiteral(
        "Kullanım: selvora-rapor DEFTER RAPOR [SEÇENEKLER]\n"
        "\n"
        "Programın hazır ve özel raporlarını pencere açmadan yazar. Tablolar yalnız okunur;\n"
        "program açıkken de çalışır.\n"
        "\n"
        "DEFTER\n"
        "  firma                      firma çekleri (firma_cek.db)\n"
        "  musteri                    müşteri çekleri (museri_cek.db)\n"
        "\n"
        "RAPOR\n"
        "  hepsi                      bütün çekler\n"
        "  bugun                      vadesi bugün olan çekler\n"
        "  uyari                      vadesi uyarı tarihinde olan çekler (bugün + Ayarlar.ini'deki GUN)\n"
        "  gun N                      vadesi N gün sonra olan çekler (N eksi olabilir: N gün önce)\n"
        "  aralik BAŞLANGIÇ BİTİŞ     vadesi iki tarih arasında olan çekler (gg.aa.yyyy)\n"
        "\n"
        "SEÇENEKLER\n"
        "  --durum DURUM              yalnız bu durumdaki çekler (aralik; birden çok kez verilebilir)\n"
        "  --sirala ALAN              sıralama alanı (aralik): firma için Vade Tarihi, Çek Tutarı, Çek Durumu,\n"
        "                             Çek Numarası, Çeki Alan; müşteri için Vade Tarihi, Çek Tutarı, Çek Durumu,\n"
        "                             Çek Numarası, Hesap Sahibi, Ciro Eden, Kime Ciro; ya da alan adı\n"
        "                             (VADE_TARIHI, CEK_TUTARI, ...)\n"
        "  --azalan                   büyükten küçüğe sırala (--sirala ile)\n"
        "  --bicim metin|csv|pdf|xlsx çıktının biçimi (varsayılan: metin; hizalı sütunlar ve toplam satırı)\n"
        "  --dosya DOSYA              çıktıyı standart çıktı yerine bu dosyaya yaz (tamamlanınca yerine konur)\n"
        "  --help                     bu açıklama\n"
        "\n"
        "ÇIKIŞ KODLARI\n"
        "  0  rapor yazıldı (en az bir çek)\n"
        "  1  ölçütlere uyan çek yok (hiçbir şey yazılmaz)\n"
        "  2  yanlış çağrı\n"
        "  3  veriler okunamadı (veri klasörü ya da tablo yok, bozuk)\n"
        "  4  çıktı yazılamadı\n"
        "İletiler standart hataya yazılır.\n"
        "\n"
        "VERİLER\n"
        "  Programla aynı veri klasörü okunur: programın klasöründe Veriler ya da Ayarlar.ini varsa ya da\n"
        "  klasör yazılabilirse orası, kurulu programda kullanıcının veri klasörü (~/.local/share/Selvora).\n"
        "\n"
        "ÖRNEK\n"
        "  selvora-rapor musteri bugun\n"
        "  selvora-rapor firma aralik 01.03.2024 31.03.2024 --durum ÖDENMEDİ --sirala \"Çek Tutarı\" --azalan\n"
        "  selvora-rapor musteri gun 7 --bicim pdf --dosya haftaya.pdf\n");
}

} // namespace commandline
