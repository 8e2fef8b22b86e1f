#include "TestEnv.h"

#include "db/uDB_FB.h"
#include "db/uProjectDB.h"

#include <QTest>

namespace {

// The age today and the age reached this year of someone born on a day,
// as the calendar says: the database reads its own current date.
int ageToday(const QDate& born)
{
    const QDate today = QDate::currentDate();
    int age = today.year() - born.year();
    if (today.month() * 100 + today.day() < born.month() * 100 + born.day())
        --age;
    return age;
}

// A ten-digit birth number of a day (the check digit does not matter here).
QString rcOf(const QDate& born, bool woman)
{
    return QStringLiteral("%1%2%3/1230")
        .arg(born.year() % 100, 2, 10, QLatin1Char('0'))
        .arg(born.month() + (woman ? 50 : 0), 2, 10, QLatin1Char('0'))
        .arg(born.day(), 2, 10, QLatin1Char('0'));
}

qint64 count(const QString& table)
{
    auto q = xSQLOpen(QStringLiteral("select count(*) as N from ") + table, true);
    q->Fetch();
    return q->GetInteger(QStringLiteral("N"));
}

// The 17 values the member window stores, in its order.
struct Person
{
    QString prijmeni, jmeno, prezdivka, rc, fotka = QStringLiteral("unknown.jpg");
    QDate clenstvi = QDate(2020, 1, 1);
    bool eurobeds = false;
    QString prukaz;
    QVariant kategorie = QStringLiteral("juniori");
    bool clen = true, plavec = false;
    QStringList vlastni = {QString(), QString(), QString(), QString(), QString()};
    QString poznamka;

    QVariantList values() const
    {
        QVariantList v {prijmeni, jmeno, prezdivka, rc, fotka, DateToSQL(clenstvi), eurobeds, prukaz, kategorie, clen, plavec};
        for (const QString& s : vlastni)
            v << s;
        v << poznamka;
        return v;
    }
};

int newMember(const Person& p)
{
    auto q = xProcCall(QStringLiteral("cl_clen_new"), p.values(), {}, true);
    if (!q->Fetch())
        throw std::runtime_error("cl_clen_new returned no row");
    return int(q->GetInteger(QStringLiteral("ID_Clen")));
}

QStringList listNames(const QVariantList& filter)
{
    QStringList names;
    auto q = xProcCall(QStringLiteral("CL_Clen_ALL"), filter, QStringLiteral("order by DisplayName COLLATE PXW_CSY"), true);
    while (q->Fetch())
        names << q->GetText(QStringLiteral("DisplayName"));
    return names;
}

// One spreadsheet row as the import passes it: 32 values in the sheet's order.
QVariantList sheetRow(const QString& prijmeni, const QString& rc, const QVariant& kategorie, const QString& rodicTyp,
                       const QString& rodicJmeno, const QString& prukaz = QStringLiteral("12"))
{
    return {prijmeni, QStringLiteral("Jan"), QStringLiteral("Honza"), rc, DateToSQL(QDate(2019, 1, 1)), true, false, true,
            prukaz, kategorie, rodicTyp, rodicJmeno, QStringLiteral("602 111 222"), QStringLiteral("rodic@example.cz"),
            QStringLiteral("311 222 333"), QString(), QStringLiteral("777 888 999"), QStringLiteral("jan@example.cz"),
            QStringLiteral("Dlouhá"), QStringLiteral("5"), QStringLiteral("110 00"), QStringLiteral("Praha"),
            QStringLiteral("Krátká"), QStringLiteral("7a"), QStringLiteral("602 00"), QStringLiteral("Brno"),
            QStringLiteral("A"), QStringLiteral("B"), QString(), QString(), QStringLiteral("E"), QStringLiteral("poznámka")};
}

} // namespace

class TestMembersDb : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectDB> project;

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
    }

    void birthNumber_data()
    {
        QTest::addColumn<QString>("rc");
        QTest::addColumn<QString>("stored"); // empty: refused
        QTest::addColumn<QString>("pohlavi");
        QTest::addColumn<QDate>("narozen");
        QTest::addColumn<int>("kontrola"); // -1: no check digit

        QTest::newRow("man 1985") << "850315/1239" << "850315/1239" << "mužské" << QDate(1985, 3, 15) << 1;
        QTest::newRow("wrong check digit only warns") << "850315/1238" << "850315/1238" << "mužské" << QDate(1985, 3, 15) << 0;
        QTest::newRow("woman month + 50") << "905612/3450" << "905612/3450" << "ženské" << QDate(1990, 6, 12) << 1;
        QTest::newRow("man month + 20 since 2004") << "042305/6788" << "042305/6788" << "mužské" << QDate(2004, 3, 5) << 1;
        QTest::newRow("woman month + 70 since 2004") << "087215/4327" << "087215/4327" << "ženské" << QDate(2008, 2, 15) << 1;
        QTest::newRow("29 February 2000") << "000229/1113" << "000229/1113" << "mužské" << QDate(2000, 2, 29) << 1;
        QTest::newRow("remainder 10 with 0 before 1986") << "780820/0060" << "780820/0060" << "mužské" << QDate(1978, 8, 20) << 1;
        QTest::newRow("remainder 10 with 0 from 1986") << "900412/0060" << "900412/0060" << "mužské" << QDate(1990, 4, 12) << 0;
        QTest::newRow("nine digits, man 1941") << "410712/123" << "410712/123" << "mužské" << QDate(1941, 7, 12) << -1;
        QTest::newRow("nine digits, woman 1947") << "475228/456" << "475228/456" << "ženské" << QDate(1947, 2, 28) << -1;
        QTest::newRow("without the slash") << "8503151239" << "850315/1239" << "mužské" << QDate(1985, 3, 15) << 1;
        QTest::newRow("suffix not yet complete") << "010101/" << "010101/" << "mužské" << QDate(2001, 1, 1) << -1;

        QTest::newRow("29 February 2001") << "010229/1234" << "" << "" << QDate() << -1;
        QTest::newRow("nine digits: 29 February 1900") << "000229/123" << "" << "" << QDate() << -1;
        QTest::newRow("nine digits after 1953") << "600101/123" << "" << "" << QDate() << -1;
        QTest::newRow("nine digits with month + 20") << "412305/123" << "" << "" << QDate() << -1;
        QTest::newRow("month 45") << "854515/1234" << "" << "" << QDate() << -1;
        QTest::newRow("month 13") << "851315/1234" << "" << "" << QDate() << -1;
        QTest::newRow("day 32") << "850332/1234" << "" << "" << QDate() << -1;
        QTest::newRow("day 0") << "850300/1234" << "" << "" << QDate() << -1;
        QTest::newRow("born in the future") << "300101/1234" << "" << "" << QDate() << -1;
        QTest::newRow("five digits before the slash") << "85031/1234" << "" << "" << QDate() << -1;
        QTest::newRow("letters") << "85O315/1239" << "" << "" << QDate() << -1;
    }

    // The window's reading and the stored person agree, and a number without
    // a real birth date is never stored.
    void birthNumber()
    {
        QFETCH(QString, rc);
        QFETCH(QString, stored);
        QFETCH(QString, pohlavi);
        QFETCH(QDate, narozen);
        QFETCH(int, kontrola);

        auto q = xProcCall(QStringLiteral("CL_RC"), {rc}, {}, true);
        QVERIFY(q->Fetch());
        if (stored.isEmpty()) {
            QVERIFY(q->IsNull(QStringLiteral("DatumNarozeni")));
            QVERIFY(q->IsNull(QStringLiteral("Pohlavi")));
            const QString reason = q->GetText(QStringLiteral("Chyba"));
            QVERIFY(reason.startsWith(QStringLiteral("Rodné číslo \"")));
            Person p {QStringLiteral("Novák"), QStringLiteral("Jan")};
            p.rc = rc;
            try {
                newMember(p);
                QFAIL("an impossible birth date must be refused");
            } catch (const TTalbreckDBException& e) {
                QCOMPARE(e.Severity(), 3);
                QCOMPARE(e.Description(), reason);
            }
            QCOMPARE(count(QStringLiteral("CL_CLEN")), 0);
            QCOMPARE(count(QStringLiteral("VL_HODN")), 0);
            return;
        }
        QCOMPARE(q->GetText(QStringLiteral("Pohlavi")), pohlavi);
        QCOMPARE(q->GetDate(QStringLiteral("DatumNarozeni")), narozen);
        QCOMPARE(q->GetInteger(QStringLiteral("Vek")), ageToday(narozen));
        QCOMPARE(q->GetInteger(QStringLiteral("VekVRoce")), QDate::currentDate().year() - narozen.year());
        QCOMPARE(q->IsNull(QStringLiteral("Kontrola")), kontrola < 0);
        if (kontrola >= 0)
            QCOMPARE(q->GetInteger(QStringLiteral("Kontrola")), kontrola);
        QVERIFY(q->IsNull(QStringLiteral("Chyba")));

        Person p {QStringLiteral("Novák"), QStringLiteral("Jan")};
        p.rc = rc;
        const int id = newMember(p);
        auto d = xProcCall(QStringLiteral("CL_Clen_DETAIL"), {id}, {}, true);
        QVERIFY(d->Fetch());
        QCOMPARE(d->GetText(QStringLiteral("RC")), stored);
        QCOMPARE(d->GetText(QStringLiteral("Pohlavi")), pohlavi);
        QCOMPARE(d->GetDate(QStringLiteral("DatumNarozeni")), narozen);
        QCOMPARE(d->GetInteger(QStringLiteral("Vek")), ageToday(narozen));
        auto s = xSQLOpen(QStringLiteral("select Narozen, Pohlavi from CL_CLEN where ID = %1").arg(id), true);
        QVERIFY(s->Fetch());
        QCOMPARE(s->GetDate(QStringLiteral("Narozen")), narozen);
        QCOMPARE(s->GetText(QStringLiteral("Pohlavi")), pohlavi == QStringLiteral("mužské") ? QStringLiteral("M") : QStringLiteral("Z"));
    }

    // Everything the member window stores reads back through its own calls.
    void memberRoundTrip()
    {
        xSQLOpen(QStringLiteral("update VL_SLOUPEC set DisplayName = 'Velikost trička' where ID = 'CL_01'"), false);
        Person p;
        p.prijmeni = QStringLiteral("O'Brien-Šťastná");
        p.jmeno = QStringLiteral("Žofie");
        p.prezdivka = QStringLiteral("Čiperka 'Žofka'");
        p.rc = QStringLiteral("905612/3450");
        p.fotka = QStringLiteral("zofie.jpg");
        p.clenstvi = QDate(2015, 1, 1);
        p.eurobeds = true;
        p.prukaz = QStringLiteral("0042");
        p.kategorie = QStringLiteral("vedouci");
        p.plavec = true;
        p.vlastni = {QStringLiteral("M"), QStringLiteral("ano, 'vždy'"), QString(), QStringLiteral("řidičák B"), QStringLiteral("5")};
        p.poznamka = QStringLiteral("První řádek\r\nDruhý s 'apostrofy' a ; středníkem");
        const int id = newMember(p);
        xProcCall(QStringLiteral("CL_Clen_Kontakt_EDIT"), {id, QStringLiteral("311 222 333"), QStringLiteral("311 444 555"),
                                                           QStringLiteral("777 888 999"), QStringLiteral("zofie@example.cz")});
        xProcCall(QStringLiteral("CL_Clen_Adresa_EDIT"), {id, QStringLiteral("bydliste"), QStringLiteral("Dlouhá"),
                                                          QStringLiteral("12/3"), QStringLiteral("110 00"), QStringLiteral("Praha 1")});
        xProcCall(QStringLiteral("CL_Clen_Adresa_EDIT"), {id, QStringLiteral("trvale"), QStringLiteral("Na Kopci"),
                                                          QStringLiteral("7"), QStringLiteral("602 00"), QStringLiteral("Brno")});
        QVariantList otec {id, QStringLiteral("Patrik O'Brien"), QStringLiteral("602 111 222"), QStringLiteral("otec@example.cz"),
                           1, QStringLiteral("volat večer"), true};
        QVariantList matka {id, QStringLiteral("Šárka Šťastná"), QStringLiteral("603 333 444"), Null, 2, Null, false};
        int otecId = 0;
        {
            auto q = xProcCall(QStringLiteral("CL_RODIC_NEW"), otec, {}, true);
            QVERIFY(q->Fetch());
            otecId = int(q->GetInteger(QStringLiteral("ID")));
            q = xProcCall(QStringLiteral("CL_RODIC_NEW"), matka, {}, true);
            QVERIFY(q->Fetch());
        }

        auto d = xProcCall(QStringLiteral("CL_Clen_DETAIL"), {id}, {}, true);
        QVERIFY(d->Fetch());
        const QList<std::pair<const char*, QVariant>> expected {
            {"Prijmeni", p.prijmeni}, {"Jmeno", p.jmeno}, {"Prezdivka", p.prezdivka}, {"RC", p.rc},
            {"Pohlavi", QStringLiteral("ženské")}, {"Clen", 1}, {"Clenstvi", p.clenstvi}, {"ID_Kategorie", p.kategorie},
            {"PrukazKCT", p.prukaz}, {"EuroBeds", 1}, {"Plavec", 1}, {"Ulice", QStringLiteral("Dlouhá")},
            {"CP", QStringLiteral("12/3")}, {"PSC", QStringLiteral("110 00")}, {"Mesto", QStringLiteral("Praha 1")},
            {"Trvale_Ulice", QStringLiteral("Na Kopci")}, {"Trvale_CP", QStringLiteral("7")},
            {"Trvale_PSC", QStringLiteral("602 00")}, {"Trvale_Mesto", QStringLiteral("Brno")},
            {"Telefon", QStringLiteral("311 222 333")}, {"Telefon2", QStringLiteral("311 444 555")},
            {"Mobil", QStringLiteral("777 888 999")}, {"Mail", QStringLiteral("zofie@example.cz")},
            {"Poznamka", p.poznamka}, {"Fotka", p.fotka}, {"DatumNarozeni", QDate(1990, 6, 12)}};
        for (const auto& [column, value] : expected) {
            const QString name = QString::fromLatin1(column);
            if (value.metaType().id() == QMetaType::QDate)
                QCOMPARE(d->GetDate(name), value.toDate());
            else if (value.metaType().id() == QMetaType::Int)
                QCOMPARE(d->GetInteger(name), value.toInt());
            else
                QVERIFY2(d->GetText(name) == value.toString(), column);
        }
        const qint64 idHodn = d->GetInteger(QStringLiteral("ID_Hodn"));

        auto h = xProcCall(QStringLiteral("vl_hodn_all"), {idHodn}, {}, true);
        QVERIFY(h->Fetch());
        for (int i = 0; i < 5; ++i)
            QCOMPARE(h->GetText(QStringLiteral("CL_%1").arg(i + 1)), p.vlastni[i]);
        auto s = xProcCall(QStringLiteral("vl_sloupec_all"), {1}, {}, true);
        QVERIFY(s->Fetch());
        QCOMPARE(s->GetText(QStringLiteral("Sloupec")), QStringLiteral("CL_01"));
        QCOMPARE(s->GetText(QStringLiteral("DisplayName")), QStringLiteral("Velikost trička"));

        auto r = xProcCall(QStringLiteral("CL_RODIC_ALL"), {id, Null}, {}, true);
        QList<QVariantList> parents;
        while (r->Fetch())
            parents << QVariantList {r->GetInteger(QStringLiteral("ID_Clen")), r->GetText(QStringLiteral("DisplayName")),
                                     r->GetText(QStringLiteral("Telefon")), r->GetValue(QStringLiteral("Mail")),
                                     r->GetInteger(QStringLiteral("ID_Rodic_Typ")), r->GetValue(QStringLiteral("Poznamka")),
                                     r->GetInteger(QStringLiteral("Primarni")) == 1, r->GetText(QStringLiteral("Rodic_Typ"))};
        QCOMPARE(parents.size(), 2);
        otec[0] = qint64(id);
        otec[4] = qint64(1);
        matka[0] = qint64(id);
        matka[4] = qint64(2);
        QCOMPARE(parents[0], otec + QVariantList {QStringLiteral("otec")});
        QCOMPARE(parents[1], matka + QVariantList {QStringLiteral("matka")});

        // Edited as a non-member: no category is kept; the parent's kind, deleted
        // from the code list meanwhile, stays as stored.
        xSQLOpen(QStringLiteral("insert into CL_RODIC_TYP (DisplayName, System) values ('babička', 0)"), false);
        xSQLOpen(QStringLiteral("update CL_RODIC_TYP set Aktivni = 0 where DisplayName = 'babička'"), false);
        qint64 babicka = 0;
        {
            auto t = xSQLOpen(QStringLiteral("select ID from CL_RODIC_TYP where DisplayName = 'babička'"), true);
            QVERIFY(t->Fetch());
            babicka = t->GetInteger(QStringLiteral("ID"));
        }
        QCOMPARE(babicka, 4);
        xProcCall(QStringLiteral("CL_RODIC_EDIT"), {otecId, QStringLiteral("Paní O'Brien"), Null, Null, babicka, Null, true});
        p.clen = false;
        p.kategorie = Null;
        p.vlastni[2] = QStringLiteral("nová");
        xProcCall(QStringLiteral("cl_clen_edit"), QVariantList {id} + p.values());
        d = xProcCall(QStringLiteral("CL_Clen_DETAIL"), {id}, {}, true);
        QVERIFY(d->Fetch());
        QCOMPARE(d->GetInteger(QStringLiteral("Clen")), 0);
        QVERIFY(d->IsNull(QStringLiteral("ID_Kategorie")));
        QCOMPARE(d->GetInteger(QStringLiteral("ID_Hodn")), idHodn);
        h = xProcCall(QStringLiteral("vl_hodn_all"), {idHodn}, {}, true);
        QVERIFY(h->Fetch());
        QCOMPARE(h->GetText(QStringLiteral("CL_3")), QStringLiteral("nová"));
        r = xProcCall(QStringLiteral("CL_RODIC_ALL"), {id, otecId}, {}, true);
        QVERIFY(r->Fetch());
        QCOMPARE(r->GetText(QStringLiteral("Rodic_Typ")), QStringLiteral("babička"));
        QVERIFY(!r->Fetch());

        xProcCall(QStringLiteral("CL_RODIC_DEL"), {Null});
        xProcCall(QStringLiteral("CL_RODIC_DEL"), {otecId});
        QCOMPARE(count(QStringLiteral("CL_RODIC")), 1);
        QVERIFY(!xProcCall(QStringLiteral("AK_Akce_CLEN"), {id, Null, Null, Null}, {}, true)->Fetch());
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QString>("message");
        Person noName;
        QTest::newRow("no surname") << "cl_clen_new" << noName.values() << "Příjmení musí být vyplněno.";
        Person badCategory {QStringLiteral("Novák")};
        badCategory.kategorie = QStringLiteral("senior");
        QTest::newRow("unknown category") << "cl_clen_new" << badCategory.values() << "Kategorie \"senior\" neexistuje.";
        QTest::newRow("edit of a missing member") << "cl_clen_edit" << QVariantList {999} + Person {QStringLiteral("X")}.values()
                                                  << "Člen již v evidenci není.";
        QTest::newRow("contacts of a missing member") << "CL_Clen_Kontakt_EDIT" << QVariantList {999, Null, Null, Null, Null}
                                                      << "Člen již v evidenci není.";
        QTest::newRow("parent without a name") << "CL_RODIC_NEW" << QVariantList {1, QStringLiteral(" "), Null, Null, 1, Null, false}
                                               << "Jméno rodiče musí být vyplněno.";
        QTest::newRow("parent of an unknown kind") << "CL_RODIC_NEW" << QVariantList {1, QStringLiteral("Eva"), Null, Null, 9, Null, false}
                                                   << "Neznámý typ rodiče.";
        QTest::newRow("delete of a missing member") << "cl_clen_del" << QVariantList {999} << "Člen již v evidenci není.";
    }

    void refusals()
    {
        QFETCH(QString, procedure);
        QFETCH(QVariantList, values);
        QFETCH(QString, message);
        newMember(Person {QStringLiteral("Existující")}); // ID 1
        const bool selected = procedure.endsWith(QLatin1String("_new"), Qt::CaseInsensitive);
        try {
            auto q = xProcCall(procedure, values, {}, selected);
            QFAIL("the call must be refused");
        } catch (const TTalbreckDBException& e) {
            QCOMPARE(e.Severity(), 3);
            QCOMPARE(e.Description(), message);
        }
        QCOMPARE(count(QStringLiteral("CL_CLEN")), 1);
        QCOMPARE(count(QStringLiteral("CL_RODIC")), 0);
    }

    void listFilters_data()
    {
        QTest::addColumn<QVariantList>("filter");
        QTest::addColumn<QStringList>("names");
        const QString vse = QString();
        QTest::newRow("everyone, Czech order") << QVariantList {vse, Null, Null, 0, 99, Null}
                                                << QStringList {"Cibulka Ota", "Čech Adam", "Hora Jan", "Chalupa Petr", "Šťastná Eva"};
        QTest::newRow("members") << QVariantList {vse, Null, Null, 0, 99, 1}
                                 << QStringList {"Cibulka Ota", "Hora Jan", "Chalupa Petr", "Šťastná Eva"};
        QTest::newRow("non-members") << QVariantList {vse, Null, Null, 0, 99, 0} << QStringList {"Čech Adam"};
        QTest::newRow("category") << QVariantList {vse, Null, QStringLiteral("dorost"), 0, 99, Null} << QStringList {"Chalupa Petr"};
        QTest::newRow("nickname, any letter case") << QVariantList {QStringLiteral("veverka"), Null, Null, 0, 99, Null}
                                                   << QStringList {"Šťastná Eva"};
        QTest::newRow("town") << QVariantList {QStringLiteral("Brno"), Null, Null, 0, 99, Null} << QStringList {"Šťastná Eva"};
        QTest::newRow("first name and surname") << QVariantList {QStringLiteral("Jan Hora"), Null, Null, 0, 99, Null}
                                                << QStringList {"Hora Jan"};
        QTest::newRow("part of names") << QVariantList {QStringLiteral("ch"), Null, Null, 0, 99, Null}
                                       << QStringList {"Čech Adam", "Chalupa Petr"};
        QTest::newRow("apostrophe in the text") << QVariantList {QStringLiteral("O'B"), Null, Null, 0, 99, Null} << QStringList {};
        QTest::newRow("age range leaves out the unknown age") << QVariantList {vse, Null, Null, 10, 17, Null}
                                                              << QStringList {"Hora Jan", "Chalupa Petr"};
        QTest::newRow("lower bound") << QVariantList {vse, Null, Null, 30, 99, Null} << QStringList {"Cibulka Ota"};
        QTest::newRow("an event: no participants yet") << QVariantList {vse, 1, Null, 0, 99, Null} << QStringList {};
    }

    // The people's ages are counted from today, so the list stays the same on any day.
    void listFilters()
    {
        QFETCH(QVariantList, filter);
        QFETCH(QStringList, names);
        const int year = QDate::currentDate().year();
        struct Row { const char* prijmeni; const char* jmeno; int age; bool woman; const char* kategorie; };
        const Row rows[] = {{"Hora", "Jan", 11, false, "zactvo"},
                            {"Chalupa", "Petr", 16, false, "dorost"},
                            {"Cibulka", "Ota", 46, false, "vedouci"},
                            {"Šťastná", "Eva", 22, true, "juniori"}};
        for (const Row& r : rows) {
            Person p {QString::fromUtf8(r.prijmeni), QString::fromUtf8(r.jmeno)};
            p.rc = rcOf(QDate(year - r.age, 1, 1), r.woman);
            p.kategorie = QString::fromLatin1(r.kategorie);
            if (r.woman)
                p.prezdivka = QStringLiteral("Veverka");
            const int id = newMember(p);
            if (r.woman)
                xProcCall(QStringLiteral("CL_Clen_Adresa_EDIT"), {id, QStringLiteral("bydliste"), QStringLiteral("Lesní"),
                                                                  QStringLiteral("3"), QStringLiteral("602 00"), QStringLiteral("Brno")});
        }
        Person nonMember {QStringLiteral("Čech"), QStringLiteral("Adam")};
        nonMember.clen = false;
        newMember(nonMember);

        QCOMPARE(listNames(filter), names);

        auto sum = xProcCall(QStringLiteral("CL_Clen_Kategorie_SUM"), {}, {}, true);
        QVERIFY(sum->Fetch());
        QCOMPARE(QStringList({sum->GetText(QStringLiteral("ZACTVO")), sum->GetText(QStringLiteral("DOROST")),
                              sum->GetText(QStringLiteral("JUNIORI")), sum->GetText(QStringLiteral("VEDOUCI")),
                              sum->GetText(QStringLiteral("OSTATNI")), sum->GetText(QStringLiteral("CELKEM"))}),
                 QStringList({"1", "1", "1", "1", "0", "4"}));
    }

    void listColumns()
    {
        Person p {QStringLiteral("Šťastná"), QStringLiteral("Eva"), QStringLiteral("Veverka"), QStringLiteral("905612/3450")};
        p.prukaz = QStringLiteral("0042");
        p.vlastni[0] = QStringLiteral("M");
        const int id = newMember(p);
        xProcCall(QStringLiteral("CL_Clen_Adresa_EDIT"), {id, QStringLiteral("bydliste"), QStringLiteral("Lesní"),
                                                          QStringLiteral("3"), QStringLiteral("602 00"), QStringLiteral("Brno")});
        auto q = xProcCall(QStringLiteral("CL_Clen_ALL"), {QString(), Null, Null, 0, 99, 1}, QStringLiteral("order by Ulice COLLATE PXW_CSY, CP"), true);
        QVERIFY(q->Fetch());
        QCOMPARE(q->GetInteger(QStringLiteral("ID")), id);
        QCOMPARE(q->GetText(QStringLiteral("adresa_bydliste")), QStringLiteral("Lesní 3, 602 00 Brno"));
        QCOMPARE(q->GetText(QStringLiteral("Pohlavi")), QStringLiteral("ženské"));
        QCOMPARE(q->GetDate(QStringLiteral("DATUMNAROZENI")), QDate(1990, 6, 12));
        QCOMPARE(q->GetInteger(QStringLiteral("Vek")), ageToday(QDate(1990, 6, 12)));
        QCOMPARE(q->GetText(QStringLiteral("KATEGORIE")), QStringLiteral("Junioři"));
        QCOMPARE(q->GetText(QStringLiteral("PrukazKCT_VYPIS")), QStringLiteral("0042"));
        QCOMPARE(q->GetText(QStringLiteral("CL_1")), QStringLiteral("M"));
        QVERIFY(!q->Fetch());
    }

    void deleteMember()
    {
        const int keep = newMember(Person {QStringLiteral("Zůstává")});
        const int id = newMember(Person {QStringLiteral("Odchází")});
        xProcCall(QStringLiteral("CL_RODIC_NEW"), {id, QStringLiteral("Otec"), Null, Null, 1, Null, true}, {}, true);
        xProcCall(QStringLiteral("CL_RODIC_NEW"), {keep, QStringLiteral("Matka"), Null, Null, 2, Null, true}, {}, true);

        auto c = xProcCall(QStringLiteral("CL_Clen_CANDEL"), {id}, {}, true);
        QVERIFY(c->Fetch());
        QCOMPARE(c->GetInteger(QStringLiteral("Lze")), 1);
        xProcCall(QStringLiteral("cl_clen_del"), {Null});
        QCOMPARE(count(QStringLiteral("CL_CLEN")), 2);
        xProcCall(QStringLiteral("cl_clen_del"), {id});
        QCOMPARE(listNames({QString(), Null, Null, 0, 99, Null}), QStringList {QStringLiteral("Zůstává")});
        QCOMPARE(count(QStringLiteral("CL_RODIC")), 1);
        QCOMPARE(count(QStringLiteral("VL_HODN")), 1);
        c = xProcCall(QStringLiteral("CL_Clen_CANDEL"), {id}, {}, true);
        QVERIFY(c->Fetch());
        QCOMPARE(c->GetInteger(QStringLiteral("Lze")), 0);
        QCOMPARE(c->GetText(QStringLiteral("Duvod")), QStringLiteral("Člen již v evidenci není."));
    }

    void importRow_data()
    {
        QTest::addColumn<QVariantList>("row");
        QTest::addColumn<QString>("message"); // empty: stored
        QTest::addColumn<QString>("rodicTyp");

        QTest::newRow("parent kind by name") << sheetRow(QStringLiteral("O'Neill"), QStringLiteral("850315/1239"),
                                                          QStringLiteral("juniori"), QStringLiteral("matka"), QStringLiteral("Eva"))
                                             << "" << "matka";
        QTest::newRow("parent kind by ID") << sheetRow(QStringLiteral("Říha"), QStringLiteral("8503151239"),
                                                        QStringLiteral("dorost"), QStringLiteral("3"), QStringLiteral("Eva"))
                                           << "" << "zástupce";
        QTest::newRow("no parent kind, no parent") << sheetRow(QStringLiteral("Říha"), QStringLiteral("850315/1239"),
                                                                QStringLiteral("dorost"), QString(), QStringLiteral("Eva"))
                                                   << "" << "";
        QTest::newRow("bad birth number") << sheetRow(QStringLiteral("Říha"), QStringLiteral("851315/1234"), QStringLiteral("dorost"),
                                                       QStringLiteral("otec"), QStringLiteral("Petr"))
                                          << "Rodné číslo \"851315/1234\" neobsahuje platné datum narození." << "";
        QTest::newRow("unknown parent kind") << sheetRow(QStringLiteral("Říha"), QStringLiteral("850315/1239"), QStringLiteral("dorost"),
                                                          QStringLiteral("teta"), QStringLiteral("Petra"))
                                             << "Neznámý typ rodiče 'teta' u člena 'Říha Jan'." << "";
        QTest::newRow("member without category") << sheetRow(QStringLiteral("Říha"), QStringLiteral("850315/1239"), Null,
                                                              QStringLiteral("otec"), QStringLiteral("Petr"))
                                                 << "Kategorie u člena 'Říha Jan' není zadána." << "";
        QTest::newRow("unknown category") << sheetRow(QStringLiteral("Říha"), QStringLiteral("850315/1239"), QStringLiteral("senior"),
                                                       QStringLiteral("otec"), QStringLiteral("Petr"))
                                          << "Kategorie \"senior\" neexistuje." << "";
        // Refused once the person is already written: the row must still leave nothing.
        QTest::newRow("parent kind without the parent's name")
            << sheetRow(QStringLiteral("Říha"), QStringLiteral("850315/1239"), QStringLiteral("dorost"), QStringLiteral("otec"), QString())
            << "Jméno rodiče musí být vyplněno." << "";
        QTest::newRow("card number too long") << sheetRow(QStringLiteral("Říha"), QStringLiteral("850315/1239"), QStringLiteral("dorost"),
                                                           QStringLiteral("otec"), QStringLiteral("Petr"), QStringLiteral("12345"))
                                              << "Délka údaje \"Průkaz KČT\" u člena 'Říha Jan' je 5, nejvýše smí být 4." << "";
        QVariantList longStreet = sheetRow(QStringLiteral("Říha"), QStringLiteral("850315/1239"), QStringLiteral("dorost"),
                                           QStringLiteral("otec"), QStringLiteral("Petr"));
        longStreet[18] = QString(101, QLatin1Char('x'));
        QTest::newRow("street too long") << longStreet << "Délka údaje \"Bydliště - ulice\" u člena 'Říha Jan' je 101, nejvýše smí být 100."
                                         << "";
    }

    void importRow()
    {
        QFETCH(QVariantList, row);
        QFETCH(QString, message);
        QFETCH(QString, rodicTyp);
        if (!message.isEmpty()) {
            try {
                xProcCall(QStringLiteral("CL_Clen_IMPORT"), row, {}, true);
                QFAIL("the row must be refused");
            } catch (const TTalbreckDBException& e) {
                QCOMPARE(e.Severity(), 3);
                QCOMPARE(e.Description(), message);
            }
            for (const QString& table : {QStringLiteral("CL_CLEN"), QStringLiteral("CL_RODIC"), QStringLiteral("VL_HODN")})
                QVERIFY2(count(table) == 0, qPrintable(table));
            return;
        }
        auto q = xProcCall(QStringLiteral("CL_Clen_IMPORT"), row, {}, true);
        QVERIFY(q->Fetch());
        const qint64 id = q->GetInteger(QStringLiteral("ID_Clen"));
        q.reset();
        auto d = xProcCall(QStringLiteral("CL_Clen_DETAIL"), {id}, {}, true);
        QVERIFY(d->Fetch());
        QCOMPARE(d->GetText(QStringLiteral("Prijmeni")), row[0].toString());
        QCOMPARE(d->GetText(QStringLiteral("RC")), QStringLiteral("850315/1239"));
        QCOMPARE(d->GetDate(QStringLiteral("Clenstvi")), QDate(2019, 1, 1));
        QCOMPARE(d->GetText(QStringLiteral("Fotka")), QStringLiteral("unknown.jpg"));
        QCOMPARE(d->GetInteger(QStringLiteral("EuroBeds")), 1);
        QCOMPARE(d->GetText(QStringLiteral("Mobil")), QStringLiteral("777 888 999"));
        QCOMPARE(d->GetText(QStringLiteral("Mesto")), QStringLiteral("Praha"));
        QCOMPARE(d->GetText(QStringLiteral("Trvale_CP")), QStringLiteral("7a"));
        QCOMPARE(d->GetText(QStringLiteral("Poznamka")), QStringLiteral("poznámka"));
        auto h = xProcCall(QStringLiteral("vl_hodn_all"), {d->GetInteger(QStringLiteral("ID_Hodn"))}, {}, true);
        QVERIFY(h->Fetch());
        QCOMPARE(h->GetText(QStringLiteral("CL_5")), QStringLiteral("E"));
        auto r = xProcCall(QStringLiteral("CL_RODIC_ALL"), {id, Null}, {}, true);
        if (rodicTyp.isEmpty()) {
            QVERIFY(!r->Fetch());
            return;
        }
        QVERIFY(r->Fetch());
        QCOMPARE(r->GetText(QStringLiteral("Rodic_Typ")), rodicTyp);
        QCOMPARE(r->GetText(QStringLiteral("DisplayName")), QStringLiteral("Eva"));
        QCOMPARE(r->GetInteger(QStringLiteral("Primarni")), 1);
    }

    void categories_data()
    {
        QTest::addColumn<QVariant>("included");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("active ones") << QVariant(Null) << QStringList({"zactvo=Žactvo", "juniori=Junioři", "vedouci=Vedoucí", "ostatni=Ostatní"});
        QTest::newRow("a deleted one still in use") << QVariant(QStringLiteral("dorost"))
                                                    << QStringList({"zactvo=Žactvo", "dorost=Dorost", "juniori=Junioři", "vedouci=Vedoucí",
                                                                    "ostatni=Ostatní"});
    }

    void categories()
    {
        QFETCH(QVariant, included);
        QFETCH(QStringList, expected);
        xSQLOpen(QStringLiteral("update CL_KATEGORIE set Aktivni = 0 where ID = 'dorost'"), false);
        auto q = xProcCall(QStringLiteral("cl_kategorie_all"), {included}, {}, true);
        QStringList ids;
        while (q->Fetch())
            ids << q->GetText(QStringLiteral("ID")) + QLatin1Char('=') + q->GetText(QStringLiteral("DisplayName"));
        QCOMPARE(ids, expected);
    }

    void valuesOfAPersonWithout()
    {
        auto q = xProcCall(QStringLiteral("vl_hodn_all"), {Null}, {}, true);
        QVERIFY(q->Fetch());
        QVERIFY(q->IsNull(QStringLiteral("CL_1")));
        QVERIFY(!q->Fetch());
    }
};

QTEST_MAIN(TestMembersDb)
#include "tst_members_db.moc"
