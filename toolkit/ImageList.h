// TImageList: a list of equally sized images (HIMAGELIST). With ShareImages the list
// only borrows its handle (the shell's system image list) and never destroys it.
#pragma once

#include "toolkit/Classes.h"

#include <commctrl.h>

#include <functional>
#include <vector>

class TImageList;

// One image slot of a control (a list view's small images, a tool bar's images) tied to
// an image list: the control is handed the list's handle now and whenever the list adopts
// another, and is handed none when the list goes first. So no control keeps drawing with
// a handle its list has given up.
class TImageLink {
public:
    explicit TImageLink(std::function<void(HIMAGELIST)> handOver) : handOver_(std::move(handOver)) {}
    ~TImageLink(); // leaves the list, handing nothing over: the control is going
    TImageLink(const TImageLink&) = delete;
    TImageLink& operator=(const TImageLink&) = delete;

    TImageList* List() const { return list_; }
    // Ties the slot to the list (or to none) and hands the control its handle.
    void Set(TImageList* list);
    // Hands the control the list's handle again, as after its window was made anew.
    void HandOver() const;

private:
    friend class TImageList;
    TImageList* list_ = nullptr;
    std::function<void(HIMAGELIST)> handOver_;
};

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner, int width = 16, int height = 16);
    ~TImageList() override;

    HIMAGELIST Handle() const { return handle_; }
    // Adopts another list's handle (destroying the old one unless shared).
    void SetHandle(HIMAGELIST handle);
    bool ShareImages() const { return shareImages_; }
    void SetShareImages(bool share) { shareImages_ = share; }

    int Width() const;
    int Height() const;
    int Count() const;
    // Each returns the new image's index, or -1.
    int Add(HBITMAP image, HBITMAP mask);
    int AddMasked(HBITMAP image, TColor maskColor);
    int AddIcon(HICON icon);
    // Puts the icon in place of image index (-1 appends); returns its index, or -1.
    int ReplaceIcon(int index, HICON icon);
    void Delete(int index);
    void Clear();
    // A new icon of the image; the caller destroys it.
    HICON GetIcon(int index) const;
    void Draw(HDC dc, int x, int y, int index) const;
    // Adds the icon with that resource number of the shell's library; -1 when it has none.
    int AddShellIcon(int resource);

private:
    friend class TImageLink;
    HIMAGELIST handle_ = nullptr;
    bool shareImages_ = false;
    std::vector<TImageLink*> links_;
};
