#include "TestEnv.h"

#include "core/ExBar.h"
#include "core/uDialogs.h"
#include "core/uLog.h"
#include "core/uRegistry.h"
#include "core/uSystem.h"
#include "db/uDB_FB.h"
#include "db/uDatabase.h"
#include "members/fImportExcel.h"
#include "shell/fAbout.h"
#include "shell/fMain.h"
#include "shell/uProjectZUNO.h"
#include "shell/uStartup.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QSettings>
#include <QTest>

namespace {

// Sets settings in the fresh copy of the template before the program starts.
void presetSettings(const TestEnv& env, const QList<std::pair<QString, QString>>& values)
{
    env.copyTemplate();
    TDatabase db;
    db.DatabaseName = env.dataDir() + QStringLiteral("oddil.FDB");
    db.Params << QStringLiteral("user_name=sysdba") << QStringLiteral("password=x") << QStringLiteral("lc_ctype=WIN1250")
              << QStringLiteral("config=Providers=Engine12");
    db.Connect();
    for (const auto& [key, value] : values)
        xSQLOpen(xProcText(QStringLiteral("od_nastaveni_upd"), {key, value}), false, &db);
}

QAction* action(const char* name)
{
    return MainWindow()->findChild<QAction*>(QString::fromLatin1(name));
}

bool menuVisible(const char* name)
{
    return MainWindow()->findChild<QMenu*>(QString::fromLatin1(name))->menuAction()->isVisible();
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;

private Q_SLOTS:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup()
    {
        ZunoShutdown();
        env.reset();
    }

    void startsAndShows()
    {
        presetSettings(*env, {{QStringLiteral("APP_WindowState"), QStringLiteral("1")}});
        QCOMPARE(ZunoMain({QStringLiteral("zuno")}, false), 0);
        QVERIFY(MainWindow()->isVisible());
        QVERIFY(MainWindow()->isMaximized());
        QCOMPARE(MainWindow()->windowTitle(), QStringLiteral("ZUNO ") + VersionText());
        QCOMPARE(MainWindow()->minimumSize(), QSize(785, 530));
        QCOMPARE(RunningApp()->SchemaVersion, (TVersion{6, 0}));
        QCOMPARE(Dialogs::takeShown().size(), 0);
        // Qt's own dialogs speak Czech on an English desktop too.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Zrušit"));
        // Module windows are not made at start; pages without a module are disabled.
        QVERIFY(MainWindow()->WorkArea()->subWindowList().isEmpty());
        QVERIFY(!action("mnuMajetek")->isEnabled());
        QVERIFY(action("mnuClenove")->isEnabled());
        QVERIFY(MainWindow()->Bar()->isPageEnabled(1));

        // "Seznam členů" opens the member list in the work area, maximised, once.
        action("mnuClenove")->trigger();
        action("mnuClenove")->trigger();
        const auto windows = MainWindow()->WorkArea()->subWindowList();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows[0]->widget()->objectName(), QStringLiteral("frmClenove"));
        QVERIFY(windows[0]->isMaximized());
        QCOMPARE(action("mnuInfo")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+F2")));
        QCOMPARE(action("mnuTiskoveSestavy")->shortcut(), QKeySequence(QStringLiteral("Ctrl+U")));
    }

    void startupFailures_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing data folder") << 0 << "Aplikace nemůže najít adresář";
        QTest::newRow("missing engine file") << 1 << "Aplikace nemůže najít soubor";
        QTest::newRow("database held by another process") << 2
                                                           << "Aplikace nemůže otevřít databázi. Pravděpodobně již máte ZUNO jednou spuštěné.";
    }

    void startupFailures()
    {
        QFETCH(int, kind);
        QFETCH(QString, message);
        env->copyTemplate();
        QProcess holder;
        const QByteArray savedRoot = qgetenv("FIREBIRD");
        if (kind == 0) {
            QVERIFY(QDir(env->dataDir()).removeRecursively());
        } else if (kind == 1) {
            qputenv("FIREBIRD", (env->programDir() + QStringLiteral("no-engine/")).toLocal8Bit());
        } else {
            holder.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zuno_holddb"),
                         {env->dataDir() + QStringLiteral("oddil.FDB")});
            QVERIFY(holder.waitForReadyRead(30000));
        }
        const int code = ZunoMain({QStringLiteral("zuno")}, false);
        qputenv("FIREBIRD", savedRoot);
        QCOMPARE(code, 1);
        QCOMPARE(MainWindow(), nullptr);
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, TMsgKind::Error);
        QVERIFY2(shown[0].text.startsWith(message), qPrintable(shown[0].text));
        if (kind == 2) {
            holder.closeWriteChannel();
            holder.waitForFinished(30000);
        }
    }

    void moduleSwitches_data()
    {
        QTest::addColumn<int>("ju");
        QTest::addColumn<int>("pu");
        QTest::addColumn<int>("ce");
        for (int ju = 0; ju < 2; ++ju)
            for (int pu = 0; pu < 2; ++pu)
                for (int ce = 0; ce < 2; ++ce)
                    QTest::addRow("JU=%d PU=%d CE=%d", ju, pu, ce) << ju << pu << ce;
    }

    void moduleSwitches()
    {
        QFETCH(int, ju);
        QFETCH(int, pu);
        QFETCH(int, ce);
        presetSettings(*env, {});
        QCOMPARE(ZunoMain({QStringLiteral("zuno")}, false), 0);
        // The switches change while the program runs; a LoadSettings applies them.
        xProcCall(QStringLiteral("od_nastaveni_upd"), {QStringLiteral("JU"), ju});
        xProcCall(QStringLiteral("od_nastaveni_upd"), {QStringLiteral("PU"), pu});
        xProcCall(QStringLiteral("od_nastaveni_upd"), {QStringLiteral("CE"), ce});
        RunningApp()->LoadSettings(false);

        TfrmMain* w = MainWindow();
        QCOMPARE(menuVisible("mnuJU"), ju == 1);
        QCOMPARE(action("mnuUcet")->isVisible(), ju == 1);
        QCOMPARE(menuVisible("mnuPU"), pu == 1);
        for (const char* name : {"mnuDenik", "mnuPokladna", "mnuBanka", "mnuFaP", "mnuFaV", "mnuIntDoklad", "mnuDotace"})
            QCOMPARE(action(name)->isVisible(), pu == 1);
        QVERIFY(w->GroupModuly() >= 0);
        QCOMPARE(w->GroupUcetnictvi() >= 0, pu == 1);
        QCOMPARE(w->GroupZustatek() >= 0, pu == 1);
        QCOMPARE(w->GroupCestaky() >= 0, ce == 1);
        QCOMPARE(w->Bar()->itemCount(w->GroupModuly()), ju == 1 ? 7 : 6);
        if (pu == 1) {
            QCOMPARE(w->Bar()->itemCount(w->GroupUcetnictvi()), 7);
            QCOMPARE(w->Bar()->textCount(w->GroupZustatek()), 1);
            QCOMPARE(w->Bar()->text(w->GroupZustatek(), 0), QStringLiteral("Není založen žádný rok."));
            w->ShowPage(13);
            QCOMPARE(w->Bar()->highlighted(), w->GroupUcetnictvi());
        }
        if (ce == 1)
            QCOMPARE(w->Bar()->itemCount(w->GroupCestaky()), 4);
        w->ShowPage(1);
        QCOMPARE(w->Bar()->highlighted(), w->GroupModuly());
    }

    void closingSavesOnlyShownGroups()
    {
        presetSettings(*env, {});
        QCOMPARE(ZunoMain({QStringLiteral("zuno")}, false), 0);
        TfrmMain* w = MainWindow();
        w->Bar()->setExpanded(w->GroupModuly(), false);
        w->close();
        const QString key = RunningApp()->RegKey + QStringLiteral("\\ExBar");
        auto reg = RegOpen(key);
        QCOMPARE(reg->value(QStringLiteral("moduly")).toBool(), false);
        QVERIFY(!reg->contains(QStringLiteral("ucetnictvi")));
        QVERIFY(!reg->contains(QStringLiteral("cestaky")));
    }

    void startupOrder()
    {
        // A one-off script runs before the settings are loaded, so what it sets is in force at once.
        presetSettings(*env, {{QStringLiteral("DB_Upgradovatelna"), QStringLiteral("0")}});
        QDir().mkpath(env->dataDir() + QStringLiteral("script"));
        QFile script(env->dataDir() + QStringLiteral("script/zapnout_cestaky.sql"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("execute procedure od_nastaveni_upd('CE', '1');\n");
        script.close();
        QFile backup(env->dataDir() + QStringLiteral("zaloha.sbk"));
        QVERIFY(backup.open(QIODevice::WriteOnly));
        backup.close();
        Dialogs::setNextAnswer(TMsgResult::Yes); // run the script
        Dialogs::setNextAnswer(TMsgResult::No);  // do not restore the backup
        const QStringList args = {QStringLiteral("zuno"), env->dataDir() + QStringLiteral("zaloha.sbk"),
                                  env->dataDir() + QStringLiteral("ZALOHA.SBK"), env->dataDir() + QStringLiteral("chybi.sbk")};
        QCOMPARE(ZunoMain(args, false), 0);
        QVERIFY(MainWindow()->GroupCestaky() >= 0);
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0].text, QStringLiteral("Chcete spustit update \"zapnout_cestaky\"?"));
        QCOMPARE(shown[1].text, QStringLiteral("Chcete obnovit data ze zálohy: \"zaloha.sbk\" ?\r\n\r\nUpozornění: Tato operace je "
                                               "nevratná. Aktuální data budou přepsána daty ze zálohy."));
        QCOMPARE(shown[2].kind, TMsgKind::Warning);
        QCOMPARE(shown[2].text, QStringLiteral("Verze aplikace: ") + VersionText()
                                    + QStringLiteral("\r\n\r\nUpozornění: Tato verze ZUNO je určena pouze k testování. Zadaná data "
                                                     "nebude možné převést do veřejné verze."));
    }

    void cancelledFirstYearEndsStart()
    {
        presetSettings(*env, {{QStringLiteral("JU"), QStringLiteral("1")}});
        // No tax-records year window yet: the information alone, and the program goes on.
        QCOMPARE(ZunoMain({QStringLiteral("zuno")}, false), 0);
        QVERIFY(MainWindow() && MainWindow()->isVisible());
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("V daňové evidenci není založen rok. Pravděpodobně spouštíte aplikaci poprvé."));
    }

    void sqlScriptEntry()
    {
        presetSettings(*env, {});
        QCOMPARE(ZunoMain({QStringLiteral("zuno")}, false), 0);
        const QString good = env->dataDir() + QStringLiteral("dobry.sql");
        QFile f(good);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("execute procedure od_nastaveni_upd('OD_LOGO', 'logo.png');\n");
        f.close();
        Dialogs::setNextFileName(good);
        action("mnuSQLSkript")->trigger();
        auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("SQL skript \"dobry.sql\" byl spuštěn ."));
        QVERIFY(ReadText(env->dataDir() + QStringLiteral("ZUNO.log")).contains(QStringLiteral("Spuštěn SQL skript: dobry.sql")));

        const QString bad = env->dataDir() + QStringLiteral("spatny.sql");
        QFile b(bad);
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.write("insert into NEEXISTUJE values (1);\n");
        b.close();
        Dialogs::setNextFileName(bad);
        action("mnuSQLSkript")->trigger();
        shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, TMsgKind::Error);
        QVERIFY(shown[0].text.startsWith(QStringLiteral("Chyba při vykonání SQL skriptu.")));
        QVERIFY(ReadText(env->dataDir() + QStringLiteral("ZUNO.log")).contains(QStringLiteral("ERROR: ")));

        // Cancelled dialog: nothing happens.
        action("mnuSQLSkript")->trigger();
        QCOMPARE(Dialogs::takeShown().size(), 0);
    }

    void importEntry()
    {
        presetSettings(*env, {});
        QCOMPARE(ZunoMain({QStringLiteral("zuno")}, false), 0);
        QVERIFY(action("mnuImport")->isEnabled());
        const auto saved = TfrmImportExcel::Opener;
        int result = mrCancel;
        TfrmImportExcel::Opener = [&result](QWidget*) { return result; };
        // Cancelled: nothing shown, no page opened.
        action("mnuImport")->trigger();
        QCOMPARE(Dialogs::takeShown().size(), 0);
        QVERIFY(MainWindow()->WorkArea()->subWindowList().isEmpty());
        // Every row stored: the member list, then the message.
        result = mrOK;
        action("mnuImport")->trigger();
        TfrmImportExcel::Opener = saved;
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, TMsgKind::Information);
        QCOMPARE(shown[0].text, QStringLiteral("Import členů proběhl bez chyb."));
        QCOMPARE(MainWindow()->WorkArea()->subWindowList().size(), 1);
        QCOMPARE(MainWindow()->WorkArea()->activeSubWindow()->widget()->objectName(), QStringLiteral("frmClenove"));
    }

    void endsInOrderWhenTheDesktopAsks()
    {
        // The real program in a folder of its own: the desktop's SIGTERM at
        // log-out must close the database and end the process.
        env->copyTemplate();
        const QString program = env->programDir() + QStringLiteral("zuno");
        QVERIFY(QFile::copy(QStringLiteral(ZUNO_PROGRAM), program));
        QProcess zuno;
        QProcessEnvironment penv = QProcessEnvironment::systemEnvironment();
        penv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        penv.insert(QStringLiteral("XDG_CONFIG_HOME"), env->programDir() + QStringLiteral("config"));
        zuno.setProcessEnvironment(penv);
        // A backup is due, yet nobody is there to answer the question at log-out: it is not asked.
        presetSettings(*env, {});
        zuno.start(program, {});
        QVERIFY(zuno.waitForStarted());
        const QString log = env->dataDir() + QStringLiteral("ZUNO.log");
        QTRY_VERIFY_WITH_TIMEOUT(ReadText(log).contains(QStringLiteral(" Firebird ")), 20000);
        QTest::qWait(500);
        zuno.terminate();
        QVERIFY(zuno.waitForFinished(20000));
        QCOMPARE(zuno.exitStatus(), QProcess::NormalExit);
        QCOMPARE(zuno.exitCode(), 0);
        QVERIFY(ReadText(log).contains(QStringLiteral("Aplikace byla ukončena systémem.")));
        QVERIFY(ReadText(log).contains(QStringLiteral("Logfile is closed.")));
    }

    void deleteAllDataFromTheMenu()
    {
        presetSettings(*env, {{QStringLiteral("DB_ZalohaInterval"), QStringLiteral("0")}});
        QCOMPARE(ZunoMain({QStringLiteral("zuno")}, false), 0);
        xProcCall(QStringLiteral("od_nastaveni_upd"), {QStringLiteral("CE"), 1});
        RunningApp()->LoadSettings(false);
        QVERIFY(MainWindow()->GroupCestaky() >= 0);
        // The empty database of the program's version replaces the data; the settings are read anew.
        QDir().mkpath(env->dataDir() + QStringLiteral("upgrade"));
        QVERIFY(QFile::copy(TestEnv::templateDb(), env->dataDir() + QStringLiteral("upgrade/oddil.fdb")));
        Dialogs::takeShown();
        Dialogs::setNextAnswer(TMsgResult::Yes);
        action("Smazatvechnydata1")->trigger();
        QCOMPARE(MainWindow()->GroupCestaky(), -1);
        QCOMPARE(RunningApp()->Settings->Text(QStringLiteral("CE")), QStringLiteral("0"));
    }

    void aboutWindow()
    {
        TfrmAbout about(QStringLiteral("1.2.3.4 beta"), QStringLiteral("6.0"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblVerze"))->text(), QStringLiteral("verze: 1.2.3.4 beta"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblDatabaze"))->text(), QStringLiteral("databáze: 6.0"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
