#pragma once

#include "db/uDB_FB.h"

class QWidget;
class TSComboBox;

// Routines that fill pickers from the database. Each frees the cursor it is
// given; the entry that was selected stays selected when its ID is among the
// new rows. A refill never counts as a user's choice (no Act_Find).

// Fills a TSComboBox, TSListBox or TSCheckListBox: one entry per row with
// the caption column's text and the ID column's value. A drop-down that only
// allows picking gets its first entry selected when the old one is gone.
// Raises TTalbreckException for any other control.
void xDB2Combo(QWidget* control, TSQLDBPtr result, const QString& idColumn = QStringLiteral("ID"),
               const QString& captionColumn = QStringLiteral("DisplayName"));

// Fills a drop-down, optionally after a leading entry with a Null ID ("vše"
// in filters, "<žádný>" for no value in record fields).
void xResult2Combo(TSComboBox* combo, TSQLDBPtr result, bool addLeading, const QString& captionColumn = QStringLiteral("DisplayName"),
                   const QString& idColumn = QStringLiteral("ID"), bool clearFirst = true,
                   const QString& leadingCaption = QStringLiteral("vše"));

// The active rows of a code-list table (Aktivni = 1, ordered by DisplayName).
void xTable2Combo(TSComboBox* combo, const QString& table, bool addLeading, bool clearFirst = true,
                  const QString& leadingCaption = QStringLiteral("vše"));
