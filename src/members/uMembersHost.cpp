#include "members/uMembersHost.h"

#include "db/uColl.h"

namespace MembersHost {

std::function<QVariant(const QString&)> Setting;
std::function<void(QWidget*, qint64)> OpenEvent;

QVariant SettingValue(const QString& key)
{
    if (Setting)
        return Setting(key);
    TColl settings;
    settings.Load();
    return settings.GetValue(key);
}

} // namespace MembersHost
