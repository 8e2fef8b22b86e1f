#include "TestEnv.h"

#include "core/uDialogs.h"
#include "core/uLog.h"
#include "db/uDB_FB.h"
#include "db/uDB_Script.h"
#include "db/uProjectDB.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QStringList lines(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char('\n'));
}

qint64 count(const QString& table)
{
    return QueryInt(QStringLiteral("select count(*) from ") + table);
}

} // namespace

class TestScript : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectDB> project;

private Q_SLOTS:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup()
    {
        project.reset();
        env.reset();
    }

    void parse_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("statements");

        QTest::newRow("only comments and blanks")
            << lines("/* one */\n\n   \n/* two\n   lines */\n") << QStringList();
        QTest::newRow("one line without terminator")
            << lines("insert into T values (1);\ninsert into T values (2);")
            << QStringList{"insert into T values (1)", "insert into T values (2)"};
        QTest::newRow("several lines joined by line breaks")
            << lines("insert into T (A, B)\n\n  values (1,\n  2);")
            << QStringList{"insert into T (A, B)\r\n  values (1,\r\n  2)"};
        QTest::newRow("procedure body under SET TERM")
            << lines("SET TERM ^ ;\nCREATE PROCEDURE P\nAS\nBEGIN\n  X = 1;\n  SUSPEND;\nEND^\nset term ; ^\nselect 1 from rdb$database;")
            << QStringList{"CREATE PROCEDURE P\r\nAS\r\nBEGIN\r\n  X = 1;\r\n  SUSPEND;\r\nEND", "select 1 from rdb$database"};
        QTest::newRow("comment opened after a terminator")
            << lines("insert into T values (1); /* note\n*/\ninsert into T values (2);")
            << QStringList{"insert into T values (1) /* note*/", "insert into T values (2)"};
        QTest::newRow("terminator inside a text on one line")
            << lines("insert into T values ('a;b');\ninsert into T values ('c');")
            << QStringList{"insert into T values ('a;b')", "insert into T values ('c')"};
        QTest::newRow("terminator inside a text over lines")
            << lines("insert into T (A)\nvalues ('a;b');")
            << QStringList{"insert into T (A)\r\nvalues ('a;b')"};
        QTest::newRow("blanks after the terminator")
            << lines("insert into T (A)\nvalues (1);   \ninsert into T values (2);")
            << QStringList{"insert into T (A)\r\nvalues (1)", "insert into T values (2)"};
        QTest::newRow("statement after a comment on the same line")
            << lines("/* first */ insert into T values (1);\n/* a\nb */ insert into T values (2);")
            << QStringList{"insert into T values (1)", "insert into T values (2)"};
        QTest::newRow("terminator before a comment")
            << lines("insert into T (A)\nvalues (1); /* done */\ninsert into T values (2);")
            << QStringList{"insert into T (A)\r\nvalues (1) /* done */", "insert into T values (2)"};
        QTest::newRow("last statement without terminator")
            << lines("insert into T values (1);\ninsert into T\nvalues (2)")
            << QStringList{"insert into T values (1)", "insert into T\r\nvalues (2)"};
    }

    void parse()
    {
        QFETCH(QStringList, script);
        QFETCH(QStringList, statements);
        QStringList parsed;
        QVERIFY(ParseScript(script, QStringLiteral(";"), parsed));
        QCOMPARE(parsed, statements);
    }

    void unclosedComment()
    {
        QStringList parsed;
        QVERIFY(!ParseScript(lines("insert into T values (1);\n/* never closed\n"), QStringLiteral(";"), parsed));
        try {
            ExecScript(lines("/* never closed"), QStringLiteral("x.sql"));
            QFAIL("must fail");
        } catch (const TTalbreckException& e) {
            QCOMPARE(e.Text(), QStringLiteral("Chyba při parsování skriptu \"x.sql\"."));
        }
    }

    void runStopsAtFailure()
    {
        project = env->openProject();
        const QStringList script = lines(
            "create table S (A integer);\n"
            "commit;\n"
            "insert into S values (1);\n"
            "SELECT * FROM TEST_ROWS(3);\n"
            "insert into NEEXISTUJE values (1);\n"
            "insert into S values (2);\n");
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, ExecScript(script, QStringLiteral("s.sql")));
        // What ran before the failure stays, nothing after it runs.
        QCOMPARE(count(QStringLiteral("S")), 1);
    }

    void runFile()
    {
        project = env->openProject();
        const QString missing = env->dataDir() + QStringLiteral("neni.sql");
        try {
            ExecScriptFile(missing);
            QFAIL("must fail");
        } catch (const TTalbreckException& e) {
            QCOMPARE(e.Message(), QStringLiteral("Nenalezen soubor s SQL skriptem."));
            QCOMPARE(e.Description(), missing);
        }
        // A script written in the old code page still reads right.
        const QString path = env->dataDir() + QStringLiteral("cp1250.sql");
        WriteBytes(path, "insert into TEST_RADKY (ID, DisplayName) values (1, '\x8e\x6c\x75\x9d\x6f\x75\xe8\x6b\xfd');\n");
        ExecScriptFile(path);
        auto q = xSQLOpen(QStringLiteral("select DisplayName from TEST_RADKY"), true);
        QVERIFY(q->Fetch());
        QCOMPARE(q->GetText(QStringLiteral("DisplayName")), QStringLiteral("Žluťoučký"));
    }

    void startupScripts()
    {
        project = env->openProject();
        const QString folder = env->dataDir() + QStringLiteral("script/");
        QDir().mkpath(folder);
        WriteBytes(folder + QStringLiteral("b_second.sql"), "insert into TEST_RADKY (ID) values (2);\n");
        WriteBytes(folder + QStringLiteral("a_first.sql"), "insert into TEST_RADKY (ID) values (1);\n");
        WriteBytes(folder + QStringLiteral("notes.txt"), "not a script");
        Dialogs::setNextAnswer(TMsgResult::Yes);
        Dialogs::setNextAnswer(TMsgResult::No);
        project->RunStartupScripts();

        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].text, QStringLiteral("Chcete spustit update \"a_first\"?"));
        QCOMPARE(shown[1].text, QStringLiteral("Chcete spustit update \"b_second\"?"));
        QCOMPARE(count(QStringLiteral("TEST_RADKY")), 1);
        // Both are archived, the declined one too, so none is offered again.
        QCOMPARE(QDir(folder).entryList({QStringLiteral("*.sql")}, QDir::Files), QStringList());
        QCOMPARE(QDir(folder + QStringLiteral("spusteno")).entryList(QDir::Files),
                 QStringList({QStringLiteral("a_first.sql"), QStringLiteral("b_second.sql")}));
        QFile log(LogPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("Spuštěn SQL skript (start aplikace): a_first.sql"));

        project->RunStartupScripts();
        QCOMPARE(Dialogs::takeShown().size(), 0);
    }

    void failingStartupScriptStays()
    {
        project = env->openProject();
        const QString folder = env->dataDir() + QStringLiteral("script/");
        QDir().mkpath(folder);
        WriteBytes(folder + QStringLiteral("bad.sql"), "insert into NEEXISTUJE values (1);\n");
        Dialogs::setNextAnswer(TMsgResult::Yes);
        try {
            project->RunStartupScripts();
            QFAIL("must fail");
        } catch (const TTalbreckException& e) {
            QCOMPARE(e.Message(), QStringLiteral("Chyba při vykonání SQL skriptu \"") + folder + QStringLiteral("bad.sql\"."));
            QVERIFY(e.Description().contains(QStringLiteral("NEEXISTUJE")));
        }
        QVERIFY(QFile::exists(folder + QStringLiteral("bad.sql")));
    }
};

QTEST_MAIN(TestScript)
#include "tst_script.moc"
