#include "TestEnv.h"

#include "core/uDialogs.h"
#include "db/uDB_FB.h"
#include "db/uProjectDB.h"
#include "members/fClenove.h"
#include "ui/SFloatEdit.h"
#include "ui/SListViewDB.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

namespace {

// Stores a person as the member window does; returns the new ID.
qint64 addPerson(const QString& surname, const QString& name, const QString& rc, bool member)
{
    auto q = xProcCall(QStringLiteral("cl_clen_new"),
                       {surname, name, QString(), rc, QString(), DateToSQL(QDate(2020, 1, 1)), 0, QString(),
                        member ? QVariant(QStringLiteral("juniori")) : Null, member ? 1 : 0, 0, QString(), QString(), QString(),
                        QString(), QString(), QString()},
                       {}, true);
    q->Fetch();
    return q->GetInteger(QStringLiteral("ID_Clen"));
}

QStringList names(const TfrmClenove& window)
{
    QStringList out;
    for (int row = 0; row < window.List()->Count(); ++row)
        out << window.List()->Caption(row);
    return out;
}

} // namespace

class TestMemberList : public QObject
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
        addPerson(QStringLiteral("Horák"), QStringLiteral("Jan"), QStringLiteral("855212/0005"), true);
        addPerson(QStringLiteral("Chalupa"), QStringLiteral("Petr"), QStringLiteral("900101/0007"), true);
        addPerson(QStringLiteral("Cibulka"), QStringLiteral("Ota"), QStringLiteral("150505/0008"), false);
        addPerson(QStringLiteral("O'Neil"), QStringLiteral("Šárka"), QStringLiteral("900101/0007"), true);
    }

    void cleanup()
    {
        project.reset();
        env.reset();
    }

    void filtersAndCzechOrder()
    {
        TfrmClenove window;
        window.Open();
        // Members only at first, in Czech order: Ch after H.
        QCOMPARE(names(window), QStringList({QStringLiteral("Horák Jan"), QStringLiteral("Chalupa Petr"), QStringLiteral("O'Neil Šárka")}));
        QCOMPARE(window.StatusBar()->findChild<QLabel*>()->text(), QStringLiteral("Počet zobrazených osob: 3"));

        window.findChild<QRadioButton*>(QStringLiteral("radNeclen"))->click();
        QCOMPARE(names(window), QStringList{QStringLiteral("Cibulka Ota")});
        window.findChild<QRadioButton*>(QStringLiteral("radVse"))->click();
        QCOMPARE(window.List()->Count(), 4);

        // Text with an apostrophe, then an age range that only the child falls into.
        window.findChild<QLineEdit*>(QStringLiteral("txtText"))->setText(QStringLiteral("O'Ne"));
        window.actVyhledat->trigger();
        QCOMPARE(names(window), QStringList{QStringLiteral("O'Neil Šárka")});
        window.findChild<QLineEdit*>(QStringLiteral("txtText"))->clear();
        window.findChild<TSFloatEdit*>(QStringLiteral("txtVekDo"))->SetValue(18);
        window.actVyhledat->trigger();
        QCOMPARE(names(window), QStringList{QStringLiteral("Cibulka Ota")});

        // The default filter: members, all ages, no text.
        window.actVychoziFiltr->trigger();
        QCOMPARE(window.List()->Count(), 3);
        QVERIFY(window.findChild<QRadioButton*>(QStringLiteral("radClen"))->isChecked());
    }

    void sortAndDelete()
    {
        TfrmClenove window;
        window.Open();
        QVERIFY(window.List()->CurrentSQL.contains(QStringLiteral("order by DisplayName COLLATE PXW_CSY")));
        QVERIFY(window.List()->SelectID(window.List()->ID(1)));
        const QString caption = window.List()->Caption(1);
        Dialogs::setNextAnswer(TMsgResult::Yes);
        window.actSmazat->trigger();
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Opravdu chcete smazat člena: \"") + caption + QStringLiteral("\" ?"));
        QCOMPARE(window.List()->Count(), 2);
        QVERIFY(!names(window).contains(caption));
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from CL_CLEN")), 3);
    }
};

QTEST_MAIN(TestMemberList)
#include "tst_memberlist.moc"
