#pragma once

#include "ui/SPicker.h"

#include <QComboBox>
#include <QPointer>

class QAction;

// A drop-down whose entries carry record IDs.
class TSComboBox : public QComboBox, public TSPicker
{
    Q_OBJECT

public:
    explicit TSComboBox(QWidget* parent = nullptr);

    // Run after every change the user makes to the choice or the text (a
    // filter re-runs its window's search); never by the program's own changes.
    QPointer<QAction> Act_Find;

    void AddWithID(const QString& caption, const QVariant& id) override;
    // The ID of an entry; Null for a negative index. Raises
    // TTalbreckException for an index past the entries.
    QVariant ItemData(int index) const;
    QVariant SelectedID() const override { return ItemData(currentIndex()); }
    bool SelectID(const QVariant& id) override;
    int SelectedIndex() const override { return currentIndex(); }
    void SelectIndex(int index) override { setCurrentIndex(index); }
    int EntryCount() const override { return count(); }
    void ClearEntries() override { clear(); }
    bool PickOnly() const override { return !isEditable(); }

protected:
    bool event(QEvent* event) override;

private:
    void userChanged();
};
