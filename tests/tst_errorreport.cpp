#include "TestEnv.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uLog.h"
#include "db/uBackupFile.h"
#include "shell/fChyba.h"
#include "shell/fChybaHlaseni.h"
#include "shell/uApplication.h"
#include "shell/uMail.h"
#include "shell/uProjectZUNO.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

class TestErrorReport : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectZUNO> app;
    QList<TMailMessage> sent;
    int mailResult = 0;
    QString screenshot;

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<TestEnv>();
        env->copyTemplate();
        app = std::make_unique<TProjectZUNO>();
        app->LoadSettings(true);
        sent.clear();
        mailResult = 0;
        SetMailSender([this](const TMailMessage& m, QString* error) {
            sent << m;
            if (mailResult != 0 && error)
                *error = QStringLiteral("Nenalezen žádný e-mailový program.");
            return mailResult;
        });
        SetShellOpenHandler([](const QString&) { return true; });
        screenshot = env->dataDir() + QStringLiteral("shot.png");
        QImage(20, 10, QImage::Format_RGB32).save(screenshot);
        Dialogs::takeShown();
    }

    void cleanup()
    {
        SetMailSender({});
        SetShellOpenHandler({});
        SetErrorPresenter({});
        app.reset();
        env.reset();
    }

    void unhandledErrorIsLoggedAndShown()
    {
        SetErrorPresenter([](const QString& text, const QString&) { TfrmChyba::Present(text); });
        Guarded([] { throw TTalbreckException(QStringLiteral("Něco se pokazilo"), QStringLiteral("podrobnosti")); });
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, TMsgKind::Error);
        QVERIFY(shown[0].text.startsWith(QStringLiteral("Něco se pokazilo")));
        QVERIFY(ReadText(app->DataDir + QStringLiteral("ZUNO.log"))
                    .contains(QStringLiteral("ERROR: tst_errorreport 2026-12-11 14:05:00 Něco se pokazilo\r\n\r\nPopis chyby: \r\npodrobnosti\n")));
    }

    void reportFromAnError()
    {
        TfrmChybaHlaseni report(QStringLiteral("Chyba při zpracování SQL"), screenshot);
        report.Prepare();
        const QString folder = report.WorkFolder();
        QCOMPARE(QFile::permissions(folder) & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther), QFile::Permissions());
        for (const char* file : {"screenshot.png", "log.zlib", "chyba.sbk", "e-mail.txt"})
            QVERIFY2(QFile::exists(folder + QLatin1Char('/') + QLatin1String(file)), file);
        // The packed log is the log, in the backup container.
        BackupFile::Extract(folder + QStringLiteral("/log.zlib"), QStringLiteral("ZUNO.log"), folder + QStringLiteral("/log.txt"));
        QVERIFY(ReadText(folder + QStringLiteral("/log.txt")).contains(QStringLiteral("Logfile is opened.")));

        const QStringList lines = ReadText(folder + QStringLiteral("/e-mail.txt")).split(QLatin1Char('\n'));
        QCOMPARE(lines[0], QStringLiteral("Datum: 11.12.2026"));
        QCOMPARE(lines[5], QStringLiteral("Verze DB: 6.0"));
        QCOMPARE(lines[9], QStringLiteral("Popis:"));
        QVERIFY(lines.contains(QStringLiteral("Chyba:")));
        QVERIFY(lines.contains(QStringLiteral("Chyba při zpracování SQL")));
        QVERIFY(lines.filter(QStringLiteral("Paměť: ")).constFirst().endsWith(QStringLiteral(" MB")));

        // Unticked before sending: prepared, but not attached.
        report.findChild<QCheckBox*>(QStringLiteral("chkDB"))->setChecked(false);
        QVERIFY(report.Send());
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].subject, QStringLiteral("ZUNO - Hlášení o chybě"));
        QCOMPARE(sent[0].to, SupportAddress());
        QCOMPARE(sent[0].attachments, QStringList({screenshot, folder + QStringLiteral("/log.zlib")}));
        QVERIFY(QFile::exists(folder + QStringLiteral("/chyba.sbk")));
        QDir(folder).removeRecursively();
    }

    void reportFromTheMenu()
    {
        TfrmChybaHlaseni report(QString(), screenshot);
        report.Prepare();
        QVERIFY(report.findChild<QCheckBox*>(QStringLiteral("chkScreenShot"))->isChecked());
        QVERIFY(!report.BuildText().contains(QStringLiteral("Chyba:")));
        QDir(report.WorkFolder()).removeRecursively();

        TfrmChybaHlaseni noShot{QString(), QString()};
        QVERIFY(!noShot.findChild<QCheckBox*>(QStringLiteral("chkScreenShot"))->isEnabled());
    }

    void noMailProgram()
    {
        TfrmChybaHlaseni report(QStringLiteral("x"), screenshot);
        report.Prepare();
        mailResult = 3;
        QVERIFY(!report.Send());
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.startsWith(
            QStringLiteral("Nelze odeslat e-mail. Pravděpodobně nemáte správně nastaveného e-mailového klienta.\r\n\r\nPopis chyby: \r\n")));
        QVERIFY(shown[0].text.contains(report.WorkFolder()));
        QDir(report.WorkFolder()).removeRecursively();
    }
};

QTEST_MAIN(TestErrorReport)
#include "tst_errorreport.moc"
