#pragma once

#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

// The registry of the program: a key path such as "Software\Talbreck\ZUNO\LV"
// names an organisation ("Talbreck"), an application ("ZUNO") and a group
// ("LV"). Reads look at the machine-wide settings first and let the user's
// settings override them; writes go to the user's settings.

std::unique_ptr<QSettings> RegOpen(const QString& key, bool machineWide = false);

QString RegReadString(const QString& key, const QString& name, const QString& def);
bool RegReadBool(const QString& key, const QString& name, bool def);
int RegReadInt(const QString& key, const QString& name, int def);

void RegWrite(const QString& key, const QString& name, const QVariant& value);
