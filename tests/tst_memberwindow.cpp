#include "TestEnv.h"

#include "core/uDialogs.h"
#include "db/uDB_FB.h"
#include "db/uProjectDB.h"
#include "members/fClen.h"
#include "members/uMembersHost.h"
#include "reports/uPrint.h"
#include "ui/SComboBox.h"
#include "ui/SListViewDB.h"
#include "ui/SListViewVirtual.h"
#include "ui/STitle.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

QString QueryText(const QString& sql)
{
    auto q = xSQLOpen(sql, true);
    return q->Fetch() ? q->GetText(0) : QString();
}

void WriteImage(const QString& path, Qt::GlobalColor color)
{
    QImage image(40, 50, QImage::Format_RGB32);
    image.fill(color);
    QVERIFY(image.save(path));
}

} // namespace

class TestMemberWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectDB> project;
    QMap<QString, QVariant> settings;

    template <class T> static T* child(QWidget& w, const char* name)
    {
        auto* c = w.findChild<T*>(QString::fromLatin1(name));
        if (!c)
            qFatal("no control %s", name);
        return c;
    }
    static void edit(QWidget& w, const char* name, const QString& text) { child<QLineEdit>(w, name)->setText(text); }
    static QString text(QWidget& w, const char* name) { return child<QLineEdit>(w, name)->text(); }
    static QString label(QWidget& w, const char* name) { return child<QLabel>(w, name)->text(); }
    static void trigger(QWidget& w, const char* name) { child<QAction>(w, name)->trigger(); }
    static void leave(QWidget& w, const char* name)
    {
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(child<QLineEdit>(w, name), &out);
    }
    static void save(TfrmClen& w)
    {
        w.show();
        child<QPushButton>(w, "cmdUlozit")->click();
    }
    static void selectParent(TfrmClen& w, const QString& name)
    {
        auto* list = child<TSListViewVirtual>(w, "lstRod");
        for (int row = 0; row < list->Count(); ++row)
            if (list->Caption(row) == name)
                return list->SelectRow(row);
        QFAIL(qPrintable(QStringLiteral("no parent ") + name));
    }
    static QStringList parents(TfrmClen& w)
    {
        auto* list = child<TSListViewVirtual>(w, "lstRod");
        QStringList names;
        for (int row = 0; row < list->Count(); ++row)
            names << list->Caption(row);
        return names;
    }
    static void addParent(TfrmClen& w, const QString& name, const QString& phone, int kind, bool primary)
    {
        Dialogs::setNextInput(name);
        trigger(w, "actRodicNovy");
        selectParent(w, name);
        edit(w, "txtRod_Telefon", phone);
        edit(w, "txtRod_Mail", QStringLiteral("rodic@example.cz"));
        edit(w, "txtRod_Poznamka", QStringLiteral("vyzvedává ve středu"));
        QVERIFY(child<TSComboBox>(w, "cmbRodTyp")->SelectID(kind));
        child<QCheckBox>(w, "chkRodPrimarni")->setChecked(primary);
        trigger(w, "actRodicUlozit");
    }
    QString storedParents(int id) const
    {
        QStringList rows;
        auto q = xSQLOpen(QStringLiteral("select DisplayName, Telefon, ID_Rodic_Typ, Primarni from CL_RODIC where ID_Clen=") + QString::number(id)
                              + QStringLiteral(" order by DisplayName"),
                          true);
        while (q->Fetch())
            rows << q->GetText(0) + QLatin1Char('|') + q->GetText(1) + QLatin1Char('|') + q->GetText(2) + QLatin1Char('|') + q->GetText(3);
        return rows.join(QLatin1Char(';'));
    }

    // A person with every part filled, stored through the window; returns the ID.
    int saveFullPerson()
    {
        TfrmClen w;
        w.Prepare(0);
        edit(w, "txtPrijmeni", QStringLiteral("O'Brien Žluťoučký"));
        edit(w, "txtJmeno", QStringLiteral("Čeněk"));
        edit(w, "txtPrezdivka", QStringLiteral("Ďábel 'Q'"));
        edit(w, "txtRC1", QStringLiteral("850315"));
        edit(w, "txtRC2", QStringLiteral("0007"));
        leave(w, "txtRC2");
        child<QCheckBox>(w, "chkPlavec")->setChecked(true);
        edit(w, "txtPrukazKCT", QStringLiteral("1234"));
        edit(w, "txtBydlUlice", QStringLiteral("Křižíkova"));
        edit(w, "txtBydlCP", QStringLiteral("12a"));
        edit(w, "txtBydlPSC", QStringLiteral("186 00"));
        edit(w, "txtBydlMesto", QStringLiteral("Praha 8"));
        child<QCheckBox>(w, "chkAdresaRuzna")->setChecked(true);
        edit(w, "txtTrvUlice", QStringLiteral("Náměstí Míru"));
        edit(w, "txtTrvCP", QStringLiteral("1"));
        edit(w, "txtTrvPSC", QStringLiteral("591 01"));
        edit(w, "txtTrvMesto", QStringLiteral("Žďár nad Sázavou"));
        edit(w, "txtTelefon", QStringLiteral("+420 222 333 444"));
        edit(w, "txtTelefon2", QStringLiteral("222 333 445"));
        edit(w, "txtMobil", QStringLiteral("777 888 999"));
        edit(w, "txtMail", QStringLiteral("cenek@example.cz"));
        for (int i = 1; i <= 5; ++i)
            child<QLineEdit>(w, qPrintable(QStringLiteral("txtC0%1").arg(i)))->setText(QStringLiteral("hodnota '%1' č.").arg(i));
        child<QPlainTextEdit>(w, "rtePoznamka")->setPlainText(QStringLiteral("Poznámka s 'apostrofy'\na druhým řádkem"));
        addParent(w, QStringLiteral("Jana O'Brien"), QStringLiteral("601 111 222"), 2, true);
        addParent(w, QStringLiteral("Petr Šťastný"), QStringLiteral("602 333 444"), 1, false);
        save(w);
        [&] { QCOMPARE(w.result(), int(mrOK)); }();
        return w.ID;
    }

    // The person's events as the events module will give them: `count` rows.
    static void fakeEvents(int count)
    {
        xSQLOpen(QStringLiteral("CREATE OR ALTER PROCEDURE AK_Akce_CLEN (Clen_ID INTEGER, Od DATE, Do_ DATE, Misto_Akce VARCHAR(100)) "
                                "RETURNS (ID INTEGER, DisplayName VARCHAR(100), Misto VARCHAR(100), Datum_Od DATE) AS "
                                "DECLARE VARIABLE i INTEGER = 0; "
                                "BEGIN WHILE (i < %1) DO BEGIN i = i + 1; ID = 100 + i; DisplayName = 'Tábor ' || i; "
                                "Misto = 'Sázava'; Datum_Od = DATEADD(i DAY TO DATE '2026-07-01'); SUSPEND; END END")
                     .arg(count),
                 false);
    }

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<TestEnv>();
        project = env->openProject();
        settings = {{QStringLiteral("CL_Fotka"), 1}, {QStringLiteral("OD_EvidovatKCT"), 1}};
        MembersHost::Setting = [this](const QString& key) { return settings.value(key, QString()); };
        QDir().mkpath(env->dataDir() + QStringLiteral("fotky"));
        WriteImage(env->dataDir() + QStringLiteral("fotky/unknown.jpg"), Qt::gray);
        Dialogs::takeShown();
    }

    void cleanup()
    {
        MembersHost::Setting = {};
        project.reset();
        env.reset();
    }

    void savedPersonReadsBackEqual()
    {
        const int id = saveFullPerson();
        QVERIFY(id > 0);
        TfrmClen w;
        w.Prepare(id);
        QCOMPARE(text(w, "txtPrijmeni"), QStringLiteral("O'Brien Žluťoučký"));
        QCOMPARE(text(w, "txtJmeno"), QStringLiteral("Čeněk"));
        QCOMPARE(text(w, "txtPrezdivka"), QStringLiteral("Ďábel 'Q'"));
        QCOMPARE(text(w, "txtRC1") + QLatin1Char('/') + text(w, "txtRC2"), QStringLiteral("850315/0007"));
        QCOMPARE(label(w, "lblPohlavi"), QStringLiteral("mužské"));
        QCOMPARE(label(w, "lblDatumNarozeni"), QStringLiteral("15.03.1985"));
        QVERIFY(child<QCheckBox>(w, "chkClen")->isChecked());
        QVERIFY(child<QCheckBox>(w, "chkPlavec")->isChecked());
        QCOMPARE(child<TSComboBox>(w, "cmbKategorie")->SelectedID().toString(), QStringLiteral("vedouci"));
        QCOMPARE(text(w, "txtPrukazKCT"), QStringLiteral("1234"));
        QCOMPARE(text(w, "txtBydlUlice"), QStringLiteral("Křižíkova"));
        QCOMPARE(text(w, "txtBydlCP"), QStringLiteral("12a"));
        QCOMPARE(text(w, "txtBydlPSC"), QStringLiteral("186 00"));
        QCOMPARE(text(w, "txtBydlMesto"), QStringLiteral("Praha 8"));
        QVERIFY(child<QCheckBox>(w, "chkAdresaRuzna")->isChecked());
        QCOMPARE(text(w, "txtTrvUlice"), QStringLiteral("Náměstí Míru"));
        QCOMPARE(text(w, "txtTrvMesto"), QStringLiteral("Žďár nad Sázavou"));
        QCOMPARE(text(w, "txtTrvPSC"), QStringLiteral("591 01"));
        QCOMPARE(text(w, "txtTelefon"), QStringLiteral("+420 222 333 444"));
        QCOMPARE(text(w, "txtTelefon2"), QStringLiteral("222 333 445"));
        QCOMPARE(text(w, "txtMobil"), QStringLiteral("777 888 999"));
        QCOMPARE(text(w, "txtMail"), QStringLiteral("cenek@example.cz"));
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(child<QLineEdit>(w, qPrintable(QStringLiteral("txtC0%1").arg(i)))->text(), QStringLiteral("hodnota '%1' č.").arg(i));
        QCOMPARE(child<QPlainTextEdit>(w, "rtePoznamka")->toPlainText(), QStringLiteral("Poznámka s 'apostrofy'\na druhým řádkem"));
        QCOMPARE(parents(w).size(), 2);
        QCOMPARE(storedParents(id), QStringLiteral("Jana O'Brien|601 111 222|2|1;Petr Šťastný|602 333 444|1|0"));
        selectParent(w, QStringLiteral("Jana O'Brien"));
        QCOMPARE(text(w, "txtRod_Mail"), QStringLiteral("rodic@example.cz"));
        QCOMPARE(text(w, "txtRod_Poznamka"), QStringLiteral("vyzvedává ve středu"));
        QCOMPARE(child<TSComboBox>(w, "cmbRodTyp")->currentText(), QStringLiteral("matka"));
        QVERIFY(child<QCheckBox>(w, "chkRodPrimarni")->isChecked());
    }

    void birthNumber_data()
    {
        QTest::addColumn<QString>("rc1");
        QTest::addColumn<QString>("rc2");
        QTest::addColumn<QString>("startCategory");
        QTest::addColumn<QString>("paddedRc1");
        QTest::addColumn<bool>("mark");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QString>("born");
        QTest::addColumn<QString>("category");
        const QString any;
        QTest::newRow("padded, date 1.1.") << "0101" << "" << any << "000101" << false << any << any << any;
        QTest::newRow("man, 41") << "850315" << "0007" << any << "850315" << false << "mužské" << "15.03.1985" << "vedouci";
        QTest::newRow("check fails") << "850315" << "0001" << any << "850315" << true << "mužské" << "15.03.1985" << "vedouci";
        QTest::newRow("woman +50, 11") << "155601" << "0005" << any << "155601" << false << "ženské" << "01.06.2015" << "zactvo";
        QTest::newRow("woman +70") << "157601" << "0007" << any << "157601" << false << "ženské" << "01.06.2015" << "zactvo";
        QTest::newRow("man +20") << "152601" << "0002" << any << "152601" << false << "mužské" << "01.06.2015" << "zactvo";
        QTest::newRow("14") << "120601" << "0003" << any << "120601" << false << "mužské" << "01.06.2012" << "zactvo";
        QTest::newRow("15") << "110101" << "0009" << any << "110101" << false << "mužské" << "01.01.2011" << "dorost";
        QTest::newRow("25, 26 this year") << "001231" << "0001" << any << "001231" << false << "mužské" << "31.12.2000" << "juniori";
        QTest::newRow("26") << "000101" << "0009" << any << "000101" << false << "mužské" << "01.01.2000" << "vedouci";
        QTest::newRow("nine digits") << "400101" << "123" << any << "400101" << false << "mužské" << "01.01.1940" << "vedouci";
        QTest::newRow("remainder 10") << "700101" << "0050" << any << "700101" << false << "mužské" << "01.01.1970" << "vedouci";
        QTest::newRow("leader stays leader") << "150601" << "0000" << "vedouci" << "150601" << false << "mužské" << "01.06.2015" << "vedouci";
        QTest::newRow("other stays other") << "150601" << "0000" << "ostatni" << "150601" << false << "mužské" << "01.06.2015" << "ostatni";
    }

    void birthNumber()
    {
        QFETCH(QString, rc1);
        QFETCH(QString, rc2);
        QFETCH(QString, startCategory);
        TfrmClen w;
        w.Prepare(0);
        QVERIFY(child<QLabel>(w, "lblModCheck")->isHidden());
        if (!startCategory.isEmpty())
            child<TSComboBox>(w, "cmbKategorie")->SelectID(startCategory);
        edit(w, "txtRC1", rc1);
        edit(w, "txtRC2", rc2);
        leave(w, "txtRC2");
        QTEST(text(w, "txtRC1"), "paddedRc1");
        QTEST(!child<QLabel>(w, "lblModCheck")->isHidden(), "mark");
        QFETCH(QString, sex);
        if (sex.isEmpty())
            return;
        QCOMPARE(label(w, "lblPohlavi"), sex);
        QTEST(label(w, "lblDatumNarozeni"), "born");
        QTEST(child<TSComboBox>(w, "cmbKategorie")->SelectedID().toString(), "category");
        // Every such number can be stored, and it keeps its sex and date.
        edit(w, "txtPrijmeni", QStringLiteral("Rodné"));
        save(w);
        QCOMPARE(w.result(), int(mrOK));
        TfrmClen again;
        again.Prepare(w.ID);
        QCOMPARE(label(again, "lblPohlavi"), sex);
        QTEST(label(again, "lblDatumNarozeni"), "born");
    }

    void invalidBirthDateIsRefused_data()
    {
        QTest::addColumn<QString>("rc1");
        QTest::newRow("month 45") << "854515";
        QTest::newRow("31 April") << "850431";
        QTest::newRow("too short") << "8503";
        QTest::newRow("empty") << "";
    }

    void invalidBirthDateIsRefused()
    {
        QFETCH(QString, rc1);
        TfrmClen w;
        w.Prepare(0);
        edit(w, "txtPrijmeni", QStringLiteral("Neplatný"));
        edit(w, "txtRC1", rc1);
        child<QTabWidget>(w, "tabMain")->setCurrentIndex(2);
        save(w);
        QVERIFY(w.isVisible());
        QCOMPARE(w.result(), 0);
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Rodné číslo je neplatné"));
        QCOMPARE(child<QTabWidget>(w, "tabMain")->currentWidget()->objectName(), QStringLiteral("tabOsobni"));
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from CL_CLEN")), 0);
    }

    void tooLongNoteIsRefused()
    {
        TfrmClen w;
        w.Prepare(0);
        edit(w, "txtPrijmeni", QStringLiteral("Upovídaný"));
        edit(w, "txtRC1", QStringLiteral("850315"));
        child<QPlainTextEdit>(w, "rtePoznamka")->setPlainText(QString(10000, QLatin1Char('x')));
        save(w);
        QCOMPARE(w.result(), 0);
        QCOMPARE(Dialogs::takeShown().at(0).text, QStringLiteral("Poznámka může mít nejvýše 9999 znaků."));
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from CL_CLEN")), 0);
        child<QPlainTextEdit>(w, "rtePoznamka")->setPlainText(QString(9999, QLatin1Char('x')));
        save(w);
        QCOMPARE(w.result(), int(mrOK));
    }

    void nonMemberStoresNoCategory()
    {
        TfrmClen w;
        w.Prepare(0);
        edit(w, "txtPrijmeni", QStringLiteral("Host"));
        edit(w, "txtRC1", QStringLiteral("850315"));
        edit(w, "txtRC2", QStringLiteral("0007"));
        child<QCheckBox>(w, "chkClen")->setChecked(false);
        QCOMPARE(child<TSComboBox>(w, "cmbKategorie")->SelectedID().toString(), QStringLiteral("ostatni"));
        QVERIFY(!child<TSComboBox>(w, "cmbKategorie")->isEnabled());
        save(w);
        QCOMPARE(w.result(), int(mrOK));
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from CL_CLEN where ID_Kategorie is null and Clen=0 and ID=") + QString::number(w.ID)), 1);
    }

    void parentsReachTheDatabaseOnlyAtSave()
    {
        const int id = saveFullPerson();
        const QString before = storedParents(id);
        const QString surname = QueryText(QStringLiteral("select Prijmeni from CL_CLEN where ID=") + QString::number(id));
        const auto edits = [&](TfrmClen& w) {
            w.Prepare(id);
            Dialogs::setNextInput(QStringLiteral("  "));
            trigger(w, "actRodicNovy"); // no name, no parent
            addParent(w, QStringLiteral("Nový Rodič"), QStringLiteral("1"), 3, false);
            addParent(w, QStringLiteral("Hned Smazaný"), QStringLiteral("2"), 1, false);
            Dialogs::setNextAnswer(TMsgResult::Yes);
            selectParent(w, QStringLiteral("Hned Smazaný"));
            trigger(w, "actRodicSmazat");
            Dialogs::setNextAnswer(TMsgResult::Yes);
            selectParent(w, QStringLiteral("Petr Šťastný"));
            trigger(w, "actRodicSmazat");
            selectParent(w, QStringLiteral("Jana O'Brien"));
            edit(w, "txtRod_Telefon", QStringLiteral("600 000 000"));
            trigger(w, "actRodicUlozit");
            edit(w, "txtPrijmeni", QStringLiteral("Změněný"));
            QCOMPARE(parents(w), QStringList({QStringLiteral("Jana O'Brien"), QStringLiteral("Nový Rodič")}));
            QCOMPARE(storedParents(id), before);
        };
        {
            TfrmClen w;
            edits(w);
            w.show();
            child<QPushButton>(w, "cmdZavrit")->click();
            QCOMPARE(w.result(), int(mrCancel));
        }
        QCOMPARE(storedParents(id), before);
        QCOMPARE(QueryText(QStringLiteral("select Prijmeni from CL_CLEN where ID=") + QString::number(id)), surname);
        const QString shown = Dialogs::takeShown().at(0).text;
        QCOMPARE(shown, QStringLiteral("Opravdu chcete smazat kontakt \"Hned Smazaný\" ?"));

        TfrmClen w;
        edits(w);
        save(w);
        QCOMPARE(w.result(), int(mrOK));
        QCOMPARE(storedParents(id), QStringLiteral("Jana O'Brien|600 000 000|2|1;Nový Rodič|1|3|0"));
        // A second save deletes nothing twice and adds nothing twice.
        TfrmClen again;
        again.Prepare(id);
        save(again);
        QCOMPARE(storedParents(id), QStringLiteral("Jana O'Brien|600 000 000|2|1;Nový Rodič|1|3|0"));
    }

    void deletedParentKindKeepsItsValue()
    {
        const int id = saveFullPerson();
        xSQLOpen(QStringLiteral("update CL_RODIC_TYP set Aktivni=0 where ID=2"), false);
        TfrmClen w;
        w.Prepare(id);
        selectParent(w, QStringLiteral("Jana O'Brien"));
        QCOMPARE(child<TSComboBox>(w, "cmbRodTyp")->currentText(), QStringLiteral("matka"));
        trigger(w, "actRodicUlozit");
        // The deleted kind is no choice for another parent.
        selectParent(w, QStringLiteral("Petr Šťastný"));
        QVERIFY(!child<TSComboBox>(w, "cmbRodTyp")->SelectID(2));
        save(w);
        QCOMPARE(storedParents(id), QStringLiteral("Jana O'Brien|601 111 222|2|1;Petr Šťastný|602 333 444|1|0"));
    }

    void photos()
    {
        const QString photoDir = env->dataDir() + QStringLiteral("fotky/");
        const QString outside = env->programDir() + QStringLiteral("venku/");
        QDir().mkpath(outside);
        WriteImage(photoDir + QStringLiteral("foto.jpg"), Qt::red); // another person's photo
        WriteImage(outside + QStringLiteral("foto.jpg"), Qt::blue);
        WriteImage(outside + QStringLiteral("unknown.jpg"), Qt::green);
        const QByteArray others = ReadBytes(photoDir + QStringLiteral("foto.jpg"));
        const QByteArray unknown = ReadBytes(photoDir + QStringLiteral("unknown.jpg"));

        TfrmClen w;
        w.Prepare(0);
        QCOMPARE(w.Fotka(), QString());
        const auto choose = [&w](const QString& file) {
            Dialogs::setNextFileName(file);
            child<QPushButton>(w, "cmdFotografie")->click();
            return w.Fotka();
        };
        QCOMPARE(choose(outside + QStringLiteral("foto.jpg")), QStringLiteral("foto_2.jpg"));
        QCOMPARE(ReadBytes(photoDir + QStringLiteral("foto.jpg")), others);
        QCOMPARE(ReadBytes(photoDir + QStringLiteral("foto_2.jpg")), ReadBytes(outside + QStringLiteral("foto.jpg")));
        QCOMPARE(choose(outside + QStringLiteral("foto.jpg")), QStringLiteral("foto_2.jpg")); // the same picture again
        QCOMPARE(choose(outside + QStringLiteral("unknown.jpg")), QStringLiteral("unknown_2.jpg"));
        QCOMPARE(ReadBytes(photoDir + QStringLiteral("unknown.jpg")), unknown);
        QCOMPARE(choose(photoDir + QStringLiteral("foto.jpg")), QStringLiteral("foto.jpg")); // from the folder: used as it is
        QVERIFY(!child<QLabel>(w, "imgFotka")->pixmap().isNull());

        // A photo whose file is gone: the default picture is shown, the name stays.
        WriteImage(photoDir + QStringLiteral("ztracena.jpg"), Qt::yellow);
        QCOMPARE(choose(photoDir + QStringLiteral("ztracena.jpg")), QStringLiteral("ztracena.jpg"));
        edit(w, "txtPrijmeni", QStringLiteral("Fotogenický"));
        edit(w, "txtRC1", QStringLiteral("850315"));
        save(w);
        QVERIFY(QFile::remove(photoDir + QStringLiteral("ztracena.jpg")));
        TfrmClen again;
        again.Prepare(w.ID);
        QCOMPARE(again.Fotka(), QStringLiteral("ztracena.jpg"));
        QVERIFY(!child<QLabel>(again, "imgFotka")->pixmap().isNull());
        save(again);
        QCOMPARE(QueryText(QStringLiteral("select Fotka from CL_CLEN where ID=") + QString::number(w.ID)), QStringLiteral("ztracena.jpg"));
        // A chosen file that is gone changes nothing.
        TfrmClen third;
        third.Prepare(w.ID);
        Dialogs::takeShown();
        Dialogs::setNextFileName(photoDir + QStringLiteral("neni.jpg"));
        child<QPushButton>(third, "cmdFotografie")->click();
        QCOMPARE(third.Fotka(), QStringLiteral("ztracena.jpg"));
        QCOMPARE(Dialogs::takeShown().size(), 1);
    }

    // Every page renders with and without the photo panel; with
    // ZUNO_SCREENSHOTS set to a folder the pictures are kept there to look at.
    void pagesRender_data()
    {
        QTest::addColumn<int>("photo");
        QTest::newRow("with photo") << 1;
        QTest::newRow("without photo") << 0;
    }

    void pagesRender()
    {
        QFETCH(int, photo);
        settings[QStringLiteral("CL_Fotka")] = photo;
        // The picture the program ships stands for a person without a photo.
        const QString shipped = env->dataDir() + QStringLiteral("fotky/unknown.jpg");
        QFile::remove(shipped);
        QVERIFY(QFile::copy(QStringLiteral(ZUNO_DEFAULT_PHOTO), shipped));
        const int id = saveFullPerson();
        TfrmClen w;
        w.Prepare(id);
        w.show();
        QCOMPARE(child<QWidget>(w, "panFotka")->isVisible(), photo == 1);
        QVERIFY(!child<QLabel>(w, "imgFotka")->pixmap().isNull());
        QVERIFY(photo ? w.width() >= 747 : w.width() < 500); // the narrow window without the panel
        const QString folder = qEnvironmentVariable("ZUNO_SCREENSHOTS");
        auto* tabs = child<QTabWidget>(w, "tabMain");
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            if (tabs->widget(i)->objectName() == QStringLiteral("tabRodice"))
                selectParent(w, QStringLiteral("Jana O'Brien"));
            const QPixmap shot = w.grab();
            QVERIFY(!shot.isNull());
            if (!folder.isEmpty())
                QVERIFY(shot.save(folder + QStringLiteral("/clen_%1_%2.png").arg(photo ? QStringLiteral("foto") : QStringLiteral("bez"),
                                                                                   tabs->widget(i)->objectName())));
        }
        w.reject();
        TfrmClen fresh;
        fresh.Prepare(0);
        fresh.show();
        const QPixmap shot = fresh.grab();
        QVERIFY(!shot.isNull());
        if (!folder.isEmpty())
            QVERIFY(shot.save(folder + QStringLiteral("/clen_%1_novy.png").arg(photo ? QStringLiteral("foto") : QStringLiteral("bez"))));
        fresh.reject();
    }

    void printsTheCardOfTheStoredPerson()
    {
        const int id = saveFullPerson();
        QString group;
        QStringList names;
        SetPrintHandler([&](QWidget* owner, TReportDataList dataSets, const QString& reportName) {
            group = reportName.isEmpty() ? owner->objectName() : reportName;
            for (const auto& set : dataSets)
                names << set->Name();
            return int(mrOK);
        });
        TfrmClen w;
        w.Prepare(id);
        edit(w, "txtPrezdivka", QStringLiteral("Tištěný"));
        w.show();
        child<QPushButton>(w, "cmdTisk")->click();
        SetPrintHandler({});
        QCOMPARE(group, QStringLiteral("frmClen"));
        QCOMPARE(names, QStringList({QStringLiteral("dsClenove"), QStringLiteral("dsAkce"), QStringLiteral("dsVlastnosti"), QStringLiteral("dsRodice"),
                                    QStringLiteral("dsSloupce"), QStringLiteral("dsFotka")}));
        // What is printed is what is stored.
        QCOMPARE(QueryText(QStringLiteral("select Prezdivka from CL_CLEN where ID=") + QString::number(id)), QStringLiteral("Tištěný"));
    }

    void typingAndLeavingFields()
    {
        TfrmClen w;
        w.Prepare(0);
        w.show();
        QApplication::setActiveWindow(&w);
        auto* rc1 = child<QLineEdit>(w, "txtRC1");
        auto* rc2 = child<QLineEdit>(w, "txtRC2");
        rc1->setFocus();
        QTest::keyClicks(rc1, QStringLiteral("85a03-15"));
        QCOMPARE(rc1->text(), QStringLiteral("850315"));
        QVERIFY(rc2->hasFocus()); // the sixth digit moves on to the suffix
        QTest::keyClicks(rc2, QStringLiteral("0001"));
        QVERIFY(!child<QLabel>(w, "lblModCheck")->isHidden());
        QCOMPARE(rc2->toolTip(), QStringLiteral("Zadané RČ nevyhovuje kontrole modulo 11."));
        QTest::keyClick(rc2, Qt::Key_Backspace);
        QTest::keyClicks(rc2, QStringLiteral("7"));
        QVERIFY(child<QLabel>(w, "lblModCheck")->isHidden());
        QVERIFY(rc2->toolTip().isEmpty());

        // A whole number pasted into the first part fills both.
        rc1->clear();
        rc2->clear();
        rc1->setFocus();
        QGuiApplication::clipboard()->setText(QStringLiteral(" 155601/0005"));
        QTest::keySequence(rc1, QKeySequence::Paste);
        QCOMPARE(rc1->text() + QLatin1Char('|') + rc2->text(), QStringLiteral("155601|0005"));

        edit(w, "txtPrijmeni", QStringLiteral("Nováková"));
        edit(w, "txtJmeno", QStringLiteral("Eva"));
        leave(w, "txtJmeno");
        QCOMPARE(child<TSTitle>(w, "lblNazev")->Caption(), QStringLiteral("Nováková Eva"));
        edit(w, "txtPrezdivka", QStringLiteral("Evička"));
        leave(w, "txtPrezdivka");
        QCOMPARE(child<TSTitle>(w, "lblNazev")->Caption(), QStringLiteral("Nováková Eva - Evička"));

        // The permanent address follows the residence unless it differs.
        edit(w, "txtBydlMesto", QStringLiteral("Brno"));
        child<QCheckBox>(w, "chkAdresaRuzna")->setChecked(true);
        QVERIFY(child<QLineEdit>(w, "txtTrvMesto")->isEnabled());
        edit(w, "txtTrvMesto", QStringLiteral("Jihlava"));
        child<QCheckBox>(w, "chkAdresaRuzna")->setChecked(false);
        QCOMPARE(text(w, "txtTrvMesto"), QStringLiteral("Brno"));
        QVERIFY(!child<QLineEdit>(w, "txtTrvMesto")->isEnabled());
        w.reject();
    }

    void clubNumberFollowsTheSetting_data()
    {
        QTest::addColumn<int>("kct");
        QTest::addColumn<QString>("caption");
        QTest::newRow("tourist club data") << 1 << "Číslo člena KČT:";
        QTest::newRow("none") << 0 << "Číslo člena:";
    }

    void clubNumberFollowsTheSetting()
    {
        QFETCH(int, kct);
        settings[QStringLiteral("OD_EvidovatKCT")] = kct;
        TfrmClen w;
        w.Prepare(0);
        QTEST(label(w, "lblCislo"), "caption");
        QCOMPARE(!child<QCheckBox>(w, "chkEurobeds")->isHidden(), kct == 1);
        QCOMPARE(!child<QLabel>(w, "lblOdbor")->isHidden(), kct == 1);
    }

    void openingAnEventRefreshesOnlyTheEvents()
    {
        const int id = saveFullPerson();
        fakeEvents(1);
        TfrmClen w;
        w.Prepare(id);
        w.show();
        auto* list = child<TSListViewDB>(w, "lstAkce");
        QCOMPARE(list->Count(), 1);
        QCOMPARE(list->Caption(0), QStringLiteral("Tábor 1"));
        edit(w, "txtPrijmeni", QStringLiteral("Neuložený"));
        qint64 opened = 0;
        MembersHost::OpenEvent = [&](QWidget*, qint64 eventId) {
            opened = eventId;
            fakeEvents(2); // the person was added to another event meanwhile
        };
        child<QTabWidget>(w, "tabMain")->setCurrentWidget(child<QWidget>(w, "tabAkce"));
        Q_EMIT list->DblSelectItem(0);
        MembersHost::OpenEvent = {};
        QCOMPARE(opened, qint64(101));
        QCOMPARE(list->Count(), 2);
        QCOMPARE(text(w, "txtPrijmeni"), QStringLiteral("Neuložený"));
        w.reject();
    }

    void deleteKeyRemovesTheSelectedParent()
    {
        const int id = saveFullPerson();
        TfrmClen w;
        w.Prepare(id);
        selectParent(w, QStringLiteral("Petr Šťastný"));
        Dialogs::setNextAnswer(TMsgResult::No);
        QTest::keyClick(child<TSListViewVirtual>(w, "lstRod"), Qt::Key_Delete);
        QCOMPARE(parents(w).size(), 2);
        selectParent(w, QStringLiteral("Petr Šťastný"));
        Dialogs::setNextAnswer(TMsgResult::Yes);
        QTest::keyClick(child<TSListViewVirtual>(w, "lstRod"), Qt::Key_Delete);
        QCOMPARE(parents(w), QStringList({QStringLiteral("Jana O'Brien")}));
        save(w);
        QCOMPARE(storedParents(id), QStringLiteral("Jana O'Brien|601 111 222|2|1"));
    }
};

QTEST_MAIN(TestMemberWindow)
#include "tst_memberwindow.moc"
