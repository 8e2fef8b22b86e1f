#include "core/uSystem.h"

#include "core/Version.h"
#include "core/uException.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QUrl>

namespace {
QString g_exeDirOverride;
}

QString ExeDir()
{
    QString dir = g_exeDirOverride.isEmpty() ? QCoreApplication::applicationDirPath() : g_exeDirOverride;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

void SetExeDirForTesting(const QString& dir)
{
    g_exeDirOverride = dir;
}

QString FileBaseName(const QString& path)
{
    return QFileInfo(path).completeBaseName();
}

QString VersionText()
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(ZUNO_VERSION_MAJOR)
        .arg(ZUNO_VERSION_MINOR)
        .arg(ZUNO_VERSION_PATCH)
        .arg(ZUNO_VERSION_TWEAK + 0);
}

QString VersionToText(const TVersion& v)
{
    return QString::number(v.Verze) + QLatin1Char('.') + QString::number(v.Podverze);
}

QString MoneyToText(const Money& value, bool withCurrency, bool showZero)
{
    if (!showZero && value.isZero())
        return QString();
    QString s = value.toText(2);
    if (withCurrency)
        s += QStringLiteral(" Kč");
    return s;
}

QString DateToText(const QDate& d)
{
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

QString DateTimeToText(const QDateTime& d)
{
    return d.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

QDate TextToDate(const QString& s)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})\\s*\\.\\s*(\\d{1,2})\\s*\\.\\s*(\\d{4})\\s*$"));
    const QRegularExpressionMatch m = re.match(s);
    if (m.hasMatch()) {
        const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
        if (d.isValid())
            return d;
    }
    throw TTalbreckException(QStringLiteral("\"") + s + QStringLiteral("\" není platné datum."));
}

qint64 MinutesBetween(const QDateTime& a, const QDateTime& b)
{
    const qint64 ms = std::llabs(b.toMSecsSinceEpoch() - a.toMSecsSinceEpoch());
    return (ms + 30000) / 60000;
}

QString ZeroPad(const QString& text, int width)
{
    return text.rightJustified(width, QLatin1Char('0'));
}

int DayNumber(const QDate& d)
{
    static const QDate base(1899, 12, 30);
    return static_cast<int>(base.daysTo(d));
}

QDate DayNumberToDate(int dayNumber)
{
    static const QDate base(1899, 12, 30);
    return base.addDays(dayNumber);
}

namespace {
std::function<bool(const QString&)> g_shellOpenHandler;
}

void SetShellOpenHandler(std::function<bool(const QString&)> handler)
{
    g_shellOpenHandler = std::move(handler);
}

bool ShellOpen(const QString& fileOrUrl)
{
    if (g_shellOpenHandler)
        return g_shellOpenHandler(fileOrUrl);
    QUrl url = QUrl::fromUserInput(fileOrUrl, QDir::currentPath(), QUrl::AssumeLocalFile);
    return QDesktopServices::openUrl(url);
}

QString TakeScreenshot()
{
    const QString path = QDir::tempPath() + QStringLiteral("/screenshot.png");
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QString();
    const QPixmap shot = screen->grabWindow(0);
    return shot.save(path, "PNG") ? path : QString();
}
