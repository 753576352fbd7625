#include "toolkit/StatusBar.h"

#include <commctrl.h>

void TStatusPanel::SetText(const std::string& text)
{
    text_ = text;
    bar_->UpdatePanelText(Index());
}

void TStatusPanel::SetWidth(int width)
{
    width_ = width;
    bar_->UpdateParts();
}

void TStatusPanel::SetStyle(TStatusPanelStyle style)
{
    style_ = style;
    bar_->UpdatePanelText(Index());
}

int TStatusPanel::Index() const
{
    auto& panels = bar_->panels_.panels_;
    for (size_t i = 0; i < panels.size(); ++i)
        if (panels[i].get() == this) return static_cast<int>(i);
    return -1;
}

TStatusPanel* TStatusPanels::Add()
{
    panels_.push_back(std::make_unique<TStatusPanel>(bar_));
    bar_->UpdateParts();
    return panels_.back().get();
}

void TStatusPanels::Clear()
{
    panels_.clear();
    bar_->UpdateParts();
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner)
{
    // The toolkit places the bar (Align), not the control itself.
    CreateHandle(STATUSCLASSNAMEA, WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE, 0);
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
}

void TStatusBar::UpdateParts()
{
    std::vector<int> edges;
    int right = 0;
    for (int i = 0; i < panels_.Count(); ++i) {
        right += panels_[i]->Width();
        edges.push_back(i + 1 == panels_.Count() ? -1 : right);
    }
    if (edges.empty()) edges.push_back(-1);
    SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < panels_.Count(); ++i) UpdatePanelText(i);
    if (panels_.Count() == 0) SendMessageA(Handle(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(""));
}

void TStatusBar::UpdatePanelText(int index)
{
    if (index < 0) return;
    TStatusPanel* panel = panels_[index];
    if (panel->Style() == psOwnerDraw)
        SendMessageA(Handle(), SB_SETTEXTA, index | SBT_OWNERDRAW, index);
    else
        SendMessageA(Handle(), SB_SETTEXTA, index, reinterpret_cast<LPARAM>(panel->Text().c_str()));
}

void TStatusBar::ColorChanged()
{
    SendMessageA(Handle(), SB_SETBKCOLOR, 0, ColorToRGB(Color()));
    TWinControl::ColorChanged();
}

bool TStatusBar::ReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (msg != WM_DRAWITEM) return false;
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    int index = static_cast<int>(draw->itemID);
    if (index < 0 || index >= panels_.Count()) return false;
    canvas_.SetHandle(draw->hDC);
    canvas_.Font.Assign(*Font());
    canvas_.Brush = TBrush{Color(), bsSolid};
    int saved = SaveDC(draw->hDC);
    try {
        if (OnDrawPanel) OnDrawPanel(this, panels_[index], TRect(draw->rcItem));
    } catch (...) {
        RestoreDC(draw->hDC, saved);
        canvas_.SetHandle(nullptr);
        throw;
    }
    canvas_.SetHandle(nullptr);
    RestoreDC(draw->hDC, saved);
    result = TRUE;
    return true;
}
