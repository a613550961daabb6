#include "reports/renderedreport.h"

#include <QDataStream>
#include <QIODevice>
#include <QStringList>

namespace reports {

namespace {

// Sanity bounds for reading: a damaged file must not make us allocate wildly.
constexpr quint32 maxFonts = 255;
constexpr quint32 maxItemsPerPage = 1'000'000;

} // namespace

bool RenderedReport::save(QIODevice &device) const
{
    QDataStream out(&device);
    out.setVersion(QDataStream::Qt_6_0);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(fileMagic) << quint16(fileVersion);
    out << title << quint8(orientation == Orientation::Landscape ? 1 : 0) << qint32(paperWidth)
        << qint32(paperHeight);
    out << quint32(fonts.size());
    for (const FontSpec &font : fonts)
        out << font.family << font.pointSize << font.bold;
    out << quint32(pages.size());
    for (const RenderedPage &page : pages) {
        out << page.text << quint32(page.items.size());
        for (const DrawItem &item : page.items) {
            out << qint32(item.x) << qint32(item.y) << qint32(item.w) << qint32(item.h) << qint32(item.advance)
                << quint32(item.textStart) << quint32(item.textLength) << quint8(item.kind)
                << quint8(item.font) << quint8(item.flags);
        }
    }
    return out.status() == QDataStream::Ok;
}

bool RenderedReport::load(QIODevice &device, QString *errorText)
{
    const auto fail = [errorText](const QString &why) {
        if (errorText)
            *errorText = why;
        return false;
    };
    const QString damaged = QStringLiteral("Rapor dosyası bozuk ya da eksik.");

    QDataStream in(&device);
    in.setVersion(QDataStream::Qt_6_0);
    in.setByteOrder(QDataStream::LittleEndian);
    quint32 magic = 0;
    quint16 version = 0;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != fileMagic)
        return fail(QStringLiteral("Bu dosya bir rapor dosyası değil."));
    if (version == 0 || version > fileVersion)
        return fail(QStringLiteral("Bu rapor dosyası programın daha yeni bir sürümüyle kaydedilmiş; açılamıyor."));

    RenderedReport read;
    quint8 landscape = 0;
    qint32 width = 0, height = 0;
    in >> read.title >> landscape >> width >> height;
    read.orientation = landscape ? Orientation::Landscape : Orientation::Portrait;
    read.paperWidth = width;
    read.paperHeight = height;
    if (in.status() != QDataStream::Ok || width <= 0 || height <= 0)
        return fail(damaged);

    quint32 fontCount = 0;
    in >> fontCount;
    if (in.status() != QDataStream::Ok || fontCount > maxFonts)
        return fail(damaged);
    for (quint32 i = 0; i < fontCount; ++i) {
        FontSpec font;
        in >> font.family >> font.pointSize >> font.bold;
        read.fonts.push_back(font);
    }

    quint32 pageCount = 0;
    in >> pageCount;
    if (in.status() != QDataStream::Ok)
        return fail(damaged);
    for (quint32 p = 0; p < pageCount; ++p) {
        RenderedPage page;
        quint32 itemCount = 0;
        in >> page.text >> itemCount;
        if (in.status() != QDataStream::Ok || itemCount > maxItemsPerPage)
            return fail(damaged);
        for (quint32 i = 0; i < itemCount; ++i) {
            qint32 x, y, w, h, advance;
            quint32 start, length;
            quint8 kind, font, flags;
            in >> x >> y >> w >> h >> advance >> start >> length >> kind >> font >> flags;
            if (in.status() != QDataStream::Ok || kind > DrawItem::Text || font >= fontCount
                || quint64(start) + length > quint64(page.text.size()))
                return fail(damaged);
            DrawItem item;
            item.x = x;
            item.y = y;
            item.w = w;
            item.h = h;
            item.advance = advance;
            item.textStart = start;
            item.textLength = length;
            item.kind = DrawItem::Kind(kind);
            item.font = font;
            item.flags = flags;
            page.items.push_back(item);
        }
        read.pages.push_back(std::move(page));
    }
    *this = std::move(read);
    return true;
}

QStringList RenderedReport::pageTexts(int pageIndex) const
{
    QStringList texts;
    if (pageIndex < 0 || pageIndex >= int(pages.size()))
        return texts;
    const RenderedPage &page = pages[pageIndex];
    for (const DrawItem &item : page.items) {
        if (item.kind == DrawItem::Text)
            texts << page.itemText(item);
    }
    return texts;
}

} // namespace reports
