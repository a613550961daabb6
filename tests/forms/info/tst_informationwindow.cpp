#include "forms/info/informationwindow.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextBrowser>
#include <QtTest>

using namespace forms;

Q_DECLARE_METATYPE(forms::InformationWindow::Content)

namespace {

// A web server on 127.0.0.1 that answers every request the same way.
class PageServer : public QObject
{
public:
    enum class Answer { Page, NotFound, Nothing };

    explicit PageServer(Answer answer)
        : m_answer(answer)
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            }
        });
    }

    bool listen() { return m_server.listen(QHostAddress::LocalHost); }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort())); }
    QStringList paths() const { return m_paths; }

private:
    void serve(QTcpSocket *socket)
    {
        m_buffer[socket] += socket->readAll();
        if (!m_buffer[socket].contains("\r\n\r\n"))
            return;
        m_paths << QString::fromLatin1(m_buffer[socket].split(' ').value(1));
        m_buffer.remove(socket);
        if (m_answer == Answer::Nothing)
            return;
        QByteArray body;
        QByteArray status;
        if (m_answer == Answer::Page) {
            status = "200 OK";
            body = QStringLiteral("<html><body><p>Ücretsiz yazılımlar için bilgi: deneme sayfası</p></body></html>").toUtf8();
        } else {
            status = "404 Not Found";
            body = "<html><body><p>Not Found</p></body></html>";
        }
        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: "
                      + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    Answer m_answer;
    QStringList m_paths;
    QHash<QTcpSocket *, QByteArray> m_buffer;
};

} // namespace

Q_DECLARE_METATYPE(PageServer::Answer)

class tst_InformationWindow : public QObject
{
    Q_OBJECT

private slots:
    void hasItsWindow();
    void showsWhatTheServerGives_data();
    void showsWhatTheServerGives();
    void showsTheBuiltInPageWithoutAServer();
    void navigatesOncePerShowing();
};

void tst_InformationWindow::hasItsWindow()
{
    InformationWindow window;
    QCOMPARE(window.pageUrl(), QUrl(QStringLiteral("http://www.selvora.com.tr/ucretsiz_yazilimlar_icin_bilgi.htm")));
    window.setServer(QUrl(QStringLiteral("http://127.0.0.1:1")));
    window.setTimeout(500);
    window.showInformation();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.windowTitle(), QStringLiteral("Bilgi:"));
    QCOMPARE(window.frameGeometry().size(), QSize(697, 429));
    QVERIFY2(window.minimumSize() != window.maximumSize(), "the window is resizable");
    QVERIFY(!window.isModal());
    QCOMPARE(window.browser()->geometry(), window.rect());
    const QPoint centre = window.screen()->availableGeometry().center();
    QVERIFY((window.frameGeometry().center() - centre).manhattanLength() <= 2);
}

void tst_InformationWindow::showsWhatTheServerGives_data()
{
    QTest::addColumn<PageServer::Answer>("answer");
    QTest::addColumn<InformationWindow::Content>("content");
    QTest::addColumn<QString>("shown");

    QTest::newRow("page") << PageServer::Answer::Page << InformationWindow::Content::Page
                          << QStringLiteral("Ücretsiz yazılımlar için bilgi: deneme sayfası");
    QTest::newRow("error status") << PageServer::Answer::NotFound << InformationWindow::Content::Fallback
                                  << QStringLiteral("Bilgi sayfasına şu anda ulaşılamıyor.");
    QTest::newRow("no answer within the timeout") << PageServer::Answer::Nothing
                                                  << InformationWindow::Content::Fallback
                                                  << QStringLiteral("Bilgi sayfasına şu anda ulaşılamıyor.");
}

void tst_InformationWindow::showsWhatTheServerGives()
{
    QFETCH(PageServer::Answer, answer);
    QFETCH(InformationWindow::Content, content);
    QFETCH(QString, shown);

    PageServer server(answer);
    QVERIFY(server.listen());
    InformationWindow window;
    window.setServer(server.url());
    window.setTimeout(400);
    QSignalSpy done(&window, &InformationWindow::contentShown);

    window.showInformation();
    QVERIFY(done.wait(5000));
    QCOMPARE(window.content(), content);
    QVERIFY2(window.browser()->toPlainText().contains(shown), qPrintable(window.browser()->toPlainText()));
    QCOMPARE(server.paths(), QStringList{QStringLiteral("/ucretsiz_yazilimlar_icin_bilgi.htm")});
    if (content == InformationWindow::Content::Fallback)
        QVERIFY(window.browser()->toPlainText().contains(QStringLiteral("küçük işletmelerin")));
}

void tst_InformationWindow::showsTheBuiltInPageWithoutAServer()
{
    quint16 port = 0;
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        port = closed.serverPort();
    }
    InformationWindow window;
    window.setServer(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port)));
    window.setTimeout(400);
    QSignalSpy done(&window, &InformationWindow::contentShown);
    window.showInformation();
    QVERIFY(done.wait(5000));
    QCOMPARE(window.content(), InformationWindow::Content::Fallback);
    QVERIFY(window.browser()->toPlainText().contains(QStringLiteral("Bilgi sayfasına şu anda ulaşılamıyor.")));
}

void tst_InformationWindow::navigatesOncePerShowing()
{
    PageServer server(PageServer::Answer::Page);
    QVERIFY(server.listen());
    InformationWindow window;
    window.setServer(server.url());
    QSignalSpy done(&window, &InformationWindow::contentShown);

    window.showInformation();
    QVERIFY(done.wait(5000));
    window.showInformation(); // pressed again while visible: only brought to the front
    QTest::qWait(100);
    QCOMPARE(server.paths().size(), 1);
    QCOMPARE(done.count(), 1);

    window.close();
    window.showInformation();
    QVERIFY(done.wait(5000));
    QCOMPARE(server.paths().size(), 2);
    QCOMPARE(window.content(), InformationWindow::Content::Page);
}

QTEST_MAIN(tst_InformationWindow)
#include "tst_informationwindow.moc"
