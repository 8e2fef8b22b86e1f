#include "ui/SCheckListBox.h"

TSCheckListBox::TSCheckListBox(QWidget* parent)
    : TSListBox(parent)
{
}

QListWidgetItem* TSCheckListBox::NewItem(const QString& caption)
{
    QListWidgetItem* item = TSListBox::NewItem(caption);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    return item;
}

int TSCheckListBox::CheckedCount() const
{
    int n = 0;
    for (int i = 0; i < count(); ++i)
        n += Checked(i) ? 1 : 0;
    return n;
}

bool TSCheckListBox::Checked(int index) const
{
    return item(index)->checkState() == Qt::Checked;
}

void TSCheckListBox::SetChecked(int index, bool checked)
{
    item(index)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

QVariantList TSCheckListBox::CheckedIDs() const
{
    QVariantList ids;
    for (int i = 0; i < count(); ++i)
        if (Checked(i))
            ids << ItemData(i);
    return ids;
}
