#include "pageparts/PageParts.h"

#include "toolkit/MenuEntry.h"

namespace page_parts {

TLabel* MakePageLink(TComponent* owner, TWinControl* parent, const std::string& name, int left, int top,
                     int width, TColor restColor)
{
    auto* link = new TLabel(owner);
    link->Name = name;
    link->SetParent(parent);
    link->SetTransparent(true);
    link->SetBounds(left, top, width, 16);
    link->Font()->SetColor(restColor);
    link->SetCursor(crHandPoint);
    link->OnMouseMove = [](TObject* sender, TShiftState, int, int) {
        auto* label = static_cast<TLabel*>(sender);
        label->Font()->SetColor(clRed);
        label->SetCursor(crHandPoint);
    };
    link->OnMouseLeave = [restColor](TObject* sender) { static_cast<TLabel*>(sender)->Font()->SetColor(restColor); };
    return link;
}

TLabel* MakePageTitle(TComponent* owner, TWinControl* page, const std::string& name, int top, int width)
{
    auto* title = new TLabel(owner);
    title->Name = name;
    title->SetParent(page);
    title->SetTransparent(true);
    title->SetBounds(16, top, width, 16);
    title->Font()->SetColor(clNavy);
    title->Font()->SetStyle(fsBold);
    return title;
}

TMenuItem* MakeMenuEntry(TPopupMenu* menu, const std::string& name, TNotifyEvent onClick)
{
    return AddMenuEntry(menu, menu, name, "", std::move(onClick));
}

void HideColumnHeader(TListView& list)
{
    SetWindowLongA(list.Handle(), GWL_STYLE, GetWindowLongA(list.Handle(), GWL_STYLE) | LVS_NOCOLUMNHEADER);
}

TListView* MakeCheckList(TComponent* owner, TWinControl* parent, const std::string& name, int left, int top,
                         int width, int height)
{
    auto* list = new TListView(owner);
    list->Name = name;
    list->SetParent(parent);
    list->SetBounds(left, top, width, height);
    list->Columns()->Add()->SetWidth(width - 24);
    HideColumnHeader(*list);
    list->SetCheckboxes(true);
    list->SetRowSelect(true);
    list->SetHideSelection(false);
    list->SetColor(clWhite);
    return list;
}

int SelectedRow(TListView* list)
{
    TListItem* selected = list->Selected();
    return selected ? selected->Index() : -1;
}

} // namespace page_parts
