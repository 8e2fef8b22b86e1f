#pragma once

#include "ui/SPicker.h"

#include <QListWidget>

// A list box whose entries carry record IDs.
class TSListBox : public QListWidget, public TSPicker
{
    Q_OBJECT

public:
    explicit TSListBox(QWidget* parent = nullptr);

    void AddWithID(const QString& caption, const QVariant& id) override;
    // The ID of an entry (the index must lie within the entries); Null for a negative index.
    QVariant ItemData(int index) const;
    QVariant SelectedID() const override { return ItemData(currentRow()); }
    bool SelectID(const QVariant& id) override;
    int SelectedIndex() const override { return currentRow(); }
    void SelectIndex(int index) override { setCurrentRow(index); }
    int EntryCount() const override { return count(); }
    void ClearEntries() override { clear(); }
    // Removes an entry with its ID; -1 removes the selected one.
    void DeleteItem(int index = -1);

protected:
    // The new entry's item; TSCheckListBox gives it a check box.
    virtual QListWidgetItem* NewItem(const QString& caption);
};
