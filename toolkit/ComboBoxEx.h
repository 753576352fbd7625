// TComboBoxEx: the common controls' extended combo box as a drop-down list whose entries
// carry pictures of an image list and an indent. A pick by the user runs OnClick;
// setting ItemIndex in code runs nothing.
#pragma once

#include "toolkit/Controls.h"
#include "toolkit/ImageList.h"

#include <string>


struct TComboExItem {
    std::string caption;
    int imageIndex = -1;
    int selectedImageIndex = -1;
    // A zero-based overlay image of the list, -1 for none.
    int overlayImageIndex = -1;
    // In steps of ten pixels.
    int indent = 0;
};

class TComboBoxEx : public TWinControl {
public:
    explicit TComboBoxEx(TComponent* owner);

    int Count() const;
    // Appends the entry; returns its index.
    int Add(const TComboExItem& item);
    TComboExItem Item(int index) const;
    void Delete(int index);
    void Clear();
    // The picked entry, or -1.
    int ItemIndex() const;
    void SetItemIndex(int index);
    TImageList* Images() const { return images_.List(); }
    void SetImages(TImageList* images);
    // How many entries the open list shows before it scrolls.
    void SetDropDownCount(int count) { dropDownCount_ = count; }

protected:
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The inner combo box opens its list as tall as it is made: make it fit the entries.
    void SizeDropDown();

    TImageLink images_{[this](HIMAGELIST handle) {
        SendMessageA(Handle(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(handle));
    }};
    int dropDownCount_ = 8;
};
