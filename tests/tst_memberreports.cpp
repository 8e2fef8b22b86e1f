#include "TestEnv.h"

#include "core/uDialogs.h"
#include "db/uDB_FB.h"
#include "members/fClen.h"
#include "members/fClenove.h"
#include "reports/fFormDB.h"
#include "shell/uProjectZUNO.h"
#include "ui/SListViewDB.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTest>

namespace {

qint64 addPerson(const QString& surname, const QString& name, const QString& rc, const QVariant& category)
{
    auto q = xProcCall(QStringLiteral("cl_clen_new"),
                       {surname, name, QString(), rc, QString(), DateToSQL(QDate(2020, 1, 1)), 0, QStringLiteral("0815"),
                        category, VarIsNull(category) ? 0 : 1, 1, QStringLiteral("modrá šňůra"), QString(), QString(), QString(),
                        QString(), QStringLiteral("Poznámka ke kartě")},
                       {}, true);
    q->Fetch();
    const qint64 id = q->GetInteger(QStringLiteral("ID_Clen"));
    q.reset(); // commits the new person
    xProcCall(QStringLiteral("CL_Clen_Adresa_EDIT"), {id, QStringLiteral("bydliste"), QStringLiteral("Žižkova"), QStringLiteral("12"),
                                                        QStringLiteral("602 00"), QStringLiteral("Brno")});
    xProcCall(QStringLiteral("CL_Clen_Kontakt_EDIT"), {id, QString(), QString(), QStringLiteral("777 123 456"),
                                                         surname.toLower() + QStringLiteral("@example.cz")});
    return id;
}

void addParent(qint64 id, const QString& name, const QString& kind, bool primary)
{
    const qint64 typ = QueryInt(QStringLiteral("select ID from CL_RODIC_TYP where DisplayName = '%1'").arg(kind));
    xProcCall(QStringLiteral("CL_RODIC_NEW"), {id, name, QStringLiteral("603 111 222"), QString(), typ, QString(), primary ? 1 : 0},
              {}, true)
        ->Fetch();
}

} // namespace

class TestMemberReports : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectZUNO> app;
    qint64 zaneta = 0;

    TfrmFormDB* window() { return app->ReportWindow(); }
    QString render(const QString& file)
    {
        const qint64 id = QueryInt(QStringLiteral("select ID from OD_Sestava where FileName = '%1'").arg(file));
        if (!window()->SelectReport(id))
            return QStringLiteral("(not in the group)");
        QString text;
        for (int page = 0; page < window()->Engine()->PageCount(); ++page)
            text += window()->Engine()->PageText(page) + QLatin1Char('\n');
        return text;
    }

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<TestEnv>();
        env->copyTemplate();
        const QString reports = env->dataDir() + QStringLiteral("report/");
        QDir().mkpath(reports);
        for (const QString& f : QDir(QStringLiteral(ZUNO_REPORT_SOURCE)).entryList({QStringLiteral("cl_*.zrs")}))
            QVERIFY(QFile::copy(QStringLiteral(ZUNO_REPORT_SOURCE "/") + f, reports + f));
        QDir().mkpath(env->dataDir() + QStringLiteral("fotky"));
        QVERIFY(QFile::copy(QStringLiteral(ZUNO_DEFAULT_PHOTO), env->dataDir() + QStringLiteral("fotky/unknown.jpg")));
        app = std::make_unique<TProjectZUNO>();
        app->LoadSettings(true);
        xSQLOpen(QStringLiteral("update OD_Oficiality set Nazev = 'Turistický oddíl Šipka', ID_KCTOBLAST = '62', KCT_CISLO = '1108'"), false);
        xProcCall(QStringLiteral("VL_SLOUPEC_EDIT"), {QStringLiteral("CL_01"), QStringLiteral("Barva šňůry")});
        zaneta = addPerson(QStringLiteral("Řehořová"), QStringLiteral("Žaneta"), QStringLiteral("155512/0006"), QStringLiteral("zactvo"));
        addParent(zaneta, QStringLiteral("Jiřina Řehořová"), QStringLiteral("matka"), true);
        addParent(zaneta, QStringLiteral("Čeněk Řehoř"), QStringLiteral("otec"), false);
        addPerson(QStringLiteral("Chalupa"), QStringLiteral("Petr"), QStringLiteral("900101/0007"), QStringLiteral("vedouci"));
        addPerson(QStringLiteral("Horák"), QStringLiteral("Jan"), QStringLiteral("855212/0005"), QStringLiteral("vedouci"));
        Dialogs::takeShown();
    }

    void cleanup()
    {
        app->ReportWindow()->Finish();
        app.reset();
        env.reset();
    }

    // The member window prints its card with the person's stored record.
    void memberCard()
    {
        TfrmClen w;
        w.Prepare(static_cast<int>(zaneta));
        w.show();
        w.findChild<QPushButton*>(QStringLiteral("cmdTisk"))->click();
        QCOMPARE(window()->Group(), QStringLiteral("frmClen"));
        QCOMPARE(window()->findChild<TSListViewDB*>(QStringLiteral("lstFormular"))->Count(), 1);
        const QString text = render(QStringLiteral("cl_karta.zrs"));
        for (const QString& expected :
             {QStringLiteral("Turistický oddíl Šipka"), QStringLiteral("Řehořová Žaneta"), QStringLiteral("Žactvo"),
              QStringLiteral("Žižkova 12, 602 00 Brno"), QStringLiteral("777 123 456"), QStringLiteral("řehořová@example.cz"),
              QStringLiteral("Jiřina Řehořová *"), QStringLiteral("Čeněk Řehoř"), QStringLiteral("otec"),
              QStringLiteral("62 1108 0815"), QStringLiteral("Barva šňůry"), QStringLiteral("modrá šňůra"), QStringLiteral("Poznámka ke kartě"),
              QStringLiteral("Vytištěno 11.12.2026"), QStringLiteral("Strana 1 z 1")})
            QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" missing in:\n") + text));
        QVERIFY(!text.contains(QStringLiteral("Chalupa")));
        QCOMPARE(Dialogs::takeShown().size(), 0);
        w.hide();
    }

    void cardPhoto_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("printed");
        QTest::newRow("none") << QString() << QStringLiteral("unknown.jpg");
        QTest::newRow("own") << QStringLiteral("zaneta.png") << QStringLiteral("zaneta.png");
        QTest::newRow("file missing") << QStringLiteral("chybi.jpg") << QStringLiteral("unknown.jpg");
    }

    // The card prints the person's photo, or the default picture; the stored name stays.
    void cardPhoto()
    {
        QFETCH(QString, stored);
        QFETCH(QString, printed);
        QImage image(40, 50, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QVERIFY(image.save(env->dataDir() + QStringLiteral("fotky/zaneta.png")));
        xSQLOpen(QStringLiteral("update CL_CLEN set Fotka = '%1' where ID = %2").arg(stored).arg(zaneta), false);
        TfrmClen w;
        w.Prepare(static_cast<int>(zaneta));
        w.show();
        w.findChild<QPushButton*>(QStringLiteral("cmdTisk"))->click();
        render(QStringLiteral("cl_karta.zrs"));
        QVERIFY2(window()->Engine()->BodyHtml().contains(QStringLiteral("<img src=\"") + env->dataDir() + QStringLiteral("fotky/") + printed),
                 qPrintable(window()->Engine()->BodyHtml()));
        auto q = xSQLOpen(QStringLiteral("select coalesce(Fotka, '') from CL_CLEN where ID = %1").arg(zaneta), true);
        QVERIFY(q->Fetch());
        QCOMPARE(q->GetText(0), stored);
        QCOMPARE(Dialogs::takeShown().size(), 0);
        w.hide();
    }

    void memberList_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("list") << QStringLiteral("cl_seznam.zrs")
                              << QStringList{QStringLiteral("Seznam členů"), QStringLiteral("Řehořová Žaneta"),
                                             QStringLiteral("Žižkova 12, 602 00 Brno"), QStringLiteral("Celkem osob: 3")};
        QTest::newRow("contacts") << QStringLiteral("cl_kontakty.zrs")
                                  << QStringList{QStringLiteral("Kontakty na členy"), QStringLiteral("Žactvo (1)"),
                                                 QStringLiteral("Řehořová Žaneta"), QStringLiteral("Vedoucí (2)"),
                                                 QStringLiteral("horák@example.cz"), QStringLiteral("Celkem osob: 3")};
    }

    // The member list prints the rows it shows; the expected texts stand in this order.
    void memberList()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, expected);
        TfrmClenove list;
        list.Open();
        list.actTisk->trigger();
        QCOMPARE(window()->Group(), QStringLiteral("frmClenove"));
        QCOMPARE(window()->findChild<TSListViewDB*>(QStringLiteral("lstFormular"))->Count(), 2);
        const QString text = render(file);
        qsizetype at = 0;
        for (const QString& e : expected) {
            at = text.indexOf(e, at);
            QVERIFY2(at >= 0, qPrintable(e + QStringLiteral(" missing or out of order in:\n") + text));
        }
        QVERIFY(text.contains(QStringLiteral("Turistický oddíl Šipka")));
        QVERIFY(text.contains(QStringLiteral("Strana 1 z 1")));
        QCOMPARE(Dialogs::takeShown().size(), 0);
    }
};

QTEST_MAIN(TestMemberReports)
#include "tst_memberreports.moc"
