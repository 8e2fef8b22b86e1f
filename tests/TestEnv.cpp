#include "TestEnv.h"

#include "core/uClock.h"
#include "core/uDialogs.h"
#include "core/uLog.h"
#include "core/uSystem.h"
#include "db/uDB_FB.h"
#include "db/uProjectDB.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

#include <stdexcept>

TestEnv::TestEnv()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    QDir(m_dir.path()).mkpath(QStringLiteral("program/data"));
    QDir(m_dir.path()).mkpath(QStringLiteral("registry/user"));
    QDir(m_dir.path()).mkpath(QStringLiteral("registry/machine"));
    SetExeDirForTesting(programDir());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path() + QStringLiteral("/registry/user"));
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, m_dir.path() + QStringLiteral("/registry/machine"));
    Dialogs::setTestMode(true);
    Dialogs::reset();
    Clock::setFixed(QDateTime(QDate(2026, 12, 11), QTime(14, 5, 0)));
    SetLevel(LogLevel::Debug, false);
    ResetLogFailureFlags();
    RegisterMoneyMetaType();
}

TestEnv::~TestEnv()
{
    CloseLog();
    CloseSqlLog();
    SetExeDirForTesting(QString());
    Clock::setFixed(QDateTime());
    Dialogs::reset();
}

QString TestEnv::programDir() const
{
    return m_dir.path() + QStringLiteral("/program/");
}

QString TestEnv::dataDir() const
{
    return programDir() + QStringLiteral("data/");
}

QString TestEnv::templateDb()
{
    const QString path = qEnvironmentVariable("ZUNO_TEMPLATE_DB");
    if (path.isEmpty() || !QFile::exists(path))
        throw std::runtime_error("the template database is missing (ZUNO_TEMPLATE_DB)");
    return path;
}

void TestEnv::copyTemplate() const
{
    const QString target = dataDir() + QStringLiteral("oddil.FDB");
    QFile::remove(target);
    if (!QFile::copy(templateDb(), target))
        throw std::runtime_error("cannot copy the template database");
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
}

std::unique_ptr<TProjectDB> TestEnv::openProject() const
{
    copyTemplate();
    return std::make_unique<TProjectDB>(QStringLiteral("ZUNO"), true, true, QString(), QStringLiteral("oddil"), QString());
}

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString ReadText(const QString& path)
{
    return QString::fromUtf8(ReadBytes(path));
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a test file");
}

qint64 QueryInt(const QString& sql)
{
    auto q = xSQLOpen(sql, true);
    return q->Fetch() ? q->GetInteger(q->ColumnName(0)) : 0;
}
