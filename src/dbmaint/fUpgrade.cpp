#include "dbmaint/fUpgrade.h"
#include "ui_fUpgrade.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uGUI.h"
#include "core/uLog.h"
#include "db/FbClient.h"
#include "db/uDatabase.h"
#include "db/uDB_FB.h"
#include "db/uDB_Script.h"
#include "db/uExtract.h"
#include "db/uProjectDB.h"
#include "db/Win1250.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QFileInfo>

namespace {

// Firebird's longest name; a work table "OLD_" + name must fit.
constexpr int kMaxIdentifier = 31;

// The database's version; one that cannot be read counts as 0.0.
TVersion databaseVersion(TProjectDB* app)
{
    try {
        return app->GetDbVersion();
    } catch (const TTalbreckException&) {
        return TVersion {};
    }
}

QString twoDigits(int n)
{
    return ZeroPad(QString::number(n), 2);
}

// The user tables of the connected database (no system tables, no views), by name.
QStringList userTables()
{
    QStringList tables;
    auto q = xSQLOpen(QStringLiteral("select rdb$relation_name from rdb$relations where coalesce(rdb$system_flag, 0) = 0 "
                                     "and rdb$view_blr is null order by rdb$relation_name"),
                      true);
    while (q->Fetch())
        tables << q->GetText(0).trimmed();
    return tables;
}

// The work tables and their rows go in within one transaction each: a commit
// for each of many thousand rows would make a large conversion crawl, and an
// error that the engine reports only at the commit is not lost.
void execInOneTransaction(TDatabase* db, const QStringList& statements)
{
    Firebird::ITransaction* tra = nullptr;
    const QString* current = nullptr;
    try {
        fb::Status st;
        tra = db->Attachment()->startTransaction(&st, 0, nullptr);
        for (const QString& statement : statements) {
            current = &statement;
            const QByteArray text = Win1250::encode(statement);
            db->Attachment()->execute(&st, tra, static_cast<unsigned>(text.size()), text.constData(), 3, nullptr, nullptr,
                                      nullptr, nullptr);
        }
        current = nullptr;
        tra->commit(&st);
    } catch (const Firebird::FbException& e) {
        const QString error = fb::Describe(e).text;
        if (tra) {
            try {
                fb::Status st;
                tra->rollback(&st);
            } catch (...) {
                tra->release();
            }
        }
        throw TTalbreckException(QStringLiteral("Chyba při zpracování SQL: ") + (current ? *current : QStringLiteral("commit")),
                                 error);
    }
}

} // namespace

TfrmUpgrade::TfrmUpgrade(TProjectDB* app, TUpgradeMode mode, QWidget* parent)
    : TSForm(parent)
    , ui(std::make_unique<Ui::TfrmUpgrade>())
    , m_app(app)
    , m_mode(mode)
{
    ui->setupUi(this);
    ui->STitle1->SetCaption(windowTitle());
}

TfrmUpgrade::~TfrmUpgrade() = default;

void TfrmUpgrade::progress(const QString& line)
{
    ui->memLog->appendPlainText(line);
    WriteLog(QStringLiteral("Upgrade databaze: ") + line, LogLevel::Debug);
    // The work runs without an event loop: the line is painted at once.
    if (isVisible())
        repaint();
}

bool TfrmUpgrade::Run()
{
    TWaitCursor busy;
    ui->cmdOK->setEnabled(false);
    ui->memLog->clear();
    m_backup.clear();
    m_kept.clear();
    const TVersion program = m_app->SchemaVersion;
    const TVersion old = databaseVersion(m_app);
    bool ok = false;
    try {
        progress(m_mode == umEmpty ? QStringLiteral("Otevření prázdné databáze verze: ") + VersionToText(program)
                                   : QStringLiteral("Převod databáze na verzi: ") + VersionToText(program));
        progress(QStringLiteral("Verze aktuální databáze: ") + VersionToText(old));
        if (makeBackup()) {
            switch (m_mode) {
            case umConversion: convert(old); break;
            case umProcedures: runProcedures(); break;
            case umEmpty:
                openNewDatabase(old);
                progress(QStringLiteral("Stará databáze byla úspěšně nahrazena novou prázdnou databází."));
                break;
            case umNothing: break;
            }
            const TVersion now = m_app->GetDbVersion();
            if (now != program)
                throw TTalbreckException(QStringLiteral("Verze databáze po převodu nesouhlasí s očekávanou verzí."),
                                         QStringLiteral("verze po převodu: ") + VersionToText(now)
                                             + QStringLiteral(", očekávaná verze: ") + VersionToText(program));
            ok = true;
        }
    } catch (const TTalbreckException& e) {
        failed(e.Text());
    } catch (const std::exception& e) {
        failed(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        failed(QStringLiteral("Neznámá chyba."));
    }
    ensureConnected();
    ui->cmdOK->setEnabled(true);
    return ok;
}

bool TfrmUpgrade::makeBackup()
{
    progress(QStringLiteral("Zálohuji současnou databázi."));
    const QString name = TProjectDB::BackupStamp() + QStringLiteral(" upgrade ") + VersionToText(m_app->SchemaVersion)
        + QStringLiteral(".sbk");
    if (m_app->Backup(QString(), name, true)) {
        m_backup = m_app->DefaultBackupFolder() + name;
        return true;
    }
    // The failure has been shown. Without a backup a failed step could not be undone.
    if (MessageDlg(QStringLiteral("Zálohu databáze se nepodařilo vytvořit. Když se aktualizace nepovede, nebude možné "
                                  "databázi obnovit ze zálohy.\r\n\r\nChcete přesto pokračovat v aktualizaci databáze ?"),
                   TMsgKind::Warning, TMsgButtons::YesNo)
        == TMsgResult::Yes) {
        progress(QStringLiteral("Aktualizace pokračuje bez zálohy."));
        return true;
    }
    progress(QStringLiteral("Aktualizace databáze byla přerušena, databáze zůstala beze změny."));
    return false;
}

void TfrmUpgrade::convert(const TVersion& old)
{
    const TVersion program = m_app->SchemaVersion;
    const QString stem = m_app->DataDir + QStringLiteral("upgrade/") + twoDigits(program.Verze) + QLatin1Char('-')
        + twoDigits(old.Verze);
    const QString script = stem + QStringLiteral(".sql");
    const QString before = stem + QStringLiteral(" before.sql");
    const QString after = stem + QStringLiteral(" after.sql");
    if (!QFileInfo::exists(script))
        throw TTalbreckException(QStringLiteral("Nenalezen skript pro převod databáze z verze ") + VersionToText(old)
                                 + QStringLiteral(" na verzi ") + VersionToText(program));

    if (QFileInfo::exists(before)) {
        progress(QStringLiteral("Úprava databáze před vytažením dat."));
        ExecScriptFile(before);
    }

    progress(QStringLiteral("Vytažení dat ze staré databáze."));
    QStringList creates;
    QStringList drops;
    QStringList inserts;
    for (const QString& table : userTables()) {
        const QString work = QStringLiteral("OLD_") + table;
        if (work.size() > kMaxIdentifier)
            throw TTalbreckException(QStringLiteral("Tabulku \"") + table + QStringLiteral("\" nelze převést."),
                                     QStringLiteral("Název pracovní tabulky \"") + work + QStringLiteral("\" je příliš dlouhý."));
        const QString ddl = TableDDL(table, work);
        WriteLog(ddl, LogLevel::Debug);
        creates << ddl;
        drops << QStringLiteral("drop table ") + work + QLatin1Char(';');
        inserts << TableInserts(table, work);
    }

    openNewDatabase(old);

    progress(QStringLiteral("Vytvoření pracovních tabulek."));
    execInOneTransaction(m_app->Database.get(), creates);
    progress(QStringLiteral("Zápis dat do pracovních tabulek."));
    execInOneTransaction(m_app->Database.get(), inserts);
    progress(QStringLiteral("Převod dat na novou strukturu."));
    ExecScriptFile(script);
    progress(QStringLiteral("Přepočítání hodnot generátorů."));
    resetGenerators();
    if (QFileInfo::exists(after)) {
        progress(QStringLiteral("Úprava databáze po převodu dat."));
        ExecScriptFile(after);
    }
    progress(QStringLiteral("Vymazání pomocných tabulek."));
    // A new connection, so that nothing holds the work tables any more.
    m_app->Disconnect();
    m_app->Connect();
    // A work table that stays behind harms nothing: its failure is only logged.
    for (const QString& drop : std::as_const(drops)) {
        try {
            xSQLOpen(drop, false);
        } catch (const TTalbreckException& e) {
            WriteLog(e.Text(), LogLevel::Warn);
        }
    }
    progress(QStringLiteral("Převod databáze byl úspěšně dokončen."));
}

void TfrmUpgrade::runProcedures()
{
    progress(QStringLiteral("Úprava databáze."));
    ExecScriptFile(m_app->DataDir + QStringLiteral("upgrade/proc.sql"));
    progress(QStringLiteral("Převod databáze byl úspěšně dokončen."));
}

void TfrmUpgrade::openNewDatabase(const TVersion& old)
{
    progress(QStringLiteral("Otevření nového formátu databáze."));
    const QString live = m_app->DatabaseFile();
    const QString kept = m_app->DataDir + m_app->DbName + QLatin1Char(' ') + VersionToText(old) + QStringLiteral(".fdb");
    const QString empty = m_app->DataDir + QStringLiteral("upgrade/") + m_app->DbName + QStringLiteral(".fdb");
    const QString copyError = QStringLiteral("Soubor \"") + empty + QStringLiteral("\" nelze zkopírovat.");
    if (!m_app->Embedded)
        throw TTalbreckException(QStringLiteral("Databázi na serveru nelze nahradit."),
                                 QStringLiteral("Databázi je třeba převést nebo vyměnit na serveru."));
    if (!QFileInfo(empty).isFile())
        throw TTalbreckException(copyError, QStringLiteral("Soubor neexistuje."));

    m_app->Disconnect();
    QFile::remove(kept);
    if (!QFile::rename(live, kept)) {
        ensureConnected();
        throw TTalbreckException(QStringLiteral("Soubor \"") + live + QStringLiteral("\" nelze přejmenovat."));
    }
    m_kept = kept;
    try {
        if (!QFile::copy(empty, live))
            throw TTalbreckException(copyError);
        // The new file is the club's database now: as private as the old one, and writable.
        QFile::setPermissions(live, QFile::permissions(kept) | QFile::ReadOwner | QFile::WriteOwner);
        m_app->Connect();
        const TVersion v = m_app->GetDbVersion();
        if (v != m_app->SchemaVersion)
            throw TTalbreckException(QStringLiteral("Nová databáze není požadovaná verze. Verze databáze: ")
                                     + QString::number(v.Verze) + QLatin1Char('.') + QString::number(v.Podverze));
    } catch (...) {
        putBackOld();
        throw;
    }
}

void TfrmUpgrade::putBackOld()
{
    const QString live = m_app->DatabaseFile();
    m_app->Disconnect();
    QFile::remove(live);
    if (!QFile::rename(m_kept, live)) {
        WriteLog(QStringLiteral("Původní databázi nelze vrátit na místo."), LogLevel::Error, m_kept);
        return;
    }
    m_kept.clear();
    progress(QStringLiteral("Původní databáze byla vrácena na místo."));
    try {
        m_app->Connect();
    } catch (const TTalbreckException& e) {
        WriteLog(e.Text(), LogLevel::Error);
    }
}

void TfrmUpgrade::resetGenerators()
{
    QStringList generators;
    {
        auto q = xSQLOpen(QStringLiteral("select rdb$generator_name from rdb$generators where coalesce(rdb$system_flag, 0) = 0"),
                          true);
        while (q->Fetch())
            generators << q->GetText(0).trimmed();
    }
    for (const QString& generator : std::as_const(generators)) {
        // GEN_<table>_ID belongs to <table>; any other generator keeps its value.
        const QString table = generator.mid(4, generator.size() - 7);
        bool hasId = false;
        if (generator.size() > 7 && IsPlainIdentifier(generator)) {
            auto q = xSQLOpen(QStringLiteral("select count(*) as N from rdb$relation_fields where rdb$relation_name = '") + table
                                  + QStringLiteral("' and rdb$field_name = 'ID'"),
                              true);
            hasId = q->Fetch() && q->GetInteger(QStringLiteral("N")) > 0;
        }
        if (!hasId) {
            WriteLog(QStringLiteral("Generátor nepatří k tabulce s ID, jeho hodnota zůstává."), LogLevel::Warn, generator);
            continue;
        }
        QString value = QStringLiteral("0");
        {
            auto q = xSQLOpen(QStringLiteral("select Max(ID) as Pocet from ") + table, true);
            if (q->Fetch() && !q->IsNull(QStringLiteral("Pocet")))
                value = q->GetText(QStringLiteral("Pocet"));
        }
        xSQLOpen(QStringLiteral("SET GENERATOR ") + generator + QStringLiteral(" TO ") + value, false);
    }
}

void TfrmUpgrade::failed(const QString& errorText)
{
    progress(QStringLiteral("Při aktualizaci databáze došlo k chybě."));
    WriteLog(errorText, LogLevel::Error);
    ensureConnected();
    const QString description = QStringLiteral("\r\n\r\nPopis chyby: \r\n") + errorText;
    if (!m_backup.isEmpty() && QFileInfo::exists(m_backup)) {
        if (MessageDlg(QStringLiteral("Při aktualizaci databáze došlo k chybě. \r\nChcete obnovit databázi do stavu před převodem "
                                      "na novou verzi ?")
                           + description,
                       TMsgKind::Error, TMsgButtons::YesNo)
            == TMsgResult::Yes) {
            try {
                m_app->Restore(m_backup, false, false);
                progress(QStringLiteral("Databáze byla obnovena ze zálohy."));
            } catch (const TTalbreckException& e) {
                WriteLog(e.Text(), LogLevel::Error);
                ShowError(e.Text());
            } catch (const std::exception& e) {
                ShowError(QString::fromLocal8Bit(e.what()));
            }
        }
    } else if (!m_kept.isEmpty()) {
        // No backup, but the database from before still lies beside the new one.
        if (MessageDlg(QStringLiteral("Při aktualizaci databáze došlo k chybě. \r\nZáloha databáze neexistuje. Chcete vrátit "
                                      "původní databázi ?")
                           + description,
                       TMsgKind::Error, TMsgButtons::YesNo)
            == TMsgResult::Yes)
            putBackOld();
    } else {
        MessageDlg(QStringLiteral("Při aktualizaci databáze došlo k chybě.") + description, TMsgKind::Error);
    }
    if (!m_kept.isEmpty() && QFileInfo::exists(m_kept))
        progress(QStringLiteral("Původní databáze je uložena v souboru \"") + m_kept + QStringLiteral("\"."));
    ensureConnected();
}

void TfrmUpgrade::ensureConnected()
{
    if (m_app->Database->Connected())
        return;
    try {
        m_app->Connect();
        return;
    } catch (const TTalbreckException& e) {
        WriteLog(e.Text(), LogLevel::Error);
    }
    // The file in place cannot be opened; the one from before can.
    if (!m_kept.isEmpty() && QFileInfo::exists(m_kept))
        putBackOld();
    if (!m_app->Database->Connected())
        ShowError(QStringLiteral("Aplikace se nemůže připojit k databázi \"") + m_app->DatabaseFile() + QStringLiteral("\"."));
}

// ---------------------------------------------------------------- version check

namespace {

int runWindow(TProjectDB* app, TUpgradeMode mode)
{
    TfrmUpgrade window(app, mode, QApplication::activeWindow());
    if (Dialogs::testMode()) {
        window.Run();
        return mrOK; // as the user closing it with OK
    }
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    window.Run();
    return window.ShowModal();
}

} // namespace

int CheckVersion(TProjectDB* app, bool upgradable)
{
    const TVersion program = app->SchemaVersion;
    const TVersion db = databaseVersion(app);
    const QString versions = QStringLiteral("Verze Vaší databáze: ") + VersionToText(db) + QStringLiteral("\r\n")
        + QStringLiteral("Verze databáze podporovaná programem: ") + VersionToText(program) + QStringLiteral("\r\n\r\n");

    TUpgradeMode mode = umNothing;
    if (db > program) {
        const QString text = QStringLiteral("Databáze je novější než program. \r\nTato verze programu neumí s touto verzí databáze "
                                            "pracovat.\r\n\r\nVerze databáze: ")
            + VersionToText(db) + QStringLiteral("\r\n") + QStringLiteral("Verze databáze podporovaná programem: ")
            + VersionToText(program) + QStringLiteral("\r\n\r\nChcete ukončit program?\r\n\r\nAno - ukončit program\r\n"
                                                      "Ne - otevřít prázdnou databázi");
        if (MessageDlg(text, TMsgKind::Error, TMsgButtons::YesNo) == TMsgResult::Yes)
            throw TAppTerminate(0);
        mode = umEmpty;
    } else if (db.Verze < program.Verze) {
        mode = umConversion;
    } else if (db.Podverze < program.Podverze) {
        mode = umProcedures;
    }

    const QString older = QStringLiteral("Aplikace nalezla starou verzi databáze, pravděpodobně jste nainstaloval(a) novou verzi "
                                         "aplikace. \r\n\r\n")
        + versions;
    if ((mode == umConversion || mode == umProcedures) && upgradable) {
        switch (MessageDlg(older + QStringLiteral("Chcete převést data do nové verze databáze nebo otevřít prázdnou databázi ?"
                                                  "\r\n\r\nAno - převést data ze staré verze\r\nNe - otevřít prázdnou databázi"),
                           TMsgKind::Confirmation, TMsgButtons::YesNoCancel)) {
        case TMsgResult::Yes: break;
        case TMsgResult::No: mode = umEmpty; break;
        default: throw TAppTerminate(0);
        }
    } else if (mode == umConversion || mode == umProcedures) {
        if (MessageDlg(older + QStringLiteral("Vaše databáze je z testovací verze aplikace, data proto nelze převést do nové verze "
                                              "databáze.\r\nChcete otevřít prázdnou databázi ?\r\n\r\nAno - otevřít prázdnou "
                                              "databázi\r\nNe - ukončit aplikaci"),
                       TMsgKind::Warning, TMsgButtons::YesNo)
            != TMsgResult::Yes)
            throw TAppTerminate(0);
        mode = umEmpty;
    }

    const int result = mode == umNothing ? 0 : runWindow(app, mode);
    WriteLog(QStringLiteral("Verze databáze: ") + VersionToText(databaseVersion(app)), LogLevel::Debug);
    return result;
}

int DeleteAllData(TProjectDB* app)
{
    if (MessageDlg(QStringLiteral("Chcete nenávratně vymazat všechny data z aplikace?"), TMsgKind::Warning, TMsgButtons::YesNo)
        != TMsgResult::Yes)
        return 0;
    const int result = runWindow(app, umEmpty);
    WriteLog(QStringLiteral("Otevreni ciste db (vymazani vsech dat): ") + VersionToText(databaseVersion(app)), LogLevel::Debug);
    return result;
}
