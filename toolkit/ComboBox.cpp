#include "toolkit/ComboBox.h"

#include <algorithm>
#include <stdexcept>

// --- TComboItems -----------------------------------------------------------------------

int TComboItems::Count() const
{
    return static_cast<int>(SendMessageA(combo_->Handle(), CB_GETCOUNT, 0, 0));
}

std::string TComboItems::Strings(int index) const
{
    LRESULT length = SendMessageA(combo_->Handle(), CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) throw std::out_of_range("List index out of bounds");
    std::string text(length + 1, '\0');
    length = SendMessageA(combo_->Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(length == CB_ERR ? 0 : length);
    return text;
}

void* TComboItems::Objects(int index) const
{
    LRESULT data = SendMessageA(combo_->Handle(), CB_GETITEMDATA, index, 0);
    return data == CB_ERR ? nullptr : reinterpret_cast<void*>(data);
}

int TComboItems::Add(const std::string& text)
{
    return static_cast<int>(SendMessageA(combo_->Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int TComboItems::AddObject(const std::string& text, void* object)
{
    int index = Add(text);
    SendMessageA(combo_->Handle(), CB_SETITEMDATA, index, reinterpret_cast<LPARAM>(object));
    return index;
}

void TComboItems::Insert(int index, const std::string& text)
{
    SendMessageA(combo_->Handle(), CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
}

void TComboItems::Delete(int index)
{
    SendMessageA(combo_->Handle(), CB_DELETESTRING, index, 0);
}

void TComboItems::Clear()
{
    SendMessageA(combo_->Handle(), CB_RESETCONTENT, 0, 0);
}

int TComboItems::IndexOf(const std::string& text) const
{
    // Compared here, case-insensitively like the string lists (CB_FINDSTRINGEXACT
    // also starts its search after a given item and wraps around).
    for (int i = 0, n = Count(); i < n; ++i)
        if (lstrcmpiA(Strings(i).c_str(), text.c_str()) == 0) return i;
    return -1;
}

void TComboItems::Assign(const TStringList& list)
{
    Clear();
    for (int i = 0; i < list.Count(); ++i) AddObject(list.Strings(i), list.Objects(i));
}

// --- TComboBox -------------------------------------------------------------------------

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner)
{
    CreateHandle("COMBOBOX", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0);
    SetBounds(0, 0, 145, 21);
    SetColor(clWindow);
}

int TComboBox::ItemIndex() const
{
    LRESULT index = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void TComboBox::SetItemIndex(int index)
{
    SendMessageA(Handle(), CB_SETCURSEL, index, 0);
}

std::string TComboBox::Text() const
{
    int index = ItemIndex();
    return index < 0 ? std::string() : items_.Strings(index);
}

void TComboBox::SetText(const std::string& text)
{
    SetItemIndex(items_.IndexOf(text));
}

void TComboBox::SizeDropDown()
{
    // The list opens as tall as the window was made: make it fit DropDownCount items.
    int items = std::max(1, std::min(items_.Count(), dropDownCount_));
    int itemHeight = static_cast<int>(SendMessageA(Handle(), CB_GETITEMHEIGHT, 0, 0));
    TRect bounds = BoundsRect();
    SetWindowPos(Handle(), nullptr, 0, 0, bounds.Width(), bounds.Height() + items * itemHeight + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TComboBox::ReflectedMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT&)
{
    if (msg != WM_COMMAND) return false;
    switch (HIWORD(wParam)) {
    case CBN_DROPDOWN:
        SizeDropDown();
        return false;
    case CBN_SELCHANGE: {
        HWND window = Handle();
        if (OnClick && Firing()) OnClick(this);
        if (FromHandle(window) == this && OnChange && Firing()) OnChange(this);
        return false;
    }
    default:
        return false;
    }
}
