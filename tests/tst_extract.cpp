#include "TestEnv.h"

#include "core/uException.h"
#include "db/uDB_FB.h"
#include "db/uExtract.h"
#include "db/uProjectDB.h"

#include <QLocale>
#include <QTest>

namespace {

void exec(const QString& sql)
{
    xSQLOpen(sql, false);
}

// Every row of a table, every column as the query layer reads it, ordered by ID.
QList<QVariantList> rows(const QString& table)
{
    QList<QVariantList> result;
    auto q = xSQLOpen(QStringLiteral("select * from ") + table + QStringLiteral(" order by ID"), true);
    q->FetchBlobs = true;
    while (q->Fetch()) {
        QVariantList row;
        for (int i = 0; i < q->ColumnCount(); ++i)
            row << q->GetValue(i);
        result << row;
    }
    return result;
}

// Copies a table through its extracted texts and returns the INSERT statements used.
QStringList copyTable(const QString& table, const QString& copy)
{
    exec(TableDDL(table, copy));
    const QStringList inserts = TableInserts(table, copy);
    for (const QString& insert : inserts)
        exec(insert);
    return inserts;
}

} // namespace

class TestExtract : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectDB> app;

private Q_SLOTS:
    void initTestCase()
    {
        // Decimal commas everywhere the program could pick them up.
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    }

    void init()
    {
        env = std::make_unique<TestEnv>();
        app = env->openProject();
    }

    void cleanup()
    {
        app.reset();
        env.reset();
    }

    void typeTexts_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("subType");
        QTest::addColumn<QString>("text");
        QTest::newRow("smallint") << 7 << 2 << 0 << 0 << "smallint";
        QTest::newRow("scaled smallint") << 7 << 2 << 1 << 0 << "decimal(4, 1)";
        QTest::newRow("integer") << 8 << 4 << 0 << 0 << "integer";
        QTest::newRow("scaled integer") << 8 << 4 << 2 << 0 << "decimal(9, 2)";
        QTest::newRow("bigint") << 16 << 8 << 0 << 0 << "bigint";
        QTest::newRow("money keeps four decimals") << 16 << 8 << 4 << 0 << "decimal(18, 4)";
        QTest::newRow("float") << 10 << 4 << 0 << 0 << "float";
        QTest::newRow("double") << 27 << 8 << 0 << 0 << "double precision";
        QTest::newRow("date") << 12 << 4 << 0 << 0 << "date";
        QTest::newRow("time") << 13 << 4 << 0 << 0 << "time";
        QTest::newRow("time stamp keeps its time") << 35 << 8 << 0 << 0 << "timestamp";
        QTest::newRow("char") << 14 << 10 << 0 << 0 << "char(10)";
        QTest::newRow("varchar") << 37 << 40 << 0 << 0 << "varchar(40)";
        QTest::newRow("cstring") << 40 << 5 << 0 << 0 << "cstring(5)";
        QTest::newRow("boolean") << 23 << 1 << 0 << 0 << "boolean";
        QTest::newRow("binary blob") << 261 << 8 << 0 << 0 << "blob";
        QTest::newRow("text blob") << 261 << 8 << 0 << 1 << "blob sub_type text";
        QTest::newRow("unknown") << 9 << 8 << 0 << 0 << "";
    }

    void typeTexts()
    {
        QFETCH(int, type);
        QFETCH(int, length);
        QFETCH(int, scale);
        QFETCH(int, subType);
        QFETCH(QString, text);
        QCOMPARE(TypeToSQL(type, length, scale, subType), text);
    }

    void collationNames()
    {
        QCOMPARE(CollationName(0, 0), QString()); // NONE
        QCOMPARE(CollationName(51, 0), QStringLiteral("WIN1250"));
        QCOMPARE(CollationName(9999, 0), QString());
        auto q = xSQLOpen(QStringLiteral("select rdb$collation_id from rdb$collations where rdb$collation_name = 'PXW_CSY'"), true);
        QVERIFY(q->Fetch());
        QCOMPARE(CollationName(51, static_cast<int>(q->GetInteger(QStringLiteral("rdb$collation_id")))), QStringLiteral("PXW_CSY"));
    }

    void tableDefinitionText()
    {
        exec(QStringLiteral("create table X_PRIKLAD (A D_ID not null, B varchar(40), C D_MONEY, "
                            "D D_NAME collate WIN1250, E computed by (A * 2), F D_NAME)"));
        QCOMPARE(TableDDL(QStringLiteral("X_PRIKLAD")),
                 QStringLiteral("create table X_PRIKLAD(\r\n"
                                "     A D_ID not null,\r\n"
                                "     B varchar(40),\r\n"
                                "     C D_MONEY,\r\n"
                                "     D D_NAME collate WIN1250,\r\n"
                                "     E computed by (A * 2),\r\n"
                                "     F D_NAME);"));
        QVERIFY(TableDDL(QStringLiteral("X_PRIKLAD"), QStringLiteral("OLD_X_PRIKLAD")).startsWith(QStringLiteral("create table OLD_X_PRIKLAD(\r\n")));
    }

    // Each value is written into a table, extracted, and read back from a copy made of the texts.
    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("value");   // an SQL expression
        QTest::addColumn<QString>("literal"); // what the extraction writes; empty: not checked
        const QString crlf = QStringLiteral("ascii_char(13) || ascii_char(10)");
        QTest::newRow("apostrophe in a fixed text, padding dropped") << "char(12)" << "'O''Brien'" << "'O''Brien'";
        QTest::newRow("apostrophes and blanks in a text") << "varchar(40)" << "'  ''a'' b  '" << "'  ''a'' b  '";
        QTest::newRow("line breaks in a text") << "varchar(40)" << "'a' || " + crlf + " || 'b' || ascii_char(10)" << "";
        QTest::newRow("Czech letters") << "D_NAME" << "'Žluťoučký kůň'" << "'Žluťoučký kůň'";
        QTest::newRow("text blob with breaks") << "blob sub_type text" << "'první''' || " + crlf + " || 'druhý'" << "";
        QTest::newRow("long text blob") << "blob sub_type text" << "cast(lpad('', 30000, 'x''y') as blob sub_type text)" << "";
        QTest::newRow("very long text blob") << "blob sub_type text"
                                             << "cast(lpad('', 30000, 'x') as blob sub_type text) || lpad('', 30000, 'y') || lpad('', 30000, 'z')" << "";
        QTest::newRow("money") << "D_MONEY" << "12345.6789" << "12345.6789";
        QTest::newRow("money negative small") << "numeric(18,4)" << "-0.0001" << "-0.0001";
        QTest::newRow("money at its limit") << "numeric(18,4)" << "922337203685477.5807" << "922337203685477.5807";
        QTest::newRow("six decimals") << "numeric(18,6)" << "123456789.123456" << "123456789.123456";
        QTest::newRow("scaled integer") << "numeric(9,2)" << "1234567.89" << "1234567.89";
        QTest::newRow("scaled smallint") << "numeric(4,1)" << "-12.5" << "-12.5";
        QTest::newRow("double under a decimal comma locale") << "double precision" << "2.5" << "2.5";
        QTest::newRow("double needing all digits") << "double precision" << "0.1e0 + 0.2e0" << "";
        QTest::newRow("large double") << "double precision" << "1.5e300" << "";
        QTest::newRow("float") << "float" << "0.1" << "";
        QTest::newRow("bigint") << "bigint" << "9223372036854775807" << "9223372036854775807";
        QTest::newRow("integer") << "integer" << "-2147483648" << "-2147483648";
        QTest::newRow("time stamp keeps its time") << "timestamp" << "timestamp '2009-03-25 14:05:33.123'"
                                                   << "'03/25/2009 14:05:33.123'";
        QTest::newRow("date") << "date" << "date '2009-03-25'" << "'03/25/2009'";
        QTest::newRow("time") << "time" << "time '23:59:58.250'" << "'23:59:58.250'";
        QTest::newRow("boolean") << "boolean" << "true" << "TRUE";
        QTest::newRow("binary text") << "char(3) character set octets" << "x'00FF27'" << "x'00ff27'";
    }

    void valuesRoundTrip()
    {
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(QString, literal);
        exec(QStringLiteral("create table X_HODNOTY (ID integer not null, V ") + type + QLatin1Char(')'));
        exec(QStringLiteral("insert into X_HODNOTY (ID, V) values (1, ") + value + QLatin1Char(')'));
        exec(QStringLiteral("insert into X_HODNOTY (ID, V) values (2, null)"));
        const QStringList inserts = copyTable(QStringLiteral("X_HODNOTY"), QStringLiteral("X_KOPIE"));
        QCOMPARE(inserts.size(), 2);
        if (!literal.isEmpty())
            QCOMPARE(inserts[0], QStringLiteral("insert into X_KOPIE(ID, V) values (1, ") + literal + QStringLiteral(");"));
        QCOMPARE(inserts[1], QStringLiteral("insert into X_KOPIE(ID, V) values (2, NULL);"));
        const auto original = rows(QStringLiteral("X_HODNOTY"));
        const auto copied = rows(QStringLiteral("X_KOPIE"));
        QCOMPARE(copied.size(), 2);
        QCOMPARE(copied[0][1].metaType(), original[0][1].metaType());
        QCOMPARE(copied, original);
    }

    void computedColumnsAreLeftOut()
    {
        exec(QStringLiteral("create table X_VYPOCET (ID integer, Jmeno varchar(20), Prijmeni varchar(20), "
                            "Cele computed by (Jmeno || ' ' || Prijmeni), Dvojnasobek computed by (X_VYPOCET.ID * 2))"));
        exec(QStringLiteral("insert into X_VYPOCET (ID, Jmeno, Prijmeni) values (3, 'Jana', 'Nová')"));
        const QStringList inserts = copyTable(QStringLiteral("X_VYPOCET"), QStringLiteral("OLD_X_VYPOCET"));
        QCOMPARE(inserts, QStringList {QStringLiteral("insert into OLD_X_VYPOCET(ID, JMENO, PRIJMENI) values (3, 'Jana', 'Nová');")});
        QCOMPARE(rows(QStringLiteral("OLD_X_VYPOCET")), rows(QStringLiteral("X_VYPOCET")));
        QCOMPARE(rows(QStringLiteral("OLD_X_VYPOCET"))[0][4], QVariant(6));
    }

    void binaryDataStopsTheExtraction()
    {
        exec(QStringLiteral("create table X_BINARNI (ID integer, Obrazek blob sub_type binary)"));
        exec(QStringLiteral("insert into X_BINARNI (ID, Obrazek) values (1, null)"));
        QCOMPARE(TableInserts(QStringLiteral("X_BINARNI")).size(), 1); // a NULL blob passes
        exec(QStringLiteral("insert into X_BINARNI (ID, Obrazek) values (2, x'89504E47')"));
        try {
            TableInserts(QStringLiteral("X_BINARNI"));
            QFAIL("binary data was extracted");
        } catch (const TTalbreckException& e) {
            QCOMPARE(e.Message(), QStringLiteral("Data tabulky \"X_BINARNI\" nelze převést."));
            QVERIFY(e.Description().contains(QStringLiteral("OBRAZEK")));
        }
    }

    void namesFromDataAreChecked()
    {
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, TableDDL(QStringLiteral("X; drop table OD_NASTAVENI")));
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, TableInserts(QStringLiteral("X' or '1'='1")));
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, TableDDL(QStringLiteral("NEEXISTUJE")));
    }
};

QTEST_MAIN(TestExtract)
#include "tst_extract.moc"
