// TObjectList<T>: a list of pointers that owns what it holds (unless OwnsObjects is
// cleared): deleting an entry, clearing the list or destroying the list deletes the objects.
#pragma once

#include "toolkit/Classes.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

template <class T>
class TObjectList : public TObject {
public:
    explicit TObjectList(bool ownsObjects = true) : ownsObjects_(ownsObjects) {}
    ~TObjectList() override { Clear(); }
    TObjectList(const TObjectList&) = delete;
    TObjectList& operator=(const TObjectList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    T* Items(int index) const { return items_.at(index); }
    T* operator[](int index) const { return Items(index); }
    T* First() const { return items_.empty() ? nullptr : items_.front(); }
    T* Last() const { return items_.empty() ? nullptr : items_.back(); }
    // Copies of the objects, in list order: a snapshot that later edits of the list leave alone.
    std::vector<T> Copies() const
    {
        std::vector<T> copies;
        copies.reserve(items_.size());
        for (const T* item : items_) copies.push_back(*item);
        return copies;
    }

    int Add(T* item)
    {
        items_.push_back(item);
        return Count() - 1;
    }
    void Insert(int index, T* item)
    {
        if (index < 0 || index > Count()) throw std::out_of_range("List index out of bounds");
        items_.insert(items_.begin() + index, item);
    }
    int IndexOf(const T* item) const
    {
        auto it = std::find(items_.begin(), items_.end(), item);
        return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    }
    // Removes the entry and deletes its object when the list owns it.
    void Delete(int index)
    {
        static_assert(sizeof(T) > 0, "deleting the object needs its whole type");
        T* item = items_.at(index);
        items_.erase(items_.begin() + index);
        if (ownsObjects_) delete item;
    }
    // Deletes the entry of that object; returns its former index or -1.
    int Remove(T* item)
    {
        int index = IndexOf(item);
        if (index >= 0) Delete(index);
        return index;
    }
    // Takes the object out without deleting it; the caller owns it afterwards.
    T* Extract(int index)
    {
        T* item = items_.at(index);
        items_.erase(items_.begin() + index);
        return item;
    }
    void Exchange(int a, int b) { std::swap(items_.at(a), items_.at(b)); }
    void Clear()
    {
        static_assert(sizeof(T) > 0, "deleting the objects needs their whole type");
        // Taken out before deleting, so a destructor that looks at the list sees it consistent.
        std::vector<T*> old;
        old.swap(items_);
        if (ownsObjects_)
            for (auto it = old.rbegin(); it != old.rend(); ++it) delete *it;
    }
    template <class Less>
    void Sort(Less less) { std::stable_sort(items_.begin(), items_.end(), less); }

    bool OwnsObjects() const { return ownsObjects_; }
    void SetOwnsObjects(bool owns) { ownsObjects_ = owns; }

private:
    std::vector<T*> items_;
    bool ownsObjects_;
};
