#include "shell/uVersionCheck.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uGUI.h"
#include "core/uLog.h"
#include "core/uProject.h"
#include "core/uRegistry.h"
#include "core/uSystem.h"

#include <QCursor>
#include <QDomDocument>
#include <QEventLoop>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QTimer>
#include <QUrlQuery>

namespace {

const QString kDefaultServer = QStringLiteral("https://zuno.example.org");
constexpr int kTimeoutMs = 30000;

// The text of the one element `name`; raises when it is missing or repeated.
QString singleTag(const QDomDocument& doc, const QString& name)
{
    const QDomNodeList nodes = doc.elementsByTagName(name);
    if (nodes.isEmpty())
        throw TTalbreckException(QStringLiteral("XML dokument neobsahuje tag \"") + name + QStringLiteral("\"."));
    if (nodes.size() > 1)
        throw TTalbreckException(QStringLiteral("XML dokument obsahuje více než jeden tag \"") + name + QStringLiteral("\"."));
    return nodes.at(0).firstChild().nodeValue();
}

} // namespace

QString VersionServer()
{
    const QString key = Project() ? Project()->RegKey : QStringLiteral("Software\\Talbreck\\ZUNO");
    return RegReadString(key, QStringLiteral("verze_server"), kDefaultServer);
}

QString ForumAddress()
{
    const QString key = Project() ? Project()->RegKey : QStringLiteral("Software\\Talbreck\\ZUNO");
    return RegReadString(key, QStringLiteral("forum"), kDefaultServer + QStringLiteral("/forum/"));
}

void CheckVersionOnline(const QString& serverBase)
{
    TWaitCursor busy;
    const QString appName = Project() ? Project()->AppName : QStringLiteral("ZUNO");
    QUrl url(serverBase + QStringLiteral("/talbreck/verze.php"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("app"), appName);
    query.addQueryItem(QStringLiteral("verze"), VersionText());
    url.setQuery(query);

    // The desktop's proxy settings.
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    const QList<QNetworkProxy> proxies = QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url));
    const QNetworkProxy proxy = proxies.isEmpty() ? QNetworkProxy(QNetworkProxy::NoProxy) : proxies.constFirst();
    WriteLog(QStringLiteral("Načtení proxy ze systému."), LogLevel::Debug,
             QStringLiteral("Host: ") + proxy.hostName() + QStringLiteral(", Port: ") + QString::number(proxy.port()));
    WriteLog(QStringLiteral("Zjisteni aktualni verze aplikace na internetu."), LogLevel::Info, url.toString());

    QNetworkAccessManager manager;
    manager.setProxy(proxy);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timeout.start(kTimeoutMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    reply->deleteLater();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 200) {
        QString statusText = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        if (status != 0)
            statusText = QString::number(status) + (statusText.isEmpty() ? QString() : QLatin1Char(' ') + statusText);
        else
            statusText = reply->errorString();
        ShowError(QStringLiteral("Chyba při načítání verze ZUNO z internetu: ") + statusText);
        return;
    }

    QDomDocument doc;
    QString parseError;
    int line = 0;
    int column = 0;
    if (!doc.setContent(reply->readAll(), &parseError, &line, &column))
        throw TTalbreckException(QStringLiteral("Chyba při načítání informací o aktuální verzi aplikace."),
                                 parseError + QStringLiteral(" (řádek %1, sloupec %2)").arg(line).arg(column));
    const QString version = singleTag(doc, QStringLiteral("verze"));
    const QString date = singleTag(doc, QStringLiteral("datum"));
    const QString download = singleTag(doc, QStringLiteral("download"));

    if (version != VersionText()) {
        if (Confirm(QStringLiteral("Na internetu je připravena ke stažení nová verze ") + version + QStringLiteral(" ze dne ") + date
                    + QStringLiteral(".\r\n\r\nChcete tuto novou verzi stáhnout ?")))
            ShellOpen(download);
    } else {
        ShowInfo(QStringLiteral("Používáte poslední verzi aplikace."));
    }
}
