#include "TestEnv.h"

#include "core/uClock.h"
#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uRegistry.h"
#include "core/uSystem.h"
#include "db/uBackupFile.h"
#include "db/uDB_FB.h"
#include "db/uDatabase.h"
#include "shell/uProjectZUNO.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include <zlib.h>

namespace {

QByteArray le32(qint32 v)
{
    QByteArray b;
    for (int i = 0; i < 4; ++i)
        b.append(static_cast<char>((static_cast<quint32>(v) >> (8 * i)) & 0xff));
    return b;
}

// One entry built by hand: what a backup of `content` named `name` holds.
QByteArray entry(const QByteArray& folder, const QByteArray& name, const QByteArray& content)
{
    QByteArray packed(static_cast<int>(compressBound(static_cast<uLong>(content.size()))), '\0');
    uLongf packedSize = static_cast<uLongf>(packed.size());
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(content.constData()),
              static_cast<uLong>(content.size()), Z_DEFAULT_COMPRESSION);
    packed.resize(static_cast<int>(packedSize));
    return char(folder.size()) + folder + char(name.size()) + name + le32(content.size()) + le32(packed.size()) + packed;
}

qint64 markerRows()
{
    return QueryInt(QStringLiteral("select count(*) from TEST_RADKY"));
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;

private Q_SLOTS:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void goldenBytes()
    {
        const QString source = env->dataDir() + QStringLiteral("abc.bin");
        const QString backup = env->dataDir() + QStringLiteral("abc.sbk");
        WriteBytes(source, "abc");
        BackupFile::Write(backup, source, QStringLiteral("oddil.fdb"));
        // No folder, the name, sizes little-endian, one zlib stream at the default level.
        QCOMPARE(ReadBytes(backup), entry("", "oddil.fdb", "abc"));
        QCOMPARE(ReadBytes(backup).left(19), QByteArray("\x00\x09oddil.fdb\x03\x00\x00\x00\x0b\x00\x00\x00", 19));
    }

    void roundTripIsByteIdentical()
    {
        QByteArray content(3 * 1024 * 1024 + 17, '\0');
        QRandomGenerator rng(42);
        for (int i = 0; i < content.size(); i += 4) // half random, half repetitive
            content[i] = static_cast<char>(i % 8192 < 4096 ? rng.generate() : i / 97);
        const QString source = env->dataDir() + QStringLiteral("db.bin");
        WriteBytes(source, content);
        qint64 lastDone = 0;
        BackupFile::Write(env->dataDir() + QStringLiteral("x.sbk"), source, QStringLiteral("oddil.fdb"),
                          [&lastDone](qint64 done, qint64) { lastDone = done; });
        QCOMPARE(lastDone, content.size());
        BackupFile::Extract(env->dataDir() + QStringLiteral("x.sbk"), QStringLiteral("ODDIL.FDB"), env->dataDir() + QStringLiteral("back.bin"));
        QCOMPARE(ReadBytes(env->dataDir() + QStringLiteral("back.bin")), content);
        const auto entries = BackupFile::List(env->dataDir() + QStringLiteral("x.sbk"));
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].folder, QString());
        QCOMPARE(entries[0].size, content.size());
    }

    void damagedBackupsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = entry("", "oddil.fdb", QByteArray(5000, 'x') + "konec");
        QByteArray flipped = good;
        flipped[flipped.size() - 3] = static_cast<char>(flipped[flipped.size() - 3] ^ 0x10);
        QByteArray oversized = good;
        oversized.replace(11, 4, le32(6000)); // the uncompressed size claims more
        QByteArray longer = good;
        longer.replace(15, 4, le32(1000000)); // the compressed size runs past the end
        QByteArray negative = good;
        negative.replace(11, 4, le32(-1));
        QTest::newRow("truncated") << good.left(good.size() - 5);
        QTest::newRow("bit flipped") << flipped;
        QTest::newRow("size too large") << oversized;
        QTest::newRow("packed size past the end") << longer;
        QTest::newRow("negative size") << negative;
        QTest::newRow("path escaping") << entry("", "../oddil.fdb", "x");
        QTest::newRow("entry in a folder") << entry("..", "oddil.fdb", "x");
        QTest::newRow("no database inside") << entry("", "jiny.txt", "x");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("trailing bytes in the entry") << entry("", "oddil.fdb", "abc").replace(15, 4, le32(12)) + "Z";
    }

    void damagedBackupsAreRefused()
    {
        QFETCH(QByteArray, bytes);
        auto app = [&] {
            env->copyTemplate();
            return std::make_unique<TProjectZUNO>();
        }();
        xSQLOpen(QStringLiteral("insert into TEST_RADKY (ID) values (1)"), false);
        const QString backup = env->dataDir() + QStringLiteral("zaloha/spatna.sbk");
        QDir().mkpath(env->dataDir() + QStringLiteral("zaloha"));
        WriteBytes(backup, bytes);
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, app->Restore(backup, true, false));
        // The live database is the same and connected.
        QCOMPARE(markerRows(), 1);
        QVERIFY(!QFile::exists(env->dataDir() + QStringLiteral("../oddil.fdb")));
        QCOMPARE(QDir(env->dataDir()).entryList({QStringLiteral("*.tmp")}, QDir::Files), QStringList());
    }

    void backupAndRestore()
    {
        env->copyTemplate();
        auto app = std::make_unique<TProjectZUNO>();
        app->LoadSettings(true);
        xSQLOpen(QStringLiteral("insert into TEST_RADKY (ID, DisplayName) values (1, 'Před zálohou')"), false);
        QVERIFY(app->Backup());
        const QString name = QStringLiteral("2026-12-11_14-05-00.sbk");
        QVERIFY(QFile::exists(env->dataDir() + QStringLiteral("zaloha/") + name));
        auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Záloha dat proběhla v pořádku."));

        xSQLOpen(QStringLiteral("insert into TEST_RADKY (ID, DisplayName) values (2, 'Po záloze')"), false);
        QCOMPARE(markerRows(), 2);
        app->Restore(env->dataDir() + QStringLiteral("zaloha/") + name, false, true);
        QCOMPARE(markerRows(), 1);
        shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Obnova dat proběhla úspěšně."));
        QCOMPARE(QDir(env->dataDir()).entryList({QStringLiteral("*.tmp")}, QDir::Files), QStringList());

        // The folder in the registry wins.
        const QString elsewhere = env->programDir() + QStringLiteral("jinde");
        RegWrite(app->RegKey, QStringLiteral("bk_adresar"), elsewhere);
        QVERIFY(app->Backup(QString(), QStringLiteral("moje.sbk"), true));
        QVERIFY(QFile::exists(elsewhere + QStringLiteral("/moje.sbk")));
        QCOMPARE(Dialogs::takeShown().size(), 0);
    }

    void failedBackupReportsAndReconnects()
    {
        env->copyTemplate();
        auto app = std::make_unique<TProjectZUNO>();
        const QString blocker = env->dataDir() + QStringLiteral("soubor");
        WriteBytes(blocker, "not a folder");
        QVERIFY(!app->Backup(blocker + QStringLiteral("/uvnitr"), QStringLiteral("x.sbk"), false));
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, TMsgKind::Error);
        QVERIFY(shown[0].text.startsWith(QStringLiteral("Při vytváření zálohy nastala chyba. \r\n\r\nPopis: ")));
        QCOMPARE(markerRows(), 0); // connected again
    }

    void restoreOfSomethingElseKeepsTheData()
    {
        env->copyTemplate();
        auto app = std::make_unique<TProjectZUNO>();
        xSQLOpen(QStringLiteral("insert into TEST_RADKY (ID) values (1)"), false);
        // A well-formed backup whose "database" is not one: the swap is undone.
        const QString backup = env->dataDir() + QStringLiteral("cizi.sbk");
        WriteBytes(backup, entry("", "oddil.fdb", QByteArray(40000, 'q')));
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, app->Restore(backup, true, false));
        QCOMPARE(markerRows(), 1);
    }

    void automaticBackupAtClose_data()
    {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<int>("lastDaysAgo"); // -1: never
        QTest::addColumn<bool>("asked");
        QTest::newRow("never backed up") << "7" << -1 << true;
        QTest::newRow("interval passed") << "7" << 7 << true;
        QTest::newRow("interval not yet passed") << "7" << 6 << false;
        QTest::newRow("switched off") << "0" << -1 << false;
    }

    void automaticBackupAtClose()
    {
        QFETCH(QString, interval);
        QFETCH(int, lastDaysAgo);
        QFETCH(bool, asked);
        env->copyTemplate();
        auto app = std::make_unique<TProjectZUNO>();
        app->LoadSettings(true);
        const int last = lastDaysAgo < 0 ? 0 : DayNumber(Clock::today()) - lastDaysAgo;
        app->Settings->SetValue(QStringLiteral("DB_ZalohaInterval"), interval);
        app->Settings->SetValue(QStringLiteral("DB_ZalohaDatum"), last);
        Dialogs::takeShown();
        Dialogs::setNextAnswer(TMsgResult::Yes);
        app->AutoBackupPrompt();
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), asked ? 1 : 0);
        if (!asked)
            return;
        const QString lastText = lastDaysAgo < 0 ? QStringLiteral("nikdy") : DateToText(DayNumberToDate(last));
        QCOMPARE(shown[0].text, QStringLiteral("Chcete automaticky zazálohovat data ? \r\n\r\nDatum poslední zálohy: ") + lastText
                                    + QStringLiteral("\r\nInterval automatického zálohování: 7 dnů\r\n"));
        QCOMPARE(QDir(env->dataDir() + QStringLiteral("zaloha")).entryList({QStringLiteral("*.sbk")}).size(), 1);
        app->LoadSettings(false);
        QCOMPARE(app->Settings->Int(QStringLiteral("DB_ZalohaDatum")), DayNumber(Clock::today()));
    }

    void failedAutomaticBackupKeepsTheDate()
    {
        env->copyTemplate();
        auto app = std::make_unique<TProjectZUNO>();
        app->LoadSettings(true);
        const QString blocker = env->dataDir() + QStringLiteral("soubor");
        WriteBytes(blocker, "x");
        RegWrite(app->RegKey, QStringLiteral("bk_adresar"), blocker + QStringLiteral("/uvnitr"));
        Dialogs::setNextAnswer(TMsgResult::Yes);
        app->AutoBackupPrompt();
        app->LoadSettings(false);
        QCOMPARE(app->Settings->Int(QStringLiteral("DB_ZalohaDatum")), 0);
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
