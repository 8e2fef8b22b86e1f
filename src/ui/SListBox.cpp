#include "ui/SListBox.h"

#include "db/uDB_FB.h"

TSListBox::TSListBox(QWidget* parent)
    : QListWidget(parent)
{
}

QListWidgetItem* TSListBox::NewItem(const QString& caption)
{
    return new QListWidgetItem(caption, this);
}

void TSListBox::AddWithID(const QString& caption, const QVariant& id)
{
    NewItem(caption)->setData(Qt::UserRole, id);
}

QVariant TSListBox::ItemData(int index) const
{
    if (index < 0)
        return Null;
    return item(index)->data(Qt::UserRole);
}

bool TSListBox::SelectID(const QVariant& id)
{
    for (int i = 0; i < count(); ++i) {
        if (SameID(item(i)->data(Qt::UserRole), id)) {
            setCurrentRow(i);
            return true;
        }
    }
    return false;
}

void TSListBox::DeleteItem(int index)
{
    if (index < 0)
        index = currentRow();
    if (index >= 0 && index < count())
        delete takeItem(index);
}
