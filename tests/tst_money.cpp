#include "core/Money.h"
#include "core/uSystem.h"

#include <QLocale>
#include <QTest>

class TestMoney : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Whatever the system says, amounts keep the one Czech form.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qlonglong>("units");
        QTest::newRow("czech") << "1 234,50" << true << 12345000LL;
        QTest::newRow("no-break blanks") << QStringLiteral("1\u00A0234\u00A0567,8912") << true << 12345678912LL;
        QTest::newRow("point") << "1234.5" << true << 12345000LL;
        QTest::newRow("negative") << "-12" << true << -120000LL;
        QTest::newRow("plus and currency") << QStringLiteral("+3,1 Kč") << true << 31000LL;
        QTest::newRow("fifth decimal rounds up") << "0,00005" << true << 1LL;
        QTest::newRow("fifth decimal rounds down") << "0,00004" << true << 0LL;
        QTest::newRow("only decimals") << ",5" << true << 5000LL;
        QTest::newRow("empty") << "" << false << 0LL;
        QTest::newRow("letters") << "12a" << false << 0LL;
        QTest::newRow("two separators") << "1,2,3" << false << 0LL;
        QTest::newRow("blank in decimals") << "1,2 3" << false << 0LL;
        QTest::newRow("too large") << "123456789012345" << false << 0LL;
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qlonglong, units);
        const auto m = Money::parse(text);
        QCOMPARE(m.has_value(), valid);
        if (valid)
            QCOMPARE(m->units(), units);
    }

    void text_data()
    {
        QTest::addColumn<qlonglong>("units");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sql");
        QTest::newRow("zero") << 0LL << "0,00" << "0";
        QTest::newRow("thousands") << 12345000LL << "1 234,50" << "1234.5";
        QTest::newRow("millions") << 10000000000LL << "1 000 000,00" << "1000000";
        QTest::newRow("negative rounds away") << -1234567LL << "-123,46" << "-123.4567";
        QTest::newRow("half up") << 50LL << "0,01" << "0.005";
        QTest::newRow("half down negative") << -50LL << "-0,01" << "-0.005";
        QTest::newRow("smallest") << -1LL << "0,00" << "-0.0001";
    }

    void text()
    {
        QFETCH(qlonglong, units);
        QFETCH(QString, text);
        QFETCH(QString, sql);
        const Money m = Money::fromUnits(units);
        QCOMPARE(m.toText(), text);
        QCOMPARE(m.toSqlLiteral(), sql);
    }

    void moneyToText()
    {
        QCOMPARE(MoneyToText(Money(), false, false), QString());
        QCOMPARE(MoneyToText(Money(), true, true), QStringLiteral("0,00 Kč"));
        QCOMPARE(MoneyToText(Money::fromUnits(12345000), true, false), QStringLiteral("1 234,50 Kč"));
    }

    void exactSums()
    {
        // A thousand documents of 0,10 Kč each make exactly 100 Kč.
        Money sum;
        for (int i = 0; i < 1000; ++i)
            sum += *Money::parse(QStringLiteral("0,10"));
        QCOMPARE(sum, Money::fromCrowns(100));
        // Shares are exact fractions rounded once.
        QCOMPARE(Money::fromCrowns(100).mulDiv(1, 3).units(), 333333LL);
        QCOMPARE(Money::fromUnits(-1).mulDiv(1, 2).units(), -1LL);
        QCOMPARE(Money::fromScaled(12345, -2).units(), 1234500LL);
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
