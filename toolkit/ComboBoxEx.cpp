#include "toolkit/ComboBoxEx.h"

#include "toolkit/ImageList.h"

#include <commctrl.h>

#include <algorithm>

TComboBoxEx::TComboBoxEx(TComponent* owner) : TWinControl(owner)
{
    CreateHandle(WC_COMBOBOXEXA, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0);
    SetBounds(0, 0, 145, 22);
}

int TComboBoxEx::Count() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)); }

int TComboBoxEx::Add(const TComboExItem& item)
{
    COMBOBOXEXITEMA entry{};
    entry.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_OVERLAY | CBEIF_INDENT;
    entry.iItem = -1;
    entry.pszText = const_cast<char*>(item.caption.c_str());
    entry.iImage = item.imageIndex;
    entry.iSelectedImage = item.selectedImageIndex;
    // The control counts overlays from one; zero is none.
    entry.iOverlay = item.overlayImageIndex + 1;
    entry.iIndent = item.indent;
    return static_cast<int>(SendMessageA(Handle(), CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry)));
}

TComboExItem TComboBoxEx::Item(int index) const
{
    char text[MAX_PATH] = "";
    COMBOBOXEXITEMA entry{};
    entry.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_OVERLAY | CBEIF_INDENT;
    entry.iItem = index;
    entry.pszText = text;
    entry.cchTextMax = sizeof text;
    TComboExItem item;
    if (!SendMessageA(Handle(), CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry))) return item;
    item.caption = text;
    item.imageIndex = entry.iImage;
    item.selectedImageIndex = entry.iSelectedImage;
    item.overlayImageIndex = entry.iOverlay - 1;
    item.indent = entry.iIndent;
    return item;
}

void TComboBoxEx::Delete(int index) { SendMessageA(Handle(), CBEM_DELETEITEM, index, 0); }

void TComboBoxEx::Clear() { SendMessageA(Handle(), CB_RESETCONTENT, 0, 0); }

int TComboBoxEx::ItemIndex() const
{
    LRESULT index = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void TComboBoxEx::SetItemIndex(int index) { SendMessageA(Handle(), CB_SETCURSEL, index, 0); }

void TComboBoxEx::SetImages(TImageList* images) { images_.Set(images); }

void TComboBoxEx::SizeDropDown()
{
    HWND combo = reinterpret_cast<HWND>(SendMessageA(Handle(), CBEM_GETCOMBOCONTROL, 0, 0));
    const int entries = std::max(1, std::min(Count(), dropDownCount_));
    const int field = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    const int entry = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    RECT now;
    GetWindowRect(combo, &now);
    SetWindowPos(combo, nullptr, 0, 0, now.right - now.left, field + 8 + entries * entry,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TComboBoxEx::ReflectedMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT&)
{
    if (msg != WM_COMMAND) return false;
    if (HIWORD(wParam) == CBN_DROPDOWN) SizeDropDown();
    if (HIWORD(wParam) == CBN_SELCHANGE && OnClick && Firing()) OnClick(this);
    return false;
}
