#include "db/uProjectDB.h"

#include "core/uClock.h"
#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uGUI.h"
#include "core/uLog.h"
#include "core/uRegistry.h"
#include "db/FbClient.h"
#include "db/uBackupFile.h"
#include "db/uDatabase.h"
#include "db/uDB_FB.h"
#include "db/uDB_Script.h"

#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>

namespace {
// The administrator password of the embedded engine; a server's own comes from the registry.
const QString kAdminPassword = QStringLiteral("plumtrees");
} // namespace

QStringList EngineFiles()
{
    // The character-set module, the engine itself and the client library.
    return {QStringLiteral("intl/libfbintl.so"), QStringLiteral("plugins/libEngine12.so"), fb::ClientLibraryFile()};
}

TProjectDB::TProjectDB(const QString& appName, bool logging, bool makeDefault, const QString& role, const QString& dbName,
                       const QString& server)
    : TProject(appName, logging)
{
    Q_UNUSED(server);
    const QString root = fb::EngineRoot();
    for (const QString& file : EngineFiles()) {
        if (!QFileInfo::exists(root + file))
            throw TTalbreckException(QStringLiteral("Aplikace nemůže najít soubor \"") + root + file + QStringLiteral("\"."));
    }

    DbName = dbName;

    QString loadError;
    if (!fb::LoadClient(&loadError)) {
        ShowError(QStringLiteral("Knihovna ") + QFileInfo(fb::ClientLibraryFile()).fileName() + QStringLiteral(" nenalezena. \r\n")
                  + loadError);
        WriteLog(loadError, LogLevel::Error);
        throw TAppTerminate(1);
    }
    Database = std::make_unique<TDatabase>();

    auto addRole = [this, &role]() {
        if (role.isEmpty())
            return;
        WriteLog(QStringLiteral("Role: ") + role, LogLevel::Info);
        Database->Params << QStringLiteral("sql_role_name=") + role;
    };

    const QString localFile = DatabaseFile();
    if (QFileInfo::exists(localFile)) {
        WriteLog(QStringLiteral("Embedded verze"), LogLevel::Info);
        Embedded = true;
        Database->DatabaseName = localFile;
        WriteLog(QStringLiteral("Database: ") + localFile, LogLevel::Info);
        Database->Params << QStringLiteral("user_name=sysdba") << QStringLiteral("password=") + kAdminPassword
                         // Only the engine in this process may open the file: never a server by the back door.
                         << QStringLiteral("config=Providers=Engine12");
        addRole();
    } else {
        const QString database = RegReadString(RegKey, QStringLiteral("database"), QString());
        if (database.isEmpty()) {
            ShowError(QStringLiteral("Databáze \"") + localFile + QStringLiteral("\" neexistuje. Aplikace bude ukončena."));
            throw TAppTerminate(1);
        }
        const QString user = RegReadString(RegKey, QStringLiteral("user"), QStringLiteral("sysdba"));
        const QString password = RegReadString(RegKey, QStringLiteral("password"), kAdminPassword);
        Embedded = false;
        WriteLog(QStringLiteral("Síťová verze"), LogLevel::Info);
        WriteLog(QStringLiteral("Database: ") + database + QStringLiteral(", User: ") + user, LogLevel::Info);
        WriteLog(QStringLiteral("Password: ") + password, LogLevel::Debug);
        Database->DatabaseName = database;
        Database->Params << QStringLiteral("user_name=") + user << QStringLiteral("password=") + password;
        addRole();
    }
    Database->Params << QStringLiteral("lc_ctype=WIN1250");
    if (makeDefault)
        SetDefaultDatabase(Database.get());

    Connect();
    WriteLog(Database->ServerVersion(), LogLevel::Info);
    SetSqlLog(DataDir + QStringLiteral("SQL.log"));
}

TProjectDB::~TProjectDB()
{
    if (Database) {
        Disconnect();
        if (DefaultDatabase() == Database.get())
            SetDefaultDatabase(nullptr);
        Database.reset();
    }
    CloseSqlLog();
}

QString TProjectDB::DatabaseFile() const
{
    return DataDir + DbName + QStringLiteral(".FDB");
}

void TProjectDB::Connect()
{
    try {
        Database->Connect();
    } catch (const Firebird::FbException& e) {
        const QString text = fb::Describe(e).text;
        if (text.startsWith(QLatin1String("I/O error")))
            throw TTalbreckException(
                QStringLiteral("Aplikace nemůže otevřít databázi. Pravděpodobně již máte ZUNO jednou spuštěné."), text);
        throw TTalbreckException(QStringLiteral("Chyba při připojení k databázi"), text);
    }
    WriteLog(QStringLiteral("Aplikace se připojila k databázi."), LogLevel::Debug);
}

void TProjectDB::Disconnect()
{
    if (!Database || !Database->Connected())
        return;
    Database->Disconnect();
    WriteLog(QStringLiteral("Aplikace se odpojila od databáze."), LogLevel::Debug);
}

TVersion TProjectDB::GetDbVersion()
{
    auto q = xSQLOpen(QStringLiteral("select * from od_verze"), true);
    TVersion v;
    if (q->Fetch()) {
        v.Verze = static_cast<int>(q->GetInteger(QStringLiteral("Verze")));
        v.Podverze = static_cast<int>(q->GetInteger(QStringLiteral("Podverze")));
    }
    return v;
}

bool TProjectDB::CheckVersion(bool upgradable)
{
    // The comparison with the program's schema and the upgrade window come with the maintenance tools.
    Q_UNUSED(upgradable);
    return false;
}

QString TProjectDB::DefaultBackupFolder() const
{
    QString folder = RegReadString(RegKey, QStringLiteral("bk_adresar"), DataDir + QStringLiteral("zaloha/"));
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString TProjectDB::BackupStamp()
{
    return Clock::now().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
}

QString TProjectDB::BackupEntryName() const
{
    return DbName + QStringLiteral(".fdb");
}

namespace {

const QString kServerBackup = QStringLiteral(
    "Databáze je uložena na serveru. Zálohu a obnovu dat je třeba provést na serveru, ne v tomto počítači.");

} // namespace

bool TProjectDB::Backup(const QString& folderArg, const QString& nameArg, bool silent,
                        const std::function<void(qint64, qint64)>& progress)
{
    TWaitCursor busy;
    const QString name = nameArg.isEmpty() ? BackupStamp() + QStringLiteral(".sbk") : nameArg;
    QString folder = folderArg.isEmpty() ? DefaultBackupFolder() : folderArg;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    WriteLog(QStringLiteral("Záloha databáze."), LogLevel::Debug, folder + name);
    if (!Embedded) {
        ShowError(QStringLiteral("Při vytváření zálohy nastala chyba. \r\n\r\nPopis: ") + kServerBackup);
        return false;
    }
    bool ok = true;
    Disconnect();
    try {
        QDir().mkpath(folder);
        BackupFile::Write(folder + name, DatabaseFile(), BackupEntryName(), progress);
    } catch (const TTalbreckException& e) {
        ok = false;
        ShowError(QStringLiteral("Při vytváření zálohy nastala chyba. \r\n\r\nPopis: ") + e.Text());
    }
    Connect();
    if (ok && !silent)
        ShowInfo(QStringLiteral("Záloha dat proběhla v pořádku."));
    return ok;
}

void TProjectDB::Restore(const QString& file, bool silent, bool checkVersion)
{
    TWaitCursor busy;
    WriteLog(QStringLiteral("Obnova databáze."), LogLevel::Debug, file);
    if (!Embedded)
        throw TTalbreckException(QStringLiteral("Data nelze obnovit ze zálohy."), kServerBackup);

    // Unpack and check the backup while the live database is untouched.
    const QString live = DatabaseFile();
    const QString unpacked = DataDir + DbName + QStringLiteral(".obnova.tmp");
    const QString aside = DataDir + DbName + QStringLiteral(".pred-obnovou.tmp");
    BackupFile::Extract(file, BackupEntryName(), unpacked, RestoreProgress);

    Disconnect();
    QFile::remove(aside);
    if (!QFile::rename(live, aside)) {
        QFile::remove(unpacked);
        Connect();
        throw TTalbreckException(QStringLiteral("Data nelze obnovit ze zálohy."),
                                 QStringLiteral("Soubor \"") + live + QStringLiteral("\" nelze přejmenovat."));
    }
    auto putBack = [&] {
        QFile::remove(live);
        QFile::rename(aside, live);
        QFile::remove(unpacked);
        Connect();
    };
    if (!QFile::rename(unpacked, live)) {
        putBack();
        throw TTalbreckException(QStringLiteral("Data nelze obnovit ze zálohy."),
                                 QStringLiteral("Soubor \"") + unpacked + QStringLiteral("\" nelze přejmenovat."));
    }
    try {
        Connect();
    } catch (const TTalbreckException& e) {
        putBack();
        throw TTalbreckException(QStringLiteral("Databázi ze zálohy nelze otevřít; data zůstala beze změny."), e.Text());
    }
    QFile::remove(aside);

    if (checkVersion)
        CheckVersion(true);
    if (!silent)
        ShowInfo(QStringLiteral("Obnova dat proběhla úspěšně."));
}

void TProjectDB::RunStartupScripts()
{
    const QString folder = DataDir + QStringLiteral("script/");
    QDir dir(folder);
    if (!dir.exists())
        return;
    const QStringList scripts = dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : scripts) {
        if (Confirm(QStringLiteral("Chcete spustit update \"") + name.chopped(4) + QStringLiteral("\"?"))) {
            try {
                ExecScriptFile(folder + name);
            } catch (const TTalbreckException& e) {
                throw TTalbreckException(QStringLiteral("Chyba při vykonání SQL skriptu \"") + folder + name + QStringLiteral("\"."),
                                         e.Text());
            }
            WriteLog(QStringLiteral("Spuštěn SQL skript (start aplikace): ") + name, LogLevel::Info);
        }
        // Archive the script, run or declined, so that it is offered only once.
        const QString archive = folder + QStringLiteral("spusteno/");
        QDir().mkpath(archive);
        QFile::remove(archive + name);
        if (!QFile::rename(folder + name, archive + name))
            WriteLog(QStringLiteral("Skript nelze přesunout do archivu: ") + name, LogLevel::Warn, archive);
    }
}
