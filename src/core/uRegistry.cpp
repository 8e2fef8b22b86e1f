#include "core/uRegistry.h"

#include <QSettings>

std::unique_ptr<QSettings> RegOpen(const QString& key, bool machineWide)
{
    QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.constFirst().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    const QString organisation = parts.value(0, QStringLiteral("Talbreck"));
    const QString application = parts.value(1, QStringLiteral("ZUNO"));
    auto s = std::make_unique<QSettings>(QSettings::IniFormat, machineWide ? QSettings::SystemScope : QSettings::UserScope,
                                         organisation, application);
    s->setFallbacksEnabled(false);
    if (parts.size() > 2)
        s->beginGroup(parts.mid(2).join(QLatin1Char('/')));
    return s;
}

namespace {

QVariant readWithFallback(const QString& key, const QString& name, const QVariant& def)
{
    const QVariant machine = RegOpen(key, true)->value(name, def);
    return RegOpen(key, false)->value(name, machine);
}

} // namespace

QString RegReadString(const QString& key, const QString& name, const QString& def)
{
    return readWithFallback(key, name, def).toString();
}

bool RegReadBool(const QString& key, const QString& name, bool def)
{
    const QVariant v = readWithFallback(key, name, def);
    const QString text = v.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return def;
}

int RegReadInt(const QString& key, const QString& name, int def)
{
    bool ok = false;
    const int v = readWithFallback(key, name, def).toInt(&ok);
    return ok ? v : def;
}

void RegWrite(const QString& key, const QString& name, const QVariant& value)
{
    RegOpen(key, false)->setValue(name, value);
}
