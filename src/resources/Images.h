#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The program's own pictures, drawn as SVG and compiled into the program.
// Icons are rendered once at the sizes they are used in and cached; an index
// or name that is not in a list gives a null icon. A QGuiApplication must exist.

// 32x32 icons of the navigation bar, by index (0..OutlookIconCount()-1):
//  0 Info, 1 members, 2 property, 3 tax records / accounting journal, 4 forms,
//  5 calendar, 6 events, 7 address book, 8 chart of accounts, 9 settings,
//  10 internal documents, 11 financial statements, 12 backup, 13 cash desk,
//  14 issued invoices, 15 received invoices, 16 bank, 17 contracts, 18 grants,
//  19 vehicles, 20 travel orders with a vehicle, 21 travel orders.
QIcon OutlookIcon(int index);
int OutlookIconCount();

// 16x16 icons of list rows, by index (0..ListIconCount()-1):
//  0 man, 1 woman, 2 calendar entry, 3 document, 4 event, 5 member card,
//  6 property item, 7 invoice, 8 note, 9 birthday, 10 name day, 11 contact,
//  12 organisation, 13 vehicle, 14 trip, 15 analytic account,
//  16 synthetic account, 17 journal line, 18 folder, 19 photo, 20 cash desk,
//  21 bank account, 22 current year / current statement,
//  23 another year / statement, 24 contract, 25 report template, 26 grant,
//  27 closed (locked).
QIcon ListIcon(int index);
int ListIconCount();

// 16x16 icons of tool bars and actions, by name: "new", "detail", "delete",
// "print", "search", "save", "cancel", "refresh", "filter", "default-filter",
// "backup", "restore", "settings", "help", "exit", "import", "export",
// "script", "undelete", "report-design", "copy", "first", "previous", "next",
// "last", "zoom-in", "zoom-out".
QIcon ToolIcon(const QString& name);
QStringList ToolIconNames();

// The program's icon, for windows and the desktop.
QIcon AppIcon();

// The start-up picture, 400x250 logical pixels. The band below y = 210 is left
// plain for the version text (QSplashScreen::showMessage at the bottom).
QPixmap SplashPixmap(qreal devicePixelRatio = 1.0);
