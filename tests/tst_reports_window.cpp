#include "TestEnv.h"

#include "core/uDialogs.h"
#include "core/uRegistry.h"
#include "db/uDB_FB.h"
#include "reports/SReportPreview.h"
#include "reports/fFormDB.h"
#include "reports/fReportDesigner.h"
#include "shell/uProjectZUNO.h"
#include "ui/SListViewDB.h"
#include "ui/STitle.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QScrollBar>
#include <QTreeWidget>
#include <QWheelEvent>

namespace {

// A table that counts how often it is freed.
class CountedTable : public TReportMemTable
{
public:
    CountedTable(const QString& name, int* freed) : TReportMemTable(name, {QStringLiteral("A")}), m_freed(freed) {}
    ~CountedTable() override { ++*m_freed; }

private:
    int* m_freed;
};

TReportDataList sampleData(int rows)
{
    auto radky = std::make_unique<TReportMemTable>(
        QStringLiteral("dsRadky"), QStringList{QStringLiteral("SKUPINA"), QStringLiteral("NAZEV"), QStringLiteral("DATUM"), QStringLiteral("CASTKA")});
    const QStringList groups{QStringLiteral("Vybavení"), QStringLiteral("Členské příspěvky"), QStringLiteral("Úhrady akcí")};
    for (int i = 1; i <= rows; ++i)
        radky->AppendRow({groups[(i - 1) * groups.size() / rows], QStringLiteral("Položka číslo %1 – šňůra").arg(i),
                          QDate(2026, 1 + i % 12, 1 + i % 28), QVariant::fromValue(Money::fromUnits(12345678 + i * 10000))});
    TReportDataList list;
    list.push_back(std::move(radky));
    return list;
}

void writeFile(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

} // namespace

class TestReportsWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectZUNO> app;
    QWidget owner;
    TfrmFormDB* w = nullptr;

    template <class T> T* child(const char* name) { return w->findChild<T*>(QString::fromLatin1(name)); }
    QString reportDir() const { return env->dataDir() + QStringLiteral("report/"); }

    // Prints the sample group and selects the report of that file.
    void print(int rows = 120)
    {
        app->PrintReport(&owner, sampleData(rows));
        w = app->ReportWindow();
    }
    qint64 reportId(const QString& file)
    {
        return QueryInt(QStringLiteral("select ID from OD_Sestava where FileName = '%1'").arg(file));
    }
    void select(const QString& file)
    {
        QVERIFY(w->SelectReport(reportId(file)));
    }

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<TestEnv>();
        env->copyTemplate();
        QDir().mkpath(reportDir());
        for (const QString& f : QDir(QStringLiteral(ZUNO_REPORT_SOURCE)).entryList({QStringLiteral("*.zrs")}))
            QFile::copy(QStringLiteral(ZUNO_REPORT_SOURCE "/") + f, reportDir() + f);
        app = std::make_unique<TProjectZUNO>();
        app->LoadSettings(true);
        owner.setObjectName(QStringLiteral("frmUkazka"));
        Dialogs::takeShown();
    }

    void cleanup()
    {
        if (w)
            w->Finish();
        w = nullptr;
        app.reset();
        env.reset();
    }

    void printsTheGroup()
    {
        print();
        select(QStringLiteral("ukazka_seznam.zrs"));
        QCOMPARE(w->Group(), QStringLiteral("frmUkazka"));
        QCOMPARE(w->Title()->Caption(), QStringLiteral("Tisk: Ukázkové sestavy"));
        // The printing window's data set and the organisation's.
        QCOMPARE(int(w->DataSets().size()), 2);
        QCOMPARE(w->DataSets().back()->ReportName(), QStringLiteral("Oficiality"));
        auto* list = child<TSListViewDB>("lstFormular");
        QCOMPARE(list->Count(), 2);
        QCOMPARE(list->Model()->Image(0), 1); // the system icon
        QCOMPARE(list->Model()->Text(0, 0), QStringLiteral("Průvodní list"));
        QVERIFY(w->Engine()->PageCount() >= 3);
        QVERIFY(w->Engine()->PageText(0).contains(QStringLiteral("Vytištěno 11.12.2026")));
        QVERIFY(w->Engine()->PageText(0).contains(QStringLiteral("Seznam položek za rok 2026")));
        QVERIFY(Dialogs::takeShown().isEmpty());

        QCOMPARE(child<QComboBox>("cmbZoom")->currentText(), QStringLiteral("Šířka stránky"));
        w->resize(1000, 700);
        w->show();
        auto* preview = w->Preview();
        child<QAction>("actPosledni")->trigger();
        QCOMPARE(preview->CurrentPage(), w->Engine()->PageCount() - 1);
        child<QAction>("actPredchozi")->trigger();
        QCOMPARE(preview->CurrentPage(), w->Engine()->PageCount() - 2);
        child<QAction>("actPrvni")->trigger();
        QCOMPARE(preview->CurrentPage(), 0);
        // The wheel scrolls the pages.
        const int before = preview->verticalScrollBar()->value();
        QWheelEvent wheel(QPointF(200, 200), preview->mapToGlobal(QPointF(200, 200)), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(preview->viewport(), &wheel);
        QVERIFY(preview->verticalScrollBar()->value() > before);
        child<QComboBox>("cmbZoom")->setCurrentText(QStringLiteral("200%"));
        QCOMPARE(preview->Zoom(), 2.0);
        child<QComboBox>("cmbZoom")->setCurrentText(QStringLiteral("Celá stránka"));
        QCOMPARE(preview->Mode(), TReportPreview::ZoomMode::WholePage);
        const qreal whole = preview->Zoom();
        child<QComboBox>("cmbZoom")->setCurrentText(QStringLiteral("Šířka stránky"));
        QVERIFY(preview->Zoom() > whole);
        w->hide();
    }

    void systemReportRules_data()
    {
        QTest::addColumn<bool>("debug");
        QTest::newRow("normal") << false;
        QTest::newRow("debug") << true;
    }

    void systemReportRules()
    {
        QFETCH(bool, debug);
        RegWrite(app->RegKey, QStringLiteral("debug"), debug);
        print(5);
        select(QStringLiteral("ukazka_formular.zrs"));
        QVERIFY(!child<QPushButton>("cmdSmazat")->isEnabled());
        QVERIFY(!child<QPushButton>("cmdUlozit")->isEnabled());
        QVERIFY(!child<QPushButton>("cmdSoubor")->isEnabled());
        QVERIFY(child<QLineEdit>("txtNazev")->isReadOnly());
        QVERIFY(child<QAction>("actKopie")->isEnabled());
        QCOMPARE(child<QPushButton>("cmdDesign")->isEnabled(), debug);
        // Nor does a direct command change it.
        Dialogs::setNextAnswer(TMsgResult::Yes);
        child<QAction>("actSmazat")->trigger();
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from OD_Sestava where System = 1 and Formular = 'frmUkazka'")), 2);
        QVERIFY_THROWS_EXCEPTION(TTalbreckDBException,
                                 xProcCall(QStringLiteral("od_sestava_del"), {reportId(QStringLiteral("ukazka_formular.zrs"))}));
    }

    void newFromOutside()
    {
        print(5);
        const QString outside = env->programDir() + QStringLiteral("jinde/vlastni.zrs");
        writeFile(outside, QStringLiteral("<p>Vlastní sestava: <%= Radky.length %> řádků</p>"));
        Dialogs::setNextFileName(outside);
        child<QAction>("actNova")->trigger();
        QCOMPARE(ReadText(reportDir() + QStringLiteral("vlastni.zrs")), ReadText(outside));
        const qint64 id = reportId(QStringLiteral("vlastni.zrs"));
        QVERIFY(id > 0);
        QCOMPARE(w->SelectedReport(), id);
        QCOMPARE(child<QLineEdit>("txtAutor")->text(), QStringLiteral("<unknown>"));
        QCOMPARE(child<QLineEdit>("txtSoubor")->text(), QStringLiteral("vlastni.zrs"));
        QVERIFY(child<QPushButton>("cmdSmazat")->isEnabled());
        QCOMPARE(w->Engine()->PageText(0), QStringLiteral("Vlastní sestava: 5 řádků"));

        // Saving the record.
        child<QLineEdit>("txtNazev")->setText(QStringLiteral("Můj přehled"));
        child<QPlainTextEdit>("memPopis")->setPlainText(QStringLiteral("popis"));
        child<QPushButton>("cmdUlozit")->click();
        auto q = xProcCall(QStringLiteral("OD_Sestava_ALL"), {Null, id}, {}, true);
        QVERIFY(q->Fetch());
        QCOMPARE(q->GetText(QStringLiteral("DisplayName")), QStringLiteral("Můj přehled"));
        QCOMPARE(q->GetText(QStringLiteral("Poznamka")), QStringLiteral("popis"));
        QCOMPARE(w->SelectedReport(), id);
    }

    // A group without reports: an empty list and preview, and "&Nová" registers the first.
    void emptyGroup()
    {
        owner.setObjectName(QStringLiteral("frmNic"));
        print(5);
        QCOMPARE(w->Title()->Caption(), QStringLiteral("Tisk: frmNic"));
        QCOMPARE(child<TSListViewDB>("lstFormular")->Count(), 0);
        QVERIFY(!w->Engine()->Prepared());
        QVERIFY(Dialogs::takeShown().isEmpty());
        Dialogs::setNextFileName(reportDir() + QStringLiteral("nic.zrs"));
        child<QPushButton>("cmdNova")->click();
        QCOMPARE(child<TSListViewDB>("lstFormular")->Count(), 1);
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from OD_Sestava where Formular = 'frmNic'")), 1);
        QVERIFY(w->Engine()->Prepared());
    }

    // A name that exists nowhere starts an empty template, but never over a
    // template of that name already in the report folder.
    void newWithoutFile()
    {
        print(5);
        Dialogs::setNextFileName(env->programDir() + QStringLiteral("jinde/prazdna.zrs"));
        child<QAction>("actNova")->trigger();
        QVERIFY(ReadText(reportDir() + QStringLiteral("prazdna.zrs")).contains(QStringLiteral("Nová sestava")));

        const QString before = ReadText(reportDir() + QStringLiteral("ukazka_seznam.zrs"));
        Dialogs::setNextFileName(env->programDir() + QStringLiteral("jinde/ukazka_seznam.zrs"));
        child<QAction>("actNova")->trigger();
        QCOMPARE(ReadText(reportDir() + QStringLiteral("ukazka_seznam.zrs")), before);

        // Cancelled: nothing registered.
        const qint64 count = QueryInt(QStringLiteral("select count(*) from OD_Sestava"));
        child<QAction>("actNova")->trigger();
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from OD_Sestava")), count);
    }

    void copyAndDelete()
    {
        print(5);
        select(QStringLiteral("ukazka_seznam.zrs"));
        child<QAction>("actKopie")->trigger();
        QCOMPARE(ReadText(reportDir() + QStringLiteral("ukazka_seznam_copy.zrs")), ReadText(reportDir() + QStringLiteral("ukazka_seznam.zrs")));
        const qint64 copy = reportId(QStringLiteral("ukazka_seznam_copy.zrs"));
        QCOMPARE(w->SelectedReport(), copy);
        QCOMPARE(child<QLineEdit>("txtNazev")->text(), QStringLiteral("Seznam položek - kopie"));
        QCOMPARE(child<QLineEdit>("txtAutor")->text(), QString());
        QVERIFY(child<QPushButton>("cmdSmazat")->isEnabled());
        QVERIFY(!child<QLineEdit>("txtNazev")->isReadOnly());

        Dialogs::setNextAnswer(TMsgResult::No);
        child<QPushButton>("cmdSmazat")->click();
        QCOMPARE(reportId(QStringLiteral("ukazka_seznam_copy.zrs")), copy);
        Dialogs::setNextAnswer(TMsgResult::Yes);
        child<QPushButton>("cmdSmazat")->click();
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].text, QStringLiteral("Opravdu chcete vybranou sestavu smazat?"));
        QCOMPARE(reportId(QStringLiteral("ukazka_seznam_copy.zrs")), 0);
        QVERIFY(QFile::exists(reportDir() + QStringLiteral("ukazka_seznam_copy.zrs")));
        QCOMPARE(child<TSListViewDB>("lstFormular")->Count(), 2);
    }

    // A missing template or a script error is shown; the window and its list stay usable.
    void brokenTemplates()
    {
        xProcCall(QStringLiteral("od_sestava_new"), {QStringLiteral("Chybí"), QStringLiteral(""), QStringLiteral(""),
                                                     QStringLiteral("chybi.zrs"), QStringLiteral("frmUkazka"), 0, 0}, {}, true);
        writeFile(reportDir() + QStringLiteral("vadna.zrs"), QStringLiteral("<p>a</p>\n<% var x = Radky[0]; %>\n<%= x.NIC.DALSI %>\n"));
        xProcCall(QStringLiteral("od_sestava_new"), {QStringLiteral("Vadná"), QStringLiteral(""), QStringLiteral(""),
                                                     QStringLiteral("vadna.zrs"), QStringLiteral("frmUkazka"), 0, 0}, {}, true);
        print(5);
        Dialogs::takeShown();
        select(QStringLiteral("chybi.zrs"));
        auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, TMsgKind::Error);
        QVERIFY(shown[0].text.contains(QStringLiteral("chybi.zrs")));
        QVERIFY(!w->Engine()->Prepared());
        QVERIFY(child<TSListViewDB>("lstFormular")->isEnabled());

        // No copy without its file: nothing is registered.
        const qint64 count = QueryInt(QStringLiteral("select count(*) from OD_Sestava"));
        child<QAction>("actKopie")->trigger();
        QCOMPARE(Dialogs::takeShown().size(), 1);
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from OD_Sestava")), count);

        select(QStringLiteral("vadna.zrs"));
        shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains(QStringLiteral("řádku 3")), qPrintable(shown[0].text));

        select(QStringLiteral("ukazka_formular.zrs"));
        QVERIFY(Dialogs::takeShown().isEmpty());
        QCOMPARE(w->Engine()->PageCount(), 1);
        QVERIFY(w->Engine()->PageText(0).contains(QStringLiteral("Průvodní list")));
    }

    // The window alone frees what it is given, each thing exactly once.
    void ownership()
    {
        int freed = 0;
        app->PrintReport(&owner, sampleData(3), {}, {}, std::make_unique<CountedTable>(QStringLiteral("dsA"), &freed),
                         std::make_unique<CountedTable>(QStringLiteral("dsB"), &freed));
        w = app->ReportWindow();
        QCOMPARE(int(w->DataSets().size()), 4);
        QCOMPARE(w->DataSets()[2]->ReportName(), QStringLiteral("A"));
        QCOMPARE(freed, 0);
        w->Finish();
        QCOMPARE(freed, 2);
        QVERIFY(w->DataSets().empty());
        QVERIFY(!w->HasCallback());
        w->Finish();
        QCOMPARE(freed, 2);

        // The next print frees what the last one left.
        app->PrintReport(&owner, sampleData(3), {}, {}, std::make_unique<CountedTable>(QStringLiteral("dsA"), &freed));
        app->PrintReport(&owner, sampleData(3));
        QCOMPARE(freed, 3);
    }

    // A change of the filter runs the callback and the report again.
    void filterPanel()
    {
        QList<int> years;
        app->PrintReport(&owner, sampleData(5),
                         [&years](TReportEngine& engine, TReportDataList&, const QDate& year, const QDate&) {
                             years << year.year();
                             engine.SetVariable(QStringLiteral("ROK"), QString::number(year.year()));
                             engine.SetVariable(QStringLiteral("DatumTisk"), QStringLiteral("'dnes'"));
                         });
        w = app->ReportWindow();
        w->SetFilter(true, QDate(2025, 1, 1), QDate(2025, 6, 30));
        years.clear();
        child<QDateEdit>("dtmRok")->setDate(QDate(2024, 1, 1));
        QCOMPARE(years, QList<int>{2024});
        QVERIFY(w->Engine()->PageText(0).contains(QStringLiteral("za rok 2024")));
        w->Finish();
        QVERIFY(!child<QWidget>("panFiltr")->isVisibleTo(w));
    }

    // "Ná&vrh" hands the loaded template to the designer and prepares the report again after it.
    void designAgain()
    {
        print(5);
        select(QStringLiteral("ukazka_seznam.zrs"));
        child<QAction>("actKopie")->trigger();
        TfrmFormDB::SetDesignerOpener([](QWidget*, TReportEngine& engine) {
            engine.SetTemplate(QStringLiteral("<p>Nový návrh: <%= Radky.length %></p>"));
            engine.SaveToFile(engine.FileName());
            return true;
        });
        QVERIFY(child<QPushButton>("cmdDesign")->isEnabled());
        child<QPushButton>("cmdDesign")->click();
        TfrmFormDB::SetDesignerOpener({});
        QCOMPARE(w->Engine()->PageText(0), QStringLiteral("Nový návrh: 5"));
        QVERIFY(ReadText(reportDir() + QStringLiteral("ukazka_seznam_copy.zrs")).startsWith(QStringLiteral("<p>Nový návrh")));
    }

    void designer()
    {
        print(5);
        select(QStringLiteral("ukazka_seznam.zrs"));
        child<QAction>("actKopie")->trigger();
        TfrmReportDesigner d(*w->Engine());
        auto* tree = d.findChild<QTreeWidget*>(QStringLiteral("treData"));
        QStringList top;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            top << tree->topLevelItem(i)->text(0);
        QCOMPARE(top, (QStringList{QStringLiteral("Radky"), QStringLiteral("Oficiality"), QStringLiteral("Proměnné")}));
        QCOMPARE(tree->topLevelItem(0)->child(3)->text(0), QStringLiteral("CASTKA"));
        QCOMPARE(tree->topLevelItem(2)->childCount(), 3);
        QVERIFY(d.UpdatePreview().isEmpty());

        d.SetSource(QStringLiteral("<p>Řádků: <%= count() %></p>\n<%= "));
        d.findChild<QPlainTextEdit*>(QStringLiteral("memSablona"))->moveCursor(QTextCursor::End);
        d.InsertName(QStringLiteral("ROK"));
        d.SetSource(d.Source() + QStringLiteral(" %>\n<%= nic.x %>"));
        QVERIFY(d.Source().contains(QStringLiteral("<%= ROK %>")));
        QVERIFY(d.UpdatePreview().contains(QStringLiteral("řádku 1")));
        d.SetSource(QStringLiteral("<p>Rok <%= ROK %>, řádků <%= count(Radky) %></p>"));
        QVERIFY(d.UpdatePreview().isEmpty());
        QVERIFY(d.Save());
        QCOMPARE(ReadText(reportDir() + QStringLiteral("ukazka_seznam_copy.zrs")), d.Source());

        d.SetSource(ReadText(QStringLiteral(ZUNO_REPORT_SOURCE "/ukazka_seznam.zrs")));
        d.UpdatePreview();
        d.resize(1300, 800);
        d.show();
        QCoreApplication::processEvents();
        const QImage image = d.grab().toImage();
        QVERIFY(!image.isNull());
        if (!qEnvironmentVariable("ZUNO_SHOTS_DIR").isEmpty())
            image.save(qEnvironmentVariable("ZUNO_SHOTS_DIR") + QStringLiteral("/report_navrh.png"));
    }

    // While a report runs, neither a selection nor a filter change starts another run.
    void runBlocksSelection()
    {
        int runs = 0;
        app->PrintReport(&owner, sampleData(5), [&runs](TReportEngine& engine, TReportDataList&, const QDate&, const QDate&) {
            ++runs;
            engine.SetVariable(QStringLiteral("ROK"), QStringLiteral("2026"));
            engine.SetVariable(QStringLiteral("DatumTisk"), QStringLiteral("'dnes'"));
        });
        w = app->ReportWindow();
        w->SetFilter(true, QDate(2025, 1, 1), QDate(2025, 1, 1));
        const qint64 first = w->SelectedReport();
        const qint64 other = reportId(QStringLiteral("ukazka_seznam.zrs"));
        QVERIFY(first != other);
        bool tried = false;
        connect(w->Engine(), &TReportEngine::Started, w, [&] {
            if (tried)
                return;
            tried = true;
            child<QDateEdit>("dtmRok")->setDate(QDate(2020, 1, 1));
            w->SelectReport(other);
        });
        runs = 0;
        w->RunReport();
        QVERIFY(tried);
        QCOMPARE(runs, 1);
        QVERIFY(w->Engine()->PageText(0).contains(QStringLiteral("Průvodní list")));
    }

    // The window on the sample group at both fitted zooms, and its PDF; kept
    // in the folder ZUNO_SHOTS_DIR names, for looking at them.
    void pictures()
    {
        xSQLOpen(QStringLiteral("update OD_Oficiality set Nazev = 'Turistický oddíl Šipka', Ulice = 'Žižkova 12', "
                                "Mesto = 'Třebíč', PSC = '674 01', ICO = '12345678', Ucet = '123456789/0800', Predseda = 'Jiří Čermák'"),
                 false);
        print(120);
        w->resize(1200, 800);
        w->show();
        const QString dir = qEnvironmentVariable("ZUNO_SHOTS_DIR");
        const struct
        {
            const char* file;
            const char* report;
            const char* zoom;
        } shots[] = {{"report_sirka.png", "ukazka_seznam.zrs", "Šířka stránky"},
                     {"report_cela.png", "ukazka_seznam.zrs", "Celá stránka"},
                     {"report_formular.png", "ukazka_formular.zrs", "Celá stránka"}};
        for (const auto& shot : shots) {
            select(QString::fromLatin1(shot.report));
            child<QComboBox>("cmbZoom")->setCurrentText(QString::fromUtf8(shot.zoom));
            QCoreApplication::processEvents();
            const QImage image = w->grab().toImage();
            QVERIFY(!image.isNull());
            if (!dir.isEmpty())
                image.save(dir + QLatin1Char('/') + QString::fromLatin1(shot.file));
        }
        select(QStringLiteral("ukazka_seznam.zrs"));
        const QString pdf = (dir.isEmpty() ? env->dataDir() : dir + QLatin1Char('/')) + QStringLiteral("ukazka_seznam.pdf");
        Dialogs::setNextFileName(pdf);
        child<QAction>("actPDF")->trigger();
        QVERIFY(QFile(pdf).size() > 1000);
        w->hide();
    }
};

QTEST_MAIN(TestReportsWindow)
#include "tst_reports_window.moc"
