#pragma once

#include <QDate>
#include <QDateTime>

// The one source of the current date and time. Tests pin it.
namespace Clock {
QDateTime now();
QDate today();
void setFixed(const QDateTime& moment); // an invalid moment returns to the system clock
} // namespace Clock
