#include "TestEnv.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uGUI.h"
#include "core/uLocalize.h"
#include "core/uLog.h"
#include "core/uProject.h"
#include "core/uRegistry.h"
#include "core/uSystem.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

QStringList fileLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestSystem : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;

private Q_SLOTS:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void logLines()
    {
        const QString path = env->dataDir() + QStringLiteral("test.log");
        OpenLog(path);
        WriteLog(QStringLiteral("Zpráva"), LogLevel::Warn);
        WriteLog(QStringLiteral("S detailem"), LogLevel::Error, QStringLiteral("detail"));
        WriteLog(QStringLiteral("Ladění"), LogLevel::Debug);
        SetLevel(LogLevel::Debug, true);
        WriteLog(QStringLiteral("Ladění"), LogLevel::Debug);
        CloseLog();
        WriteLog(QStringLiteral("po zavření"), LogLevel::Error);

        const QString stamp = QStringLiteral(" tst_system 2026-12-11 14:05:00 ");
        const QStringList lines = fileLines(path);
        QCOMPARE(lines, QStringList({
            QStringLiteral("INFO : tst_system 2026-12-11 14:05:00 Logfile is opened. (") + path + QLatin1Char(')'),
            QStringLiteral("WARN :") + stamp + QStringLiteral("Zpráva"),
            QStringLiteral("ERROR:") + stamp + QStringLiteral("S detailem (detail)"),
            QStringLiteral("DEBUG:") + stamp + QStringLiteral("Ladění"),
            QStringLiteral("INFO :") + stamp + QStringLiteral("Logfile is closed. (") + path + QLatin1Char(')'),
        }));
    }

    void sqlLogOnlyWithDebug()
    {
        const QString path = env->dataDir() + QStringLiteral("SQL.log");
        SetSqlLog(path);
        WriteSqlLog(QStringLiteral("select 1 from rdb$database"));
        QVERIFY(!QFile::exists(path));
        SetLevel(LogLevel::Debug, true);
        WriteSqlLog(QStringLiteral("select 2 from rdb$database"));
        QCOMPARE(fileLines(path), QStringList{QStringLiteral("select 2 from rdb$database;")});
    }

    void logFailureReportedOnce()
    {
        const QString path = env->dataDir() + QStringLiteral("missing/folder/x.log");
        OpenLog(path);
        WriteLog(QStringLiteral("první"));
        WriteLog(QStringLiteral("druhá"));
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, TMsgKind::Error);
        QVERIFY(shown[0].text.startsWith(QStringLiteral("Chyba při zápisu do logu \"") + path + QStringLiteral("\". Popis: \"")));
        CloseLog();
    }

    void registryFallback()
    {
        const QString key = QStringLiteral("Software\\Talbreck\\ZUNO");
        QCOMPARE(RegReadString(key, QStringLiteral("x"), QStringLiteral("def")), QStringLiteral("def"));
        RegOpen(key, true)->setValue(QStringLiteral("x"), QStringLiteral("stroj"));
        QCOMPARE(RegReadString(key, QStringLiteral("x"), QStringLiteral("def")), QStringLiteral("stroj"));
        RegWrite(key, QStringLiteral("x"), QStringLiteral("uživatel"));
        QCOMPARE(RegReadString(key, QStringLiteral("x"), QStringLiteral("def")), QStringLiteral("uživatel"));
        // Writes go to the user's scope only.
        QCOMPARE(RegOpen(key, true)->value(QStringLiteral("x")).toString(), QStringLiteral("stroj"));

        RegWrite(key + QStringLiteral("\\LV"), QStringLiteral("n"), 42);
        QCOMPARE(RegReadInt(key + QStringLiteral("\\LV"), QStringLiteral("n"), 0), 42);
        QCOMPARE(RegReadInt(key + QStringLiteral("\\LV"), QStringLiteral("missing"), 7), 7);
        RegWrite(key, QStringLiteral("debug"), true);
        QCOMPARE(RegReadBool(key, QStringLiteral("debug"), false), true);
    }

    void dataFolder()
    {
        const QString key = QStringLiteral("Software\\Talbreck\\ZUNO");
        // "data" beside the program wins over the registry.
        RegWrite(key, QStringLiteral("DataDir"), QStringLiteral("/nowhere/"));
        {
            TProject p(QStringLiteral("ZUNO"), false);
            QCOMPARE(p.DataDir, env->dataDir());
            QCOMPARE(Project(), &p);
        }
        QCOMPARE(Project(), nullptr);

        // Without it, the registry names the folder; a missing one stops the program.
        QVERIFY(QDir(env->dataDir()).removeRecursively());
        try {
            TProject p(QStringLiteral("ZUNO"), false);
            QFAIL("a missing data folder must stop the program");
        } catch (const TTalbreckException& e) {
            QCOMPARE(e.Text(), QStringLiteral("Aplikace nemůže najít adresář \"/nowhere/\"."));
        }
        const QString elsewhere = env->programDir() + QStringLiteral("jinde");
        QDir().mkpath(elsewhere);
        RegWrite(key, QStringLiteral("DataDir"), elsewhere);
        TProject p(QStringLiteral("ZUNO"), true);
        QCOMPARE(p.DataDir, elsewhere + QLatin1Char('/'));
        QVERIFY(QFile::exists(elsewhere + QStringLiteral("/ZUNO.log")));
    }

    void czechMessageBoxCaptions()
    {
        TProject p(QStringLiteral("ZUNO"), false);
        QCOMPARE(MsgCaptions().yes, QStringLiteral("&Ano"));
        QCOMPARE(MsgCaptions().no, QStringLiteral("&Ne"));
        QCOMPARE(MsgCaptions().all, QStringLiteral("&Vše"));
        QCOMPARE(MsgCaptions().cancel, QStringLiteral("&Storno"));
        QCOMPARE(MsgCaptions().confirmation, QStringLiteral("Potvrzení"));
        QCOMPARE(p.Language(), QStringLiteral("cz"));
    }

    void exceptionText()
    {
        QCOMPARE(TTalbreckException(QStringLiteral("Zpráva")).Text(), QStringLiteral("Zpráva"));
        QCOMPARE(TTalbreckException(QStringLiteral("Zpráva"), QStringLiteral("popis")).Text(),
                 QStringLiteral("Zpráva\r\n\r\nPopis chyby: \r\npopis"));
    }

    void czechTexts()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(DateToText(QDate(2009, 3, 5)), QStringLiteral("05.03.2009"));
        QCOMPARE(DateTimeToText(QDateTime(QDate(2009, 3, 5), QTime(7, 4, 59))), QStringLiteral("05.03.2009 07:04"));
        QCOMPARE(TextToDate(QStringLiteral("5.3.2009")), QDate(2009, 3, 5));
        QCOMPARE(TextToDate(QStringLiteral(" 05. 03. 2009 ")), QDate(2009, 3, 5));
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, TextToDate(QStringLiteral("30.2.2009")));
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, TextToDate(QStringLiteral("2009-03-05")));
        QCOMPARE(ZeroPad(QStringLiteral("7"), 2), QStringLiteral("07"));
        QCOMPARE(ZeroPad(QStringLiteral("123"), 2), QStringLiteral("123"));
        QCOMPARE(DayNumber(QDate(2009, 1, 1)), 39814);
        QCOMPARE(DayNumberToDate(39814), QDate(2009, 1, 1));
        QCOMPARE(MinutesBetween(QDateTime(QDate(2009, 1, 1), QTime(10, 0)), QDateTime(QDate(2009, 1, 1), QTime(10, 1, 31))), 2);
        QCOMPARE(VersionToText({6, 0}), QStringLiteral("6.0"));
        QCOMPARE(VersionText().count(QLatin1Char('.')), 3);
        QCOMPARE(FileBaseName(QStringLiteral("/a/b/oddil.FDB")), QStringLiteral("oddil"));
    }

    void applyLocale()
    {
        QWidget w;
        w.setObjectName(QStringLiteral("frmTest"));
        auto* button = new QPushButton(&w);
        button->setObjectName(QStringLiteral("cmdUlozit"));
        auto* combo = new QComboBox(&w);
        combo->setObjectName(QStringLiteral("cmbStav"));
        combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        auto* list = new QTableWidget(0, 2, &w);
        list->setObjectName(QStringLiteral("lvSeznam"));

        QDomDocument doc;
        QVERIFY(bool(doc.setContent(QStringLiteral(
            "<locale><forms><frmTest Caption=\"Zkušební okno\">"
            "<cmdUlozit Caption=\"&amp;Uložit\" Hint=\"Uloží záznam\" Neexistuje=\"x\"/>"
            "<cmbStav><i value=\"vše\"/><i value=\"aktivní\"/></cmbStav>"
            "<lvSeznam><c value=\"Příjmení\"/><c value=\"Jméno\"/><c value=\"navíc\"/></lvSeznam>"
            "<chybi Caption=\"x\"/>"
            "</frmTest></forms></locale>"))));
        ApplyLocaleDocument(doc, &w);
        QCOMPARE(w.windowTitle(), QStringLiteral("Zkušební okno"));
        QCOMPARE(button->text(), QStringLiteral("&Uložit"));
        QCOMPARE(button->toolTip(), QStringLiteral("Uloží záznam"));
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(1), QStringLiteral("aktivní"));
        QCOMPARE(list->horizontalHeaderItem(0)->text(), QStringLiteral("Příjmení"));
        QCOMPARE(list->horizontalHeaderItem(1)->text(), QStringLiteral("Jméno"));
    }

    void windowHelpers()
    {
        QTabWidget tabs;
        for (int i = 0; i < 3; ++i)
            tabs.addTab(new QWidget, QString::number(i));
        QVERIFY(PageControlKeys(&tabs, Qt::Key_PageUp, Qt::ControlModifier));
        QCOMPARE(tabs.currentIndex(), 2);
        QVERIFY(PageControlKeys(&tabs, Qt::Key_PageDown, Qt::ControlModifier));
        QCOMPARE(tabs.currentIndex(), 0);
        QVERIFY(!PageControlKeys(&tabs, Qt::Key_PageDown, Qt::NoModifier));

        QDateEdit picker(QDate(2008, 6, 1));
        LimitPickerToYear(&picker, true, 2009);
        QCOMPARE(picker.minimumDate(), QDate(2009, 1, 1));
        QCOMPARE(picker.maximumDate(), QDate(2009, 12, 31));
        LimitPickerToYear(&picker, false, 0);
        QVERIFY(picker.minimumDate() < QDate(1800, 1, 1));

        QWidget window;
        window.setObjectName(QStringLiteral("frmSeznam"));
        auto* list = new QTableWidget(0, 3, &window);
        list->setObjectName(QStringLiteral("lvSeznam"));
        list->horizontalHeader()->resizeSection(1, 177);
        const QString key = QStringLiteral("Software\\Talbreck\\ZUNO\\LV");
        SaveColumnWidths(&window, list, key);
        QCOMPARE(RegOpen(key)->value(QStringLiteral("frmSeznam_lvSeznam_1")).toInt(), 177);
        list->horizontalHeader()->resizeSection(1, 50);
        LoadColumnWidths(&window, list, key);
        QCOMPARE(list->horizontalHeader()->sectionSize(1), 177);
    }
};

QTEST_MAIN(TestSystem)
#include "tst_system.moc"
