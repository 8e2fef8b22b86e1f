#pragma once

#include "core/uSystem.h"
#include "ui/SForm.h"

#include <memory>

class TProjectDB;
namespace Ui { class TfrmUpgrade; }

// What the upgrade window does: convert the data of an older major version
// into the empty database of the program's version, bring the procedures of
// an older minor version up to date, or put the empty database in place.
enum TUpgradeMode : int { umNothing = 0, umConversion = 1, umProcedures = 2, umEmpty = 3 };

// "Aktualizace databáze": brings the database to the program's schema
// version (SchemaVersion of the application object), each step a line of
// its log. It backs the database up first; when a step fails it offers the
// database from before, and it never leaves the program without a connection.
class TfrmUpgrade : public TSForm
{
    Q_OBJECT

public:
    TfrmUpgrade(TProjectDB* app, TUpgradeMode mode, QWidget* parent = nullptr);
    ~TfrmUpgrade() override;

    // Runs the work once, whether the window is shown or not, and enables OK.
    // True when it completed and the database has the program's version.
    bool Run();
    TUpgradeMode Mode() const { return m_mode; }

private:
    void progress(const QString& line);
    bool makeBackup();
    void convert(const TVersion& old);
    void runProcedures();
    void openNewDatabase(const TVersion& old);
    void putBackOld();
    void resetGenerators();
    void failed(const QString& errorText);
    void ensureConnected();

    std::unique_ptr<Ui::TfrmUpgrade> ui;
    TProjectDB* m_app;
    TUpgradeMode m_mode;
    QString m_backup; // the backup made first; empty when there is none
    QString m_kept;   // the previous database file while it lies beside the new one
};

// The version check at start. Compares the database's version with the
// program's; a newer database, an older one or one of a test build is put
// to the user, and the upgrade window runs in the mode chosen. Returns the
// window's modal result (mrOK), or 0 when nothing was done. Throws
// TAppTerminate(0) when the user chooses to end the program.
int CheckVersion(TProjectDB* app, bool upgradable);

// "Smazat všechny data ...": after the user confirms, replaces the database by
// the empty one of the program's version; the previous file stays beside it
// under its version's name. Returns mrOK when the window closed with OK, 0
// when the user declined.
int DeleteAllData(TProjectDB* app);
