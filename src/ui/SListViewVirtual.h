#pragma once

#include "ui/SListView.h"
#include "ui/uVirtualCollection.h"

#include <functional>
#include <memory>

// A list of the objects of a TVirtualCollection, in the collection's order
// (header clicks change nothing); deleted objects are not shown.
class TSListViewVirtual : public TSListView
{
    Q_OBJECT

public:
    explicit TSListViewVirtual(QWidget* parent = nullptr);
    ~TSListViewVirtual() override;

    // Raised once per shown object; the handler sets the row's columns.
    std::function<void(TSListItem& item, TVirtualObject& object)> OnRowResultVirtual;

    // Takes the collection (the one held before is freed) and refills.
    void SetCollection(std::unique_ptr<TVirtualCollection> collection);
    TVirtualCollection* Collection() const { return m_collection.get(); }
    // Rebuilds the rows after objects were added, changed or removed.
    void Refill();

    TVirtualObject* SelectedObject() const;
    bool SelectObject(const TVirtualObject* object);

protected:
    void ColumnClick(int) override {}
    bool ShowsSortOrder() const override { return false; }

private:
    std::unique_ptr<TVirtualCollection> m_collection;
};
