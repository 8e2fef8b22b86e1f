#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <functional>

#include "core/Money.h"

// Program-wide utility routines. Texts are always in the fixed Czech form,
// whatever the system locale.

// Folder of the running program, with a trailing slash.
QString ExeDir();
// Tests point the program folder elsewhere; an empty text restores the real one.
void SetExeDirForTesting(const QString& dir);
// File name without folder and extension.
QString FileBaseName(const QString& path);

// "major.minor.patch.build" of this program.
QString VersionText();

struct TVersion
{
    int Verze = 0;
    int Podverze = 0;
    auto operator<=>(const TVersion&) const = default;
};
QString VersionToText(const TVersion& v);

// "1 234,50" (+ " Kč" with currency); empty for zero unless showZero.
QString MoneyToText(const Money& value, bool withCurrency = false, bool showZero = true);
QString DateToText(const QDate& d);          // dd.mm.yyyy
QString DateTimeToText(const QDateTime& d);  // dd.mm.yyyy hh:nn
// Reads "d.m.yyyy" (blanks allowed after the dots); raises TTalbreckException on anything else.
QDate TextToDate(const QString& s);
// Whole minutes between two moments, rounded to the nearest minute.
qint64 MinutesBetween(const QDateTime& a, const QDateTime& b);
QString ZeroPad(const QString& text, int width);

// Day numbers: whole days since 30 December 1899 (1 January 2009 is 39814).
int DayNumber(const QDate& d);
QDate DayNumberToDate(int dayNumber);

// Opens a file or address with the desktop's handler; false when nothing could open it.
bool ShellOpen(const QString& fileOrUrl);
// Tests catch what would be opened; an empty handler restores the desktop's.
void SetShellOpenHandler(std::function<bool(const QString&)> handler);
// The whole screen as "screenshot.png" in the temporary folder; returns its path.
QString TakeScreenshot();
