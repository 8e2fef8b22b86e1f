#include "ui/uDB_GUI.h"

#include "ui/SComboBox.h"

namespace {

void fillEntries(TSPicker* picker, TSQLDB& q, const QString& captionColumn, const QString& idColumn)
{
    const int caption = q.ColumnIndex(captionColumn);
    const int id = q.ColumnIndex(idColumn);
    while (q.Fetch()) {
        // Raises the column error of the query layer for a missing column.
        picker->AddWithID(caption < 0 ? q.GetText(captionColumn) : q.GetText(caption),
                          id < 0 ? q.GetValue(idColumn) : q.GetValue(id));
    }
}

} // namespace

void xDB2Combo(QWidget* control, TSQLDBPtr result, const QString& idColumn, const QString& captionColumn)
{
    auto* picker = dynamic_cast<TSPicker*>(control);
    if (!picker)
        throw TTalbreckException(
            QStringLiteral("Procedura xDB2Combo umi plnit pouze komponenty TSComboBox, TSListBox a TSCheckListBox."));
    const bool hadSelection = picker->SelectedIndex() >= 0;
    const QVariant old = picker->SelectedID();
    picker->ClearEntries();
    fillEntries(picker, *result, captionColumn, idColumn);
    result.reset();
    if (picker->EntryCount() > 0 && picker->PickOnly())
        picker->SelectIndex(0);
    if (hadSelection)
        picker->SelectID(old);
}

void xResult2Combo(TSComboBox* combo, TSQLDBPtr result, bool addLeading, const QString& captionColumn,
                   const QString& idColumn, bool clearFirst, const QString& leadingCaption)
{
    const bool hadSelection = combo->currentIndex() >= 0;
    const QVariant old = combo->SelectedID();
    if (clearFirst)
        combo->clear();
    if (addLeading)
        combo->AddWithID(leadingCaption, Null);
    fillEntries(combo, *result, captionColumn, idColumn);
    result.reset();
    if (hadSelection)
        combo->SelectID(old);
    if (combo->count() > 0 && combo->PickOnly() && combo->currentIndex() < 0)
        combo->setCurrentIndex(0);
}

void xTable2Combo(TSComboBox* combo, const QString& table, bool addLeading, bool clearFirst, const QString& leadingCaption)
{
    xResult2Combo(combo, xActiveList(table), addLeading, QStringLiteral("DisplayName"), QStringLiteral("ID"), clearFirst,
                  leadingCaption);
}
