#include "TestEnv.h"

#include "core/uDialogs.h"
#include "core/uLog.h"
#include "db/uDB_FB.h"
#include "db/uDatabase.h"
#include "db/uProjectDB.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(TMsgKind)

class TestSqlQuery : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectDB> project;

    // Transactions of this connection besides the one asking.
    static qint64 otherTransactions()
    {
        auto q = xSQLOpen(QStringLiteral("select count(*) as N from mon$transactions "
                                         "where mon$attachment_id = current_connection "
                                         "and mon$transaction_id <> current_transaction"),
                          true);
        q->Fetch();
        return q->GetInteger(QStringLiteral("N"));
    }

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<TestEnv>();
        project = env->openProject();
    }

    void cleanup()
    {
        project.reset();
        env.reset();
        QLocale::setDefault(QLocale::c());
    }

    void literals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QString>("tail");
        QTest::addColumn<bool>("asSelect");
        QTest::addColumn<QString>("expected");

        QTest::newRow("no values, execute") << "NAME" << QVariantList() << "" << false << "execute procedure NAME";
        QTest::newRow("no values, select with tail") << "NAME" << QVariantList() << "order by 2" << true
                                                     << "select * from NAME order by 2";
        QTest::newRow("tail ignored when executed") << "NAME" << QVariantList{1} << "order by 2" << false
                                                    << "execute procedure NAME(1)";
        QTest::newRow("mixed") << "NAME"
                               << QVariantList{12, QStringLiteral("Nováková"), Null, true, 1500.5}
                               << "" << false << "execute procedure NAME(12, 'Nováková', null, 1, 1500.5)";
        QTest::newRow("apostrophe doubled") << "N" << QVariantList{QStringLiteral("O'Brien")} << "" << true
                                            << "select * from N('O''Brien')";
        QTest::newRow("comma and colon unchanged") << "N" << QVariantList{QStringLiteral("a, b: c")} << "" << false
                                                   << "execute procedure N('a, b: c')";
        QTest::newRow("unassigned is empty text") << "N" << QVariantList{QVariant()} << "" << false
                                                  << "execute procedure N('')";
        QTest::newRow("false") << "N" << QVariantList{false} << "" << false << "execute procedure N(0)";
        QTest::newRow("money") << "N" << QVariantList{QVariant::fromValue(Money::fromUnits(-15005000))} << "" << false
                               << "execute procedure N(-1500.5)";
        QTest::newRow("date") << "N" << QVariantList{DateToSQL(QDate(2009, 3, 25)), QDate(2009, 3, 25)} << "" << false
                              << "execute procedure N('03/25/2009', '03/25/2009')";
        QTest::newRow("date and time") << "N" << QVariantList{DateTimeToSQL(QDateTime(QDate(2009, 3, 25), QTime(14, 5)))}
                                       << "" << false << "execute procedure N('03/25/2009 14:05')";
        QTest::newRow("large integer") << "N" << QVariantList{qlonglong(1234567890123LL)} << "" << false
                                       << "execute procedure N(1234567890123)";
    }

    void literals()
    {
        QFETCH(QString, name);
        QFETCH(QVariantList, values);
        QFETCH(QString, tail);
        QFETCH(bool, asSelect);
        QFETCH(QString, expected);
        QCOMPARE(xProcText(name, values, tail, asSelect), expected);
        // A decimal comma in the user's locale never reaches the statement.
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        QCOMPARE(xProcText(name, values, tail, asSelect), expected);
    }

    void roundTrip()
    {
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        const QString text = QStringLiteral("Žluťoučký kůň O'Brien: ano, ne");
        auto q = xProcCall(QStringLiteral("TEST_ECHO"),
                           {text, 42, QVariant::fromValue(Money::fromUnits(12345678)), DateToSQL(QDate(2009, 2, 28)), true},
                           {}, true);
        QVERIFY(q->Fetch());
        QCOMPARE(q->GetText(QStringLiteral("t_out")), text);
        QCOMPARE(q->GetInteger(QStringLiteral("I_OUT")), 42);
        QCOMPARE(q->GetCurrency(QStringLiteral("M_OUT")), Money::fromUnits(12345678));
        QCOMPARE(q->GetValue(QStringLiteral("M_OUT")).value<Money>(), Money::fromUnits(12345678));
        QCOMPARE(q->GetDate(QStringLiteral("D_OUT")), QDate(2009, 2, 28));
        QCOMPARE(q->GetInteger(QStringLiteral("B_OUT")), 1);
        QCOMPARE(q->GetInteger(QStringLiteral("T_NULL")), 0);
        QVERIFY(!q->Fetch());

        q = xProcCall(QStringLiteral("TEST_ECHO"), {Null, Null, Null, Null, Null}, {}, true);
        QVERIFY(q->Fetch());
        QCOMPARE(q->GetInteger(QStringLiteral("T_NULL")), 1);
        QVERIFY(q->IsNull(QStringLiteral("M_OUT")));
        QVERIFY(VarIsNull(q->GetValue(QStringLiteral("D_OUT"))));
        QCOMPARE(q->GetInteger(QStringLiteral("I_OUT")), 0);
        QCOMPARE(q->GetText(QStringLiteral("T_OUT")), QString());
    }

    void fetch_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("empty") << 0;
        QTest::newRow("one row") << 1;
        QTest::newRow("several") << 5;
    }

    void fetch()
    {
        QFETCH(int, rows);
        auto q = xProcCall(QStringLiteral("TEST_ROWS"), {rows}, QStringLiteral("order by ID"), true);
        QVERIFY(q->FirstRow);
        int seen = 0;
        while (q->Fetch()) {
            ++seen;
            QCOMPARE(q->GetInteger(QStringLiteral("ID")), seen);
        }
        QCOMPARE(seen, rows);
        QVERIFY(!q->Fetch());
        QVERIFY(q->Elapsed >= 0);
    }

    void procedureExceptions_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("marker");
        QTest::addColumn<bool>("boxShown");
        QTest::addColumn<TMsgKind>("kind");
        QTest::newRow("error") << 1 << "TALBRECK_ERROR" << true << TMsgKind::Error;
        QTest::newRow("information") << 2 << "TALBRECK_INFO" << true << TMsgKind::Information;
        QTest::newRow("warning") << 3 << "TALBRECK_WARNING" << true << TMsgKind::Warning;
        QTest::newRow("unknown number") << 7 << "7" << false << TMsgKind::Error;
    }

    void procedureExceptions()
    {
        QFETCH(int, number);
        QFETCH(QString, marker);
        QFETCH(bool, boxShown);
        QFETCH(TMsgKind, kind);
        const QString message = QStringLiteral("Člen má zaplacené příspěvky; nelze smazat.");
        const QString sql = xProcText(QStringLiteral("TEST_RAISE"), {number, message});
        try {
            xProcCall(QStringLiteral("TEST_RAISE"), {number, message});
            QFAIL("the procedure must refuse");
        } catch (const TTalbreckDBException& e) {
            QCOMPARE(e.Severity(), number);
            QCOMPARE(e.Description(), message);
            QCOMPARE(e.SQL(), sql);
            QCOMPARE(e.Text(), QStringLiteral("Chyba při zpracování SQL: ") + sql + QStringLiteral("\r\n\r\nVyjímka: ") + marker
                                   + QStringLiteral("\r\nPopis chyby: ") + message);
            ShowDBMessage(e);
        }
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), boxShown ? 1 : 0);
        if (boxShown) {
            QCOMPARE(shown[0].text, message);
            QCOMPARE(shown[0].kind, kind);
        }
        QCOMPARE(otherTransactions(), 0);
    }

    void otherErrors()
    {
        const QString sql = QStringLiteral("select * from NEEXISTUJE");
        try {
            xSQLOpen(sql, true);
            QFAIL("a bad statement must raise");
        } catch (const TTalbreckDBException&) {
            QFAIL("not a procedure's refusal");
        } catch (const TTalbreckException& e) {
            QCOMPARE(e.Message(), QStringLiteral("Chyba při zpracování SQL: ") + sql);
            QVERIFY2(e.Description().contains(QStringLiteral("NEEXISTUJE")), qPrintable(e.Description()));
        }
        // A failed statement leaves nothing open behind it.
        QCOMPARE(otherTransactions(), 0);

        auto q = xProcCall(QStringLiteral("TEST_ROWS"), {1}, {}, true);
        QVERIFY(q->Fetch());
        try {
            q->GetText(QStringLiteral("Neni"));
            QFAIL("an unknown column must raise");
        } catch (const TTalbreckException& e) {
            QCOMPARE(e.Message(), QStringLiteral("Chyba při čtení sloupce: Neni"));
        }
    }

    void eachStatementCommits()
    {
        xSQLOpen(QStringLiteral("insert into TEST_RADKY (ID, DisplayName) values (1, 'a')"), false);
        {
            auto open = xSQLOpen(QStringLiteral("select * from TEST_RADKY"), true);
            QCOMPARE(otherTransactions(), 1);
        }
        QCOMPARE(otherTransactions(), 0);
        // A second connection sees the row: it was committed.
        TDatabase other;
        other.DatabaseName = project->Database->DatabaseName;
        other.Params = project->Database->Params;
        other.Connect();
        auto q = xSQLOpen(QStringLiteral("select count(*) as N from TEST_RADKY"), true, &other);
        q->Fetch();
        QCOMPARE(q->GetInteger(QStringLiteral("N")), 1);
    }

    void failureAtCommitIsAFailure()
    {
        // The engine checks existing rows against a stricter domain only when the change commits.
        xSQLOpen(QStringLiteral("create domain D_TEST_X as integer"), false);
        xSQLOpen(QStringLiteral("create table TEST_X (A D_TEST_X)"), false);
        xSQLOpen(QStringLiteral("insert into TEST_X values (null)"), false);
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, xSQLOpen(QStringLiteral("alter domain D_TEST_X set not null"), false));
        QCOMPARE(otherTransactions(), 0);
    }

    void czechCollationAndBlobs()
    {
        const QStringList names = {QStringLiteral("Chalupa"), QStringLiteral("Hora"), QStringLiteral("Čech"),
                                   QStringLiteral("Cibulka"), QStringLiteral("Ivan"), QStringLiteral("Šťastný")};
        for (int i = 0; i < names.size(); ++i)
            xSQLOpen(QStringLiteral("insert into TEST_RADKY (ID, DisplayName, Poznamka, Cas) values (%1, '%2', 'Poznámka %1', "
                                    "'03/25/2009 14:05:06')")
                         .arg(i + 1)
                         .arg(names[i]),
                     false);
        auto q = xSQLOpen(QStringLiteral("select * from TEST_RADKY order by DisplayName collate PXW_CSY"), true);
        QStringList sorted;
        while (q->Fetch()) {
            sorted << q->GetText(QStringLiteral("DisplayName"));
            QVERIFY(VarIsNull(q->GetValue(QStringLiteral("Poznamka")))); // blobs only on request
            QCOMPARE(q->GetDateTime(QStringLiteral("Cas")), QDateTime(QDate(2009, 3, 25), QTime(14, 5, 6)));
        }
        QCOMPARE(sorted, QStringList({QStringLiteral("Cibulka"), QStringLiteral("Čech"), QStringLiteral("Hora"),
                                      QStringLiteral("Chalupa"), QStringLiteral("Ivan"), QStringLiteral("Šťastný")}));

        TSQLDB withBlobs;
        withBlobs.FetchBlobs = true;
        withBlobs.Open(QStringLiteral("select Poznamka from TEST_RADKY where ID = 1"), true);
        QVERIFY(withBlobs.Fetch());
        QCOMPARE(withBlobs.GetText(QStringLiteral("Poznamka")), QStringLiteral("Poznámka 1"));
    }

    void debugLogLines()
    {
        SetLevel(LogLevel::Debug, true);
        xSQLOpen(QStringLiteral("select * from TEST_ROWS(2)"), true);
        try {
            xSQLOpen(QStringLiteral("select * from NEEXISTUJE"), true);
        } catch (const TTalbreckException&) {
        }
        QFile log(LogPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        QVERIFY2(QRegularExpression(QStringLiteral("DEBUG: tst_sqlquery [-0-9: ]+ select \\* from TEST_ROWS\\(2\\) \\(\\d\\d:\\d\\d:\\d\\d\\d\\)\n"))
                     .match(text).hasMatch(), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral(" select * from NEEXISTUJE\n")));
        QFile sqlLog(SqlLogPath());
        QVERIFY(sqlLog.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(sqlLog.readAll()),
                 QStringLiteral("select * from TEST_ROWS(2);\nselect * from NEEXISTUJE;\n"));
    }

    void czechMessageFromAProcedureBody()
    {
        // The message is written in the procedure's own text, in Czech.
        try {
            xProcCall(QStringLiteral("od_nastaveni_upd"), {QStringLiteral(" "), QStringLiteral("x")});
            QFAIL("an empty key must be refused");
        } catch (const TTalbreckDBException& e) {
            QCOMPARE(e.Severity(), 1);
            QCOMPARE(e.Description(), QStringLiteral("Nastavení nemá název."));
        }
    }

    void activeListRefusesOddNames()
    {
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, xActiveList(QStringLiteral("X; drop table Y")));
        QVERIFY(IsPlainIdentifier(QStringLiteral("CL_Kategorie")));
        QVERIFY(!IsPlainIdentifier(QString()));
    }
};

QTEST_MAIN(TestSqlQuery)
#include "tst_sqlquery.moc"
