#include "resources/Images.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <array>

// Outside any namespace, as Q_INIT_RESOURCE requires: the resource object of a
// static library is dropped by the linker unless something refers to it.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace {

constexpr std::array<const char*, 22> kOutlook = {
    "00-info", "01-clenove", "02-majetek", "03-denik", "04-formulare", "05-kalendar",
    "06-akce", "07-adresar", "08-osnova", "09-nastaveni", "10-intdoklad", "11-vykazy",
    "12-zaloha", "13-pokladna", "14-fav", "15-fap", "16-banka", "17-smlouvy",
    "18-dotace", "19-vozidla", "20-prikazy-vozidlo", "21-prikazy",
};

constexpr std::array<const char*, 28> kList = {
    "00-muz", "01-zena", "02-udalost", "03-doklad", "04-akce", "05-clen", "06-majetek",
    "07-faktura", "08-poznamka", "09-narozeniny", "10-svatek", "11-kontakt",
    "12-organizace", "13-vozidlo", "14-cesta", "15-analytika", "16-syntetika",
    "17-radek", "18-slozka", "19-fotka", "20-pokladna", "21-ucet", "22-rok-aktualni",
    "23-rok", "24-smlouva", "25-sestava", "26-dotace", "27-uzavreno",
};

constexpr std::array<const char*, 27> kTool = {
    "new", "detail", "delete", "print", "search", "save", "cancel", "refresh", "filter",
    "default-filter", "backup", "restore", "settings", "help", "exit", "import", "export",
    "script", "undelete", "report-design", "copy", "first", "previous", "next", "last",
    "zoom-in", "zoom-out",
};

QPixmap render(QSvgRenderer& svg, QSize size, qreal dpr)
{
    QPixmap pm(size * dpr);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p);
    }
    pm.setDevicePixelRatio(dpr);
    return pm;
}

// The icon in the resource file `path`, rendered at each of `sizes`.
QIcon loadIcon(const QString& path, std::initializer_list<int> sizes)
{
    static QHash<QString, QIcon> cache;
    const auto it = cache.constFind(path);
    if (it != cache.constEnd())
        return *it;

    initIconResources();
    QIcon icon;
    QSvgRenderer svg(path);
    if (svg.isValid()) {
        for (const int size : sizes)
            icon.addPixmap(render(svg, QSize(size, size), 1.0));
    } else {
        qWarning("missing or broken picture %s", qPrintable(path));
    }
    cache.insert(path, icon);
    return icon;
}

// Its design size, and what a higher screen resolution or a larger tool bar asks for.
QIcon loadIcon(const QString& path, int designSize)
{
    return loadIcon(path, {designSize, designSize * 3 / 2, designSize * 2, designSize * 3});
}

} // namespace

QIcon OutlookIcon(int index)
{
    if (index < 0 || index >= OutlookIconCount())
        return {};
    return loadIcon(QStringLiteral(":/icons/nav/%1.svg").arg(QLatin1String(kOutlook[size_t(index)])), 32);
}

int OutlookIconCount()
{
    return int(kOutlook.size());
}

QIcon ListIcon(int index)
{
    if (index < 0 || index >= ListIconCount())
        return {};
    return loadIcon(QStringLiteral(":/icons/list/%1.svg").arg(QLatin1String(kList[size_t(index)])), 16);
}

int ListIconCount()
{
    return int(kList.size());
}

QIcon ToolIcon(const QString& name)
{
    for (const char* known : kTool)
        if (name == QLatin1String(known))
            return loadIcon(QStringLiteral(":/icons/tool/%1.svg").arg(name), 16);
    return {};
}

QStringList ToolIconNames()
{
    QStringList names;
    for (const char* known : kTool)
        names << QLatin1String(known);
    return names;
}

QIcon AppIcon()
{
    return loadIcon(QStringLiteral(":/icons/zuno.svg"), {16, 24, 32, 48, 64, 128, 256});
}

QPixmap SplashPixmap(qreal devicePixelRatio)
{
    initIconResources();
    QSvgRenderer svg(QStringLiteral(":/icons/splash.svg"));
    if (!svg.isValid())
        return {};
    return render(svg, QSize(400, 250), devicePixelRatio);
}
