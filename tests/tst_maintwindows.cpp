#include "TestEnv.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uRegistry.h"
#include "db/uDB_FB.h"
#include "dbmaint/fUndelete.h"
#include "dbmaint/fZaloha.h"
#include "shell/uProjectZUNO.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestMaintWindows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectZUNO> app;

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<TestEnv>();
        env->copyTemplate();
        app = std::make_unique<TProjectZUNO>();
        app->LoadSettings(true);
        Dialogs::takeShown();
    }

    void cleanup()
    {
        app.reset();
        env.reset();
    }

    void undelete()
    {
        TfrmUndelete window;
        window.Open(QStringLiteral("TEST_CISELNIK"));
        window.RestoreSelected();
        QCOMPARE(window.result(), int(mrOK));
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from TEST_CISELNIK where Aktivni=0")), 0);

        // Nothing left to restore: the user is told so.
        TfrmUndelete again;
        again.Open(QStringLiteral("TEST_CISELNIK"));
        again.RestoreSelected();
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Nemáte vybranou žádnou položku."));
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, again.Open(QStringLiteral("TEST_CISELNIK where 1=1; --")));
    }

    void backupWindow()
    {
        TfrmZaloha window(app.get());
        const QString folder = env->dataDir() + QStringLiteral("zaloha");
        QCOMPARE(window.SelectedFolder(), folder);
        WriteBytes(folder + QStringLiteral("/VELKA.SBK"), {});
        WriteBytes(folder + QStringLiteral("/poznamka.txt"), {});

        Dialogs::setNextInput(QStringLiteral("pred akci"));
        window.MakeBackup();
        QCOMPARE(window.Backups(), QStringList{QStringLiteral("pred akci.sbk")});

        // Renaming keeps the extension and stays in the folder.
        QVERIFY(window.SelectBackup(QStringLiteral("pred akci.sbk")));
        Dialogs::setNextInput(QStringLiteral("po akci"));
        window.RenameSelected();
        QCOMPARE(window.Backups(), QStringList{QStringLiteral("po akci.sbk")});

        // Deleting asks; No keeps the file.
        QVERIFY(window.SelectBackup(QStringLiteral("po akci.sbk")));
        Dialogs::takeShown();
        Dialogs::setNextAnswer(TMsgResult::No);
        window.DeleteSelected();
        QCOMPARE(window.Backups().size(), 1);
        QCOMPARE(Dialogs::takeShown()[0].text, QStringLiteral("Opravdu chcete smazat zálohu \"po akci.sbk\" ?"));

        // Restoring asks too, whichever way it was chosen.
        xSQLOpen(QStringLiteral("insert into TEST_RADKY (ID) values (77)"), false);
        QVERIFY(window.SelectBackup(QStringLiteral("po akci.sbk")));
        Dialogs::setNextAnswer(TMsgResult::No);
        window.RestoreSelected();
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from TEST_RADKY")), 1);
        Dialogs::setNextAnswer(TMsgResult::Yes);
        window.RestoreSelected();
        QCOMPARE(window.result(), int(mrOK));
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from TEST_RADKY")), 0);
        auto shown = Dialogs::takeShown();
        QCOMPARE(shown[0].text, QStringLiteral("Chcete obnovit data ze zálohy: \"po akci.sbk\" ?"));

        QVERIFY(window.SelectBackup(QStringLiteral("po akci.sbk")));
        Dialogs::setNextAnswer(TMsgResult::Yes);
        window.DeleteSelected();
        QCOMPARE(window.Backups(), QStringList());
        QVERIFY(QFile::exists(folder + QStringLiteral("/VELKA.SBK")));

        Dialogs::setNextInput(QStringLiteral("archiv"));
        window.MakeFolder();
        QCOMPARE(window.SelectedFolder(), folder + QStringLiteral("/archiv"));
        window.SetDefaultFolder();
        QCOMPARE(app->DefaultBackupFolder(), folder + QStringLiteral("/archiv/"));
        Dialogs::takeShown();
        Dialogs::setNextInput(QStringLiteral("archiv/../../x"));
        window.MakeFolder();
        shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.startsWith(QStringLiteral("Adresář \"")));
    }
};

QTEST_MAIN(TestMaintWindows)
#include "tst_maintwindows.moc"
