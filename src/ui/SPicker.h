#pragma once

#include <QString>
#include <QVariant>

// What the fill routines need of a picker whose entries carry record IDs
// (TSComboBox, TSListBox, TSCheckListBox). An ID is the value of the ID
// column of the row that made the entry, or Null for an added "vše" or
// "<žádný>" entry; entries given in a .ui file have an empty ID.
class TSPicker
{
public:
    virtual ~TSPicker() = default;

    virtual void AddWithID(const QString& caption, const QVariant& id) = 0;
    // The ID of the selected entry; Null when nothing is selected, so that an
    // empty picker passes null to a procedure.
    virtual QVariant SelectedID() const = 0;
    // Selects the first entry with an equal ID (SameID); false and no change when none.
    virtual bool SelectID(const QVariant& id) = 0;
    virtual int SelectedIndex() const = 0;
    virtual void SelectIndex(int index) = 0;
    virtual int EntryCount() const = 0;
    virtual void ClearEntries() = 0;
    // A drop-down that only allows picking from its entries (no free text).
    virtual bool PickOnly() const { return false; }
};

// IDs compare as the database would: Null equals Null only; a number and a
// numeric text are equal when their values are; a number never equals a
// text that is no number; two texts compare as texts.
bool SameID(const QVariant& a, const QVariant& b);
