#include "toolkit/ToolBar.h"

#include "toolkit/ImageList.h"
#include "toolkit/Menus.h"

#include <algorithm>

namespace {

BYTE StyleBits(TToolButtonStyle style)
{
    switch (style) {
    case tbsCheck: return BTNS_CHECK;
    case tbsDropDown: return BTNS_DROPDOWN;
    case tbsSeparator:
    case tbsDivider: return BTNS_SEP;
    default: return BTNS_BUTTON;
    }
}

}  // namespace

// ---- TToolButton

TToolButton::TToolButton(TToolBar* bar, TComponent* owner) : TComponent(owner), bar_(bar) {}

TToolButton::~TToolButton()
{
    BeginDestroy();
    if (bar_) bar_->Remove(this);
}

int TToolButton::Index() const
{
    if (!bar_) return -1;
    auto it = std::find(bar_->buttons_.begin(), bar_->buttons_.end(), this);
    return it == bar_->buttons_.end() ? -1 : static_cast<int>(it - bar_->buttons_.begin());
}

void TToolButton::SetImageIndex(int index)
{
    imageIndex_ = index;
    if (bar_) SendMessageA(bar_->Handle(), TB_CHANGEBITMAP, id_, index);
}

void TToolButton::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    if (bar_) SendMessageA(bar_->Handle(), TB_ENABLEBUTTON, id_, MAKELONG(enabled ? TRUE : FALSE, 0));
}

void TToolButton::SetCaption(const std::string& caption)
{
    caption_ = caption;
    if (!bar_) return;
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT;
    info.pszText = const_cast<char*>(caption_.c_str());
    SendMessageA(bar_->Handle(), TB_SETBUTTONINFOA, id_, reinterpret_cast<LPARAM>(&info));
}

bool TToolButton::Down() const
{
    return bar_ && SendMessageA(bar_->Handle(), TB_ISBUTTONCHECKED, id_, 0) != 0;
}

void TToolButton::SetDown(bool down)
{
    if (bar_) SendMessageA(bar_->Handle(), TB_CHECKBUTTON, id_, MAKELONG(down ? TRUE : FALSE, 0));
}

RECT TToolButton::BoundsRect() const
{
    RECT rect{0, 0, 0, 0};
    if (bar_) SendMessageA(bar_->Handle(), TB_GETRECT, id_, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void TToolButton::Click()
{
    if (!enabled_) return;
    if (OnClick)
        OnClick(this);
    else if (DropdownMenu && bar_)
        bar_->ShowDropdown(this);
}

// ---- TToolBar

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner)
{
    CreateHandle(TOOLBARCLASSNAMEA,
                 WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN | CCS_NORESIZE |
                     CCS_NODIVIDER,
                 0);
    SendMessageA(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(Handle(), TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
}

TToolBar::~TToolBar()
{
    BeginDestroy();
    for (TToolButton* button : buttons_) button->bar_ = nullptr;
}

TToolButton* TToolBar::AddButton(const std::string& name, TToolButtonStyle style, int imageIndex,
                                 TNotifyEvent onClick, TComponent* owner)
{
    auto* button = new TToolButton(this, owner ? owner : Owner());
    button->Name = name;
    button->style_ = style;
    button->imageIndex_ = style == tbsSeparator || style == tbsDivider ? -1 : imageIndex;
    button->OnClick = std::move(onClick);
    Insert(button);
    return button;
}

void TToolBar::Insert(TToolButton* button)
{
    button->id_ = nextId_++;
    TBBUTTON item{};
    const bool separator = button->style_ == tbsSeparator || button->style_ == tbsDivider;
    item.iBitmap = separator ? 8 : button->imageIndex_;
    item.idCommand = button->id_;
    item.fsState = TBSTATE_ENABLED;
    item.fsStyle = StyleBits(button->style_);
    item.iString = -1;
    SendMessageA(Handle(), TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&item));
    buttons_.push_back(button);
}

void TToolBar::Remove(TToolButton* button)
{
    auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end()) return;
    SendMessageA(Handle(), TB_DELETEBUTTON, it - buttons_.begin(), 0);
    buttons_.erase(it);
}

TToolButton* TToolBar::ButtonOfId(int id) const
{
    for (TToolButton* button : buttons_)
        if (button->id_ == id) return button;
    return nullptr;
}

void TToolBar::SetImages(TImageList* images) { images_.Set(images); }

void TToolBar::SetHotImages(TImageList* images) { hotImages_.Set(images); }

void TToolBar::SetDisabledImages(TImageList* images) { disabledImages_.Set(images); }

void TToolBar::SetButtonSize(int width, int height)
{
    SendMessageA(Handle(), TB_SETBUTTONSIZE, 0, MAKELONG(width, height));
}

bool TToolBar::Flat() const { return (GetWindowLongA(Handle(), GWL_STYLE) & TBSTYLE_FLAT) != 0; }

void TToolBar::SetFlat(bool flat)
{
    LONG style = GetWindowLongA(Handle(), GWL_STYLE);
    SetWindowLongA(Handle(), GWL_STYLE, flat ? style | TBSTYLE_FLAT : style & ~TBSTYLE_FLAT);
    Invalidate();
}

bool TToolBar::Transparent() const { return (GetWindowLongA(Handle(), GWL_STYLE) & TBSTYLE_TRANSPARENT) != 0; }

void TToolBar::SetTransparent(bool transparent)
{
    LONG style = GetWindowLongA(Handle(), GWL_STYLE);
    SetWindowLongA(Handle(), GWL_STYLE, transparent ? style | TBSTYLE_TRANSPARENT : style & ~TBSTYLE_TRANSPARENT);
    Invalidate();
}

void TToolBar::ShowDropdown(TToolButton* button)
{
    RECT rect = button->BoundsRect();
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    button->DropdownMenu->Popup(rect.left, rect.bottom);
}

bool TToolBar::WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // A flat bar leaves its background to the parent, and the toolkit's containers paint
    // only in WM_PAINT: the bar fills it itself.
    if (msg == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(Handle(), &client);
        HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        result = 1;
        return true;
    }
    return TWinControl::WndProc(msg, wParam, lParam, result);
}

bool TToolBar::ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND) {
        if (TToolButton* button = ButtonOfId(LOWORD(wParam))) button->Click();
        result = 0;
        return true;
    }
    if (msg != WM_NOTIFY) return false;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    switch (header->code) {
    case TBN_DROPDOWN: {
        TToolButton* button = ButtonOfId(reinterpret_cast<NMTOOLBARA*>(lParam)->iItem);
        if (button && button->DropdownMenu) ShowDropdown(button);
        result = TBDDRET_DEFAULT;
        return true;
    }
    case TBN_GETINFOTIPA: {
        auto* tip = reinterpret_cast<NMTBGETINFOTIPA*>(lParam);
        TToolButton* button = ButtonOfId(tip->iItem);
        if (button && tip->pszText && tip->cchTextMax > 0) lstrcpynA(tip->pszText, button->Hint.c_str(), tip->cchTextMax);
        result = 0;
        return true;
    }
    case NM_CUSTOMDRAW:
        result = CustomDraw(reinterpret_cast<NMTBCUSTOMDRAW*>(lParam));
        return true;
    default: return false;
    }
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW* draw)
{
    if (!OnCustomDrawButton) return CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    TToolButton* button = ButtonOfId(static_cast<int>(draw->nmcd.dwItemSpec));
    if (!button) return CDRF_DODEFAULT;
    bool defaultDraw = true;
    OnCustomDrawButton(this, button, draw->nmcd.hdc, draw->nmcd.uItemState, defaultDraw);
    return defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
}
