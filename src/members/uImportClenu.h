#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

// The members' import from a workbook: the sheet "Import" holds the column
// headers in row 2 and one person per row from row 3 on, in the 32 columns
// below; the rows end at the first one whose first cell is empty.

constexpr int ImportColumnCount = 32;

// The captions of the 32 columns, in their order.
const QStringList& ImportColumnCaptions();

// A yes/no cell: false when it is empty, "ne" or "0" (blanks around and
// the case of letters do not matter), true otherwise.
bool IsYes(const QString& text);

// Reads the rows of the sheet "Import" of a .xlsx or .ods workbook into
// `rows`, each of 32 texts (columns the sheet does not have stay empty).
// Raises TTalbreckException on a file that cannot be read; the rows read
// before the failure are already in `rows`.
void ReadImportSheet(const QString& fileName, QList<QStringList>& rows);

// "Příjmení Jméno" of a row, as messages name the person.
QString ImportPersonName(const QStringList& row);

// Checks a row and makes the arguments of its one database call
// CL_Clen_IMPORT: the membership year (empty: `currentYear`), the category,
// the parent kind and the birth number (normalised to "dddddd/ddd[d]").
// Raises TTalbreckException naming the person for the first fault found.
QVariantList ImportArguments(const QStringList& row, int currentYear);

// Stores a checked row as a new person with contacts, addresses, the
// parent and the user-defined values, all or nothing; returns the new ID.
// A refusal of the database raises TTalbreckException with its text.
qint64 ImportStore(const QVariantList& arguments, const QString& person);
