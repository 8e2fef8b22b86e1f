#pragma once

#include <QVariant>

#include <functional>

class QWidget;

// What the member windows need from the running program and may not reach
// directly (module windows do not depend on the shell). The shell sets the
// hooks once at start; tests set their own. Printing goes through
// PrintFromWindow of the reports library.
namespace MembersHost {

// A program setting ("CL_Fotka", "OD_EvidovatKCT"). Unset: the settings are
// read from the database.
extern std::function<QVariant(const QString& key)> Setting;
// Opens an event in the event window. Unset: nothing happens.
extern std::function<void(QWidget* owner, qint64 eventId)> OpenEvent;

// The setting by the hook, else from the database.
QVariant SettingValue(const QString& key);

} // namespace MembersHost
