#include "TestEnv.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uLog.h"
#include "core/uRegistry.h"
#include "core/uSystem.h"
#include "db/uDB_FB.h"
#include "db/uDatabase.h"
#include "db/uProjectDB.h"
#include "dbmaint/fUpgrade.h"
#include "ui/STitle.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kMemberColumns = QStringLiteral("ID, Jmeno, Prijmeni, Poznamka, Prispevek, Narozen, Zmeneno, Aktivni");

void copyFile(const QString& from, const QString& to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        throw std::runtime_error("cannot copy a file");
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a file");
}

void appendFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::Append) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a file");
}

void exec(const QString& sql, TDatabase* db = nullptr)
{
    xSQLOpen(sql, false, db);
}

// Every row of a query, each column as the query layer reads it.
QList<QVariantList> rows(const QString& sql, TDatabase* db = nullptr)
{
    QList<QVariantList> result;
    auto q = xSQLOpen(sql, true, db);
    q->FetchBlobs = true;
    while (q->Fetch()) {
        QVariantList row;
        for (int i = 0; i < q->ColumnCount(); ++i)
            row << q->GetValue(i);
        result << row;
    }
    return result;
}

QList<QVariantList> members(TDatabase* db = nullptr)
{
    return rows(QStringLiteral("select ") + kMemberColumns + QStringLiteral(" from CL_CLEN order by ID"), db);
}

QString setting(const QString& key)
{
    const auto r = rows(QStringLiteral("select Hodnota from OD_Nastaveni where ID = '") + key + QLatin1Char('\''));
    return r.isEmpty() ? QStringLiteral("<none>") : r[0][0].toString();
}

// A setting of the database of version 5.0, whose key column had another name.
QString oldSetting(const QString& key)
{
    const auto r = rows(QStringLiteral("select HODNOTA from OD_NASTAVENI where NAZEV = '") + key + QLatin1Char('\''));
    return r.isEmpty() ? QStringLiteral("<none>") : r[0][0].toString();
}

QStringList userTables()
{
    QStringList names;
    for (const auto& r : rows(QStringLiteral("select trim(rdb$relation_name) from rdb$relations "
                                             "where coalesce(rdb$system_flag, 0) = 0 order by 1")))
        names << r[0].toString();
    return names;
}

void setDbVersion(int major, int minor)
{
    exec(QStringLiteral("create or alter procedure OD_VERZE returns (Verze integer, Podverze integer) as begin "
                        "Verze = %1; Podverze = %2; suspend; end")
             .arg(major)
             .arg(minor));
}

// The progress lines the upgrade wrote to the log.
QStringList progressLines()
{
    QFile f(LogPath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    const QString marker = QStringLiteral("Upgrade databaze: ");
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype at = line.indexOf(marker);
        if (at >= 0)
            lines << line.mid(at + marker.size()).trimmed();
    }
    return lines;
}

QStringList shownTexts()
{
    QStringList texts;
    for (const auto& s : Dialogs::takeShown())
        texts << s.text;
    return texts;
}

void answer(std::initializer_list<TMsgResult> answers)
{
    for (TMsgResult a : answers)
        Dialogs::setNextAnswer(a);
}

const QString kFailureBox = QStringLiteral("Při aktualizaci databáze došlo k chybě. \r\nChcete obnovit databázi do stavu "
                                           "před převodem na novou verzi ?\r\n\r\nPopis chyby: \r\n");

} // namespace

class TestUpgrade : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectDB> app;

    QString data(const QString& name) const { return env->dataDir() + name; }

    void open(TVersion program = {6, 0})
    {
        app = std::make_unique<TProjectDB>(QStringLiteral("ZUNO"), true, true, QString(), QStringLiteral("oddil"), QString());
        app->SchemaVersion = program;
    }

    // The database of version 5.0 in place, the current empty one and the
    // conversion scripts in "upgrade".
    void openOlder()
    {
        copyFile(QStringLiteral(ZUNO_OLDER50_DB), data(QStringLiteral("oddil.FDB")));
        copyFile(QStringLiteral(ZUNO_CURRENT60_DB), data(QStringLiteral("upgrade/oddil.fdb")));
        for (const QString& script : {QStringLiteral("06-05.sql"), QStringLiteral("06-05 before.sql"), QStringLiteral("06-05 after.sql")})
            copyFile(QStringLiteral(ZUNO_UPGRADE_DATA "/") + script, data(QStringLiteral("upgrade/")) + script);
        open();
    }

    // The template in place with a marker, the schema's empty database in "upgrade".
    void openCurrent(TVersion program = {6, 0})
    {
        env->copyTemplate();
        copyFile(QStringLiteral(ZUNO_SCHEMA_DB), data(QStringLiteral("upgrade/oddil.fdb")));
        open(program);
        exec(QStringLiteral("insert into OD_Nastaveni (ID, Hodnota) values ('X_ZNACKA', 'stará data')"));
    }

    QStringList tmpFiles() const
    {
        return QDir(env->dataDir()).entryList({QStringLiteral("*.tmp")}, QDir::Files);
    }

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<TestEnv>();
        QDir(env->dataDir()).mkpath(QStringLiteral("upgrade"));
    }

    void cleanup()
    {
        app.reset();
        env.reset();
        SetLevel(LogLevel::Debug, false);
    }

    void conversionKeepsEveryValue()
    {
        openOlder();
        const auto oldMembers = members();
        const auto oldRows = rows(QStringLiteral("select ID, NAZEV, CASTKA, DATUM, CAS, POZNAMKA from RADKY order by ID"));
        SetLevel(LogLevel::Debug, true);
        answer({TMsgResult::Yes});
        QCOMPARE(CheckVersion(app.get(), true), int(mrOK));

        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, TMsgKind::Confirmation);
        QCOMPARE(shown[0].buttons, TMsgButtons::YesNoCancel);
        QCOMPARE(shown[0].text,
                 QStringLiteral("Aplikace nalezla starou verzi databáze, pravděpodobně jste nainstaloval(a) novou verzi aplikace. "
                                "\r\n\r\nVerze Vaší databáze: 5.0\r\nVerze databáze podporovaná programem: 6.0\r\n\r\n"
                                "Chcete převést data do nové verze databáze nebo otevřít prázdnou databázi ?\r\n\r\n"
                                "Ano - převést data ze staré verze\r\nNe - otevřít prázdnou databázi"));
        QCOMPARE(progressLines(),
                 (QStringList {QStringLiteral("Převod databáze na verzi: 6.0"), QStringLiteral("Verze aktuální databáze: 5.0"),
                               QStringLiteral("Zálohuji současnou databázi."), QStringLiteral("Úprava databáze před vytažením dat."),
                               QStringLiteral("Vytažení dat ze staré databáze."), QStringLiteral("Otevření nového formátu databáze."),
                               QStringLiteral("Vytvoření pracovních tabulek."), QStringLiteral("Zápis dat do pracovních tabulek."),
                               QStringLiteral("Převod dat na novou strukturu."), QStringLiteral("Přepočítání hodnot generátorů."),
                               QStringLiteral("Úprava databáze po převodu dat."), QStringLiteral("Vymazání pomocných tabulek."),
                               QStringLiteral("Převod databáze byl úspěšně dokončen.")}));

        QCOMPARE(app->GetDbVersion(), (TVersion {6, 0}));
        // Every member with every value; the after script's member continues the IDs.
        auto converted = members();
        QCOMPARE(converted.size(), oldMembers.size() + 1);
        QCOMPARE(converted.mid(0, oldMembers.size()), oldMembers);
        QCOMPARE(converted.last()[0], QVariant(14));
        QCOMPARE(converted.last()[2], QVariant(QStringLiteral("Po převodu")));
        exec(QStringLiteral("insert into CL_CLEN (Prijmeni) values ('Nově zapsaný')"));
        QCOMPARE(members().last()[0], QVariant(15));
        QCOMPARE(rows(QStringLiteral("select Stav from CL_CLEN where ID = 2"))[0][0], QVariant(QStringLiteral("bývalý")));
        // A generator whose table is empty starts again.
        QCOMPARE(rows(QStringLiteral("select gen_id(GEN_CL_RODIC_ID, 0) from rdb$database"))[0][0], QVariant(qint64(0)));

        auto radky = rows(QStringLiteral("select ID, DisplayName, Castka, Datum, Cas, Poznamka from TEST_RADKY order by ID"));
        QCOMPARE(radky.size(), oldRows.size());
        QCOMPARE(radky[0][5], QVariant(QStringLiteral("text 'poznámky'\r\na dál (kurz 25.125)")));
        radky[0][5] = oldRows[0][5];
        QCOMPARE(radky, oldRows);

        QCOMPARE(setting(QStringLiteral("DB_ZalohaInterval")), QStringLiteral("14"));
        QCOMPARE(setting(QStringLiteral("OD_Nazev")), QStringLiteral("Oddíl \"Rosomáci\" '78"));
        QCOMPARE(setting(QStringLiteral("OD_Adresa")), QStringLiteral("Dlouhá 5\r\n110 00 Praha 1"));
        QCOMPARE(setting(QStringLiteral("DB_PuvodniVerze")), QStringLiteral("5.0")); // the before script ran
        QCOMPARE(setting(QStringLiteral("JU")), QStringLiteral("0"));              // the new schema's own

        for (const QString& table : userTables())
            QVERIFY2(!table.startsWith(QLatin1String("OLD_")), qPrintable(table));
        QVERIFY(QFile::exists(data(QStringLiteral("oddil 5.0.fdb"))));
        QVERIFY(QFile::exists(data(QStringLiteral("zaloha/2026-12-11_14-05-00 upgrade 6.0.sbk"))));
    }

    // A step that fails leaves the data of before, connected, once the user takes the offered restore.
    void failedStepIsUndone_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reported"); // part of the error shown
        QTest::newRow("conversion script missing") << "no script" << "Nenalezen skript pro převod databáze z verze 5.0 na verzi 6.0";
        QTest::newRow("before script fails") << "before" << "NEEXISTUJE";
        QTest::newRow("binary data in a table") << "binary" << "Data tabulky \"FOTKY\" nelze převést.";
        QTest::newRow("empty database missing") << "no empty" << "upgrade/oddil.fdb\" nelze zkopírovat.";
        QTest::newRow("empty database cannot be opened") << "garbage" << "Chyba při připojení k databázi";
        QTest::newRow("empty database of another version") << "old empty" << "Nová databáze není požadovaná verze. Verze databáze: 5.0";
        QTest::newRow("a row the new database refuses") << "refused row" << "insert into OLD_CL_CLEN(";
        QTest::newRow("conversion script fails") << "script" << "NEEXISTUJE";
        QTest::newRow("after script fails") << "after" << "NEEXISTUJE";
        QTest::newRow("wrong version after conversion") << "version" << "verze po převodu: 6.1, očekávaná verze: 6.0";
    }

    void failedStepIsUndone()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reported);
        openOlder();
        const auto before = members();
        const QString upgrade = data(QStringLiteral("upgrade/"));
        const QByteArray failing = "\nINSERT INTO NEEXISTUJE VALUES (1);\n";
        if (fault == QLatin1String("no script"))
            QFile::remove(upgrade + QStringLiteral("06-05.sql"));
        else if (fault == QLatin1String("before"))
            appendFile(upgrade + QStringLiteral("06-05 before.sql"), failing);
        else if (fault == QLatin1String("binary"))
            appendFile(upgrade + QStringLiteral("06-05 before.sql"),
                       "CREATE TABLE FOTKY (ID INTEGER, OBRAZEK BLOB SUB_TYPE BINARY);\n"
                       "INSERT INTO FOTKY (ID, OBRAZEK) VALUES (1, x'89504E47');\n");
        else if (fault == QLatin1String("no empty"))
            QFile::remove(upgrade + QStringLiteral("oddil.fdb"));
        else if (fault == QLatin1String("garbage"))
            writeFile(upgrade + QStringLiteral("oddil.fdb"), QByteArray(65536, 'g'));
        else if (fault == QLatin1String("old empty"))
            copyFile(QStringLiteral(ZUNO_OLDER50_DB), upgrade + QStringLiteral("oddil.fdb"));
        else if (fault == QLatin1String("refused row")) {
            TDatabase empty; // a rule for names that one old member breaks
            empty.DatabaseName = upgrade + QStringLiteral("oddil.fdb");
            empty.Params = app->Database->Params;
            empty.Connect();
            exec(QStringLiteral("alter domain D_NAME add check (value <> 'Ó')"), &empty);
        } else if (fault == QLatin1String("script"))
            appendFile(upgrade + QStringLiteral("06-05.sql"), failing);
        else if (fault == QLatin1String("after"))
            appendFile(upgrade + QStringLiteral("06-05 after.sql"), failing);
        else if (fault == QLatin1String("version"))
            appendFile(upgrade + QStringLiteral("06-05 after.sql"),
                       "SET TERM ^ ;\nCREATE OR ALTER PROCEDURE OD_VERZE RETURNS (Verze INTEGER, Podverze INTEGER) AS\n"
                       "BEGIN\n  Verze = 6;\n  Podverze = 1;\n  SUSPEND;\nEND^\nSET TERM ; ^\n");

        answer({TMsgResult::Yes, TMsgResult::Yes}); // convert; restore
        QCOMPARE(CheckVersion(app.get(), true), int(mrOK));
        const QStringList texts = shownTexts();
        QCOMPARE(texts.size(), 3); // the question, the failure, the restore's report
        QVERIFY2(texts[1].startsWith(kFailureBox), qPrintable(texts[1]));
        QVERIFY2(texts[1].contains(reported), qPrintable(texts[1]));
        QCOMPARE(texts[2], QStringLiteral("Obnova dat proběhla úspěšně."));

        // The database of before, connected, with nothing lost and nothing added.
        QCOMPARE(app->GetDbVersion(), (TVersion {5, 0}));
        QCOMPARE(members(), before);
        QCOMPARE(oldSetting(QStringLiteral("DB_PuvodniVerze")), QStringLiteral("<none>"));
        for (const QString& table : userTables())
            QVERIFY2(!table.startsWith(QLatin1String("OLD_")) && table != QLatin1String("FOTKY"), qPrintable(table));
        QCOMPARE(tmpFiles(), QStringList());
    }

    void declinedRestoreKeepsTheOldFile()
    {
        openOlder();
        const auto before = members();
        appendFile(data(QStringLiteral("upgrade/06-05.sql")), "\nINSERT INTO NEEXISTUJE VALUES (1);\n");
        answer({TMsgResult::Yes, TMsgResult::No});
        QCOMPARE(CheckVersion(app.get(), true), int(mrOK));
        // The half-converted database is in place and connected; the old one lies beside it, whole.
        QCOMPARE(app->GetDbVersion(), (TVersion {6, 0}));
        TDatabase old;
        old.DatabaseName = data(QStringLiteral("oddil 5.0.fdb"));
        old.Params = app->Database->Params;
        old.Connect();
        QCOMPARE(members(&old), before);
    }

    void failedBackup_data()
    {
        QTest::addColumn<bool>("goOn");
        QTest::addColumn<bool>("scriptFails");
        QTest::newRow("the user stops") << false << false;
        QTest::newRow("the user goes on") << true << false;
        QTest::newRow("the user goes on and a step fails") << true << true;
    }

    void failedBackup()
    {
        QFETCH(bool, goOn);
        QFETCH(bool, scriptFails);
        openOlder();
        const auto before = members();
        writeFile(data(QStringLiteral("soubor")), "not a folder");
        RegWrite(app->RegKey, QStringLiteral("bk_adresar"), data(QStringLiteral("soubor/zaloha")));
        if (scriptFails)
            appendFile(data(QStringLiteral("upgrade/06-05.sql")), "\nINSERT INTO NEEXISTUJE VALUES (1);\n");
        // convert; the backup's error; go on?; put the old file back?
        answer({TMsgResult::Yes, TMsgResult::Ok, goOn ? TMsgResult::Yes : TMsgResult::No, TMsgResult::Yes});
        QCOMPARE(CheckVersion(app.get(), true), int(mrOK));

        const auto shown = Dialogs::takeShown();
        QVERIFY(shown.size() >= 3);
        QVERIFY(shown[1].text.startsWith(QStringLiteral("Při vytváření zálohy nastala chyba.")));
        QCOMPARE(shown[2].kind, TMsgKind::Warning);
        QVERIFY(shown[2].text.endsWith(QStringLiteral("Chcete přesto pokračovat v aktualizaci databáze ?")));
        if (!goOn) {
            QCOMPARE(shown.size(), 3);
            QCOMPARE(app->GetDbVersion(), (TVersion {5, 0}));
            QCOMPARE(oldSetting(QStringLiteral("DB_PuvodniVerze")), QStringLiteral("<none>")); // nothing ran
            QVERIFY(!QFile::exists(data(QStringLiteral("oddil 5.0.fdb"))));
        } else if (!scriptFails) {
            QCOMPARE(shown.size(), 3);
            QCOMPARE(app->GetDbVersion(), (TVersion {6, 0}));
            QCOMPARE(members().mid(0, before.size()), before);
        } else {
            // No backup to restore: the old file, still beside the new one, goes back.
            QCOMPARE(shown.size(), 4);
            QVERIFY(shown[3].text.startsWith(QStringLiteral("Při aktualizaci databáze došlo k chybě. \r\nZáloha databáze neexistuje. "
                                                            "Chcete vrátit původní databázi ?")));
            QCOMPARE(app->GetDbVersion(), (TVersion {5, 0}));
            QCOMPARE(members(), before);
            QVERIFY(!QFile::exists(data(QStringLiteral("oddil 5.0.fdb"))));
        }
    }

    void versionDialogs_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<bool>("upgradable");
        QTest::addColumn<int>("reply");     // TMsgResult
        QTest::addColumn<int>("boxKind");   // TMsgKind, -1: no box
        QTest::addColumn<QString>("outcome"); // "nothing", "end", "empty"
        QTest::newRow("equal versions") << 6 << 0 << true << 0 << -1 << "nothing";
        QTest::newRow("newer: end") << 6 << 2 << true << int(TMsgResult::Yes) << int(TMsgKind::Error) << "end";
        QTest::newRow("newer: empty database") << 6 << 2 << true << int(TMsgResult::No) << int(TMsgKind::Error) << "empty";
        QTest::newRow("older: cancel ends") << 5 << 1 << true << int(TMsgResult::Cancel) << int(TMsgKind::Confirmation) << "end";
        QTest::newRow("older: empty database") << 5 << 1 << true << int(TMsgResult::No) << int(TMsgKind::Confirmation) << "empty";
        QTest::newRow("test build: end") << 5 << 0 << false << int(TMsgResult::No) << int(TMsgKind::Warning) << "end";
        QTest::newRow("test build: empty database") << 5 << 0 << false << int(TMsgResult::Yes) << int(TMsgKind::Warning) << "empty";
    }

    void versionDialogs()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(bool, upgradable);
        QFETCH(int, reply);
        QFETCH(int, boxKind);
        QFETCH(QString, outcome);
        openCurrent();
        setDbVersion(major, minor);
        if (boxKind >= 0)
            Dialogs::setNextAnswer(TMsgResult(reply));
        const QString oldName = QStringLiteral("oddil %1.%2.fdb").arg(major).arg(minor);

        int result = -1;
        bool ended = false;
        try {
            result = CheckVersion(app.get(), upgradable);
        } catch (const TAppTerminate& e) {
            ended = true;
            QCOMPARE(e.ExitCode(), 0);
        }
        const auto shown = Dialogs::takeShown();
        if (boxKind < 0) {
            QCOMPARE(shown.size(), 0);
        } else {
            QVERIFY(!shown.isEmpty());
            QCOMPARE(int(shown[0].kind), boxKind);
        }
        if (major == 6 && minor == 2)
            QCOMPARE(shown[0].text, QStringLiteral("Databáze je novější než program. \r\nTato verze programu neumí s touto verzí "
                                                   "databáze pracovat.\r\n\r\nVerze databáze: 6.2\r\nVerze databáze podporovaná "
                                                   "programem: 6.0\r\n\r\nChcete ukončit program?\r\n\r\nAno - ukončit program\r\n"
                                                   "Ne - otevřít prázdnou databázi"));
        if (!upgradable)
            QVERIFY(shown[0].text.endsWith(QStringLiteral("Vaše databáze je z testovací verze aplikace, data proto nelze převést do "
                                                          "nové verze databáze.\r\nChcete otevřít prázdnou databázi ?\r\n\r\n"
                                                          "Ano - otevřít prázdnou databázi\r\nNe - ukončit aplikaci")));

        QCOMPARE(ended, outcome == QLatin1String("end"));
        if (outcome == QLatin1String("empty")) {
            QCOMPARE(result, int(mrOK));
            QCOMPARE(app->GetDbVersion(), (TVersion {6, 0}));
            QCOMPARE(setting(QStringLiteral("X_ZNACKA")), QStringLiteral("<none>"));
            QVERIFY(QFile::exists(data(oldName)));
        } else {
            if (!ended)
                QCOMPARE(result, 0);
            QCOMPARE(app->GetDbVersion(), (TVersion {major, minor}));
            QCOMPARE(setting(QStringLiteral("X_ZNACKA")), QStringLiteral("stará data"));
            QVERIFY(!QFile::exists(data(oldName)));
            QVERIFY(!QDir(data(QStringLiteral("zaloha"))).exists() || QDir(data(QStringLiteral("zaloha"))).isEmpty());
        }
    }

    void proceduresOnly()
    {
        // The shipped procedures script holds every procedure of the schema.
        const QString shipped = QString::fromUtf8([] {
            QFile f(QStringLiteral(ZUNO_PROC_SQL));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }());
        copyFile(QStringLiteral(ZUNO_SCHEMA_DB), data(QStringLiteral("oddil.FDB")));
        open({6, 1});
        const auto procedures = rows(QStringLiteral("select trim(rdb$procedure_name) from rdb$procedures "
                                                    "where coalesce(rdb$system_flag, 0) = 0"));
        QVERIFY(!procedures.isEmpty());
        for (const auto& p : procedures)
            QVERIFY2(shipped.contains(QStringLiteral("CREATE OR ALTER PROCEDURE ") + p[0].toString() + QLatin1Char('\n'),
                                      Qt::CaseInsensitive)
                         || shipped.contains(QStringLiteral("CREATE OR ALTER PROCEDURE ") + p[0].toString() + QLatin1Char(' '),
                                             Qt::CaseInsensitive),
                     qPrintable(p[0].toString()));

        // A program of version 6.1 whose script differs only in the version.
        QString script = shipped;
        QVERIFY(script.contains(QStringLiteral("Podverze = 0;")));
        script.replace(QStringLiteral("Podverze = 0;"), QStringLiteral("Podverze = 1;"));
        writeFile(data(QStringLiteral("upgrade/proc.sql")), script.toUtf8());
        exec(QStringLiteral("create or alter procedure PU_ROK_AKTUALNI returns (Rok integer) as begin Rok = 2020; suspend; end"));
        SetLevel(LogLevel::Debug, true);
        answer({TMsgResult::Yes});
        QCOMPARE(CheckVersion(app.get(), true), int(mrOK));
        QCOMPARE(Dialogs::takeShown().size(), 1);
        QCOMPARE(progressLines(),
                 (QStringList {QStringLiteral("Převod databáze na verzi: 6.1"), QStringLiteral("Verze aktuální databáze: 6.0"),
                               QStringLiteral("Zálohuji současnou databázi."), QStringLiteral("Úprava databáze."),
                               QStringLiteral("Převod databáze byl úspěšně dokončen.")}));
        QCOMPARE(app->GetDbVersion(), (TVersion {6, 1}));
        QVERIFY(VarIsNull(rows(QStringLiteral("select Rok from PU_ROK_AKTUALNI"))[0][0]));
        QVERIFY(QFile::exists(data(QStringLiteral("zaloha/2026-12-11_14-05-00 upgrade 6.1.sbk"))));
    }

    void windowShowsEachStep()
    {
        openCurrent();
        TfrmUpgrade window(app.get(), umEmpty);
        QCOMPARE(window.windowTitle(), QStringLiteral("Aktualizace databáze"));
        QCOMPARE(window.findChild<TSTitle*>(QStringLiteral("STitle1"))->Caption(), QStringLiteral("Aktualizace databáze"));
        auto* log = window.findChild<QPlainTextEdit*>(QStringLiteral("memLog"));
        QVERIFY(log->isReadOnly());
        QVERIFY(window.Run());
        QCOMPARE(log->toPlainText().split(QLatin1Char('\n')),
                 (QStringList {QStringLiteral("Otevření prázdné databáze verze: 6.0"), QStringLiteral("Verze aktuální databáze: 6.0"),
                               QStringLiteral("Zálohuji současnou databázi."), QStringLiteral("Otevření nového formátu databáze."),
                               QStringLiteral("Stará databáze byla úspěšně nahrazena novou prázdnou databází.")}));
        QVERIFY(window.findChild<QPushButton*>(QStringLiteral("cmdOK"))->isEnabled());
        QCOMPARE(Dialogs::takeShown().size(), 0);
    }

    void deleteAllData()
    {
        openCurrent();
        QCOMPARE(DeleteAllData(app.get()), 0); // the safe answer is No
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, TMsgKind::Warning);
        QCOMPARE(shown[0].text, QStringLiteral("Chcete nenávratně vymazat všechny data z aplikace?"));
        QCOMPARE(setting(QStringLiteral("X_ZNACKA")), QStringLiteral("stará data"));

        SetLevel(LogLevel::Debug, true);
        Dialogs::setNextAnswer(TMsgResult::Yes);
        QCOMPARE(DeleteAllData(app.get()), int(mrOK));
        QCOMPARE(setting(QStringLiteral("X_ZNACKA")), QStringLiteral("<none>"));
        QCOMPARE(setting(QStringLiteral("JU")), QStringLiteral("0"));
        QVERIFY(!userTables().contains(QStringLiteral("TEST_RADKY")));
        QVERIFY(QFile::exists(data(QStringLiteral("oddil 6.0.fdb"))));
        QVERIFY(QFile::exists(data(QStringLiteral("zaloha/2026-12-11_14-05-00 upgrade 6.0.sbk"))));
        QFile log(LogPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(log.readAll()).contains(QStringLiteral("Otevreni ciste db (vymazani vsech dat): 6.0")));
    }
};

QTEST_MAIN(TestUpgrade)
#include "tst_upgrade.moc"
