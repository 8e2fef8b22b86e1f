#include "TestEnv.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uSystem.h"
#include "shell/uVersionCheck.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

// Answers every request on 127.0.0.1 with one canned HTTP response and
// remembers the request line.
class CannedServer : public QObject
{
public:
    CannedServer(int status, const QByteArray& reason, const QByteArray& body)
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [=, this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [=, this] {
                const QByteArray request = socket->readAll();
                if (requestLine.isEmpty())
                    requestLine = request.left(request.indexOf("\r\n"));
                socket->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\nContent-Type: text/xml\r\n"
                              "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    QByteArray requestLine;

private:
    QTcpServer m_server;
};

QByteArray answer(const QString& version, const char* extra = "")
{
    return QStringLiteral("<?xml version=\"1.0\"?><zuno><verze>%1</verze><datum>1.12.2026</datum>"
                          "<download>http://127.0.0.1/zuno.deb</download>%2</zuno>")
        .arg(version, QString::fromUtf8(extra))
        .toUtf8();
}

} // namespace

class TestVersionCheck : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    QStringList opened;

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<TestEnv>();
        qputenv("no_proxy", "127.0.0.1");
        opened.clear();
        SetShellOpenHandler([this](const QString& url) { opened << url; return true; });
    }
    void cleanup()
    {
        SetShellOpenHandler({});
        env.reset();
    }

    void sameVersion()
    {
        CannedServer server(200, "OK", answer(VersionText()));
        CheckVersionOnline(server.base());
        QCOMPARE(server.requestLine,
                 QByteArray("GET /talbreck/verze.php?app=ZUNO&verze=") + VersionText().toLatin1() + " HTTP/1.1");
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, TMsgKind::Information);
        QCOMPARE(shown[0].text, QStringLiteral("Používáte poslední verzi aplikace."));
    }

    void otherVersionOffersDownload_data()
    {
        QTest::addColumn<QString>("version");
        QTest::newRow("newer") << "99.0.0.0";
        QTest::newRow("older counts too") << "0.0.0.1";
    }

    void otherVersionOffersDownload()
    {
        QFETCH(QString, version);
        CannedServer server(200, "OK", answer(version));
        Dialogs::setNextAnswer(TMsgResult::Yes);
        CheckVersionOnline(server.base());
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Na internetu je připravena ke stažení nová verze ") + version
                                    + QStringLiteral(" ze dne 1.12.2026.\r\n\r\nChcete tuto novou verzi stáhnout ?"));
        QCOMPARE(opened, QStringList{QStringLiteral("http://127.0.0.1/zuno.deb")});
    }

    void badAnswers_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        QTest::newRow("two datum tags") << answer(VersionText(), "<datum>2.12.2026</datum>")
                                        << "XML dokument obsahuje více než jeden tag \"datum\".";
        QTest::newRow("missing tag") << QByteArray("<zuno><verze>1</verze><datum>x</datum></zuno>")
                                     << "XML dokument neobsahuje tag \"download\".";
        QTest::newRow("not XML") << QByteArray("<zuno><verze>") << "Chyba při načítání informací o aktuální verzi aplikace.";
    }

    void badAnswers()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        CannedServer server(200, "OK", body);
        try {
            CheckVersionOnline(server.base());
            QFAIL("a bad answer must raise");
        } catch (const TTalbreckException& e) {
            QCOMPARE(e.Message(), message);
        }
        QVERIFY(opened.isEmpty());
    }

    void httpError()
    {
        CannedServer server(404, "Not Found", "nic");
        CheckVersionOnline(server.base());
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, TMsgKind::Error);
        QCOMPARE(shown[0].text, QStringLiteral("Chyba při načítání verze ZUNO z internetu: 404 Not Found"));
    }
};

QTEST_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"
