#include "forms/info/informationwindow.h"

#include <QFile>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QScreen>
#include <QShowEvent>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>

namespace forms {

namespace {

constexpr int kOuterWidth = 697;
constexpr int kOuterHeight = 429;

QString decodePage(const QByteArray &body, const QString &contentType)
{
    // The server names its character set in the header or in the page; Turkish
    // pages are often windows-1254, which the ICU-backed decoder knows.
    const qsizetype at = contentType.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
    if (at >= 0) {
        QString name = contentType.mid(at + 8).section(QLatin1Char(';'), 0, 0).trimmed();
        name.remove(QLatin1Char('"'));
        QStringDecoder decoder(name.toLatin1().constData());
        if (decoder.isValid())
            return decoder.decode(body);
    }
    QStringDecoder decoder = QStringDecoder::decoderForHtml(body);
    if (decoder.isValid())
        return decoder.decode(body);
    return QString::fromUtf8(body);
}

} // namespace

const QUrl InformationWindow::DefaultServer(QStringLiteral("http://www.selvora.com.tr"));

InformationWindow::InformationWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_server(DefaultServer)
{
    setObjectName(QStringLiteral("ucretsiz_yazilimlar_icin_bilgi"));
    setWindowTitle(QStringLiteral("Bilgi:"));
    setWindowModality(Qt::NonModal);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("WebBrowser1"));
    m_browser->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);

    m_network = new QNetworkAccessManager(this);
    connect(m_network, &QNetworkAccessManager::finished, this, &InformationWindow::finished);

    resize(kOuterWidth, kOuterHeight);
}

void InformationWindow::setServer(const QUrl &server)
{
    m_server = server;
}

void InformationWindow::setTimeout(int milliseconds)
{
    m_timeoutMs = milliseconds;
}

QUrl InformationWindow::pageUrl() const
{
    QUrl url = m_server;
    url.setPath(QStringLiteral("/ucretsiz_yazilimlar_icin_bilgi.htm"));
    return url;
}

void InformationWindow::showInformation()
{
    if (isVisible()) {
        if (isMinimized())
            showNormal();
        raise();
        activateWindow();
        return;
    }
    show();
    raise();
    activateWindow();
}

void InformationWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (!m_placed) {
        fitOuterSize();
        m_placed = true;
    }
    navigate();
}

void InformationWindow::fitOuterSize()
{
    // 697 × 429 is the size of the whole window, frame included.
    QMargins frame;
    if (QWindow *window = windowHandle())
        frame = window->frameMargins();
    resize(kOuterWidth - frame.left() - frame.right(), kOuterHeight - frame.top() - frame.bottom());
    if (const QScreen *screen = this->screen()) {
        QRect outer(QPoint(), QSize(kOuterWidth, kOuterHeight));
        outer.moveCenter(screen->availableGeometry().center());
        move(outer.topLeft());
    }
}

void InformationWindow::navigate()
{
    if (QNetworkReply *previous = m_reply) {
        m_reply = nullptr;
        previous->abort();
    }
    m_content = Content::Loading;
    m_browser->setPlainText(QStringLiteral("Bilgi sayfası yükleniyor..."));

    QNetworkRequest request(pageUrl());
    request.setTransferTimeout(m_timeoutMs);
    m_reply = m_network->get(request);
}

void InformationWindow::finished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != m_reply)
        return; // an earlier showing's fetch, overtaken by a newer one
    m_reply = nullptr;

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body = reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
    if (reply->error() != QNetworkReply::NoError || status >= 400 || body.trimmed().isEmpty()) {
        showFallback();
        return;
    }
    m_browser->document()->setBaseUrl(reply->url());
    m_browser->setHtml(decodePage(body, reply->header(QNetworkRequest::ContentTypeHeader).toString()));
    m_content = Content::Page;
    emit contentShown(m_content);
}

void InformationWindow::showFallback()
{
    QFile file(QStringLiteral(":/info/bilgi.html"));
    QString html;
    if (file.open(QIODevice::ReadOnly))
        html = QString::fromUtf8(file.readAll());
    if (html.isEmpty())
        m_browser->setPlainText(QStringLiteral("Bilgi sayfasına şu anda ulaşılamıyor."));
    else
        m_browser->setHtml(html);
    m_content = Content::Fallback;
    emit contentShown(m_content);
}

} // namespace forms
