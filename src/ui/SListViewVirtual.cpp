#include "ui/SListViewVirtual.h"

#include "core/uLog.h"

#include <QElapsedTimer>

TSListViewVirtual::TSListViewVirtual(QWidget* parent)
    : TSListView(parent)
{
    Sort = false;
}

TSListViewVirtual::~TSListViewVirtual()
{
    // The rows point at the collection's objects: empty them first.
    Model()->Clear();
}

void TSListViewVirtual::SetCollection(std::unique_ptr<TVirtualCollection> collection)
{
    Model()->Clear();
    m_collection = std::move(collection);
    Refill();
}

TVirtualObject* TSListViewVirtual::SelectedObject() const
{
    const int row = SelectedIndex();
    return row < 0 ? nullptr : Model()->Object(row);
}

bool TSListViewVirtual::SelectObject(const TVirtualObject* object)
{
    for (int row = 0; row < Model()->Count(); ++row) {
        if (Model()->Object(row) == object) {
            SelectRow(row);
            return true;
        }
    }
    return false;
}

void TSListViewVirtual::Refill()
{
    QElapsedTimer timer;
    timer.start();
    DisableActions();
    const int oldIndex = SelectedIndex();
    const TVirtualObject* old = SelectedObject();
    TSListModel* model = Model();
    int found = -1;
    {
        TSListFillScope scope(model);
        for (int i = 0; m_collection && i < m_collection->Count(); ++i) {
            TVirtualObject* object = m_collection->Items(i);
            if (object->State == TVirtualObject::Deleted)
                continue;
            const int row = model->AddRow();
            model->SetObject(row, object);
            if (object == old && found < 0)
                found = row;
            if (OnRowResultVirtual) {
                TSListItem item(model, row);
                OnRowResultVirtual(item, *object);
            }
        }
    }
    SelectAfterFill(found, oldIndex, false);
    WriteLog(QStringLiteral("Nacteni Listview: ") + objectName() + QStringLiteral(" (") + FillTimeText(timer.elapsed(), false)
                 + QLatin1Char(')'),
             LogLevel::Debug);
}
