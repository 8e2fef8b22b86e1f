#pragma once

#include "core/uProject.h"
#include "core/uSystem.h"

#include <functional>
#include <memory>

class TDatabase;

// The application object with its database: checks the engine files, opens
// the database file in the data folder with the embedded engine (or, without
// that file, the server database named in the registry) and becomes the
// default connection of every query.
class TProjectDB : public TProject
{
public:
    // Throws TTalbreckException for a missing engine file or a failed
    // connection, TAppTerminate when the reason has been shown already.
    TProjectDB(const QString& appName, bool logging, bool makeDefault, const QString& role, const QString& dbName,
               const QString& server);
    ~TProjectDB() override;

    // The version check with upgrade; true when the upgrade window closed with OK.
    virtual bool CheckVersion(bool upgradable);

    // Packs the database file into folder + name (empty: the default folder,
    // the time stamp + ".sbk") with the connection closed, and reconnects.
    // A failure is shown in an error box and gives false; unless silent, a
    // success is announced.
    bool Backup(const QString& folder = {}, const QString& name = {}, bool silent = false,
                const std::function<void(qint64, qint64)>& progress = {});
    // Replaces the database by the one in the backup. The backup is unpacked
    // and checked beside the live file first; the live file is put aside and
    // comes back, connected, when anything fails. Raises TTalbreckException.
    virtual void Restore(const QString& file, bool silent, bool checkVersion);
    // The folder for backups, with a trailing slash: the registry value
    // "bk_adresar" or the data folder's "zaloha".
    QString DefaultBackupFolder() const;
    // The current time as "yyyy-mm-dd_hh-nn-ss".
    static QString BackupStamp();
    // The name of the database inside a backup.
    QString BackupEntryName() const;

    void Connect();
    void Disconnect();
    // The version stored in the database.
    TVersion GetDbVersion();
    // Offers every script waiting in the data folder's "script" folder, once.
    void RunStartupScripts();

    // The embedded database file: DataDir + DbName + ".FDB".
    QString DatabaseFile() const;

    // Told how far a restore has come (bytes done, bytes in all); a window
    // that restores sets it for the time of its work.
    std::function<void(qint64, qint64)> RestoreProgress;

    QString DbName;
    TVersion SchemaVersion;
    bool Embedded = false;
    std::unique_ptr<TDatabase> Database;
};

// The engine files checked at start, relative to the engine root, in order.
QStringList EngineFiles();
