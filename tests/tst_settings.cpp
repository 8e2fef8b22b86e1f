#include "TestEnv.h"

#include "core/uClock.h"
#include "core/uDialogs.h"
#include "core/uSystem.h"
#include "db/uColl.h"
#include "db/uDB_FB.h"
#include "shell/uProjectZUNO.h"

#include <QTest>

class TestSettings : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;

    std::unique_ptr<TProjectZUNO> start()
    {
        env->copyTemplate();
        auto app = std::make_unique<TProjectZUNO>();
        app->LoadSettings(true);
        return app;
    }

private Q_SLOTS:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void collection()
    {
        TColl c;
        c.SetValue(QStringLiteral("JU"), QStringLiteral("1"));
        c.SetValue(QStringLiteral("OD_LOGO"), QStringLiteral("logo.png"));
        c.SetValue(QStringLiteral("PU"), 0);
        c.SetValue(QStringLiteral("od_logo"), QStringLiteral("jine.png"));
        QCOMPARE(c.Names(), QStringList({QStringLiteral("JU"), QStringLiteral("OD_LOGO"), QStringLiteral("PU")}));
        QCOMPARE(c.Text(QStringLiteral("Od_Logo")), QStringLiteral("jine.png"));
        QVERIFY(c.Is(QStringLiteral("ju"), 1));
        QVERIFY(c.Is(QStringLiteral("PU"), QStringLiteral("0")));
        QVERIFY(!c.Is(QStringLiteral("PU"), 1));
        QCOMPARE(c.GetValue(QStringLiteral("chybi")), QVariant(QString()));
        QVERIFY(!c.Is(QStringLiteral("chybi"), 0));
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, c.Int(QStringLiteral("chybi")));
    }

    void loadAndSave()
    {
        auto app = start();
        TColl& s = *app->Settings;
        QVERIFY(s.Contains(QStringLiteral("DB_ZalohaInterval")));
        QCOMPARE(s.Text(QStringLiteral("SL_Vedouci")), QStringLiteral("Vedoucí"));
        // At every start the bookkeeping date becomes today, in memory and in the database.
        QCOMPARE(s.Int(QStringLiteral("PU_AktDatum")), DayNumber(Clock::today()));

        s.SetValue(QStringLiteral("OD_LOGO"), QStringLiteral("logo's.png"));
        s.SetValue(QStringLiteral("NOVY_KLIC"), 42);
        app->SaveSettings();
        app->LoadSettings(false);
        QCOMPARE(app->Settings->Text(QStringLiteral("od_logo")), QStringLiteral("logo's.png"));
        QCOMPARE(app->Settings->Int(QStringLiteral("NOVY_KLIC")), 42);
        QCOMPARE(app->Settings->Int(QStringLiteral("PU_AktDatum")), DayNumber(Clock::today()));
        QVERIFY(VarIsNull(app->RokPU));
        QVERIFY(VarIsNull(app->RokPD));
    }

    void reportYearAndDate_data()
    {
        QTest::addColumn<int>("ju");
        QTest::addColumn<int>("pu");
        QTest::addColumn<QVariant>("rokPD");
        QTest::addColumn<QVariant>("rokPU");
        QTest::addColumn<QDate>("stored");
        QTest::addColumn<int>("year");
        QTest::addColumn<QDate>("date");
        const QDate today(2026, 12, 11);
        const QDate leap(2008, 2, 29);
        QTest::newRow("tax records only") << 1 << 0 << QVariant(2025) << QVariant(Null) << leap << 2025 << today;
        QTest::newRow("bookkeeping only") << 0 << 1 << QVariant(Null) << QVariant(2024) << QDate(2009, 6, 30) << 2024
                                          << QDate(2024, 6, 30);
        QTest::newRow("both") << 1 << 1 << QVariant(2025) << QVariant(2023) << QDate(2009, 3, 1) << 2023 << QDate(2023, 3, 1);
        QTest::newRow("neither") << 0 << 0 << QVariant(2025) << QVariant(2023) << leap << 2026 << today;
        QTest::newRow("29 February without a leap year") << 0 << 1 << QVariant(Null) << QVariant(2023) << leap << 2023
                                                          << QDate(2023, 2, 28);
        QTest::newRow("29 February in a leap year") << 0 << 1 << QVariant(Null) << QVariant(2024) << leap << 2024
                                                    << QDate(2024, 2, 29);
        QTest::newRow("bookkeeping without a year") << 0 << 1 << QVariant(Null) << QVariant(Null) << QDate(2009, 5, 8) << 2026
                                                    << QDate(2026, 5, 8);
    }

    void reportYearAndDate()
    {
        QFETCH(int, ju);
        QFETCH(int, pu);
        QFETCH(QVariant, rokPD);
        QFETCH(QVariant, rokPU);
        QFETCH(QDate, stored);
        QFETCH(int, year);
        QFETCH(QDate, date);
        auto app = start();
        app->Settings->SetValue(QStringLiteral("JU"), ju);
        app->Settings->SetValue(QStringLiteral("PU"), QString::number(pu));
        app->Settings->SetValue(QStringLiteral("PU_AktDatum"), DayNumber(stored));
        app->RokPD = rokPD;
        app->RokPU = rokPU;
        QCOMPARE(app->ReportYear(), year);
        QCOMPARE(app->ReportDate(), date);
    }

    void versionLabel()
    {
        auto app = start();
        QCOMPARE(app->VersionLabel(), VersionText());
        app->Settings->SetValue(QStringLiteral("DB_VerzeDovetek"), QStringLiteral("beta"));
        QCOMPARE(app->VersionLabel(), VersionText() + QStringLiteral(" beta"));
    }

    void firstRunPrompts()
    {
        auto app = start();
        int quits = 0;
        connect(app.get(), &TProjectZUNO::QuitRequested, this, [&quits] { ++quits; });
        int yearWindows = 0;
        app->NewYearPU = [&yearWindows] { ++yearWindows; return false; };
        xProcCall(QStringLiteral("od_nastaveni_upd"), {QStringLiteral("PU"), 1});
        Dialogs::takeShown();

        // Switched on later (a settings window): the year window is offered, the program goes on.
        app->LoadSettings(false);
        auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("V účetnictví není založen rok. Pravděpodobně spouštíte aplikaci poprvé."));
        QCOMPARE(yearWindows, 1);
        QCOMPARE(quits, 0);
        // At start a cancelled year window ends the program.
        app->LoadSettings(true);
        QCOMPARE(yearWindows, 2);
        QCOMPARE(quits, 1);
        // Only the bookkeeping was switched on: no tax-records prompt.
        shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.startsWith(QStringLiteral("V účetnictví")));
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
