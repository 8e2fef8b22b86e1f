#include "TestEnv.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uLog.h"
#include "core/uRegistry.h"
#include "db/FbClient.h"
#include "db/uDatabase.h"
#include "db/uProjectDB.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

const QString kKey = QStringLiteral("Software\\Talbreck\\ZUNO");

std::unique_ptr<TProjectDB> construct(const QString& role = {})
{
    return std::make_unique<TProjectDB>(QStringLiteral("ZUNO"), true, true, role, QStringLiteral("oddil"), QString());
}


QString readLog(const TestEnv& env)
{
    return ReadText(env.dataDir() + QStringLiteral("ZUNO.log"));
}

} // namespace

class TestProjectDB : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;

private Q_SLOTS:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void embedded()
    {
        RegWrite(kKey, QStringLiteral("database"), QStringLiteral("localhost:/srv/jinde.fdb"));
        auto project = env->openProject();
        // The local file wins over a server named in the registry.
        QVERIFY(project->Embedded);
        QCOMPARE(DefaultDatabase(), project->Database.get());
        QCOMPARE(project->GetDbVersion(), (TVersion{6, 0}));
        QVERIFY(project->Database->Params.contains(QStringLiteral("lc_ctype=WIN1250")));
        QVERIFY(!project->Database->Params.join(QLatin1Char('\n')).contains(QStringLiteral("sql_role_name")));
        QCOMPARE(SqlLogPath(), env->dataDir() + QStringLiteral("SQL.log"));

        const QString log = readLog(*env);
        QVERIFY(log.contains(QStringLiteral("INFO : tst_projectdb 2026-12-11 14:05:00 Embedded verze\n")));
        QVERIFY(log.contains(QStringLiteral("Database: ") + env->dataDir() + QStringLiteral("oddil.FDB\n")));
        QVERIFY2(log.contains(QStringLiteral(" Firebird 3.")), qPrintable(log)); // the server's version text
        QVERIFY(!log.contains(QStringLiteral("plumtrees")));
        QVERIFY(!log.contains(QStringLiteral("Role:")));

        project.reset();
        QCOMPARE(DefaultDatabase(), nullptr);
        QCOMPARE(SqlLogPath(), QString());
        QVERIFY(readLog(*env).endsWith(QStringLiteral("Logfile is closed. (") + env->dataDir() + QStringLiteral("ZUNO.log)\n")));
    }

    void role()
    {
        env->copyTemplate();
        auto project = construct(QStringLiteral("CLENOVE"));
        QVERIFY(project->Database->Params.contains(QStringLiteral("sql_role_name=CLENOVE")));
        QVERIFY(readLog(*env).contains(QStringLiteral("INFO : tst_projectdb 2026-12-11 14:05:00 Role: CLENOVE\n")));
    }

    void missingEngineFile_data()
    {
        QTest::addColumn<int>("missing");
        for (int i = 0; i < EngineFiles().size(); ++i)
            QTest::newRow(qPrintable(EngineFiles()[i])) << i;
    }

    void missingEngineFile()
    {
        QFETCH(int, missing);
        env->copyTemplate();
        const QString root = env->programDir() + QStringLiteral("engine/");
        const QStringList files = EngineFiles();
        for (int i = 0; i < files.size(); ++i) {
            if (i == missing)
                continue;
            QDir().mkpath(QFileInfo(root + files[i]).path());
            QFile f(root + files[i]);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QByteArray saved = qgetenv("FIREBIRD");
        qputenv("FIREBIRD", root.toLocal8Bit());
        try {
            construct();
            qputenv("FIREBIRD", saved);
            QFAIL("a missing engine file must stop the program");
        } catch (const TTalbreckException& e) {
            qputenv("FIREBIRD", saved);
            QCOMPARE(e.Text(), QStringLiteral("Aplikace nemůže najít soubor \"") + root + files[missing] + QStringLiteral("\"."));
        }
    }

    void noDatabase()
    {
        QVERIFY_THROWS_EXCEPTION(TAppTerminate, construct());
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, TMsgKind::Error);
        QCOMPARE(shown[0].text, QStringLiteral("Databáze \"") + env->dataDir()
                                    + QStringLiteral("oddil.FDB\" neexistuje. Aplikace bude ukončena."));
    }

    void networkMode()
    {
        // No server listens on this port: the connection fails, after the mode has been logged.
        RegWrite(kKey, QStringLiteral("database"), QStringLiteral("127.0.0.1/1:/srv/zuno/oddil.fdb"));
        RegWrite(kKey, QStringLiteral("user"), QStringLiteral("pokladnik"));
        RegWrite(kKey, QStringLiteral("password"), QStringLiteral("tajne"));
        RegWrite(kKey, QStringLiteral("debug"), true);
        try {
            construct();
            QFAIL("no server to connect to");
        } catch (const TTalbreckException& e) {
            QCOMPARE(e.Message(), QStringLiteral("Chyba při připojení k databázi"));
            QVERIFY(!e.Description().isEmpty());
        }
        const QString log = readLog(*env);
        QVERIFY(log.contains(QStringLiteral("INFO : tst_projectdb 2026-12-11 14:05:00 Síťová verze\n")));
        QVERIFY(log.contains(QStringLiteral("INFO : tst_projectdb 2026-12-11 14:05:00 Database: 127.0.0.1/1:/srv/zuno/oddil.fdb, User: pokladnik\n")));
        // The password only ever at DEBUG.
        QVERIFY(log.contains(QStringLiteral("DEBUG: tst_projectdb 2026-12-11 14:05:00 Password: tajne\n")));
        QCOMPARE(log.count(QStringLiteral("tajne")), 1);
    }

    void databaseHeldByAnotherProcess()
    {
        env->copyTemplate();
        QProcess holder;
        holder.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zuno_holddb"),
                     {env->dataDir() + QStringLiteral("oddil.FDB")});
        QVERIFY(holder.waitForStarted());
        QVERIFY(holder.waitForReadyRead(30000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("ready"));
        try {
            construct();
            QFAIL("the database is held by another process");
        } catch (const TTalbreckException& e) {
            QCOMPARE(e.Message(), QStringLiteral("Aplikace nemůže otevřít databázi. Pravděpodobně již máte ZUNO jednou spuštěné."));
            QVERIFY(e.Description().startsWith(QStringLiteral("I/O error")));
        }
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(30000));
        // Once the other process is gone, the program opens the file.
        auto project = construct();
        QVERIFY(project->Database->Connected());
    }

    void reconnect()
    {
        RegWrite(kKey, QStringLiteral("debug"), true);
        auto project = env->openProject();
        project->Disconnect();
        QVERIFY(!project->Database->Connected());
        project->Connect();
        QCOMPARE(project->GetDbVersion(), (TVersion{6, 0}));
        const QString log = readLog(*env);
        QVERIFY(log.contains(QStringLiteral("Aplikace se odpojila od databáze.")));
        QCOMPARE(log.count(QStringLiteral("Aplikace se připojila k databázi.")), 2);
    }
};

QTEST_MAIN(TestProjectDB)
#include "tst_projectdb.moc"
