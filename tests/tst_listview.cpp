#include "TestEnv.h"

#include "core/uDialogs.h"
#include "core/uLog.h"
#include "core/uProject.h"
#include "core/uRegistry.h"
#include "db/uProjectDB.h"
#include "ui/SListViewDB.h"
#include "ui/SListViewVirtual.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

const QString kPeople = xProcText(QStringLiteral("TEST_OSOBY_ALL"), {Null}, {}, true);

QString lvKey()
{
    return Project()->RegKey + QStringLiteral("\\LV");
}

// A record of the test table TEST_VO, saved through procedures that log their calls.
class TTestObject : public TVirtualObject
{
public:
    QString Name;
    void Load(const TSQLDB& row) override
    {
        TVirtualObject::Load(row);
        Name = row.GetText(QStringLiteral("DisplayName"));
    }

protected:
    QVariant SaveNew() override
    {
        auto q = xProcCall(QStringLiteral("TEST_VO_NEW"), {Name}, {}, true);
        q->Fetch();
        return q->GetValue(QStringLiteral("ID"));
    }
    void SaveEdit() override { xProcCall(QStringLiteral("TEST_VO_EDIT"), {ID, Name}); }
    void SaveDelete() override { xProcCall(QStringLiteral("TEST_VO_DEL"), {ID}); }
};

std::unique_ptr<TVirtualCollection> newCollection()
{
    return std::make_unique<TVirtualCollection>(1, [] { return std::make_unique<TTestObject>(); });
}

QStringList callLog()
{
    QStringList calls;
    auto q = xSQLOpen(QStringLiteral("select Proc, ObjID from TEST_VO_LOG order by ID"), true);
    while (q->Fetch())
        calls << q->GetText(QStringLiteral("Proc")) + QLatin1Char(' ') + q->GetText(QStringLiteral("ObjID"));
    return calls;
}

} // namespace

class TestListView : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectDB> project;
    std::unique_ptr<QDialog> window;
    TSListViewDB* list = nullptr;

    // A window "frmTest" with the list "lstTest": name, amount, date.
    void makeList()
    {
        window = std::make_unique<QDialog>();
        window->setObjectName(QStringLiteral("frmTest"));
        list = new TSListViewDB(window.get());
        list->setObjectName(QStringLiteral("lstTest"));
        (new QVBoxLayout(window.get()))->addWidget(list);
        list->SetColumns({{QStringLiteral("Jméno"), 120, QStringLiteral("DisplayName")},
                          {QStringLiteral("Částka"), 90, QStringLiteral("Castka"), TSColumnKind::Money},
                          {QStringLiteral("Datum"), 80, QStringLiteral("Datum"), TSColumnKind::Date}});
    }

    QStringList captions() const
    {
        QStringList out;
        for (int i = 0; i < list->Count(); ++i)
            out << list->Caption(i);
        return out;
    }

    void clickHeader(int column) { Q_EMIT list->horizontalHeader()->sectionClicked(column); }

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<TestEnv>();
        project = env->openProject();
        makeList();
    }

    void cleanup()
    {
        window.reset();
        project.reset();
        env.reset();
    }

    void sortsCzech()
    {
        list->OpenSQL(kPeople);
        QCOMPARE(list->CurrentSQL, kPeople + QStringLiteral(" order by DisplayName COLLATE PXW_CSY ASC"));
        const QStringList czech{QStringLiteral("Adámek"), QStringLiteral("Cibulka"), QStringLiteral("Čermák"),
                                QStringLiteral("Hájek"),  QStringLiteral("Horák"),   QStringLiteral("Chalupa"),
                                QStringLiteral("Novák"),  QStringLiteral("Řehoř"),   QStringLiteral("Šťastný"),
                                QStringLiteral("Žák")};
        QCOMPARE(captions(), czech);
        clickHeader(0);
        QVERIFY(!list->SortAsc);
        QStringList reversed = czech;
        std::reverse(reversed.begin(), reversed.end());
        QCOMPARE(captions(), reversed);
        QVERIFY(list->horizontalHeader()->isSortIndicatorShown());
        QCOMPARE(list->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    }

    void formatsMoneyAndDates()
    {
        list->OpenSQL(kPeople);
        const auto row = [this](const QString& name) { return int(captions().indexOf(name)); };
        TSListModel* m = list->Model();
        QCOMPARE(m->Text(row(QStringLiteral("Čermák")), 1), QStringLiteral("1 234 567,89"));
        QCOMPARE(m->Text(row(QStringLiteral("Čermák")), 2), QStringLiteral("04.07.2024"));
        QCOMPARE(m->Text(row(QStringLiteral("Chalupa")), 1), QStringLiteral("-300,00"));
        QCOMPARE(m->Text(row(QStringLiteral("Hájek")), 1), QStringLiteral("0,00"));
        QCOMPARE(m->Text(row(QStringLiteral("Horák")), 2), QString());
        QCOMPARE(m->data(m->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight, Qt::AlignRight);
        QCOMPARE(list->ID(row(QStringLiteral("Novák"))), 1);
    }

    void orderClause_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("asc");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text, descending") << "DisplayName COLLATE PXW_CSY" << false << "DisplayName COLLATE PXW_CSY DESC";
        QTest::newRow("three columns, descending") << "Poradi, Datum, ID" << false << "Poradi DESC, Datum DESC, ID DESC";
        QTest::newRow("two columns, ascending") << "Ulice COLLATE PXW_CSY, CP" << true << "Ulice COLLATE PXW_CSY ASC, CP ASC";
        QTest::newRow("no expression") << "" << true << "";
    }

    void orderClause()
    {
        QFETCH(QString, entry);
        QFETCH(bool, asc);
        QFETCH(QString, expected);
        list->SortFields[0] = entry;
        list->SortColumn = 0;
        list->SortAsc = asc;
        QCOMPARE(list->OrderClause(), expected);
    }

    void headerClicks()
    {
        list->SortFields[2] = QString(); // the date column cannot be sorted
        list->OpenSQL(kPeople);
        clickHeader(1);
        QCOMPARE(list->SortColumn, 1);
        QVERIFY(list->SortAsc); // another column keeps the direction
        QVERIFY(list->CurrentSQL.endsWith(QStringLiteral("order by Castka ASC")));
        clickHeader(1);
        clickHeader(1);
        QVERIFY(list->SortAsc); // twice returns to the first direction
        const QString before = list->CurrentSQL;
        clickHeader(2);
        QCOMPARE(list->SortColumn, 1);
        QCOMPARE(list->CurrentSQL, before);
        clickHeader(0);
        QCOMPARE(list->SortColumn, 0);
        list->Sort = false;
        clickHeader(1);
        QCOMPARE(list->SortColumn, 0);
    }

    void storedSortColumnWithoutExpression_data()
    {
        QTest::addColumn<int>("stored");
        QTest::newRow("column without an expression") << 2;
        QTest::newRow("column past the end") << 99;
        QTest::newRow("negative") << -1;
    }

    void storedSortColumnWithoutExpression()
    {
        QFETCH(int, stored);
        window.reset();
        RegWrite(lvKey(), QStringLiteral("frmTest_lstTest_column"), stored);
        makeList();
        list->SortFields[2] = QString();
        QCOMPARE(list->SortColumn, stored);
        list->OpenSQL(kPeople);
        QCOMPARE(list->CurrentSQL, kPeople); // no order clause
        clickHeader(1);                      // a sortable column still works
        QCOMPARE(list->SortColumn, 1);
        QVERIFY(list->CurrentSQL.endsWith(QStringLiteral("order by Castka ASC")));
    }

    void headerClickAfterOpenResultIsIgnored()
    {
        list->OpenSQL(kPeople);
        list->OpenResult(xProcCall(QStringLiteral("TEST_OSOBY_ALL"), {QStringLiteral("H")}, {}, true));
        QCOMPARE(list->Count(), 2);
        QVERIFY(list->BaseSQL.isEmpty());
        const QString before = list->CurrentSQL;
        clickHeader(0);
        clickHeader(1);
        QCOMPARE(list->Count(), 2);
        QCOMPARE(list->CurrentSQL, before);
        QCOMPARE(list->SortColumn, 0);
        QVERIFY(list->SortAsc);
    }

    void keepsSelectionByID()
    {
        list->OpenSQL(kPeople);
        QVERIFY(list->SelectID(3)); // Hájek
        clickHeader(1);              // a new order: Hájek moves
        QCOMPARE(list->SelectedID(), 3);
        QCOMPARE(list->Caption(list->SelectedIndex()), QStringLiteral("Hájek"));
        QVERIFY(!list->SelectID(12345));
        QCOMPARE(list->SelectedID(), 3);
    }

    void selectionAfterTheRecordIsGone()
    {
        list->SortAsc = false; // Žák … Adámek
        list->OpenSQL(kPeople);
        QVERIFY(list->SelectID(10)); // Adámek, the last row
        xProcCall(QStringLiteral("test_osoby_del"), {10});
        list->OpenSQL(kPeople);
        QCOMPARE(list->SelectedIndex(), list->Count() - 1); // the list got shorter: the last row
        QVERIFY(list->SelectID(3));
        const int at = list->SelectedIndex();
        xProcCall(QStringLiteral("test_osoby_del"), {3});
        list->OpenSQL(kPeople);
        QCOMPARE(list->SelectedIndex(), at); // the row at the old position
        list->SelectFirst = false;
        list->clearSelection();
        list->OpenSQL(kPeople);
        QCOMPARE(list->SelectedIndex(), list->Count() - 1);
    }

    void firstFillSelectsFirstRow()
    {
        list->OpenSQL(kPeople);
        QCOMPARE(list->SelectedIndex(), 0);
    }

    void emptyResult()
    {
        QAction detail;
        QAction del;
        list->Act_Detail = &detail;
        list->Act_Delete = &del;
        OpenLog(env->dataDir() + QStringLiteral("fill.log"));
        SetLevel(LogLevel::Debug, true);
        list->OpenSQL(xProcText(QStringLiteral("TEST_OSOBY_ALL"), {QStringLiteral("Q")}, {}, true));
        CloseLog();
        QCOMPARE(list->Count(), 0);
        QVERIFY(!detail.isEnabled());
        QVERIFY(!del.isEnabled());
        QFile log(env->dataDir() + QStringLiteral("fill.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(log.readAll()).contains(QStringLiteral("Nacteni Listview: lstTest (00:00:")));
    }

    void nonIntegerIDEndsTheFill()
    {
        list->Column_ID = QStringLiteral("DisplayName");
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, list->OpenSQL(kPeople));
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(list->model()->rowCount(), list->Count()); // the view is out of its fill
    }

    void sqlErrorKeepsTheRows()
    {
        list->OpenSQL(kPeople);
        QVERIFY_THROWS_EXCEPTION(TTalbreckException, list->OpenSQL(QStringLiteral("select * from NO_SUCH_PROC")));
        QCOMPARE(list->Count(), 10);
    }

    void captionColumnAndRowEvent()
    {
        list->SetColumns({{QStringLiteral("Jméno"), 100}, {QStringLiteral("Poznámka"), 100}});
        list->Column_Caption = QStringLiteral("DisplayName");
        int calls = 0;
        list->OnRowResult = [&calls](TSListItem& item, const TSQLDB& q) {
            ++calls;
            item.AddSubItem(QStringLiteral("č. ") + q.GetText(QStringLiteral("ID")));
            item.SetImageIndex(0);
        };
        list->OpenSQL(kPeople);
        QCOMPARE(calls, 10);
        QCOMPARE(list->Model()->Text(0, 1), QStringLiteral("č. ") + QString::number(list->ID(0)));
        QCOMPARE(list->Model()->Image(0), 0);
    }

    void layoutIsStoredPerUser()
    {
        list->horizontalHeader()->resizeSection(0, 211);
        list->OpenSQL(kPeople);
        clickHeader(1);
        clickHeader(1);
        window.reset(); // the list writes its layout when it goes
        QCOMPARE(RegReadInt(lvKey(), QStringLiteral("frmTest_lstTest_0"), 0), 211);
        QCOMPARE(RegReadInt(lvKey(), QStringLiteral("frmTest_lstTest_column"), -5), 1);
        QCOMPARE(RegReadInt(lvKey(), QStringLiteral("frmTest_lstTest_asc"), -5), 0);
        RegWrite(lvKey(), QStringLiteral("frmTest_lstTest_1"), QStringLiteral("77")); // a number kept as text
        makeList();
        QCOMPARE(list->horizontalHeader()->sectionSize(0), 211);
        QCOMPARE(list->horizontalHeader()->sectionSize(1), 77);
        QCOMPARE(list->SortColumn, 1);
        QVERIFY(!list->SortAsc);
    }

    void keysRunTheActions()
    {
        auto* ok = new QPushButton(QStringLiteral("OK"), window.get());
        ok->setDefault(true);
        window->layout()->addWidget(ok);
        QSignalSpy clicked(ok, &QPushButton::clicked);
        QAction detail;
        QAction del;
        QSignalSpy details(&detail, &QAction::triggered);
        QSignalSpy deletes(&del, &QAction::triggered);
        list->Act_Detail = &detail;
        list->Act_Delete = &del;
        window->show();
        list->OpenSQL(kPeople);
        detail.setEnabled(true); // the window's business when a row is selected
        del.setEnabled(true);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(details.count(), 1);
        QCOMPARE(clicked.count(), 0); // the dialog's default button stays still
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(deletes.count(), 1);
        const QPoint cell = list->visualRect(list->Model()->index(2, 0)).center();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell);
        QCOMPARE(details.count(), 2);
        QCOMPARE(list->SelectedIndex(), 2);

        list->Act_Detail = nullptr;
        QSignalSpy dbl(list, &TSListView::DblSelectItem);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell);
        QCOMPARE(dbl.count(), 1);
    }

    void selectionEvents()
    {
        QAction detail;
        list->Act_Detail = &detail;
        QSignalSpy selected(list, &TSListView::SelectItem);
        list->OpenSQL(kPeople);
        QCOMPARE(selected.count(), 1);
        detail.setEnabled(true);
        list->clearSelection();
        QVERIFY(!detail.isEnabled()); // lost selection disables; the list never enables
        list->SelectRow(4);
        QCOMPARE(selected.count(), 2);
        QCOMPARE(selected.last().at(0).toInt(), 4);
        QVERIFY(!detail.isEnabled());
    }

    void bigListFillsAtOnce()
    {
        list->SortFields[0] = QString();
        list->OpenSQL(xProcText(QStringLiteral("TEST_ROWS"), {100000}, {}, true));
        QCOMPARE(list->Count(), 100000);
        QCOMPARE(list->model()->rowCount(), 100000);
        QCOMPARE(list->Model()->Text(99999, 0), QStringLiteral("Řádek č. 100000"));
    }

    void memorySortOfTheBase()
    {
        TSListView plain(window.get());
        plain.setObjectName(QStringLiteral("lstPlain"));
        plain.SetColumns({{QStringLiteral("Jméno"), 100}});
        TSListModel* m = plain.Model();
        m->BeginFill();
        for (const char* name : {"beta", "Alfa", "gama"}) {
            const int row = m->AddRow();
            m->SetValue(row, 0, QString::fromUtf8(name));
            m->SetID(row, row + 1);
        }
        m->EndFill();
        plain.SortAsc = false;
        Q_EMIT plain.horizontalHeader()->sectionClicked(0);
        QVERIFY(plain.SortAsc);
        QCOMPARE(plain.Caption(0), QStringLiteral("Alfa"));
        QCOMPARE(plain.Caption(2), QStringLiteral("gama"));
        Q_EMIT plain.horizontalHeader()->sectionClicked(0);
        QCOMPARE(plain.Caption(0), QStringLiteral("gama"));
    }

    void virtualCollectionSavesOnce()
    {
        auto coll = newCollection();
        coll->LoadFromResult(xProcCall(QStringLiteral("TEST_VO_ALL"), {}, {}, true));
        QCOMPARE(coll->Count(), 2);
        QCOMPARE(coll->Item<TTestObject>(0)->State, TVirtualObject::Stored);

        auto fresh = std::make_unique<TTestObject>();
        fresh->Name = QStringLiteral("Nový rodič");
        TVirtualObject* added = coll->Add(std::move(fresh));
        auto dropped = std::make_unique<TTestObject>();
        TVirtualObject* droppedPtr = coll->Add(std::move(dropped));
        coll->Remove(droppedPtr); // a new object goes at once
        QCOMPARE(coll->Count(), 3);
        QCOMPARE(coll->IndexOf(droppedPtr), -1);
        TVirtualObject* first = coll->Items(0);
        coll->Remove(first); // a stored one waits for the save
        QCOMPARE(coll->Count(), 3);
        QCOMPARE(first->State, TVirtualObject::Deleted);

        coll->SaveAll();
        QCOMPARE(callLog(), QStringList({QStringLiteral("DEL 1"), QStringLiteral("EDIT 2"), QStringLiteral("NEW 3")}));
        QCOMPARE(added->ID.toInt(), 3);
        QCOMPARE(added->State, TVirtualObject::Stored);
        QCOMPARE(coll->Count(), 2); // the deleted one left the collection

        coll->SaveAll();
        QCOMPARE(callLog(), QStringList({QStringLiteral("DEL 1"), QStringLiteral("EDIT 2"), QStringLiteral("NEW 3"),
                                         QStringLiteral("EDIT 2"), QStringLiteral("EDIT 3")}));
    }

    void virtualListShowsTheCollection()
    {
        TSListViewVirtual vl(window.get());
        vl.setObjectName(QStringLiteral("lstRodice"));
        vl.SetColumns({{QStringLiteral("Jméno"), 100}});
        vl.OnRowResultVirtual = [](TSListItem& item, TVirtualObject& o) { item.SetCaption(static_cast<TTestObject&>(o).Name); };
        auto coll = newCollection();
        coll->LoadFromResult(xProcCall(QStringLiteral("TEST_VO_ALL"), {}, {}, true));
        vl.SetCollection(std::move(coll));
        QCOMPARE(vl.Count(), 2);
        QCOMPARE(vl.SelectedIndex(), 0);
        TVirtualObject* second = vl.Collection()->Items(1);
        QVERIFY(vl.SelectObject(second));
        vl.Collection()->Remove(vl.Collection()->Items(0));
        vl.Refill();
        QCOMPARE(vl.Count(), 1);
        QCOMPARE(vl.SelectedObject(), second);
        QCOMPARE(vl.Caption(0), QStringLiteral("Rodič B"));
        Q_EMIT vl.horizontalHeader()->sectionClicked(0); // changes nothing
        QCOMPARE(vl.Caption(0), QStringLiteral("Rodič B"));
        vl.Collection()->Remove(second);
        vl.Refill();
        QCOMPARE(vl.Count(), 0);
    }
};

QTEST_MAIN(TestListView)
#include "tst_listview.moc"
