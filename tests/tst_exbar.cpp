#include "TestEnv.h"

#include "core/ExBar.h"
#include "core/Navigation.h"
#include "core/uRegistry.h"
#include "resources/Images.h"

#include <QDir>
#include <QHelpEvent>
#include <QImage>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

namespace {

const QString kRegKey = QStringLiteral("Software\\Talbreck\\ZUNO");

// The bar's group of a navigation item: the balance group stands third.
int barGroup(TNavGroup g)
{
    return g == TNavGroup::Moduly ? 0 : g == TNavGroup::Ucetnictvi ? 1 : 3;
}

void fill(TExBar& bar)
{
    bar.beginUpdate();
    bar.clear();
    bar.addGroup(QStringLiteral("Moduly"), QStringLiteral("moduly"));
    bar.addGroup(QStringLiteral("Účetnictví"), QStringLiteral("ucetnictvi"));
    bar.addGroup(QStringLiteral("Účetnictví zůstatek"), QStringLiteral("ucetnictvi_stav"));
    bar.addGroup(QStringLiteral("Cestovní náhrady"), QStringLiteral("cestaky"));
    for (const TNavItem& it : NavigationItems) {
        const QString caption = QString::fromUtf16(it.caption);
        bar.addItem(barGroup(it.group), caption, QStringLiteral("Otevře: ") + caption, OutlookIcon(it.icon), it.page);
    }
    bar.addText(2, QStringLiteral("Aktuální rok: 2026"));
    bar.addText(2, QStringLiteral("Pokladna: 1 200,00 Kč"));
    bar.endUpdate();
}

// The (group, item) of every navigation entry, in table order.
QList<QPair<int, int>> navPositions()
{
    QList<QPair<int, int>> out;
    int counts[4] = {};
    for (const TNavItem& it : NavigationItems)
        out.append({barGroup(it.group), counts[barGroup(it.group)]++});
    return out;
}

bool hasPaintedPixels(const QIcon& icon, int size)
{
    const QImage img = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
    int painted = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            painted += qAlpha(img.pixel(x, y)) > 0 ? 1 : 0;
    return painted > size * size / 10;
}

void showBar(TExBar& bar, int height = 1100)
{
    bar.resize(220, height);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
}

} // namespace

class TestExBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stateRoundTrip();
    void onlyPresentGroupsAreSaved();
    void skin_data();
    void skin();
    void clickingAnItemEmitsItsPage();
    void clickThatDoesNotActivate();
    void slotMayRebuildTheBar();
    void headerClickToggles();
    void headerClickAnimates();
    void balanceRefillKeepsGroupState();
    void captionsOffKeepToolTips();
    void keyboard();
    void iconsLoad();
};

void TestExBar::stateRoundTrip()
{
    TestEnv env;
    {
        TExBar bar;
        fill(bar);
        bar.loadState(kRegKey, env.dataDir());
        // Nothing stored yet: every default.
        for (int g = 0; g < bar.groupCount(); ++g)
            QVERIFY(bar.isExpanded(g));
        QCOMPARE(bar.barWidth(), 170);
        QVERIFY(bar.isAnimated());
        QVERIFY(bar.showCaptions());
        QVERIFY(bar.background().isNull());

        bar.setExpanded(1, false);
        bar.setExpanded(3, false);
        bar.setBarWidth(230);
        bar.saveState(kRegKey);
    }
    const QString key = kRegKey + QStringLiteral("\\ExBar");
    RegWrite(key, QStringLiteral("animace"), false);
    RegWrite(key, QStringLiteral("popisky"), false);

    TExBar bar;
    fill(bar);
    bar.loadState(kRegKey, env.dataDir());
    QVERIFY(bar.isExpanded(0));
    QVERIFY(!bar.isExpanded(1));
    QVERIFY(bar.isExpanded(2));
    QVERIFY(!bar.isExpanded(3));
    QCOMPARE(bar.barWidth(), 230);
    QVERIFY(!bar.isAnimated());
    QVERIFY(!bar.showCaptions());

    // A splitter dragged shut once must not hide the bar for good.
    RegWrite(key, QStringLiteral("width"), 0);
    bar.loadState(kRegKey, env.dataDir());
    QCOMPARE(bar.barWidth(), int(TExBar::MinimumWidth));
}

void TestExBar::onlyPresentGroupsAreSaved()
{
    // Without bookkeeping and travel the bar holds "Moduly" alone, and only
    // its state is written.
    TestEnv env;
    TExBar bar;
    bar.addGroup(QStringLiteral("Moduly"), QStringLiteral("moduly"));
    bar.addItem(0, QStringLiteral("Info"), QStringLiteral("Info"), OutlookIcon(0), 0);
    bar.setExpanded(0, false);
    bar.saveState(kRegKey);

    auto settings = RegOpen(kRegKey + QStringLiteral("\\ExBar"));
    QStringList keys = settings->childKeys();
    keys.sort();
    QCOMPARE(keys, QStringList({QStringLiteral("moduly"), QStringLiteral("width")}));
    QCOMPARE(RegReadBool(kRegKey + QStringLiteral("\\ExBar"), QStringLiteral("moduly"), true), false);
}

void TestExBar::skin_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file"); // created under the data folder; empty for none
    QTest::addColumn<bool>("broken");  // the file holds no picture
    QTest::addColumn<bool>("picture");

    QTest::newRow("none") << QString() << QString() << false << false;
    QTest::newRow("missing file") << QStringLiteral("modry") << QString() << false << false;
    QTest::newRow("bmp") << QStringLiteral("modry") << QStringLiteral("skin/modry.bmp") << false << true;
    QTest::newRow("png") << QStringLiteral("les") << QStringLiteral("skin/les.png") << false << true;
    QTest::newRow("not a picture") << QStringLiteral("vadny") << QStringLiteral("skin/vadny.bmp") << true << false;
    QTest::newRow("path outside the skin folder") << QStringLiteral("../modry") << QStringLiteral("modry.bmp") << false << false;
}

void TestExBar::skin()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    QFETCH(bool, broken);
    QFETCH(bool, picture);

    TestEnv env;
    QDir(env.dataDir()).mkpath(QStringLiteral("skin"));
    if (!file.isEmpty()) {
        const QString path = env.dataDir() + file;
        if (broken) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("no picture here");
        } else {
            QImage img(24, 16, QImage::Format_RGB32);
            img.fill(Qt::darkGreen);
            QVERIFY(img.save(path));
        }
    }
    RegWrite(kRegKey + QStringLiteral("\\ExBar"), QStringLiteral("skin"), name);

    TExBar bar;
    fill(bar);
    bar.setBackground(QPixmap(8, 8)); // a picture from before must go when there is none now
    bar.loadState(kRegKey, env.dataDir());
    QCOMPARE(!bar.background().isNull(), picture);
    if (picture)
        QCOMPARE(bar.background().size(), QSize(24, 16));
}

void TestExBar::clickingAnItemEmitsItsPage()
{
    TestEnv env;
    TExBar bar;
    fill(bar);
    showBar(bar);
    QSignalSpy spy(&bar, &TExBar::itemClicked);
    const auto positions = navPositions();
    for (int i = 0; i < int(positions.size()); ++i) {
        const QRect r = bar.itemRect(positions[i].first, positions[i].second);
        QVERIFY2(r.isValid() && bar.rect().contains(r), qPrintable(QString::fromUtf16(NavigationItems[i].caption)));
        QTest::mouseMove(&bar, r.center());
        QCOMPARE(bar.cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(&bar, Qt::LeftButton, {}, r.center());
        QCOMPARE(spy.size(), i + 1);
        QCOMPARE(spy.last().at(0).toInt(), NavigationItems[i].page);
    }
}

void TestExBar::clickThatDoesNotActivate()
{
    TestEnv env;
    TExBar bar;
    fill(bar);
    bar.setPageEnabled(17, false);
    showBar(bar);
    QSignalSpy spy(&bar, &TExBar::itemClicked);

    // A disabled item, a text line, and a press dragged off to another item.
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.itemRect(3, 3).center());
    const QRect lines(bar.headerRect(2).bottomLeft(), bar.headerRect(3).topRight());
    QTest::mouseMove(&bar, lines.center());
    QCOMPARE(bar.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, lines.center());
    QTest::mousePress(&bar, Qt::LeftButton, {}, bar.itemRect(0, 0).center());
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, bar.itemRect(0, 3).center());
    QCOMPARE(spy.size(), 0);
    QVERIFY(bar.isExpanded(2));

    bar.setPageEnabled(17, true);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.itemRect(3, 3).center());
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.last().at(0).toInt(), 17);
}

void TestExBar::slotMayRebuildTheBar()
{
    // The main window rebuilds the bar when the settings change, possibly from
    // within the click that opened the settings.
    TestEnv env;
    TExBar bar;
    fill(bar);
    showBar(bar);
    int pages = 0;
    connect(&bar, &TExBar::itemClicked, &bar, [&](int) {
        ++pages;
        bar.clear();
        bar.addGroup(QStringLiteral("Moduly"), QStringLiteral("moduly"));
        bar.addItem(0, QStringLiteral("Info"), QStringLiteral("Info"), OutlookIcon(0), 0);
    });
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.itemRect(3, 2).center());
    QCOMPARE(pages, 1);
    QCOMPARE(bar.groupCount(), 1);
    bar.setFocus();
    QTest::keyClick(&bar, Qt::Key_End);
    QTest::keyClick(&bar, Qt::Key_Return);
    QCOMPARE(pages, 2);
}

void TestExBar::headerClickToggles()
{
    TestEnv env;
    TExBar bar;
    fill(bar);
    bar.setAnimated(false);
    showBar(bar);
    const int openTop = bar.headerRect(1).top();

    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.headerRect(0).center());
    QVERIFY(!bar.isExpanded(0));
    QVERIFY(bar.itemRect(0, 0).isNull());
    QVERIFY(bar.headerRect(1).top() < openTop - 7 * 40);
    // What was under the closed items is now the next group.
    QSignalSpy spy(&bar, &TExBar::itemClicked);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.itemRect(1, 0).center());
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.last().at(0).toInt(), 7);

    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.headerRect(0).center());
    QVERIFY(bar.isExpanded(0));
    QCOMPARE(bar.headerRect(1).top(), openTop);
    QVERIFY(bar.itemRect(0, 0).isValid());
}

void TestExBar::headerClickAnimates()
{
    TestEnv env;
    int closedTop = 0;
    {
        TExBar reference;
        fill(reference);
        reference.setExpanded(0, false);
        reference.resize(220, 1100);
        closedTop = reference.headerRect(1).top();
    }
    TExBar bar;
    fill(bar);
    bar.setAnimated(true);
    showBar(bar);
    const int openTop = bar.headerRect(1).top();

    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.headerRect(0).center());
    QVERIFY(!bar.isExpanded(0));
    QCOMPARE(bar.headerRect(1).top(), openTop); // it moves on the timer, not at once
    QTRY_COMPARE(bar.headerRect(1).top(), closedTop);

    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.headerRect(0).center());
    QVERIFY(bar.isExpanded(0));
    QVERIFY(bar.itemRect(0, 0).isNull()); // still opening
    QTRY_COMPARE(bar.headerRect(1).top(), openTop);
    QVERIFY(bar.itemRect(0, 0).isValid());
}

void TestExBar::balanceRefillKeepsGroupState()
{
    // The balance group is refilled on every page switch.
    TestEnv env;
    TExBar bar;
    fill(bar);
    bar.setAnimated(false);
    showBar(bar);
    const int nextTop = bar.headerRect(3).top();
    bar.setExpanded(2, false);
    const int closedNextTop = bar.headerRect(3).top();

    bar.beginUpdate();
    bar.clearTexts(2);
    bar.addText(2, QStringLiteral("Není založen žádný rok."));
    bar.endUpdate();
    QVERIFY(!bar.isExpanded(2));
    QCOMPARE(bar.textCount(2), 1);
    QCOMPARE(bar.text(2, 0), QStringLiteral("Není založen žádný rok."));
    QCOMPARE(bar.headerRect(3).top(), closedNextTop);

    bar.setExpanded(2, true);
    bar.beginUpdate();
    bar.clearTexts(2);
    for (const char* line : {"Aktuální rok: 2026", "Pokladna: 1,00 Kč", "Banka: 2,00 Kč"})
        bar.addText(2, QString::fromUtf8(line));
    bar.endUpdate();
    QVERIFY(bar.isExpanded(2));
    QCOMPARE(bar.textCount(2), 3);
    QVERIFY(bar.headerRect(3).top() > nextTop); // laid out again for the extra line
}

void TestExBar::captionsOffKeepToolTips()
{
    TestEnv env;
    TExBar bar;
    fill(bar);
    bar.setShowCaptions(false);
    showBar(bar);
    QSignalSpy spy(&bar, &TExBar::itemClicked);
    const auto positions = navPositions();
    for (int i = 0; i < int(positions.size()); ++i) {
        const QRect r = bar.itemRect(positions[i].first, positions[i].second);
        QCOMPARE(bar.toolTipAt(r.center()), QStringLiteral("Otevře: ") + QString::fromUtf16(NavigationItems[i].caption));
    }
    // Through the real tool tip event, and the icons still answer clicks.
    const QPoint p = bar.itemRect(1, 1).center();
    QHelpEvent help(QEvent::ToolTip, p, bar.mapToGlobal(p));
    QApplication::sendEvent(&bar, &help);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("Otevře: Pokladna"));
    QTest::mouseClick(&bar, Qt::LeftButton, {}, p);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.last().at(0).toInt(), 8);
}

void TestExBar::keyboard()
{
    TestEnv env;
    TExBar bar;
    fill(bar);
    bar.setAnimated(false);
    bar.setPageEnabled(17, false);
    showBar(bar, 300); // shorter than the groups: the bar scrolls
    bar.setFocus(Qt::TabFocusReason);
    QSignalSpy spy(&bar, &TExBar::itemClicked);
    auto lastPage = [&] { return spy.isEmpty() ? -1 : spy.last().at(0).toInt(); };

    // Down walks from the first header into its items.
    QTest::keyClick(&bar, Qt::Key_Down);
    QTest::keyClick(&bar, Qt::Key_Return);
    QCOMPARE(lastPage(), 0);
    QTest::keyClick(&bar, Qt::Key_Down);
    QTest::keyClick(&bar, Qt::Key_Down);
    QTest::keyClick(&bar, Qt::Key_Space);
    QCOMPARE(lastPage(), 2);

    // Left closes the current group and stands on its header; Down then
    // skips the closed items; Enter on a header toggles it.
    QTest::keyClick(&bar, Qt::Key_Left);
    QVERIFY(!bar.isExpanded(0));
    QTest::keyClick(&bar, Qt::Key_Down);
    QTest::keyClick(&bar, Qt::Key_Down);
    QTest::keyClick(&bar, Qt::Key_Enter);
    QCOMPARE(lastPage(), 7);
    QTest::keyClick(&bar, Qt::Key_Home);
    QTest::keyClick(&bar, Qt::Key_Right);
    QVERIFY(bar.isExpanded(0));
    QTest::keyClick(&bar, Qt::Key_Return); // on the header again
    QVERIFY(!bar.isExpanded(0));

    // End reaches the last enabled item, scrolled into view.
    QTest::keyClick(&bar, Qt::Key_End);
    QTest::keyClick(&bar, Qt::Key_Return);
    QCOMPARE(lastPage(), 16);
    QVERIFY(bar.rect().contains(bar.itemRect(3, 2)));
    QCOMPARE(spy.size(), 4);
}

void TestExBar::iconsLoad()
{
    for (int i = 0; i <= 21; ++i)
        QVERIFY2(hasPaintedPixels(OutlookIcon(i), 32), qPrintable(QString::number(i)));
    for (int i = 0; i <= 27; ++i)
        QVERIFY2(hasPaintedPixels(ListIcon(i), 16), qPrintable(QString::number(i)));
    const char* tools[] = {"new", "detail", "delete", "print", "search", "save", "cancel", "refresh", "filter",
                           "default-filter", "backup", "restore", "settings", "help", "exit", "import", "export",
                           "script", "undelete", "report-design", "copy", "first", "previous", "next", "last",
                           "zoom-in", "zoom-out"};
    for (const char* name : tools)
        QVERIFY2(hasPaintedPixels(ToolIcon(QLatin1String(name)), 16), name);
    QVERIFY(hasPaintedPixels(AppIcon(), 64));
    QCOMPARE(SplashPixmap().size(), QSize(400, 250));

    QVERIFY(OutlookIcon(22).isNull());
    QVERIFY(ListIcon(-1).isNull());
    QVERIFY(ToolIcon(QStringLiteral("nothing")).isNull());
}

QTEST_MAIN(TestExBar)
#include "tst_exbar.moc"
