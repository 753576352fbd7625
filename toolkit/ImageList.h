// TImageList: a list of equally sized images (HIMAGELIST). With ShareImages the list
// only borrows its handle (the shell's system image list) and never destroys it.
#pragma once

#include "toolkit/Classes.h"

#include <commctrl.h>

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
    HIMAGELIST handle_ = nullptr;
    bool shareImages_ = false;
};
