#include "toolkit/MenuEntry.h"

TMenuItem* AddMenuEntry(TComponent* owner, TMenuItem* parent, const std::string& name, const std::string& caption,
                        TNotifyEvent onClick)
{
    auto* item = new TMenuItem(owner);
    item->Name = name;
    item->Caption = caption;
    item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

TMenuItem* AddMenuEntry(TComponent* owner, TMenu* menu, const std::string& name, const std::string& caption,
                        TNotifyEvent onClick)
{
    return AddMenuEntry(owner, menu->Items(), name, caption, std::move(onClick));
}
