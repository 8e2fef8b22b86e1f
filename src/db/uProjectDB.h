#pragma once

#include "core/uProject.h"
#include "core/uSystem.h"

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
    virtual void Restore(const QString& file, bool silent, bool checkVersion);

    void Connect();
    void Disconnect();
    // The version stored in the database.
    TVersion GetDbVersion();
    // Offers every script waiting in the data folder's "script" folder, once.
    void RunStartupScripts();

    // The embedded database file: DataDir + DbName + ".FDB".
    QString DatabaseFile() const;

    QString DbName;
    TVersion SchemaVersion;
    bool Embedded = false;
    std::unique_ptr<TDatabase> Database;
};

// The engine files checked at start, relative to the engine root, in order.
QStringList EngineFiles();
