#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QNetworkAccessManager;
class QNetworkReply;
class QTextBrowser;

namespace forms {

// The information window "Bilgi:": one page about the program, fetched from the
// program's web server each time the window becomes visible. When the page cannot
// be fetched (no network, an error status, no answer within the timeout) the window
// shows a page built into the program that says so and carries the same information.
// The window does not block the main window; there is one of it, and asking to show
// it while it is visible only brings it to the front.
class InformationWindow : public QWidget
{
    Q_OBJECT

public:
    enum class Content { Nothing, Loading, Page, Fallback };
    Q_ENUM(Content)

    explicit InformationWindow(QWidget *parent = nullptr);

    // The web server the page is fetched from, e.g. "http://www.selvora.com.tr".
    QUrl server() const { return m_server; }
    void setServer(const QUrl &server);

    // How long a fetch may take before the built-in page is shown, in milliseconds.
    int timeout() const { return m_timeoutMs; }
    void setTimeout(int milliseconds);

    // The address of the page: the server with the path "/ucretsiz_yazilimlar_icin_bilgi.htm".
    QUrl pageUrl() const;

    // Shows the window (fetching the page anew), or brings it to the front if it is visible already.
    void showInformation();

    Content content() const { return m_content; }
    QTextBrowser *browser() const { return m_browser; }

    static const QUrl DefaultServer;
    static constexpr int DefaultTimeoutMs = 5000;

signals:
    // Emitted when the fetch of a showing has ended and the window shows either the page or the built-in one.
    void contentShown(forms::InformationWindow::Content content);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void navigate();
    void finished(QNetworkReply *reply);
    void showFallback();
    void fitOuterSize();

    QTextBrowser *m_browser = nullptr;
    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QUrl m_server;
    int m_timeoutMs = DefaultTimeoutMs;
    Content m_content = Content::Nothing;
    bool m_placed = false;
};

} // namespace forms
