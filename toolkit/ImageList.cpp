#include "toolkit/ImageList.h"

#include "toolkit/Controls.h"

#include <shellapi.h>

#include <algorithm>

TImageList::TImageList(TComponent* owner, int width, int height) : TComponent(owner)
{
    toolkit::Initialize();
    handle_ = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4);
}

TImageList::~TImageList()
{
    BeginDestroy();
    // The controls let go of the handle before it is destroyed.
    while (!links_.empty()) links_.back()->Set(nullptr);
    if (handle_ && !shareImages_) ImageList_Destroy(handle_);
}

void TImageList::SetHandle(HIMAGELIST handle)
{
    if (handle == handle_) return;
    HIMAGELIST old = handle_;
    handle_ = handle;
    for (TImageLink* link : links_) link->HandOver();
    if (old && !shareImages_) ImageList_Destroy(old);
}

TImageLink::~TImageLink()
{
    if (list_) list_->links_.erase(std::find(list_->links_.begin(), list_->links_.end(), this));
}

void TImageLink::Set(TImageList* list)
{
    if (list_ != list) {
        if (list_) list_->links_.erase(std::find(list_->links_.begin(), list_->links_.end(), this));
        list_ = list;
        if (list_) list_->links_.push_back(this);
    }
    HandOver();
}

void TImageLink::HandOver() const { handOver_(list_ ? list_->Handle() : nullptr); }

int TImageList::Width() const
{
    int cx = 0, cy = 0;
    if (handle_) ImageList_GetIconSize(handle_, &cx, &cy);
    return cx;
}

int TImageList::Height() const
{
    int cx = 0, cy = 0;
    if (handle_) ImageList_GetIconSize(handle_, &cx, &cy);
    return cy;
}

int TImageList::Count() const
{
    return handle_ ? ImageList_GetImageCount(handle_) : 0;
}

int TImageList::Add(HBITMAP image, HBITMAP mask)
{
    return ImageList_Add(handle_, image, mask);
}

int TImageList::AddMasked(HBITMAP image, TColor maskColor)
{
    return ImageList_AddMasked(handle_, image, ColorToRGB(maskColor));
}

int TImageList::AddIcon(HICON icon)
{
    return ImageList_AddIcon(handle_, icon);
}

int TImageList::ReplaceIcon(int index, HICON icon)
{
    return ImageList_ReplaceIcon(handle_, index, icon);
}

void TImageList::Delete(int index)
{
    ImageList_Remove(handle_, index);
}

void TImageList::Clear()
{
    ImageList_Remove(handle_, -1);
}

HICON TImageList::GetIcon(int index) const
{
    return ImageList_GetIcon(handle_, index, ILD_NORMAL);
}

void TImageList::Draw(HDC dc, int x, int y, int index) const
{
    ImageList_Draw(handle_, index, dc, x, y, ILD_NORMAL);
}

int TImageList::AddShellIcon(int resource)
{
    // A list of small pictures takes the library's own small drawing, not a shrunk large one.
    HICON icon = nullptr;
    const bool small = Width() <= GetSystemMetrics(SM_CXSMICON);
    if (ExtractIconExA("shell32.dll", -resource, small ? nullptr : &icon, small ? &icon : nullptr, 1) != 1 || !icon)
        return -1;
    const int index = AddIcon(icon);
    DestroyIcon(icon);
    return index;
}
