// An item-ID list the shell allocated for the caller, freed (CoTaskMemFree, as the shell's
// allocator is the task allocator) when it goes.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <utility>

class ItemIdList {
public:
    ItemIdList() = default;
    explicit ItemIdList(LPITEMIDLIST list) : list_(list) {}
    ~ItemIdList() { Reset(); }
    ItemIdList(const ItemIdList&) = delete;
    ItemIdList& operator=(const ItemIdList&) = delete;
    ItemIdList(ItemIdList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    ItemIdList& operator=(ItemIdList&& other) noexcept
    {
        if (this != &other) {
            Reset();
            list_ = std::exchange(other.list_, nullptr);
        }
        return *this;
    }

    LPITEMIDLIST Get() const { return list_; }
    explicit operator bool() const { return list_ != nullptr; }
    // The place for a call that hands out a list; what was held is freed first.
    LPITEMIDLIST* Put()
    {
        Reset();
        return &list_;
    }
    // Gives the list up without freeing it.
    LPITEMIDLIST Detach() { return std::exchange(list_, nullptr); }
    void Reset(LPITEMIDLIST list = nullptr)
    {
        if (list_)
            ::CoTaskMemFree(list_);
        list_ = list;
    }

private:
    LPITEMIDLIST list_ = nullptr;
};
