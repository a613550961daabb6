#include "reports/ledgerreports.h"

namespace reports {

namespace {

FontSpec arial(double points, bool bold = false)
{
    return {QStringLiteral("Arial"), points, bold};
}

ReportElement box(const char *name, double left, double top, double width, double height)
{
    ReportElement element;
    element.kind = ElementKind::Box;
    element.name = QString::fromLatin1(name);
    element.left = mm(left);
    element.top = mm(top);
    element.width = mm(width);
    element.height = mm(height);
    return element;
}

ReportElement text(const char *name, double left, double top, double width, double height, const QString &caption,
                   const FontSpec &font)
{
    ReportElement element = box(name, left, top, width, height);
    element.kind = ElementKind::Text;
    element.text = caption;
    element.font = font;
    return element;
}

ReportElement systemText(const char *name, double left, double top, double width, double height,
                         const QString &prefix, SystemValue value, const FontSpec &font, Alignment alignment)
{
    ReportElement element = text(name, left, top, width, height, prefix, font);
    element.kind = ElementKind::SystemText;
    element.system = value;
    element.alignment = alignment;
    return element;
}

ReportElement field(const char *name, double left, double top, double width, double height, const char *fieldName,
                    const FontSpec &font, Alignment alignment, Sizing sizing, const QString &mask = {})
{
    ReportElement element = box(name, left, top, width, height);
    element.kind = ElementKind::Field;
    element.field = QString::fromLatin1(fieldName);
    element.font = font;
    element.alignment = alignment;
    element.sizing = sizing;
    element.mask = mask;
    return element;
}

ReportElement sum(const char *name, double left, double top, double width, double height, const char *fieldName,
                  const FontSpec &font, const QString &mask)
{
    ReportElement element = field(name, left, top, width, height, fieldName, font, Alignment::Right, Sizing::Fixed, mask);
    element.kind = ElementKind::Expression;
    return element;
}

const QString amountMask = QStringLiteral("#,###0.00");
const QString datePrefix = QStringLiteral("Rapor Tarihi :");
const QString pagePrefix = QStringLiteral("Sayfa No:");
const QString countPrefix = QStringLiteral("Listelenen Kayıt Sayısı :");
const QString totalCaption = QStringLiteral("T O P L A M");

ReportDefinition makeCompanyReport()
{
    ReportDefinition report;
    report.title = QStringLiteral("FİRMA ÇEKLERİ (BÜTÜN KAYITLAR)");
    report.orientation = Orientation::Portrait;
    report.paperWidth = mm(210);
    report.paperHeight = mm(297);
    report.marginTop = report.marginBottom = report.marginLeft = report.marginRight = mm(10);
    report.reportFont = arial(9);
    const FontSpec font = report.reportFont;
    const FontSpec caption = arial(9, true);

    report.pageHeader = {BandKind::PageHeader, QStringLiteral("PageHeaderBand1"), mm(18.0), false, {
        box("QRShape5", 128.3, 11.1, 60.3, 6.1),
        box("QRShape4", 90.2, 11.1, 37.0, 6.1),
        box("QRShape3", 62.7, 11.1, 26.5, 6.1),
        box("QRShape2", 24.3, 11.1, 37.3, 6.1),
        box("QRShape1", 1.1, 11.1, 22.2, 6.1),
        text("QRLabel1", 65.9, 0.5, 58.2, 5.0, QStringLiteral("FİRMA KESİLEN ÇEK RAPORU"), arial(11, true)),
        systemText("QRSysData1", 1.3, 0.8, 25.1, 4.5, datePrefix, SystemValue::Date, arial(8), Alignment::Left),
        systemText("QRSysData2", 159.5, 0.8, 29.1, 4.5, pagePrefix, SystemValue::PageNumber, arial(9), Alignment::Right),
        text("QRLabel2", 2.6, 11.9, 19.1, 4.2, QStringLiteral("VADE TARİHİ"), caption),
        text("QRLabel3", 33.6, 11.9, 18.0, 4.2, QStringLiteral("ÇEK TUTARI"), caption),
        text("QRLabel4", 65.1, 11.9, 20.4, 4.2, QStringLiteral("ÇEK DURUMU"), caption),
        text("QRLabel5", 96.8, 11.9, 23.3, 4.2, QStringLiteral("ÇEK NUMARASI"), caption),
        text("QRLabel6", 129.9, 11.9, 16.1, 4.2, QStringLiteral("ÇEKİ ALAN"), caption),
    }};
    report.detail = {BandKind::Detail, QStringLiteral("DetailBand1"), mm(6.1), false, {
        box("QRShape6", 1.1, 0.3, 22.2, 5.3),
        box("QRShape7", 24.3, 0.3, 37.3, 5.3),
        box("QRShape8", 62.7, 0.3, 26.5, 5.3),
        box("QRShape9", 90.2, 0.3, 37.0, 5.3),
        box("QRShape10", 128.3, 0.3, 60.3, 5.3),
        field("QRDBText1", 2.1, 0.8, 20.4, 4.2, "VADE_TARIHI", font, Alignment::Left, Sizing::Grows),
        field("QRDBText2", 25.4, 0.8, 35.2, 4.2, "CEK_TUTARI", font, Alignment::Right, Sizing::Fixed, amountMask),
        field("QRDBText3", 63.5, 0.8, 23.0, 4.2, "CEK_DURUMU", font, Alignment::Left, Sizing::Grows),
        field("QRDBText4", 91.0, 0.8, 24.9, 4.2, "CEK_NUMARASI", font, Alignment::Left, Sizing::Grows),
        field("QRDBText5", 129.1, 0.8, 17.5, 4.2, "CEKI_ALAN", font, Alignment::Left, Sizing::Grows),
    }};
    report.summary = {BandKind::Summary, QStringLiteral("SummaryBand1"), mm(6.1), true, {
        box("QRShape11", 24.3, 0.5, 37.3, 5.3),
        sum("QRExpr1", 25.4, 1.1, 35.2, 4.2, "CEK_TUTARI", font, amountMask),
        text("QRLabel7", 5.3, 1.1, 17.2, 4.2, totalCaption, caption),
        systemText("QRSysData3", 141.8, 1.1, 47.4, 4.2, countPrefix, SystemValue::RowCount, arial(8), Alignment::Right),
    }};
    return report;
}

ReportDefinition makeCustomerReport()
{
    ReportDefinition report;
    report.title = QStringLiteral("ALINAN ÇEKLER");
    report.orientation = Orientation::Landscape;
    report.paperWidth = mm(297);
    report.paperHeight = mm(210);
    report.marginTop = report.marginBottom = mm(10);
    report.marginLeft = report.marginRight = mm(8);
    report.reportFont = arial(8);
    const FontSpec font = report.reportFont;
    const FontSpec caption = arial(8, true);

    report.pageHeader = {BandKind::PageHeader, QStringLiteral("PageHeaderBand2"), mm(17.7), false, {
        text("QRLabel8", 117.5, 0.5, 41.8, 5.0, QStringLiteral("ALINAN ÇEK RAPORU"), arial(11, true)),
        systemText("QRSysData4", 250.6, 0.8, 29.1, 4.5, pagePrefix, SystemValue::PageNumber, arial(9), Alignment::Right),
        systemText("QRSysData5", 1.3, 0.8, 25.1, 4.5, datePrefix, SystemValue::Date, arial(8), Alignment::Left),
        box("QRShape12", 0.5, 11.1, 19.8, 6.1),
        text("QRLabel9", 1.3, 11.9, 18.0, 4.2, QStringLiteral("VADE TARİHİ"), caption),
        box("QRShape13", 20.9, 11.1, 30.7, 6.1),
        text("QRLabel10", 22.0, 11.9, 19.6, 4.2, QStringLiteral("ÇEKİN TUTARI"), caption),
        box("QRShape14", 52.1, 11.1, 26.2, 6.1),
        text("QRLabel11", 53.2, 11.9, 21.2, 4.2, QStringLiteral("ÇEKİN DURUMU"), caption),
        box("QRShape15", 78.8, 11.1, 33.9, 6.1),
        text("QRLabel12", 80.4, 11.9, 15.6, 4.2, QStringLiteral("BANKA ADI"), caption),
        box("QRShape16", 113.2, 11.1, 45.0, 6.1),
        text("QRLabel13", 114.8, 11.9, 16.4, 4.2, QStringLiteral("ÇEKİ VEREN"), caption),
        box("QRShape17", 158.8, 11.1, 33.9, 6.1),
        text("QRLabel14", 159.5, 11.9, 31.8, 4.2, QStringLiteral("TAHSİLE VERD. BANKA"), caption),
        box("QRShape18", 193.1, 11.1, 45.0, 6.1),
        text("QRLabel15", 194.7, 11.9, 22.0, 4.2, QStringLiteral("ÇEKİ CİRO EDEN"), caption),
        box("QRShape19", 238.7, 11.1, 42.1, 6.1),
        text("QRLabel17", 240.2, 11.9, 35.5, 4.2, QStringLiteral("ÇEKİ CİRO ETTİĞİMİZ KİŞİ"), caption),
    }};
    report.detail = {BandKind::Detail, QStringLiteral("DetailBand2"), mm(6.1), false, {
        box("QRShape20", 0.5, 0.3, 19.8, 5.3),
        box("QRShape21", 20.9, 0.3, 30.7, 5.3),
        box("QRShape22", 52.1, 0.3, 26.2, 5.3),
        box("QRShape23", 78.8, 0.3, 33.9, 5.3),
        box("QRShape24", 113.2, 0.3, 45.0, 5.3),
        box("QRShape25", 158.8, 0.3, 33.9, 5.3),
        box("QRShape26", 193.1, 0.3, 45.0, 5.3),
        box("QRShape27", 238.7, 0.3, 42.1, 5.3),
        field("QRDBText6", 1.3, 1.1, 18.0, 4.0, "VADE_TARIHI", font, Alignment::Left, Sizing::Fixed),
        field("QRDBText7", 21.7, 1.1, 29.1, 4.0, "CEK_TUTARI", font, Alignment::Right, Sizing::Fixed, amountMask),
        field("QRDBText8", 52.9, 1.1, 24.6, 4.0, "CEK_DURUM", font, Alignment::Left, Sizing::Fixed),
        field("QRDBText9", 79.6, 1.1, 32.5, 4.0, "BANKASI", font, Alignment::Left, Sizing::Fixed),
        field("QRDBText10", 114.3, 1.1, 43.4, 4.0, "HESAPSAHIBI", font, Alignment::Left, Sizing::Fixed),
        field("QRDBText11", 159.5, 1.1, 32.5, 4.0, "TAHSIL_BANKA", font, Alignment::Left, Sizing::Fixed),
        field("QRDBText12", 193.9, 1.1, 43.4, 4.0, "CIRO_EDEN", font, Alignment::Left, Sizing::Fixed),
        field("QRDBText13", 239.4, 1.1, 41.0, 4.0, "KIME_CIRO", font, Alignment::Left, Sizing::Fixed),
    }};
    report.summary = {BandKind::Summary, QStringLiteral("SummaryBand2"), mm(6.1), false, {
        text("QRLabel16", 3.2, 1.1, 17.2, 4.2, totalCaption, arial(9, true)),
        systemText("QRSysData6", 232.8, 1.1, 47.4, 4.2, countPrefix, SystemValue::RowCount, arial(8), Alignment::Right),
        sum("QRExpr2", 21.7, 1.1, 29.1, 4.0, "CEK_TUTARI", font, amountMask),
    }};
    return report;
}

} // namespace

const ReportDefinition &companyReport()
{
    static const ReportDefinition report = makeCompanyReport();
    return report;
}

const ReportDefinition &customerReport()
{
    static const ReportDefinition report = makeCustomerReport();
    return report;
}

QString sqlDateLiteral(const QDate &date)
{
    QString text = date.toString(QStringLiteral("dd.MM.yyyy"));
    text.replace(u'\'', QStringLiteral("''"));
    return u'\'' + text + u'\'';
}

QString allChequesSql(Ledger ledger)
{
    return ledger == Ledger::Company ? QStringLiteral("SELECT * FROM firma_cek.db")
                                     : QStringLiteral("SELECT * FROM museri_cek.DB");
}

QString dueOnDateSql(Ledger ledger, DueCommand command, const QDate &date)
{
    QString prefix;
    if (ledger == Ledger::Company)
        prefix = QStringLiteral("SELECT * FROM firma_cek.db WHERE VADE_TARIHI = ");
    else if (command == DueCommand::XDays)
        prefix = QStringLiteral("SELECT * FROM museri_cek.db WHERE VADE_TARIHI = ");
    else
        prefix = QStringLiteral("SELECT * FROM museri_cek.DB WHERE VADE_TARIHI = ");
    return prefix + sqlDateLiteral(date);
}

int dayCountFromText(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    }
    if (i == text.size())
        return 0;
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        if (digit < 0)
            return 0;
        magnitude = magnitude * base + digit;
        if (magnitude > 2147483648LL)
            return 0;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > 2147483647LL || value < -2147483648LL)
        return 0;
    return int(value);
}

} // namespace reports
