#pragma once

#include "db/uDB_FB.h"

#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

// One child record that a detail window edits in memory and saves with the
// whole record (a parent of a member, a participant of an event).
class TVirtualObject
{
public:
    enum TState : quint8 { New = 0, Deleted = 1, Stored = 2 };

    virtual ~TVirtualObject() = default;

    QVariant ID = Null; // Null while not stored
    TState State = New;

    // Writes the object as its state asks: New calls SaveNew and keeps the
    // new ID, Deleted calls SaveDelete and forgets the ID, Stored calls
    // SaveEdit (every stored object is written again). Database errors pass through.
    virtual void Save();
    // Reads the current row: the base part takes "ID" and marks the object
    // stored; descendants call it first, then read their own columns.
    virtual void Load(const TSQLDB& row);

protected:
    // The descendant's _NEW procedure; returns the new record's ID.
    virtual QVariant SaveNew() = 0;
    virtual void SaveEdit() = 0;
    virtual void SaveDelete() = 0;
};

// The child records of one detail window, in insertion order. Owns its objects.
class TVirtualCollection
{
public:
    using Factory = std::function<std::unique_ptr<TVirtualObject>()>;

    // `kind` tells the object class (0 participants, 1 parents); `factory` makes one for LoadFromResult.
    TVirtualCollection(int kind, Factory factory);

    int Kind() const { return m_kind; }
    int Count() const { return static_cast<int>(m_items.size()); }
    TVirtualObject* Items(int index) const { return m_items.at(static_cast<size_t>(index)).get(); }
    template <class T> T* Item(int index) const { return static_cast<T*>(Items(index)); }
    // The position of the object, -1 when it is not in the collection.
    int IndexOf(const TVirtualObject* object) const;

    TVirtualObject* Add(std::unique_ptr<TVirtualObject> object);
    // A new object leaves the collection at once; a stored one is marked
    // deleted and stays until SaveAll deletes it in the database.
    void Remove(TVirtualObject* object);
    void Clear();
    // Clear, then one object per row; frees the cursor.
    void LoadFromResult(TSQLDBPtr result);
    // Saves every object in order. An object whose delete has committed
    // leaves the collection, so a later save does not delete it again.
    void SaveAll();

private:
    int m_kind;
    Factory m_factory;
    std::vector<std::unique_ptr<TVirtualObject>> m_items;
};
