#pragma once

#include "ui/SListBox.h"

// A list box with a check box at every entry.
class TSCheckListBox : public TSListBox
{
    Q_OBJECT

public:
    explicit TSCheckListBox(QWidget* parent = nullptr);

    int CheckedCount() const;
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    // The IDs of the checked entries, in order.
    QVariantList CheckedIDs() const;

protected:
    QListWidgetItem* NewItem(const QString& caption) override;
};
