// TComboBox: a drop-down list to pick one of its Items (the user cannot type other
// text). A pick by the user runs OnClick and then OnChange; setting ItemIndex or Text
// in code runs nothing.
#pragma once

#include "toolkit/Controls.h"

#include <string>

class TComboBox;

// The combo box's items, kept by the control itself.
class TComboItems {
public:
    explicit TComboItems(TComboBox* combo) : combo_(combo) {}

    int Count() const;
    std::string Strings(int index) const;
    std::string operator[](int index) const { return Strings(index); }
    void* Objects(int index) const;
    // Each returns the index the item got (the end of the list).
    int Add(const std::string& text);
    int AddObject(const std::string& text, void* object);
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear();
    // The first item of that text (case-insensitive), or -1.
    int IndexOf(const std::string& text) const;
    // Replaces the items with the strings and objects of list.
    void Assign(const TStringList& list);

private:
    TComboBox* combo_;
};

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);

    TComboItems* Items() { return &items_; }
    // The picked item, or -1.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The picked item's text; setting it picks the item of that text (or none).
    std::string Text() const;
    void SetText(const std::string& text);
    // How many items the open list shows before it scrolls.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count) { dropDownCount_ = count; }

    TNotifyEvent OnChange;

protected:
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void SizeDropDown();

    TComboItems items_{this};
    int dropDownCount_ = 8;
};
