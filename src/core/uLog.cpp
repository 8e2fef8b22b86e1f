#include "core/uLog.h"

#include "core/uClock.h"
#include "core/uDialogs.h"
#include "core/uSystem.h"

#include <QCoreApplication>
#include <QFile>

namespace {

struct LogState
{
    QString path;
    QString sqlPath;
    bool levels[4] = {false, true, true, true};
    bool logFailed = false;
    bool sqlLogFailed = false;
};

LogState& state()
{
    static LogState s;
    return s;
}

void appendLine(const QString& path, const QString& line, bool& failureReported)
{
    QFile f(path);
    if (!f.open(QIODevice::Append | QIODevice::Text)) {
        // Cannot append: try to create the file anew.
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            if (!failureReported) {
                failureReported = true;
                ShowError(QStringLiteral("Chyba při zápisu do logu \"") + path + QStringLiteral("\". Popis: \"")
                          + f.errorString() + QStringLiteral("\""));
            }
            return;
        }
    }
    QByteArray bytes = line.toUtf8();
    bytes += '\n';
    f.write(bytes);
    f.close();
}

} // namespace

QString LevelPrefix(LogLevel level)
{
    switch (level) {
    case LogLevel::Debug: return QStringLiteral("DEBUG");
    case LogLevel::Info: return QStringLiteral("INFO ");
    case LogLevel::Warn: return QStringLiteral("WARN ");
    case LogLevel::Error: return QStringLiteral("ERROR");
    }
    return QStringLiteral("?????");
}

void WriteLog(const QString& message, LogLevel level, const QString& detail)
{
    LogState& s = state();
    if (s.path.isEmpty() || !LevelOn(level))
        return;
    QString line = LevelPrefix(level) + QStringLiteral(": ") + FileBaseName(QCoreApplication::applicationFilePath())
        + QLatin1Char(' ') + Clock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char(' ') + message;
    if (!detail.isEmpty())
        line += QStringLiteral(" (") + detail + QLatin1Char(')');
    appendLine(s.path, line, s.logFailed);
}

void WriteSqlLog(const QString& sql, LogLevel level)
{
    LogState& s = state();
    if (s.sqlPath.isEmpty() || !LevelOn(level))
        return;
    appendLine(s.sqlPath, sql + QLatin1Char(';'), s.sqlLogFailed);
}

void OpenLog(const QString& path)
{
    state().path = path;
    WriteLog(QStringLiteral("Logfile is opened."), LogLevel::Info, path);
}

void CloseLog()
{
    LogState& s = state();
    if (s.path.isEmpty())
        return;
    WriteLog(QStringLiteral("Logfile is closed."), LogLevel::Info, s.path);
    s.path.clear();
}

void SetSqlLog(const QString& path) { state().sqlPath = path; }
void CloseSqlLog() { state().sqlPath.clear(); }
void SetLevel(LogLevel level, bool on) { state().levels[static_cast<int>(level)] = on; }
bool LevelOn(LogLevel level) { return state().levels[static_cast<int>(level)]; }
QString LogPath() { return state().path; }
QString SqlLogPath() { return state().sqlPath; }

void ResetLogFailureFlags()
{
    state().logFailed = false;
    state().sqlLogFailed = false;
}
