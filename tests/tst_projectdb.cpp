#include <QTest>
class Tstprojectdb : public QObject { Q_OBJECT private Q_SLOTS: void nothing() {} };
QTEST_MAIN(Tstprojectdb)
#include "tst_projectdb.moc"
