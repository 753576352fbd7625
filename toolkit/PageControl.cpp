#include "toolkit/PageControl.h"

#include "toolkit/ImageList.h"

#include <commctrl.h>

#include <algorithm>

// --- TTabSheet -------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner)
{
    // Hidden until its page control makes it the active page.
    CreateHandle(nullptr, WS_CHILD | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

TTabSheet::~TTabSheet()
{
    BeginDestroy();
    if (pageControl_) pageControl_->RemovePage(this);
    pageControl_ = nullptr;
}

void TTabSheet::SetPageControl(TPageControl* pageControl)
{
    SetParent(pageControl);
}

void TTabSheet::SetParent(TWinControl* parent)
{
    if (parent == Parent()) return;
    if (pageControl_) pageControl_->RemovePage(this);
    pageControl_ = dynamic_cast<TPageControl*>(parent);
    TCustomControl::SetParent(parent);
    if (pageControl_) pageControl_->InsertPage(this);
}

void TTabSheet::SetTabVisible(bool visible)
{
    if (visible == tabVisible_) return;
    tabVisible_ = visible;
    if (pageControl_) pageControl_->UpdateTabs();
}

int TTabSheet::PageIndex() const
{
    if (!pageControl_) return -1;
    auto& pages = pageControl_->pages_;
    auto it = std::find(pages.begin(), pages.end(), this);
    return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TTabSheet::SetImageIndex(int index)
{
    imageIndex_ = index;
    if (pageControl_ && tabVisible_) pageControl_->UpdateTabCaption(this);
}

void TTabSheet::TextChanged()
{
    if (pageControl_ && tabVisible_) pageControl_->UpdateTabCaption(this);
}

// --- TPageControl ----------------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner)
{
    CreateHandle(WC_TABCONTROLA, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT);
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl()
{
    BeginDestroy();
    // The sheets are child controls and go with the base class; stop tracking them first.
    for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
    pages_.clear();
    tabbed_.clear();
    active_ = nullptr;
}

void TPageControl::InsertPage(TTabSheet* page)
{
    pages_.push_back(page);
    UpdateTabs();
    TRect r = PageRect();
    page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    if (!active_) SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page)
{
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    size_t index = it - pages_.begin();
    pages_.erase(it);
    if (active_ == page) {
        active_ = nullptr;
        // The page that takes the removed one's place, else the one before it.
        if (!Destroying() && !pages_.empty())
            SetActivePage(pages_[std::min(index, pages_.size() - 1)]);
    }
    if (!Destroying()) UpdateTabs();
}

void TPageControl::SetImages(TImageList* images) { images_.Set(images); }

void TPageControl::UpdateTabs()
{
    if (Destroying()) return;
    bool hadTabs = !tabbed_.empty();
    std::vector<TTabSheet*> wanted;
    for (TTabSheet* page : pages_)
        if (page->TabVisible()) wanted.push_back(page);
    // Only the tabs that differ are deleted or inserted: the tab control measures and lays
    // out all its tabs again for each one, so rebuilding them all on every added page
    // made filling a page control cost the cube of its pages.
    size_t i = 0;
    while (i < wanted.size() || i < tabbed_.size()) {
        if (i < wanted.size() && i < tabbed_.size() && wanted[i] == tabbed_[i]) {
            ++i;
            continue;
        }
        if (i < tabbed_.size() &&
            std::find(wanted.begin() + i, wanted.end(), tabbed_[i]) == wanted.end()) {
            SendMessageA(Handle(), TCM_DELETEITEM, i, 0);
            tabbed_.erase(tabbed_.begin() + i);
            continue;
        }
        // wanted[i] belongs here; if it has a tab further on, that one goes first.
        auto later = std::find(tabbed_.begin() + i, tabbed_.end(), wanted[i]);
        if (later != tabbed_.end()) {
            SendMessageA(Handle(), TCM_DELETEITEM, later - tabbed_.begin(), 0);
            tabbed_.erase(later);
        }
        std::string caption = wanted[i]->Caption();
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = &caption[0];
        item.iImage = wanted[i]->ImageIndex();
        SendMessageA(Handle(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        tabbed_.insert(tabbed_.begin() + i, wanted[i]);
        ++i;
    }
    auto it = std::find(tabbed_.begin(), tabbed_.end(), active_);
    SendMessageA(Handle(), TCM_SETCURSEL, it == tabbed_.end() ? -1 : it - tabbed_.begin(), 0);
    if (hadTabs != !tabbed_.empty()) Realign();
}

void TPageControl::UpdateTabCaption(TTabSheet* page)
{
    if (Destroying()) return;
    auto it = std::find(tabbed_.begin(), tabbed_.end(), page);
    if (it == tabbed_.end()) return;
    std::string caption = page->Caption();
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = &caption[0];
    item.iImage = page->ImageIndex();
    SendMessageA(Handle(), TCM_SETITEMA, it - tabbed_.begin(), reinterpret_cast<LPARAM>(&item));
}

TRect TPageControl::PageRect() const
{
    RECT r;
    GetClientRect(Handle(), &r);
    if (!tabbed_.empty()) SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return TRect(r);
}

void TPageControl::AlignControls(TRect& rect)
{
    TRect r = PageRect();
    for (TTabSheet* page : pages_) page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    rect = r;
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->PageControl() != this) return;
    if (page == active_) return;
    TTabSheet* old = active_;
    active_ = page;
    if (page) {
        TRect r = PageRect();
        page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        page->BringToFront();
        page->Show();
    }
    if (old) old->Hide();
    auto it = std::find(tabbed_.begin(), tabbed_.end(), page);
    SendMessageA(Handle(), TCM_SETCURSEL, it == tabbed_.end() ? -1 : it - tabbed_.begin(), 0);
}

int TPageControl::ActivePageIndex() const
{
    return active_ ? active_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < PageCount() ? pages_[index] : nullptr);
}

bool TPageControl::ReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (msg != WM_NOTIFY) return false;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code != static_cast<UINT>(TCN_SELCHANGE)) return false;
    int tab = static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
    if (tab >= 0 && tab < static_cast<int>(tabbed_.size())) SetActivePage(tabbed_[tab]);
    if (OnChange) OnChange(this);
    result = 0;
    return true;
}
