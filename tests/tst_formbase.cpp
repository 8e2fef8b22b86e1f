#include "TestEnv.h"

#include "core/uDialogs.h"
#include "core/uProject.h"
#include "core/uRegistry.h"
#include "db/uProjectDB.h"
#include "ui/SFormDetail.h"
#include "ui/SFormList.h"
#include "ui/SListViewDB.h"
#include "ui/STitle.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString formKey()
{
    return Project()->RegKey + QStringLiteral("\\Form");
}

QString stored(const QString& name)
{
    return RegReadString(formKey(), QStringLiteral("frmTest_") + name, QStringLiteral("<none>"));
}

std::unique_ptr<TSForm> newForm()
{
    auto f = std::make_unique<TSForm>();
    f->setObjectName(QStringLiteral("frmTest"));
    f->resize(300, 200);
    return f;
}

// A detail window over nothing: it counts the calls of its operations.
class TTestDetail : public TSFormDetail
{
public:
    TTestDetail()
    {
        setObjectName(QStringLiteral("frmTestDetail"));
        auto* layout = new QVBoxLayout(this);
        for (const char* name : {"pcHlavni", "pcDruhy"}) {
            auto* pages = new QTabWidget(this);
            pages->setObjectName(QString::fromLatin1(name));
            for (const char* page : {"První", "Druhá", "Třetí"})
                pages->addTab(new QWidget, QString::fromUtf8(page));
            layout->addWidget(pages);
        }
        auto* save = new QPushButton(QStringLiteral("Uložit"), this);
        save->setObjectName(QStringLiteral("cmdUlozit"));
        auto* cancel = new QPushButton(QStringLiteral("Zavřít"), this);
        cancel->setObjectName(QStringLiteral("cmdZavrit"));
        layout->addWidget(save);
        layout->addWidget(cancel);
    }
    QStringList calls;
    bool saveWorks = true;
    int newID = 0;

protected:
    void FillPickers() override { calls << QStringLiteral("FillPickers"); }
    void LoadData() override { calls << QStringLiteral("LoadData %1").arg(ID); }
    void ClearData() override { calls << QStringLiteral("ClearData"); }
    bool SaveData() override
    {
        calls << QStringLiteral("SaveData");
        if (saveWorks && ID == 0)
            ID = newID;
        return saveWorks;
    }
};

// A list window over the people of the test table.
class TTestList : public TSFormList
{
public:
    TTestList()
    {
        setObjectName(QStringLiteral("frmOsoby"));
        Title()->SetCaption(QStringLiteral("Osoby"));
        CountKind = QStringLiteral("osob");
        DeleteKind = QStringLiteral("osobu");
        List()->setObjectName(QStringLiteral("lstOsoby"));
        List()->SetColumns({{QStringLiteral("Jméno"), 150, QStringLiteral("DisplayName")},
                            {QStringLiteral("Částka"), 90, QStringLiteral("Castka"), TSColumnKind::Money}});
    }
    QList<qint64> opened;
    int detailResult = mrCancel;
    qint64 savedID = 0;

protected:
    QString SearchSQL() override { return xProcText(QStringLiteral("TEST_OSOBY_ALL"), {Null}, {}, true); }
    int OpenDetail(qint64& id) override
    {
        opened << id;
        if (id == 0)
            id = savedID;
        return detailResult;
    }
    void DeleteRecord(qint64 id) override { xProcCall(QStringLiteral("test_osoby_del"), {id}); }
};

} // namespace

class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

class TestFormBase : public QObject
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

    void placementRoundTrip()
    {
        auto f = newForm();
        f->show();
        f->resize(420, 310);
        f->move(40, 50);
        f->hide();
        QCOMPARE(stored(QStringLiteral("windowstate")), QStringLiteral("1"));
        QCOMPARE(stored(QStringLiteral("width")), QStringLiteral("420"));
        QCOMPARE(stored(QStringLiteral("height")), QStringLiteral("310"));
        QCOMPARE(stored(QStringLiteral("top")), QStringLiteral("50"));
        QCOMPARE(stored(QStringLiteral("left")), QStringLiteral("40"));
        f = newForm();
        f->show();
        QCOMPARE(f->size(), QSize(420, 310));
        QCOMPARE(f->pos(), QPoint(40, 50));
    }

    void storedWhenDestroyedOpen()
    {
        auto f = newForm();
        f->show();
        f->move(30, 35);
        f.reset();
        QCOMPARE(stored(QStringLiteral("top")), QStringLiteral("35"));
    }

    void maximizedKeepsTheNormalPlacement()
    {
        RegWrite(formKey(), QStringLiteral("frmTest_width"), 333);
        RegWrite(formKey(), QStringLiteral("frmTest_top"), QStringLiteral("44"));
        RegWrite(formKey(), QStringLiteral("frmTest_windowstate"), 2);
        auto f = newForm();
        f->show();
        QVERIFY(f->isMaximized());
        f->hide();
        QCOMPARE(stored(QStringLiteral("windowstate")), QStringLiteral("2"));
        QCOMPARE(stored(QStringLiteral("width")), QStringLiteral("333"));
        QCOMPARE(stored(QStringLiteral("top")), QStringLiteral("44"));
    }

    void fixedBorderStoresNoSize()
    {
        auto f = newForm();
        f->setFixedSize(250, 150);
        f->show();
        f->hide();
        QCOMPARE(stored(QStringLiteral("width")), QStringLiteral("<none>"));
        QCOMPARE(stored(QStringLiteral("height")), QStringLiteral("<none>"));
        QVERIFY(stored(QStringLiteral("top")) != QStringLiteral("<none>"));
        QVERIFY(stored(QStringLiteral("left")) != QStringLiteral("<none>"));
    }

    void withoutTopKeepsItsDesignPlacement()
    {
        QWidget owner;
        owner.setGeometry(100, 100, 600, 400);
        owner.show();
        RegWrite(formKey(), QStringLiteral("frmTest_width"), 200);
        RegWrite(formKey(), QStringLiteral("frmTest_height"), 100);
        RegWrite(formKey(), QStringLiteral("frmTest_left"), 5);
        TSForm f(&owner);
        f.setObjectName(QStringLiteral("frmTest"));
        f.show();
        QCOMPARE(f.size(), QSize(200, 100));
        QVERIFY(f.pos() != QPoint(5, f.pos().y())); // centred on its owner, not at the stored left
        QCOMPARE(f.geometry().center(), owner.geometry().center());
    }

    void offScreenComesBack()
    {
        RegWrite(formKey(), QStringLiteral("frmTest_top"), QStringLiteral("5000"));
        RegWrite(formKey(), QStringLiteral("frmTest_left"), 9000);
        auto f = newForm();
        f->show();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.contains(f->frameGeometry()), qPrintable(QStringLiteral("%1,%2").arg(f->x()).arg(f->y())));
    }

    void mdiChild()
    {
        QMainWindow main;
        auto* area = new QMdiArea(&main);
        main.setCentralWidget(area);
        main.resize(800, 600);
        main.show();
        RegWrite(formKey(), QStringLiteral("frmTest_top"), QStringLiteral("3000"));
        RegWrite(formKey(), QStringLiteral("frmTest_left"), 20);
        auto f = newForm();
        QMdiSubWindow* sub = f->ShowInMdi(area);
        QCOMPARE(f->MdiWindow(), sub);
        QVERIFY(sub->isVisible());
        QVERIFY(area->viewport()->rect().intersects(sub->geometry())); // off the area: moved into it
        sub->move(15, 25);
        sub->close(); // only hidden: the window lives on
        QVERIFY(!sub->isVisible());
        QCOMPARE(stored(QStringLiteral("top")), QStringLiteral("25"));
        QCOMPARE(stored(QStringLiteral("left")), QStringLiteral("15"));
        QCOMPARE(f->ShowInMdi(area), sub);
        QVERIFY(sub->isVisible());
        QCOMPARE(sub->pos(), QPoint(15, 25));
        f->reject(); // Esc closes the subwindow too
        QVERIFY(!sub->isVisible());
    }

    void helpOpensTheTopic()
    {
        QDir().mkpath(env->programDir() + QStringLiteral("help"));
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        auto f = newForm();
        auto* help = f->findChild<QAction*>(QStringLiteral("actHelp"));
        QCOMPARE(help->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(!help->isEnabled()); // no topic: F1 is left to the main window
        f->SetHelpFile(QStringLiteral("pu_adresar"));
        help->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(catcher.urls.size(), 1);
        QVERIFY(catcher.urls[0].toLocalFile().endsWith(QStringLiteral("help/pu_adresar.htm")));
    }

    void localeTextsApplied()
    {
        QDir().mkpath(env->dataDir() + QStringLiteral("locale"));
        QFile file(env->dataDir() + QStringLiteral("locale/cz.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("<locale><forms><frmTest Caption=\"Zkušební okno\"><lblA Caption=\"Popisek\"/>"
                                  "</frmTest></forms></locale>")
                       .toUtf8());
        file.close();
        project.reset();
        project = env->openProject();
        auto f = newForm();
        auto* label = new QLabel(QStringLiteral("x"), f.get());
        label->setObjectName(QStringLiteral("lblA"));
        f->show();
        QCOMPARE(f->windowTitle(), QStringLiteral("Zkušební okno"));
        QCOMPARE(label->text(), QStringLiteral("Popisek"));
    }

    void detailOpening_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("saveWorks");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("new, saved") << 0 << "cmdUlozit" << true << int(mrOK)
                                    << QStringList{QStringLiteral("FillPickers"), QStringLiteral("ClearData"), QStringLiteral("SaveData")};
        QTest::newRow("stored, saved") << 7 << "cmdUlozit" << true << int(mrOK)
                                       << QStringList{QStringLiteral("FillPickers"), QStringLiteral("LoadData 7"), QStringLiteral("SaveData")};
        QTest::newRow("stored, cancelled") << 7 << "cmdZavrit" << true << int(mrCancel)
                                           << QStringList{QStringLiteral("FillPickers"), QStringLiteral("LoadData 7")};
    }

    void detailOpening()
    {
        QFETCH(int, id);
        QFETCH(QString, button);
        QFETCH(bool, saveWorks);
        QFETCH(int, result);
        QFETCH(QStringList, calls);
        TTestDetail f;
        f.saveWorks = saveWorks;
        f.newID = 42;
        QTimer::singleShot(0, &f, [&f, button] { f.findChild<QPushButton*>(button)->click(); });
        QCOMPARE(f.OpenDetail(id), result);
        QCOMPARE(f.calls, calls);
        if (result == mrOK && id == 0)
            QCOMPARE(f.ID, 42);
    }

    void failedSaveKeepsTheWindowOpen()
    {
        TTestDetail f;
        f.saveWorks = false;
        QTimer::singleShot(0, &f, [&f] {
            f.findChild<QPushButton*>(QStringLiteral("cmdUlozit"))->click();
            QVERIFY(f.isVisible());
            f.findChild<QPushButton*>(QStringLiteral("cmdZavrit"))->click();
        });
        QCOMPARE(f.OpenDetail(3), int(mrCancel));
        QTimer::singleShot(0, &f, [&f] { f.reject(); }); // Esc or the window's close box
        QCOMPARE(f.OpenDetail(3), int(mrCancel));
    }

    void prepareForPrint()
    {
        TTestDetail f;
        f.newID = 9;
        Dialogs::setNextAnswer(TMsgResult::No);
        QVERIFY(!f.PrepareForPrint());
        QVERIFY(f.calls.isEmpty());
        const QList<Dialogs::Shown> shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Před tiskem musí být položka uložena. Chcete položku uložit?"));
        QCOMPARE(shown[0].buttons, TMsgButtons::YesNo);
        Dialogs::setNextAnswer(TMsgResult::Yes);
        QVERIFY(f.PrepareForPrint());
        QCOMPARE(f.calls, QStringList({QStringLiteral("SaveData"), QStringLiteral("LoadData 9")}));
        QCOMPARE(Dialogs::takeShown().size(), 1);
        f.calls.clear();
        QVERIFY(f.PrepareForPrint()); // stored: saved again without asking
        QCOMPARE(f.calls, QStringList({QStringLiteral("SaveData")}));
        QVERIFY(Dialogs::takeShown().isEmpty());
    }

    void pageKeys()
    {
        TTestDetail f;
        auto* next = f.findChild<QAction*>(QStringLiteral("actDalsiStranka"));
        auto* previous = f.findChild<QAction*>(QStringLiteral("actPredchoziStranka"));
        QCOMPARE(next->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_PageDown));
        QCOMPARE(previous->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_PageUp));
        auto* main = f.findChild<QTabWidget*>(QStringLiteral("pcHlavni"));
        auto* second = f.findChild<QTabWidget*>(QStringLiteral("pcDruhy"));
        previous->trigger(); // the first page goes to the last one
        QCOMPARE(main->currentIndex(), 2);
        QCOMPARE(second->currentIndex(), 2);
        next->trigger();
        QCOMPARE(main->currentIndex(), 0);

        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.findChild<QPushButton*>(QStringLiteral("cmdUlozit"))->setFocus();
        QTest::keyClick(&f, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(main->currentIndex(), 1);
        QCOMPARE(second->currentIndex(), 1);
        QTest::keyClick(&f, Qt::Key_PageUp, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(main->currentIndex(), 1); // Ctrl+Shift is nothing special
    }

    void listFrame()
    {
        TTestList w;
        QCOMPARE(w.actNovy->text(), QStringLiteral("Nový"));
        QCOMPARE(w.actNovy->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(w.actDetail->shortcut(), QKeySequence(Qt::Key_Return));
        QCOMPARE(w.actSmazat->shortcut(), QKeySequence(Qt::Key_Delete));
        QCOMPARE(w.actTisk->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(w.actVyhledat->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(w.actVychoziFiltr->text(), QStringLiteral("Výchozí filtr"));
        QVERIFY(!w.actDetail->isEnabled());
        w.actVyhledat->trigger();
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblPocet"))->text(), QStringLiteral("Počet zobrazených osob: 10"));
        QVERIFY(w.actDetail->isEnabled()); // a row is selected
        QVERIFY(w.actSmazat->isEnabled());
        QCOMPARE(w.List()->Caption(0), QStringLiteral("Adámek"));
    }

    void listFrameDeletes()
    {
        TTestList w;
        w.Vyhledat();
        QVERIFY(w.List()->SelectID(3));
        Dialogs::setNextAnswer(TMsgResult::No);
        w.actSmazat->trigger();
        QCOMPARE(w.List()->Count(), 10);
        QCOMPARE(Dialogs::takeShown().at(0).text, QStringLiteral("Opravdu chcete smazat osobu: Hájek ?"));
        Dialogs::setNextAnswer(TMsgResult::Yes);
        w.actSmazat->trigger();
        QCOMPARE(w.List()->Count(), 9);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblPocet"))->text(), QStringLiteral("Počet zobrazených osob: 9"));
        Dialogs::takeShown();
        QVERIFY(w.List()->SelectID(1)); // the procedure refuses Novák with a warning
        Dialogs::setNextAnswer(TMsgResult::Yes);
        w.actSmazat->trigger();
        const QList<Dialogs::Shown> shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].text, QStringLiteral("Pana Nováka nelze smazat."));
        QCOMPARE(shown[1].kind, TMsgKind::Warning);
        QCOMPARE(w.List()->Count(), 9);
    }

    void listFrameOpensDetails()
    {
        TTestList w;
        w.Vyhledat();
        QVERIFY(w.List()->SelectID(5));
        w.show();
        QTest::keyClick(w.List(), Qt::Key_Return); // Enter in the list
        QCOMPARE(w.opened, QList<qint64>({5}));
        w.detailResult = mrOK;
        w.savedID = 8;
        xSQLOpen(QStringLiteral("update TEST_OSOBY set DisplayName = 'Aaron' where ID = 8"), false);
        w.actNovy->trigger();
        QCOMPARE(w.opened, QList<qint64>({5, 0}));
        QCOMPARE(w.List()->SelectedID(), 8); // searched again, the new record selected
        QCOMPARE(w.List()->SelectedIndex(), 0);
    }

    void listFrameDefaultFilterSearches()
    {
        TTestList w;
        QSignalSpy searched(w.actVyhledat, &QAction::triggered);
        auto* button = qobject_cast<QToolButton*>(w.findChild<QToolBar*>(QStringLiteral("tbAkce"))->widgetForAction(w.actVyhledat));
        QVERIFY(button && button->menu());
        QVERIFY(button->menu()->actions().contains(w.actVychoziFiltr));
        w.actVychoziFiltr->trigger();
        QCOMPARE(w.List()->Count(), 10);
    }

    void listFrameInMdiAndModal()
    {
        QMainWindow main;
        auto* area = new QMdiArea(&main);
        main.setCentralWidget(area);
        main.show();
        TTestList w;
        w.ShowInMdi(area);
        QVERIFY(w.isVisible());
        w.MdiWindow()->close();
        QVERIFY(!w.MdiWindow()->isVisible());
        TTestList modal;
        QTimer::singleShot(0, &modal, [&modal] { modal.reject(); });
        QCOMPARE(modal.ShowModal(), int(mrCancel));
    }
};

QTEST_MAIN(TestFormBase)
#include "tst_formbase.moc"
