#include "ui/uVirtualCollection.h"

#include <algorithm>

void TVirtualObject::Save()
{
    switch (State) {
    case New:
        ID = SaveNew();
        if (!VarIsNull(ID))
            State = Stored;
        break;
    case Deleted:
        SaveDelete();
        ID = Null;
        break;
    case Stored:
        SaveEdit();
        break;
    }
}

void TVirtualObject::Load(const TSQLDB& row)
{
    ID = row.GetValue(QStringLiteral("ID"));
    State = Stored;
}

TVirtualCollection::TVirtualCollection(int kind, Factory factory)
    : m_kind(kind)
    , m_factory(std::move(factory))
{
}

int TVirtualCollection::IndexOf(const TVirtualObject* object) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == object)
            return static_cast<int>(i);
    return -1;
}

TVirtualObject* TVirtualCollection::Add(std::unique_ptr<TVirtualObject> object)
{
    m_items.push_back(std::move(object));
    return m_items.back().get();
}

void TVirtualCollection::Remove(TVirtualObject* object)
{
    const int i = IndexOf(object);
    if (i < 0)
        return;
    if (object->State == TVirtualObject::New)
        m_items.erase(m_items.begin() + i);
    else
        object->State = TVirtualObject::Deleted;
}

void TVirtualCollection::Clear()
{
    m_items.clear();
}

void TVirtualCollection::LoadFromResult(TSQLDBPtr result)
{
    Clear();
    while (result->Fetch()) {
        TVirtualObject* object = Add(m_factory());
        object->Load(*result);
    }
}

void TVirtualCollection::SaveAll()
{
    for (size_t i = 0; i < m_items.size();) {
        TVirtualObject* object = m_items[i].get();
        const bool deleting = object->State == TVirtualObject::Deleted;
        object->Save();
        if (deleting)
            m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}
