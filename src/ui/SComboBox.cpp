#include "ui/SComboBox.h"

#include "core/uException.h"
#include "db/uDB_FB.h"

#include <QAction>
#include <QChildEvent>
#include <QLineEdit>

TSComboBox::TSComboBox(QWidget* parent)
    : QComboBox(parent)
{
    // `activated` comes only from the user, never from setCurrentIndex or a refill.
    connect(this, &QComboBox::activated, this, &TSComboBox::userChanged);
}

bool TSComboBox::event(QEvent* e)
{
    // An editable drop-down gets its line edit later; its typing counts as a user change.
    if (e->type() == QEvent::ChildPolished) {
        if (auto* edit = qobject_cast<QLineEdit*>(static_cast<QChildEvent*>(e)->child()))
            connect(edit, &QLineEdit::textEdited, this, &TSComboBox::userChanged, Qt::UniqueConnection);
    }
    return QComboBox::event(e);
}

void TSComboBox::userChanged()
{
    if (Act_Find)
        Act_Find->trigger();
}

void TSComboBox::AddWithID(const QString& caption, const QVariant& id)
{
    addItem(caption, id);
}

QVariant TSComboBox::ItemData(int index) const
{
    if (index < 0)
        return Null;
    if (index >= count())
        throw TTalbreckException(QStringLiteral("TSComboBox.ItemData: Zadaný index je vyšší než velikost fData."));
    return itemData(index);
}

bool TSComboBox::SelectID(const QVariant& id)
{
    for (int i = 0; i < count(); ++i) {
        if (SameID(itemData(i), id)) {
            setCurrentIndex(i);
            return true;
        }
    }
    return false;
}
