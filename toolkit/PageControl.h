// TPageControl: a tab control whose pages are TTabSheet containers. Only the active page
// shows. A sheet with TabVisible off has no tab; when no sheet has one, the pages fill
// the whole control and are switched only by code (ActivePage).
#pragma once

#include "toolkit/Controls.h"
#include "toolkit/ImageList.h"

#include <vector>

class TPageControl;

class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* pageControl);
    void SetParent(TWinControl* parent) override;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool visible);
    // Position among the page control's pages, or -1.
    int PageIndex() const;
    // The tab's picture in the page control's Images, -1 for none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);

protected:
    void TextChanged() override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    int imageIndex_ = -1;
};

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(index); }
    TTabSheet* ActivePage() const { return active_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    // An index outside 0..PageCount()-1 leaves no page active.
    void SetActivePageIndex(int index);

    // The pictures of the tabs (not owned).
    void SetImages(TImageList* images);

    // After the user picked another tab.
    TNotifyEvent OnChange;

protected:
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void AlignControls(TRect& rect) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    // Brings the tabs in line with the sheets that show one.
    void UpdateTabs();
    // Puts a sheet's new caption and picture on its tab.
    void UpdateTabCaption(TTabSheet* page);
    TRect PageRect() const;

    std::vector<TTabSheet*> pages_;
    std::vector<TTabSheet*> tabbed_;  // the sheets behind the tabs, in tab order
    TTabSheet* active_ = nullptr;
    TImageLink images_{[this](HIMAGELIST handle) {
        SendMessageA(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(handle));
        // The tabs grow to the pictures' height: the pages move down.
        if (!Destroying()) Realign();
    }};
};
