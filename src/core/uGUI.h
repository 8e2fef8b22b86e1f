#pragma once

#include <QString>
#include <Qt>

class QAbstractItemView;
class QDateEdit;
class QTabWidget;
class QWidget;

// Small helpers shared by windows.

// Limits a date picker to 1 January .. 31 December of `year` (0 or less: the
// year the picker shows now); without `limit` both limits are removed.
void LimitPickerToYear(QDateEdit* picker, bool limit, int year);

// Ctrl+Page Down selects the next tab, Ctrl+Page Up the previous one, both
// wrapping around. Returns true when the key was used.
bool PageControlKeys(QTabWidget* pages, int key, Qt::KeyboardModifiers modifiers);

// Column widths of a list under the user's registry `key`, as values
// "<window>_<list>_<column>".
void LoadColumnWidths(const QWidget* window, QAbstractItemView* list, const QString& key);
void SaveColumnWidths(const QWidget* window, QAbstractItemView* list, const QString& key);

// Shows the busy cursor for its lifetime, in a program with windows (a
// program without them, such as a command-line tool, is left alone).
class TWaitCursor
{
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    bool m_on;
};
