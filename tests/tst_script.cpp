#include <QTest>
class Tstscript : public QObject { Q_OBJECT private Q_SLOTS: void nothing() {} };
QTEST_MAIN(Tstscript)
#include "tst_script.moc"
