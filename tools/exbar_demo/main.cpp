// Shows the navigation bar with every group and a balance group, and a grid
// of every icon with its index or name. With --shots <folder> it writes
// screenshots of the bar's states and of the icons instead of opening a window.

#include "core/ExBar.h"
#include "core/Navigation.h"
#include "resources/Images.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>
#include <QStyleFactory>
#include <QVBoxLayout>

#include <functional>

namespace {

// The bar's group of a navigation item: the balance group stands third.
int barGroup(TNavGroup g)
{
    return g == TNavGroup::Moduly ? 0 : g == TNavGroup::Ucetnictvi ? 1 : 3;
}

void fillBar(TExBar* bar)
{
    bar->beginUpdate();
    bar->clear();
    bar->addGroup(QStringLiteral("Moduly"), QStringLiteral("moduly"));
    bar->addGroup(QStringLiteral("Účetnictví"), QStringLiteral("ucetnictvi"));
    bar->addGroup(QStringLiteral("Účetnictví zůstatek"), QStringLiteral("ucetnictvi_stav"));
    bar->addGroup(QStringLiteral("Cestovní náhrady"), QStringLiteral("cestaky"));
    for (const TNavItem& it : NavigationItems) {
        const QString caption = QString::fromUtf16(it.caption);
        bar->addItem(barGroup(it.group), caption, caption, OutlookIcon(it.icon), it.page);
    }
    const QColor text = bar->palette().color(QPalette::ButtonText);
    bar->addText(2, QStringLiteral("Aktuální rok: 2026"), text);
    bar->addText(2, QStringLiteral("Pokladna: 12 480,50 Kč"), text);
    bar->addText(2, QStringLiteral("Běžný účet: 184 233,00 Kč"), text);
    bar->addText(2, QStringLiteral("Spořicí účet u banky: 50 000,00 Kč"), text);
    bar->addText(2, QStringLiteral("Ceniny: 0,00 Kč"), QColor(0xc0, 0x39, 0x2b));
    bar->setPageEnabled(17, false);
    bar->endUpdate();
}

// A quiet tiled picture standing in for a skin file.
QPixmap demoSkin()
{
    QPixmap pm(48, 48);
    pm.fill(QColor(0xdc, 0xe8, 0xd8));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xc4, 0xd8, 0xbe), 6));
    p.drawLine(-12, 60, 60, -12);
    p.drawLine(-36, 36, 36, -36);
    p.drawLine(12, 84, 84, 12);
    return pm;
}

// Every icon with its index or name, at the size it is used in or magnified.
class IconGrid : public QWidget
{
public:
    explicit IconGrid(int scale, QWidget* parent = nullptr)
        : QWidget(parent)
        , m_scale(scale)
    {
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Base);
        setMinimumSize(paintAll(nullptr));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        paintAll(&p);
    }

private:
    QSize paintAll(QPainter* p) const
    {
        const int cols = m_scale > 1 ? 8 : 11;
        const int big = 32 * m_scale, small = 16 * m_scale;
        const int cellW = std::max(big, 64) + 22, cellH = big + 24;
        int y = 8, maxX = 0;
        auto section = [&](const QString& title, int count, auto iconAt, auto labelAt, int size) {
            if (p) {
                QFont f = font();
                f.setBold(true);
                p->setFont(f);
                p->setPen(palette().color(QPalette::Text));
                p->drawText(QPoint(8, y + 14), title);
                p->setFont(font());
            }
            y += 22;
            for (int i = 0; i < count; ++i) {
                const int x = 8 + (i % cols) * cellW;
                const int top = y + (i / cols) * cellH;
                if (p) {
                    const QIcon icon = iconAt(i);
                    p->drawPixmap(x + (cellW - size) / 2, top + (big - size) / 2, icon.pixmap(size, size));
                    QFont f = font();
                    f.setPointSizeF(f.pointSizeF() * 0.8);
                    p->setFont(f);
                    p->setPen(palette().color(QPalette::PlaceholderText));
                    p->drawText(QRect(x, top + big + 2, cellW, 18), Qt::AlignHCenter | Qt::AlignTop, labelAt(i));
                    p->setFont(font());
                }
                maxX = std::max(maxX, x + cellW);
            }
            y += ((count + cols - 1) / cols) * cellH + 8;
        };
        section(QStringLiteral("OutlookIcon (32×32)"), OutlookIconCount(), [](int i) { return OutlookIcon(i); },
                [](int i) { return QString::number(i); }, big);
        section(QStringLiteral("ListIcon (16×16)"), ListIconCount(), [](int i) { return ListIcon(i); },
                [](int i) { return QString::number(i); }, small);
        const QStringList names = ToolIconNames();
        section(QStringLiteral("ToolIcon (16×16)"), int(names.size()), [&](int i) { return ToolIcon(names[i]); },
                [&](int i) { return names[i]; }, small);
        section(QStringLiteral("AppIcon"), 1, [](int) { return AppIcon(); }, [](int) { return QStringLiteral("zuno"); }, big);
        return {maxX + 8, y};
    }

    int m_scale;
};

class DemoWindow : public QWidget
{
public:
    DemoWindow()
    {
        auto* split = new QSplitter(this);
        bar = new TExBar(split);
        fillBar(bar);
        bar->setBarWidth(TExBar::DefaultWidth);
        auto* right = new QWidget(split);
        auto* col = new QVBoxLayout(right);
        auto* tools = new QHBoxLayout;
        auto* captions = new QCheckBox(QStringLiteral("Popisky"), right);
        captions->setChecked(true);
        auto* animated = new QCheckBox(QStringLiteral("Animace"), right);
        animated->setChecked(true);
        auto* skin = new QCheckBox(QStringLiteral("Skin"), right);
        auto* highlight = new QComboBox(right);
        highlight->addItems({QStringLiteral("bez zvýraznění"), QStringLiteral("Moduly"), QStringLiteral("Účetnictví"),
                             QStringLiteral("Účetnictví zůstatek"), QStringLiteral("Cestovní náhrady")});
        status = new QLabel(right);
        tools->addWidget(captions);
        tools->addWidget(animated);
        tools->addWidget(skin);
        tools->addWidget(highlight);
        tools->addStretch();
        tools->addWidget(status);
        col->addLayout(tools);
        auto* scroll = new QScrollArea(right);
        scroll->setWidget(new IconGrid(1));
        col->addWidget(scroll);
        split->setSizes({TExBar::DefaultWidth, 700});
        auto* lay = new QHBoxLayout(this);
        lay->setContentsMargins(0, 0, 0, 0);
        lay->addWidget(split);

        connect(captions, &QCheckBox::toggled, bar, &TExBar::setShowCaptions);
        connect(animated, &QCheckBox::toggled, bar, &TExBar::setAnimated);
        connect(skin, &QCheckBox::toggled, this, [this](bool on) { bar->setBackground(on ? demoSkin() : QPixmap()); });
        connect(highlight, &QComboBox::currentIndexChanged, bar, [this](int i) { bar->setHighlighted(i - 1); });
        connect(bar, &TExBar::itemClicked, this, [this](int page) {
            status->setText(QStringLiteral("stránka %1").arg(page));
            bar->setHighlighted(page <= 6 ? 0 : page <= 13 ? 1 : 3);
        });
        resize(1200, 760);
    }

    TExBar* bar = nullptr;
    QLabel* status = nullptr;
};

// One picture of the bar in a given state, at a fixed size.
QImage barShot(int width, int height, const std::function<void(TExBar*)>& setUp)
{
    TExBar bar;
    bar.resize(width, height);
    fillBar(&bar);
    setUp(&bar);
    bar.setAnimated(false);
    return bar.grab().toImage();
}

int writeShots(const QString& folder)
{
    QDir().mkpath(folder);
    struct Shot
    {
        const char* name;
        int width;
        int height;
        std::function<void(TExBar*)> setUp;
    };
    const Shot shots[] = {
        {"bar-captions", 200, 1080, [](TExBar* b) { b->setHighlighted(1); }},
        {"bar-icons-only", 64, 900, [](TExBar* b) { b->setShowCaptions(false); b->setHighlighted(0); }},
        {"bar-collapsed", 200, 420, [](TExBar* b) { b->setExpanded(0, false); b->setExpanded(3, false); b->setHighlighted(3); }},
        {"bar-skin", 200, 1080, [](TExBar* b) { b->setBackground(demoSkin()); b->setHighlighted(0); }},
        {"bar-scrolled", 170, 480, [](TExBar* b) { b->setHighlighted(0); }},
    };
    QImage sheet(1000, 1100, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter sp(&sheet);
    int x = 10;
    for (const Shot& s : shots) {
        const QImage img = barShot(s.width, s.height, s.setUp);
        img.save(folder + QLatin1Char('/') + QLatin1String(s.name) + QStringLiteral(".png"));
        sp.drawImage(x, 10, img);
        x += img.width() / img.devicePixelRatio() + 12;
    }
    sp.end();
    sheet.save(folder + QStringLiteral("/bar-states.png"));

    // The bar with the mouse over an item and the keyboard on another.
    {
        TExBar bar;
        bar.resize(200, 560);
        fillBar(&bar);
        bar.setHighlighted(0);
        bar.show();
        bar.activateWindow();
        QApplication::processEvents();
        QMouseEvent move(QEvent::MouseMove, QPointF(bar.itemRect(0, 1).center()), bar.mapToGlobal(QPointF(bar.itemRect(0, 1).center())),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&bar, &move);
        bar.setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 5; ++i) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
            QApplication::sendEvent(&bar, &down);
        }
        bar.grab().save(folder + QStringLiteral("/bar-hover-focus.png"));
    }
    for (const int scale : {1, 2}) {
        IconGrid grid(scale);
        grid.resize(grid.minimumSize());
        grid.grab().save(folder + QStringLiteral("/icons-x%1.png").arg(scale));
    }
    // The pixels of every icon at its own size, magnified, to judge sharpness.
    {
        const QStringList names = ToolIconNames();
        QList<QPixmap> small;
        for (int i = 0; i < ListIconCount(); ++i)
            small << ListIcon(i).pixmap(16, 16);
        for (const QString& n : names)
            small << ToolIcon(n).pixmap(16, 16);
        QList<QPixmap> big;
        for (int i = 0; i < OutlookIconCount(); ++i)
            big << OutlookIcon(i).pixmap(32, 32);
        const int cols = 11;
        const int cell = 4 * 16 + 8;
        const int rowsBig = (int(big.size()) + cols - 1) / cols;
        const int rowsSmall = (int(small.size()) + cols - 1) / cols;
        QImage img(cols * (3 * 32 + 8) + 8, rowsBig * (3 * 32 + 8) + rowsSmall * cell + 16, QImage::Format_ARGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        for (int i = 0; i < int(big.size()); ++i)
            p.drawImage(8 + (i % cols) * (3 * 32 + 8), 8 + (i / cols) * (3 * 32 + 8),
                        big[i].toImage().scaled(96, 96, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        const int top = 8 + rowsBig * (3 * 32 + 8) + 8;
        for (int i = 0; i < int(small.size()); ++i)
            p.drawImage(8 + (i % cols) * (3 * 32 + 8), top + (i / cols) * cell,
                        small[i].toImage().scaled(64, 64, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        p.end();
        img.save(folder + QStringLiteral("/icons-pixels.png"));
    }
    SplashPixmap().save(folder + QStringLiteral("/splash.png"));
    DemoWindow window;
    window.show();
    QApplication::processEvents();
    window.grab().save(folder + QStringLiteral("/demo-window.png"));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(AppIcon());
    const QStringList args = QApplication::arguments();
    const int shots = int(args.indexOf(QStringLiteral("--shots")));
    if (shots >= 0)
        return writeShots(args.value(shots + 1, QStringLiteral("exbar-shots")));
    DemoWindow window;
    window.show();
    return QApplication::exec();
}
