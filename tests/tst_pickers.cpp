#include "TestEnv.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "db/uProjectDB.h"
#include "ui/SCheckListBox.h"
#include "ui/SComboBox.h"
#include "ui/SCurrencyEdit.h"
#include "ui/SFloatEdit.h"
#include "ui/SLabel.h"
#include "ui/STitle.h"
#include "ui/fInputBox.h"
#include "ui/uDB_GUI.h"

#include <QAction>
#include <QDesktopServices>
#include <QDialog>
#include <QFocusEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QStringList entries(const QComboBox& c)
{
    QStringList out;
    for (int i = 0; i < c.count(); ++i)
        out << c.itemText(i);
    return out;
}

// Focus without a shown window: the boxes act on the events themselves.
void enter(QWidget* w)
{
    QFocusEvent e(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &e);
}

void leave(QWidget* w)
{
    QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

class TestPickers : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectDB> project;

    // Each edit case runs under a point-decimal and a comma-decimal system locale.
    static void addLocales()
    {
        QTest::addColumn<QLocale>("locale");
    }

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
        QLocale::setDefault(QLocale::c());
    }

    void tableShowsActiveRowsInCzechOrder()
    {
        TSComboBox combo;
        xTable2Combo(&combo, QStringLiteral("TEST_CISELNIK"), true);
        QCOMPARE(entries(combo), QStringList({QStringLiteral("vše"), QStringLiteral("Ávie"), QStringLiteral("Hřiště"),
                                              QStringLiteral("Chata"), QStringLiteral("Oddíl")}));
        QCOMPARE(combo.currentIndex(), 0);
        QVERIFY(VarIsNull(combo.SelectedID()));
        QVERIFY(combo.SelectID(2));
        QCOMPARE(combo.currentText(), QStringLiteral("Chata"));
        QVERIFY(combo.SelectID(QStringLiteral("3"))); // a numeric text equals the number
        QCOMPARE(combo.currentText(), QStringLiteral("Hřiště"));
        QVERIFY(!combo.SelectID(4)); // inactive, not listed: nothing changes
        QCOMPARE(combo.currentText(), QStringLiteral("Hřiště"));
        QVERIFY(combo.SelectID(Null));
        QCOMPARE(combo.currentIndex(), 0);
    }

    void itemData()
    {
        TSComboBox combo;
        combo.addItem(QStringLiteral("z návrhu")); // an entry of a .ui file has an empty ID
        combo.AddWithID(QStringLiteral("Oddíl"), 1);
        QVERIFY(!combo.ItemData(0).isValid());
        QCOMPARE(combo.ItemData(1).toInt(), 1);
        QVERIFY(VarIsNull(combo.ItemData(-1)));
        try {
            combo.ItemData(2);
            QFAIL("no exception");
        } catch (const TTalbreckException& e) {
            QCOMPARE(e.Message(), QStringLiteral("TSComboBox.ItemData: Zadaný index je vyšší než velikost fData."));
        }
        combo.clear();
        QCOMPARE(combo.count(), 0);
        QVERIFY(VarIsNull(combo.SelectedID()));
    }

    void emptyPickerPassesNull()
    {
        TSComboBox combo;
        auto q = xProcCall(QStringLiteral("TEST_ID_ECHO"), {combo.SelectedID()}, {}, true);
        QVERIFY(q->Fetch());
        QCOMPARE(q->GetInteger(QStringLiteral("JE_NULL")), 1);
        combo.AddWithID(QStringLiteral("vše"), Null);
        q = xProcCall(QStringLiteral("TEST_ID_ECHO"), {combo.SelectedID()}, {}, true);
        QVERIFY(q->Fetch());
        QCOMPARE(q->GetInteger(QStringLiteral("JE_NULL")), 1);
    }

    void refillKeepsTheChoice()
    {
        TSComboBox combo;
        QAction find;
        QSignalSpy searches(&find, &QAction::triggered);
        combo.Act_Find = &find;
        xTable2Combo(&combo, QStringLiteral("TEST_CISELNIK"), true);
        combo.SelectID(3);
        xTable2Combo(&combo, QStringLiteral("TEST_CISELNIK"), true);
        QCOMPARE(combo.SelectedID().toInt(), 3);
        xSQLOpen(QStringLiteral("update TEST_CISELNIK set Aktivni = 0 where ID = 3"), false);
        xTable2Combo(&combo, QStringLiteral("TEST_CISELNIK"), true);
        QCOMPARE(combo.currentIndex(), 0); // gone: the leading entry
        xDB2Combo(&combo, xProcCall(QStringLiteral("TEST_CISELNIK_COMBO"), {}, {}, true));
        QCOMPARE(combo.currentText(), QStringLiteral("Ávie")); // a refill without the leading entry: the first
        QCOMPARE(searches.count(), 0);                        // a refill never searches
    }

    void userChoiceSearches()
    {
        QDialog w;
        auto* combo = new TSComboBox(&w);
        (new QVBoxLayout(&w))->addWidget(combo);
        QAction find;
        QSignalSpy searches(&find, &QAction::triggered);
        combo->Act_Find = &find;
        xTable2Combo(combo, QStringLiteral("TEST_CISELNIK"), true);
        w.show();
        combo->setCurrentIndex(2); // the program's change
        QCOMPARE(searches.count(), 0);
        QTest::keyClick(combo, Qt::Key_Down); // the user's change
        QCOMPARE(searches.count(), 1);
        combo->setEditable(true);
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("x"));
        QCOMPARE(searches.count(), 2);
    }

    void listBoxes()
    {
        TSCheckListBox box;
        xDB2Combo(&box, xProcCall(QStringLiteral("TEST_CISELNIK_COMBO"), {}, {}, true));
        QCOMPARE(box.count(), 5);
        QCOMPARE(box.currentRow(), -1); // a list box is not a drop-down: nothing chosen
        QVERIFY(box.SelectID(2));
        QCOMPARE(box.currentItem()->text(), QStringLiteral("Chata"));
        box.SetChecked(0, true);
        box.SetChecked(3, true);
        QCOMPARE(box.CheckedCount(), 2);
        QCOMPARE(box.CheckedIDs().size(), 2);
        box.DeleteItem(); // the selected one
        QCOMPARE(box.count(), 4);
        QVERIFY(!box.SelectID(2));
        QCOMPARE(box.ItemData(3).toInt(), 4); // later IDs move down with their entries
        xDB2Combo(&box, xProcCall(QStringLiteral("TEST_CISELNIK_COMBO"), {}, {}, true));
        QCOMPARE(box.count(), 5);
    }

    void fillRefusesOtherControls()
    {
        QLabel other;
        try {
            xDB2Combo(&other, xProcCall(QStringLiteral("TEST_CISELNIK_COMBO"), {}, {}, true));
            QFAIL("no exception");
        } catch (const TTalbreckException& e) {
            QCOMPARE(e.Message(),
                     QStringLiteral("Procedura xDB2Combo umi plnit pouze komponenty TSComboBox, TSListBox a TSCheckListBox."));
        }
    }

    void sameID_data()
    {
        QTest::addColumn<QVariant>("a");
        QTest::addColumn<QVariant>("b");
        QTest::addColumn<bool>("equal");
        QTest::newRow("null, null") << Null << Null << true;
        QTest::newRow("null, 0") << Null << QVariant(0) << false;
        QTest::newRow("number, numeric text") << QVariant(12) << QVariant(QStringLiteral("12")) << true;
        QTest::newRow("number, other text") << QVariant(12) << QVariant(QStringLiteral("dvanáct")) << false;
        QTest::newRow("texts") << QVariant(QStringLiteral("FAV")) << QVariant(QStringLiteral("FAV")) << true;
        QTest::newRow("big numbers") << QVariant(qint64(9007199254740993LL)) << QVariant(qint64(9007199254740992LL)) << false;
    }

    void sameID()
    {
        QFETCH(QVariant, a);
        QFETCH(QVariant, b);
        QFETCH(bool, equal);
        QCOMPARE(SameID(a, b), equal);
        QCOMPARE(SameID(b, a), equal);
    }

    void floatEdit_data()
    {
        addLocales();
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        for (const QLocale& l : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::Czech, QLocale::CzechRepublic)}) {
            const QByteArray n = l.name().toLatin1() + ": ";
            QTest::newRow(n + "integer from a pasted decimal") << l << int(TFloatType::flInteger) << "12,7" << 12.0 << "12";
            QTest::newRow(n + "negative integer") << l << int(TFloatType::flInteger) << "-12,7" << -12.0 << "-12";
            QTest::newRow(n + "float") << l << int(TFloatType::flFloat) << "-1,5" << -1.5 << "-1,5";
            QTest::newRow(n + "float with blanks") << l << int(TFloatType::flFloat) << "1 234,25" << 1234.25 << "1234,25";
            QTest::newRow(n + "currency") << l << int(TFloatType::flCurrency) << "1234,567" << 1234.57 << "1 234,57";
            QTest::newRow(n + "currency with a point") << l << int(TFloatType::flCurrency) << "1234.5" << 1234.5 << "1 234,50";
        }
    }

    void floatEdit()
    {
        QFETCH(QLocale, locale);
        QFETCH(int, type);
        QFETCH(QString, typed);
        QFETCH(double, value);
        QFETCH(QString, shown);
        QLocale::setDefault(locale);
        TSFloatEdit edit;
        edit.FloatType = TFloatType(type);
        QSignalSpy exits(&edit, &TSNumericEdit::Exit);
        enter(&edit);
        edit.selectAll();
        edit.insert(typed); // as pasted
        QCOMPARE(edit.Value(), value);
        leave(&edit);
        QCOMPARE(edit.Value(), value);
        QCOMPARE(edit.text(), shown);
        QCOMPARE(exits.count(), 1);
    }

    void floatEditForms()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        TSFloatEdit edit;
        edit.FloatType = TFloatType::flCurrency;
        edit.SetValue(1234.5);
        QCOMPARE(edit.text(), QStringLiteral("1 234,50"));
        enter(&edit);
        QCOMPARE(edit.text(), QStringLiteral("1234,50")); // plain while edited
        edit.clear();
        leave(&edit);
        QCOMPARE(edit.Value(), 1234.5); // no number: the value stays
        QCOMPARE(edit.text(), QStringLiteral("1 234,50"));
        edit.FloatType = TFloatType::flFloat;
        edit.FloatFormat = QStringLiteral("%.3f");
        edit.SetValue(2.5);
        QCOMPARE(edit.text(), QStringLiteral("2,500"));
        edit.FloatFormat = QStringLiteral("%s"); // not a number pattern: the shortest form
        edit.SetValue(2.5);
        QCOMPARE(edit.text(), QStringLiteral("2,5"));
    }

    void floatEditBounds()
    {
        TSFloatEdit edit;
        edit.HasMinValue = true;
        edit.MinValue = 1;
        edit.HasMaxValue = true;
        edit.MaxValue = 10;
        edit.SetValue(0);
        QCOMPARE(edit.text(), QStringLiteral("1"));
        QCOMPARE(edit.Value(), 1.0);
        enter(&edit);
        edit.setText(QStringLiteral("25"));
        leave(&edit);
        QCOMPARE(edit.Value(), 10.0);
        QCOMPARE(edit.text(), QStringLiteral("10"));
    }

    void keyFilter_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("letters swallowed") << int(TFloatType::flFloat) << "1a2b" << "12";
        QTest::newRow("minus only at the start") << int(TFloatType::flFloat) << "12-3" << "123";
        QTest::newRow("one minus") << int(TFloatType::flFloat) << "--5" << "-5";
        QTest::newRow("one comma") << int(TFloatType::flFloat) << "1,2,3" << "1,23";
        QTest::newRow("no comma in an integer") << int(TFloatType::flInteger) << "1,5" << "15";
        QTest::newRow("point is not the comma") << int(TFloatType::flCurrency) << "1.5" << "15";
        QTest::newRow("blank swallowed") << int(TFloatType::flCurrency) << "1 000" << "1000";
    }

    void keyFilter()
    {
        QFETCH(int, type);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        TSFloatEdit edit;
        edit.FloatType = TFloatType(type);
        enter(&edit);
        edit.clear();
        QTest::keyClicks(&edit, keys);
        QCOMPARE(edit.text(), text);
    }

    void keypadDecimalGivesComma()
    {
        TSFloatEdit edit;
        enter(&edit);
        edit.clear();
        QTest::keyClicks(&edit, QStringLiteral("3"));
        QTest::keyClick(&edit, Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClicks(&edit, QStringLiteral("5"));
        QCOMPARE(edit.text(), QStringLiteral("3,5"));
    }

    void currencyEdit_data()
    {
        addLocales();
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("shown");
        for (const QLocale& l : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::Czech, QLocale::CzechRepublic)}) {
            const QByteArray n = l.name().toLatin1() + ": ";
            QTest::newRow(n + "amount") << l << "1234,5" << qint64(12345000) << "1 234,50";
            QTest::newRow(n + "negative") << l << "-0,75" << qint64(-7500) << "-0,75";
            QTest::newRow(n + "tie to even down") << l << "0,125" << qint64(1200) << "0,12";
            QTest::newRow(n + "tie to even up") << l << "0,135" << qint64(1400) << "0,14";
            QTest::newRow(n + "millions") << l << "1234567,891" << qint64(12345678900) << "1 234 567,89";
        }
    }

    void currencyEdit()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, typed);
        QFETCH(qint64, units);
        QFETCH(QString, shown);
        QLocale::setDefault(locale);
        TSCurrencyEdit edit;
        enter(&edit);
        edit.setText(typed);
        QCOMPARE(edit.Value().units(), units);
        leave(&edit);
        QCOMPARE(edit.text(), shown);
        QCOMPARE(edit.Value().units(), units);
    }

    void currencyEditKeepsAmountWhenCleared()
    {
        TSCurrencyEdit edit;
        edit.SetValue(Money::fromUnits(15000));
        QCOMPARE(edit.text(), QStringLiteral("1,50"));
        enter(&edit);
        QCOMPARE(edit.text(), QStringLiteral("1,50"));
        edit.clear();
        leave(&edit);
        QCOMPARE(edit.text(), QStringLiteral("1,50"));
        enter(&edit);
        QTest::keyClicks(&edit, QStringLiteral("-"));
        leave(&edit); // a lone minus is no number either
        QCOMPARE(edit.Value().units(), 15000);
        QCOMPARE(edit.alignment() & Qt::AlignRight, Qt::AlignRight);
    }

    void currencyEditIgnoresClipboardKeys()
    {
        TSCurrencyEdit edit;
        enter(&edit);
        edit.setText(QStringLiteral("12"));
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(edit.text(), QStringLiteral("12"));
    }

    void enterRunsFindAndNotTheDefaultButton()
    {
        QDialog w;
        auto* filter = new TSFloatEdit(&w);
        auto* ok = new QPushButton(QStringLiteral("OK"), &w);
        ok->setDefault(true);
        auto* layout = new QVBoxLayout(&w);
        layout->addWidget(filter);
        layout->addWidget(ok);
        QAction find;
        QSignalSpy searches(&find, &QAction::triggered);
        QSignalSpy clicked(ok, &QPushButton::clicked);
        w.show();
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(clicked.count(), 1); // without Act_Find Enter is the dialog's
        filter->Act_Find = &find;
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(searches.count(), 1);
        QCOMPARE(clicked.count(), 1);
        auto* text = new TSEdit(&w);
        QCOMPARE(text->maxLength(), 255);
        text->Act_Find = &find;
        QTest::keyClick(text, Qt::Key_Enter);
        QCOMPARE(searches.count(), 2);
        QCOMPARE(clicked.count(), 1);
    }

    void linkAddress_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("address");
        QTest::newRow("plain host") << "www.oddil.cz" << "http://www.oddil.cz";
        QTest::newRow("with scheme") << "HTTPS://oddil.cz/x" << "HTTPS://oddil.cz/x";
        QTest::newRow("mail") << "MailTo:info@oddil.cz" << "MailTo:info@oddil.cz";
        QTest::newRow("ftp") << "ftp://oddil.cz" << "ftp://oddil.cz";
    }

    void linkAddress()
    {
        QFETCH(QString, url);
        QFETCH(QString, address);
        QCOMPARE(TSLabel::LinkAddress(url), address);
    }

    void linkLabelOpensTheAddress()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
        TSLabel label;
        label.setText(QStringLiteral("Web oddílu"));
        label.URL = QStringLiteral("www.oddil.cz");
        label.resize(100, 20);
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(5, 5));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(catcher.urls, QList<QUrl>({QUrl(QStringLiteral("http://www.oddil.cz"))}));
        QEnterEvent in(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&label, &in);
        QVERIFY(label.font().underline());
        QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
        QEvent out(QEvent::Leave);
        QCoreApplication::sendEvent(&label, &out);
        QVERIFY(!label.font().underline());
    }

    void titleStrip()
    {
        TSTitle title;
        title.SetCaption(QStringLiteral("Členové oddílu"));
        QCOMPARE(title.height(), 39);
        title.resize(300, 39);
        title.SetImportant(true);
        const QImage shot = title.grab().toImage();
        QCOMPARE(shot.pixelColor(200, 5), QColor(Qt::white));
        bool red = false;
        for (int x = 11; x < 120 && !red; ++x)
            for (int y = 10; y < 30 && !red; ++y)
                red = shot.pixelColor(x, y).red() > 200 && shot.pixelColor(x, y).green() < 80;
        QVERIFY(red);
    }

    void inputBoxThroughTheSeam()
    {
        Dialogs::setNextInput(QStringLiteral("  Nová položka "));
        QCOMPARE(xInputBox(nullptr, QStringLiteral("Číselník"), QStringLiteral("Položka")), QStringLiteral("Nová položka"));
        Dialogs::setNextInput(std::nullopt); // "Storno"
        QVERIFY(!xInputBox(nullptr, QStringLiteral("Číselník"), QStringLiteral("Položka"), QStringLiteral("stará")));
        Dialogs::setNextInput(QStringLiteral("   "));
        QVERIFY(!xInputBox(nullptr, QStringLiteral("Číselník"), QStringLiteral("Položka")));
    }

    void inputBoxWindow()
    {
        TfrmInputBox box;
        box.Prepare(QStringLiteral("Zadejte jméno nové řady"), QStringLiteral("Jméno řady"), QStringLiteral("   "));
        auto* save = box.findChild<QPushButton*>(QStringLiteral("cmdUlozit"));
        auto* cancel = box.findChild<QPushButton*>(QStringLiteral("cmdZavrit"));
        auto* text = box.findChild<QLineEdit*>(QStringLiteral("txtValue"));
        QVERIFY(save && cancel && text);
        QCOMPARE(box.windowTitle(), QStringLiteral("Zadejte jméno nové řady"));
        QCOMPARE(box.findChild<TSTitle*>(QStringLiteral("lblTitle"))->Caption(), QStringLiteral("Zadejte jméno nové řady"));
        QCOMPARE(box.findChild<QLabel*>(QStringLiteral("lblValue"))->text(), QStringLiteral("Jméno řady:"));
        QCOMPARE(box.findChild<QTabWidget*>(QStringLiteral("tabValue"))->tabText(0), QStringLiteral("Jméno řady"));
        QCOMPARE(save->text(), QStringLiteral("Uložit"));
        QCOMPARE(cancel->text(), QStringLiteral("Storno"));
        QVERIFY(!save->isEnabled()); // blanks only
        text->setText(QStringLiteral("2027"));
        QVERIFY(save->isEnabled());
        text->clear();
        QVERIFY(!save->isEnabled());
        text->setText(QStringLiteral(" B "));
        QTimer::singleShot(0, save, &QPushButton::click);
        QCOMPARE(box.ShowModal(), int(mrOK));
        QCOMPARE(box.Text(), QStringLiteral("B"));
        QTimer::singleShot(0, cancel, &QPushButton::click);
        QCOMPARE(box.ShowModal(), int(mrCancel));
    }
};

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
